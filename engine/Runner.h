#pragma once
// The runner: the run loop and the user's run controls (run, step, pause,
// breakpoints, Stop, Esc), the dispatcher, run-time errors and the execution
// report. It owns the run context (state, variables, report); the main window
// follows it through their signals and reaches it through Services().Run().
#include "core/RunControl.h"
#include "core/RunReport.h"
#include "core/Variables.h"
#include "engine/Handlers.h"

#include <QObject>

class TCheckReport;

class TRunner : public QObject, public TRunControl {
    Q_OBJECT
public:
    // Runs main, checked into checks.
    TRunner(TMacroDocument& main, TCheckReport& checks, QObject* parent = nullptr);
    ~TRunner() override;

    TRunContext& Context() { return ctx_; }
    TRunState& State() override { return state_; }
    TVariables& Vars() override { return vars_; }
    TRunReport& Report() override { return report_; }

    void Execute(bool resumeContext, int startIndex) override;
    void Execute1Click() override;
    void Paspas1Click() override;
    void Stop1Click() override;
    void Reprendrelexcution1Click() override;
    void SpeedButton29Click() override;
    void FormKeyUp(int key) override;
    void WaitWithMessages(unsigned milliseconds) override;
    void FnctPause(const QString& params) override;
    // engine/Dispatcher.cpp: the row's handler, its error handled here.
    void Execute_commande(TMacroDocument* list, int& index, TActiveOrder& activeOrder) override;
    // Run-time errors and the report (engine/RunReport.cpp). Inside a row's
    // handler the error is the row's, answered when the handler returns.
    void RaiseExecError(const QString& message, int code) override;
    void AddToRapport(const QString& command, const QString& params) override;
    double StrToNumber(const QString& text) override;
    void ExpandParamValues(const TMacroDocument* list, int row, QVector<ParamValue>& pairs) override;

    // Execution contexts (engine/ContextOfExecute.cpp).
    QStringList SavedContexts() override;
    QString ProposedContextName() override;
    void SaveContext(const QString& path) override;
    void ResumeContext(const QString& path) override;

    // The end of a run: the report files written when "Créer un rapport" is
    // on; one that cannot be written is said and fails the run.
    void EndReport();

    // The handler of each command; tests may swap one for their lifetime.
    CommandTable handlers = kCommandHandlers;

private:
    void setState(int state);
    // Reports a row's error and says what follows: true to run the row again.
    bool answerError(const CommandResult& error);
    void endRun();

    TRunState state_;
    TVariables vars_;
    TRunReport report_;
    TRunContext ctx_;
    QString contextToResume_;  // the context a run started by ResumeContext takes up
    bool runLoopActive_ = false;
    int handlerDepth_ = 0;
};

// The runner of the program (null before the program body made it).
extern TRunner* Runner;
