#include "core/Dialogs.h"

#include "core/Services.h"

#include <QApplication>

int MessageDlg(const QString& text, MsgType type, int buttons, const QString& caption) {
    return Services().AskMessage({text, caption.isEmpty() ? QApplication::applicationName() : caption, type, buttons});
}

void ShowMessage(const QString& text) { MessageDlg(text, MsgType::Information, mbOK); }
