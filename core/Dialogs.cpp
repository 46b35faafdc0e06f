#include "core/Dialogs.h"

#include "core/Services.h"

#include <QApplication>

int MessageDlg(const QString& text, MsgType type, int buttons, const QString& caption, int defaultAnswer) {
    return Services().AskMessage(
        {text, caption.isEmpty() ? QApplication::applicationName() : caption, type, buttons, defaultAnswer});
}

int RunMessageDlg(const QString& text, MsgType type, int buttons, const QString& caption) {
    MessageRequest request{text, caption.isEmpty() ? QApplication::applicationName() : caption, type, buttons};
    request.runWait = true;
    return Services().AskMessage(request);
}

int DefaultAnswer(const MessageRequest& r) {
    if (r.defaultAnswer != mrNone) return r.defaultAnswer;
    for (auto [button, result] : {std::pair{mbOK, mrOk}, {mbYes, mrYes}, {mbNo, mrNo}, {mbCancel, mrCancel}})
        if (r.buttons & button) return int(result);
    return int(mrNone);
}

QString AnswerName(int answer) {
    switch (answer) {
    case mrOk: return QStringLiteral("OK");
    case mrYes: return QStringLiteral("Oui");
    case mrNo: return QStringLiteral("Non");
    case mrCancel: return QStringLiteral("Annuler");
    case mrAbort: return QStringLiteral("Abandonner");
    case mrRetry: return QStringLiteral("Réessayer");
    case mrIgnore: return QStringLiteral("Ignorer");
    default: return QString();
    }
}

void ShowMessage(const QString& text) { MessageDlg(text, MsgType::Information, mbOK); }
