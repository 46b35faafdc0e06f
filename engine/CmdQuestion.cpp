// Run-time handler of "Question" and "Message".
#include "core/Dialogs.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "engine/Unit10.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QLineEdit>

CommandResult ExecQuestion(CommandCall& c, bool& cancelled) {
    const QString title = c.param.value(1);
    const QString message = c.param.value(2);
    const QString variable = c.param.text(3);
    const platform::HWND foreground = platform::desktop().GetForegroundWindow();
    cancelled = false;
    if (variable.isEmpty()) {
        RunMessageDlg(message, MsgType::Information, mbOK, title);
        return Done();
    }
    TRunState& state = c.ctx.State;
    const QString answer = c.ctx.Vars.Read(variable);
    state.QuestionAnswered = false;
    Form10->Ask(title, message, answer, variable == u"[PASSWORD]");
    while (!state.QuestionAnswered && !QCoreApplication::closingDown()) c.ctx.Wait(300);
    c.Write(variable, Form10->Edit1->text());
    Form10->hide();
    if (foreground) mdlfnct::ForceForegroundWindow(foreground);
    cancelled = Form10->Cancelled;
    return Done();
}
