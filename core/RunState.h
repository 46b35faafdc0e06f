#pragma once
// The run state: what the runner sets and every part reads.
#include <QIcon>
#include <QString>
#include <QVector>

class TListView;

// One flag per row of the list being run; false skips that row once.
using TActiveOrder = QVector<bool>;

// Shown in the caption: 0 idle, 1 running, 2 step, 3 paused, 4 stopped at a
// breakpoint, 5 step with a command running.
extern int ExecState;
extern int CurrentOrderIndex;       // row of ListView1 being run
extern bool MacroRunning;           // every wait ends when it turns false
extern TActiveOrder ActiveOrder;    // the main run's skip-once flags
extern bool BreakpointWait;         // a breakpoint or pause wait is on
extern bool AutoRun;                // the macro runs unattended from the command line
extern bool RunEndedInError;        // the last run was stopped by an error
extern int ExecutedCount;           // rows dispatched since the run started
extern QString RunStartTime;        // "hh:mm:ss"
extern QString RunEndTime;          // "hh:mm:ss"
extern int SavedWindowState;        // Qt::WindowStates of the main window at run start
extern quint64 SavedForegroundWindow;
extern QVector<int> ProcReturnStack;  // CALL rows, see the "Procedure" command

extern bool QuestionAnswered;       // ends the wait of a "Question" row; Stop sets it

// The application icon while a command runs (states 1 and 5); the toolbar
// loader sets it, null means the icon of start-up.
extern QIcon RunIcon;

// The innermost sub-macro being run (null while the main list runs) and its row.
extern TListView* SubMacroList;
extern int SubMacroRow;
extern int SubMacroLevel;  // sub-macros running, nested, 0 to 14
// Set with a new SubMacroRow: the sub-macro goes on at that row.
extern bool SubMacroJump;

// The report file path: the "RapportFile" setting, "rapport.doc" of the
// program folder by default.
QString ReportBasePath();
// The numbered report file of a report number ("000001").
QString NumberedReportPath(const QString& number);

// A macro given on the command line runs without a person at the screen:
// its message boxes go to the standard error with their default answer.
bool Unattended();
// Writes a message of an unattended run to the standard error.
void ReportUnattended(const QString& text);
// Ends the program after an unattended run by closing the main window; the
// program body then exits with 1 when RunEndedInError, else 0.
void EndUnattendedRun();
