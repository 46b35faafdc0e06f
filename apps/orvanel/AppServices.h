#pragma once
// What the program body answers for the editor core: the run goes to the
// engine's runner, system variables to the engine's table, row edits to the
// command dialogs. Installed at start-up; tests derive their own from it.
#include "core/Services.h"

class AppServices : public CoreServices {
public:
    // A box of an unattended run goes to the standard error and takes its default answer.
    int AskMessage(const MessageRequest& request) override;
    TRunControl& Run() override;
    bool ExamineHolds(const QString& params) override;
    void ShowRecorder() override;
    bool TestScriptExpression(TListView* list, int row) override;
    void BuildSystemVariables() override;
    bool IsSysVar(const QString& name) override;
    bool SysVarWritable(const QString& name) override;
    QString ReadSysVar(const QString& name) override;
    void WriteSysVar(const QString& name, const QString& value) override;
    bool EditRow(const QString& keyword) override;
    void OpenAddDialog(const QString& keyword) override;
};
