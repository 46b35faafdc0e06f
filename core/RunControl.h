#pragma once
// The run control the main window forwards to: the run loop, the user's run
// controls, the dispatcher, run-time errors and the report. The engine's
// runner is the one implementation; the main window reaches it through
// Services().Run().
#include <QString>
#include <QVector>

class QObject;
class TListView;

// A value field of a row with its variable's value, for the report.
struct ParamValue {
    QString name, value, kind;
};

// Thrown by RaiseExecError after a retry has run the failed row again, so
// that the failed handler does not carry on; the dispatcher that called that
// handler catches it.
struct CommandRetried {};

class TRunControl {
public:
    virtual ~TRunControl() = default;
    // The run loop over the main list from startIndex (0: a new run).
    virtual void Execute(QObject* sender, bool resumeContext, int startIndex) = 0;
    virtual void Execute1Click() = 0;
    virtual void Paspas1Click() = 0;
    virtual void Stop1Click() = 0;
    virtual void Pointdarrt1Click() = 0;
    virtual void Reprendrelexcution1Click() = 0;
    virtual void SpeedButton29Click() = 0;
    virtual void Executer1Click() = 0;
    virtual void FormKeyUp(int key) = 0;
    // Waits, pumping events, until the time is up or the run stops.
    virtual void WaitWithMessages(unsigned milliseconds) = 0;
    // The "Pause" command and every timed wait of the engine.
    virtual void FnctPause(const QString& params) = 0;
    // Runs one row of list; index is left at the next row to run.
    virtual void Execute_commande(TListView* list, int& index, QVector<bool>& activeOrder) = 0;
    virtual void RaiseExecError(const QString& message, int code) = 0;
    virtual void AddToRapport(const QString& command, const QString& params) = 0;
    virtual void ExpandParamValues(TListView* list, int row, QVector<ParamValue>& pairs) = 0;
    virtual double StrToNumber(const QString& text) = 0;
    virtual void CheckBox3Click() = 0;
    virtual void ComboBox1Change() = 0;
};
