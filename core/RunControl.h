#pragma once
// The run control the main window forwards to: the run loop, the user's run
// controls, the dispatcher, run-time errors and execution contexts, and what
// a run keeps (its state, its variables, its report). The engine's runner is
// the one implementation; the main window reaches it through Services().Run().
#include "core/RunState.h"

#include <QString>
#include <QStringList>
#include <QVector>

class TMacroDocument;
class TRunReport;
class TVariables;

// A value field of a row with its variable's value, for the report.
struct ParamValue {
    QString name, value, kind;
};

class TRunControl {
public:
    virtual ~TRunControl() = default;

    // What the run keeps.
    virtual TRunState& State() = 0;
    virtual TVariables& Vars() = 0;
    virtual TRunReport& Report() = 0;

    // The run loop over the main list from startIndex (0: a new run).
    virtual void Execute(bool resumeContext, int startIndex) = 0;
    // "Executer": runs, or goes on from a breakpoint.
    virtual void Execute1Click() = 0;
    virtual void Paspas1Click() = 0;
    virtual void Stop1Click() = 0;
    virtual void Reprendrelexcution1Click() = 0;
    // "Pause": holds the run until it is pressed again or the run stops.
    virtual void SpeedButton29Click() = 0;
    virtual void FormKeyUp(int key) = 0;
    // Waits, pumping events, until the time is up or the run stops.
    virtual void WaitWithMessages(unsigned milliseconds) = 0;
    // The "Pause" command and every timed wait of the engine.
    virtual void FnctPause(const QString& params) = 0;
    // Runs one row of list; index is left at the next row to run.
    virtual void Execute_commande(TMacroDocument* list, int& index, TActiveOrder& activeOrder) = 0;
    // A run-time error outside any row (reported, then the reaction its code gives).
    virtual void RaiseExecError(const QString& message, int code) = 0;
    virtual void ExpandParamValues(const TMacroDocument* list, int row, QVector<ParamValue>& pairs) = 0;
    // One line of the report for a row: its command, its parameters and the values they name.
    virtual void AddToRapport(const QString& command, const QString& params) = 0;
    // A number of a text ("," or "." as decimal point); 0 after a run-time error.
    virtual double StrToNumber(const QString& text) = 0;

    // Execution contexts of the open macro: the names of those saved, the
    // name proposed for one saved now, a save during the run, and a run that
    // takes one up.
    virtual QStringList SavedContexts() = 0;
    virtual QString ProposedContextName() = 0;
    virtual void SaveContext(const QString& path) = 0;
    virtual void ResumeContext(const QString& path) = 0;
};
