// Run-time handler of "Question" and "Message".
#include "core/Dialogs.h"
#include "core/Unit1.h"
#include "engine/Handlers.h"
#include "engine/Runner.h"
#include "engine/Unit10.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QLineEdit>

bool ExecQuestion(const QString& params) {
    const TParamFields f = mdlfnct::SplitParams(params);
    const QString title = mdlfnct::GetVarValue(f[1]);
    const QString message = mdlfnct::GetVarValue(f[2]);
    const QString& variable = f[3];
    const platform::HWND foreground = platform::desktop().GetForegroundWindow();
    if (variable.isEmpty()) {
        RunMessageDlg(message, MsgType::Information, mbOK, title);
        return false;
    }
    QString answer;
    Form1->ReadVariable(QStringLiteral("VAR"), variable, QString(), answer);
    QuestionAnswered = false;
    Form10->Ask(title, message, answer, variable == u"[PASSWORD]");
    while (!QuestionAnswered && !QCoreApplication::closingDown()) Runner->WaitWithMessages(300);
    Form1->WriteVariable(QStringLiteral("VAR"), variable, Form10->Edit1->text());
    Form10->hide();
    if (foreground) mdlfnct::ForceForegroundWindow(foreground);
    return Form10->Cancelled;
}
