#pragma once
// The sequence recorder's logic: the desktop's events turned into macro rows
// appended to a macro file ("temp.sqc"), the optimiser of a recorded list,
// its preparation for the open macro, and the event procedures of a run.
#include "core/MacroList.h"
#include "platform/Platform.h"

#include <QFile>
#include <QSet>

#include <functional>

namespace recorder {

// Whole seconds a pause between two events is recorded as: the milliseconds
// div 1000, plus one when the rest exceeds 600 ms; 0 (nothing recorded)
// under one second.
int PauseSeconds(qint64 ms);
// "hh:mm:ss" of a number of seconds; and back, -1 when the text is no such time.
QString TimeText(int seconds);
int TimeSeconds(const QString& text);

// Merges what a recording splits: a press and its release into a click, two
// pauses into one, points into the path before them, wheel notches, a key
// down and up into one key, Shift around a character, the space bar and the
// keypad digits into typed text. Walks from the last row back to the second.
void Optimise(QVector<MacroCommand>& rows);
// The rows as they go into a macro: each pause lengthened by extraSeconds
// (shortened when negative, dropped below one second); with destinationOnly
// each run of mouse paths becomes one "Move Mouse" to its last point.
void AdjustForCopy(QVector<MacroCommand>& rows, int extraSeconds, bool destinationOnly);

// Writes one macro row per event of the desktop into a macro file.
class TSequenceRecorder {
public:
    TSequenceRecorder();
    // Starts writing fileName: a new file, or after its rows when append.
    // With trackWindows the foreground window's places and states are
    // recorded too. False, with the reason in *error, when it cannot be written.
    bool Open(const QString& fileName, bool append, bool trackWindows, QString* error);
    // Writes the pending mouse path and closes the file.
    void Close();
    bool IsOpen() const { return file_.isOpen(); }
    void OnEvent(const platform::DesktopEvent& e);

    // Milliseconds of a steady clock; tests give their own.
    std::function<qint64()> Clock;
    // Told the text to show when a window was tracked.
    std::function<void(const QString&)> OnTrackedWindow;

private:
    void write(const QString& keyword, const QString& params);
    void writePause();
    void flushPath();
    void checkForeground();
    void onMouse(const platform::DesktopEvent& e);
    void onKey(const platform::DesktopEvent& e);

    QFile file_;
    bool trackWindows_ = false;
    qint64 lastEventAt_ = 0;
    platform::POINT last_{-1, -1};   // the cursor where the rows written leave it
    QVector<platform::POINT> path_;  // the mouse path not yet written
    QSet<int> typedKeys_;            // keys down that were recorded as typed text
    platform::HWND lastTracked_ = 0;
};

// Where the desktop's events go: to the event procedures while
// "[EVENT.ACTIVATE]" is "1", else to the recording under way.
class TEventWatch {
public:
    static TEventWatch& Instance();
    TSequenceRecorder* Recording = nullptr;  // the recorder window's
    bool Procedures = false;                 // "[EVENT.ACTIVATE]" is "1"
    // Watches the desktop's events exactly while the procedures or an open
    // recording want them; false when the desktop refused.
    bool Update();
};

// While "[EVENT.ACTIVATE]" is "1": a button pressed or released, or a key
// released, sets "[EVENT.BUTTON]" or "[EVENT.KEY]" and runs the macro's
// procedure "[EVENT.MOUSEDOWN]", "[EVENT.MOUSEUP]" or "[EVENT.KEYPRESS]".
void OnEventForProcedures(const platform::DesktopEvent& e);
// Runs the rows of the main list's procedure of that name, when it exists and
// a macro is running.
void RunEventProcedure(const QString& name);

}  // namespace recorder
