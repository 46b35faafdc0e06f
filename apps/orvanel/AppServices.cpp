#include "apps/orvanel/AppServices.h"

#include "core/RunState.h"
#include "editors/Palette.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "engine/ScriptControl.h"
#include "engine/Unit28.h"
#include "engine/SysVars.h"

int AppServices::AskMessage(const MessageRequest& request) {
    if (!Unattended()) return CoreServices::AskMessage(request);
    const int answer = DefaultAnswer(request);
    const bool question = request.buttons & ~mbOK;
    ReportUnattended(question ? request.text + QStringLiteral(" [réponse : %1]").arg(AnswerName(answer)) : request.text);
    return answer;
}

TRunControl& AppServices::Run() { return Runner ? static_cast<TRunControl&>(*Runner) : CoreServices::Run(); }

bool AppServices::ExamineHolds(const QString& params) { return ExecExamine(params); }

void AppServices::ShowRecorder() { ShowRecorderWindow(); }

bool AppServices::TestScriptExpression(TListView* list, int row) { return ::TestScriptExpression(list, row); }

void AppServices::BuildSystemVariables() { BuildSystemVariableList(); }

bool AppServices::IsSysVar(const QString& name) { return SystemVariableIndex(name) >= 0; }

bool AppServices::SysVarWritable(const QString& name) {
    const int i = SystemVariableIndex(name);
    return i >= 0 && TListOfSysVar[i].Writable;
}

QString AppServices::ReadSysVar(const QString& name) {
    QString value;
    ReadSystemVariable(name, value);
    return value;
}

void AppServices::WriteSysVar(const QString& name, const QString& value) { WriteSystemVariable(name, value); }

bool AppServices::EditRow(const QString& keyword) {
    EditSelectedRow(keyword);
    return true;
}

void AppServices::OpenAddDialog(const QString& keyword) { OpenDialogForAdding(keyword); }
