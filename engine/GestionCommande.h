#pragma once
// Command plug-ins: shared libraries that each add one command
// (plugins/OrvanelPlugin.h). The loaded ones, their palette buttons and
// pictures, and what the editor, the checker and the runner ask of them.
#include "core/Services.h"
#include "engine/PluginHost.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

#include <memory>

class QImage;
class QToolButton;

// The exports of a plug-in library, called in its host program. A fault of
// the plug-in (a crash, no answer in time, an exception) is said in a message
// box, naming it, and the call gives "" or 0; ExecuteOrder gives its fault.
class TPluginFunctions {
public:
    std::shared_ptr<TPluginHost> Host;

    void ReceiveHandleApp(quint64 window) const;
    void ReceiveHandleLibrary(quint32 module) const;
    QString GetInfoName() const;
    QString GetInfoRubrique() const;
    QString GetInfoHint() const;
    QString GetInfoDescription() const;
    // The picture; a null image when there is none, `bad` when it was no picture.
    QImage GetInfoIcon(bool& bad) const;
    void GetInfoFromOrvanel(const QString& key, const QString& text, int value, bool valid) const;
    void GetListOrder(const QString& keyword, const QString& params, bool found) const;
    bool Debug(const QString& params) const;
    QString MsgDebug(const QString& params) const;
    QString NewOrdre() const;
    // The fault of the row, for the run-time error; "" when none.
    QString ExecuteOrder(const QString& params) const;
    void StopOrder() const;
    QString ChangeOrdre(const QString& params) const;

private:
    pluginwire::Message ask(const char* function, std::vector<std::string> texts = {},
                            std::vector<int64_t> numbers = {},
                            TPluginHost::Wait wait = TPluginHost::Wait::Answer) const;
    QString askText(const char* function, std::vector<std::string> texts = {},
                    TPluginHost::Wait wait = TPluginHost::Wait::Answer) const;
};

// One loaded plug-in command. An entry with an empty Name is no plug-in
// (the placeholder 0, a failed load).
struct TDynamiqueOrder {
    QString Name;         // the command keyword of its rows
    QString Rubrique;     // category: the caption of its palette tab
    QString Hint;         // its palette button's hint
    QString Description;  // a text, or the name of a file beside the library
    QString LibraryPath;  // as loaded
    int ImageIndex = -1;  // its picture among the command icons
    quint32 Module = 0;  // its identity in its messages: a number of ours, never 0
    QPointer<QToolButton> Button;
    TPluginFunctions F;
};

// Entry 0 is a placeholder; each load appends one entry, failed ones too, so
// indexes never move while the program runs.
extern QVector<TDynamiqueOrder> DynamiqueOrders;
// Set by a plug-in (query 0) during NewOrdre or ChangeOrdre: their result is dropped.
extern bool CancelNewOrder;

// What happens to the table: a plug-in loaded (its index) or removed (its
// category); the palette follows.
class TPluginEvents : public QObject {
    Q_OBJECT
signals:
    void Loaded(int index);
    void Removed(const QString& category);
};
TPluginEvents& PluginEvents();

// Loads one library in a host program of its own, found at the path, else
// beside the program, else in the program's folder "Plugins" (a bare file
// name never in the current folder), and tells PluginEvents(). The new
// entry's index; -1 when the library is missing, cannot be loaded, is built
// for another version or lacks exports (each reason said in a message box).
int LoadCommandPlugin(const QString& path);
// The first plug-in whose Name is that keyword (exact); -1 when none.
int GetNewOrderIndex(const QString& keyword);
// The plug-in of a module handle; 0 when no loaded plug-in has it.
int GetPluginIndex(quint64 module);
// The run-time handler of a plug-in keyword: its ExecuteOrder with the row's
// parameters (nothing for a keyword no plug-in has). True when the plug-in
// placed the run on another row meanwhile (message 2261).
bool RunPluginCommand(const QString& keyword, const QString& params);
// StopOrder of every plug-in, at the end of a run.
void StopPluginCommands();
// What the library's check functions say of a row.
PluginCheck CheckPluginRow(const QString& keyword, const QString& params);
// Unloads one plug-in: its host ended, its name emptied (the entry stays,
// indexes never move), its palette button gone; PluginEvents() is told.
void RemoveCommandPlugin(int index);
// Ends every host and empties the table (the main window's end).
void FreePlugins();
// A message of the plug-in placed the run on another row while it ran.
void NotePluginMovedRun();
