#pragma once
// The runner: the run loop and the user's run controls (run, step, pause,
// breakpoints, Stop, Esc), the dispatcher, run-time errors and the execution
// report. One instance, made by the program body beside the main window,
// whose run menu, tool bar and report tab it builds; the main window's run
// methods forward to it.
#include "core/RunControl.h"
#include "engine/Handlers.h"

#include <QColor>
#include <QIcon>
#include <QObject>

class TForm1;

class TRunner : public QObject, public TRunControl {
    Q_OBJECT
public:
    explicit TRunner(TForm1& form);
    ~TRunner() override;

    void Execute(QObject* sender, bool resumeContext, int startIndex) override;
    void Execute1Click() override;
    void Paspas1Click() override;
    void Stop1Click() override;
    void Pointdarrt1Click() override;
    void Reprendrelexcution1Click() override;
    void SpeedButton29Click() override;
    void Executer1Click() override;
    void FormKeyUp(int key) override;
    void WaitWithMessages(unsigned milliseconds) override;
    void FnctPause(const QString& params) override;  // engine/Flow.cpp
    void Execute_commande(TListView* list, int& index, TActiveOrder& activeOrder) override;  // engine/Dispatcher.cpp
    // Run-time errors and the report (engine/RunReport.cpp).
    void RaiseExecError(const QString& message, int code) override;
    void AddToRapport(const QString& command, const QString& params) override;
    // A line of one colour at the end of the report, shown at once.
    void AddReportLine(const QString& text, const QColor& colour);
    void ExpandParamValues(TListView* list, int row, QVector<ParamValue>& pairs) override;
    double StrToNumber(const QString& text) override;
    void CheckBox3Click() override;
    void ComboBox1Change() override;

    // Execution contexts (engine/ContextOfExecute.cpp): the Execute menu's item
    // saves one during a run and resumes one when idle; SpeedButton36 lists
    // those of the open macro, and a click on one resumes it.
    void Sauvegardeducontextedexcution1Click();
    void SpeedButton36Click();
    void RunSavedContext(const QString& fileName);

    // The end of a run: the report files written when "Créer un rapport" is on.
    void EndReport();

    // The handler of each command; tests may swap one for their lifetime.
    CommandTable handlers = kCommandHandlers;

private:
    void buildRunUi();
    void buildReportTab();
    void setState(int state);
    // The start of a run: numbered files of the last run deleted, numbering back to "000001".
    void StartReport();
    void saveReport(const QString& path);

    TForm1& form_;
    bool runLoopActive_ = false;
};

// The runner of the program (null before the program body made it).
extern TRunner* Runner;
