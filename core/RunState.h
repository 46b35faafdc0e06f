#pragma once
// The run state: what the runner sets while it runs a macro. The runner owns
// the one object; the main window follows its signals (caption, buttons,
// the row being run) and the rest of the program reads it through
// RunState().
#include <QObject>
#include <QString>
#include <QVector>

class TMacroDocument;

// One flag per row of the list being run; false skips that row once.
using TActiveOrder = QVector<bool>;

class TRunState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Shown in the caption: 0 idle, 1 running, 2 step, 3 paused, 4 stopped
    // at a breakpoint, 5 step with a command running.
    int ExecState = 0;
    int CurrentOrderIndex = 0;       // row of the main list being run
    bool MacroRunning = false;       // every wait ends when it turns false
    TActiveOrder ActiveOrder;        // the main run's skip-once flags
    bool BreakpointWait = false;     // a breakpoint or pause wait is on
    bool AutoRun = false;            // the macro runs unattended from the command line
    bool RunEndedInError = false;    // the last run was stopped by an error
    int ExecutedCount = 0;           // rows dispatched since the run started
    QString RunStartTime;            // "hh:mm:ss"
    QString RunEndTime;              // "hh:mm:ss"
    int SavedWindowState = 0;        // Qt::WindowStates of the main window at run start
    quint64 SavedForegroundWindow = 0;
    QVector<int> ProcReturnStack;    // CALL rows, see the "Procedure" command
    bool QuestionAnswered = false;   // ends the wait of a "Question" row; Stop sets it

    // The innermost sub-macro being run (null while the main list runs) and its row.
    TMacroDocument* SubMacroList = nullptr;
    int SubMacroRow = 0;
    int SubMacroLevel = 0;  // sub-macros running, nested, 0 to 14
    // Set with a new SubMacroRow: the sub-macro goes on at that row.
    bool SubMacroJump = false;

    // Changes ExecState and tells the followers.
    void SetExecState(int state);
    bool Idle() const { return ExecState == 0; }

signals:
    void ExecStateChanged(int state);
    // The main list's row about to run (breakpoints, steps, pauses show it).
    void RowReached(int row);
    // A run begins (the run controls change) and ends (Stop's work is done).
    void RunStarted();
    void RunEnded();
    // The check before a run (or before a sub-macro) found errors: they are in the check report.
    void CheckFailed();
    // A run-time error was written into the report.
    void ErrorRaised();
};

// The run state of the program's runner (an idle one before there is a runner).
TRunState& RunState();

// The report file path: the "RapportFile" setting, "rapport.doc" of the
// program folder by default.
QString ReportBasePath();
// The numbered report file of a report number ("000001").
QString NumberedReportPath(const QString& number);

// The folder "Sauvegarde context d'exécution" of the program folder, where
// execution contexts are saved.
QString ContextFolder();

// A macro given on the command line runs without a person at the screen:
// its message boxes go to the standard error with their default answer.
bool Unattended();
// Writes a message of an unattended run to the standard error.
void ReportUnattended(const QString& text);
// Ends the program after an unattended run by closing the main window; the
// program body then exits with 1 when RunEndedInError, else 0.
void EndUnattendedRun();
