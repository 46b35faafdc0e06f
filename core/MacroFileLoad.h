#pragma once
// Pieces shared by the macro file readers and the writer.
#include <QString>

class TForm1;
class TMacroDocument;
class TMacroFileData;

namespace macrofile {

// How a reader treats the records; the two readers differ only here.
struct ReadOptions {
    TMacroDocument* list = nullptr;
    int position = -1;              // < 0: append, else insert there
    bool mainList = false;          // ListView1: the watch list, ignored warnings and alias are the open macro's
    bool decodeAlias = false;       // "[ALIAS_EXE]" is decoded like the others
    bool escAborts = true;          // Esc in the progress window stops the reading
    bool countEveryRecord = false;  // the progress counts every record, not only the command rows
    int threshold = 300;            // the progress window shows above this many records
    QString statusText;             // its text; empty: no progress window
};

// Reads the records of data into opt.list; answers the command rows read.
// The main list's special records go to form.
int readRecords(TForm1* form, const TMacroFileData& data, const QString& password, const ReadOptions& opt);

// Sets the About box's priority list to index and applies it.
void applyPriority(int index);
// The protection panel and the line panel.
void refreshStatusBar(TForm1& form);
// The macro now is fileName: status bar, titles and the save dialog.
void nameMacro(TForm1& form, const QString& fileName);

// The progress window of a long load: shown when count exceeds threshold and
// text is not empty; its bar moves by one every count div 100 items.
class LoadProgress {
public:
    LoadProgress(int count, int threshold, const QString& text);
    ~LoadProgress();
    bool shown() const { return shown_; }
    int step() const { return step_; }
    // `done` items are handled: advances the bar, pumps events; true when Esc asked to stop.
    bool reach(int done);

private:
    bool shown_ = false;
    int step_ = 1;
};

}  // namespace macrofile
