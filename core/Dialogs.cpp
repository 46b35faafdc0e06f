#include "core/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageAnswerer& answerer() {
    static MessageAnswerer a;
    return a;
}

struct ButtonMap {
    int ours;
    QMessageBox::StandardButton qt;
    int result;
};
constexpr ButtonMap kButtons[] = {
    {mbOK, QMessageBox::Ok, mrOk},          {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbYes, QMessageBox::Yes, mrYes},       {mbNo, QMessageBox::No, mrNo},
    {mbAbort, QMessageBox::Abort, mrAbort}, {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
};
}  // namespace

void setMessageAnswerer(MessageAnswerer a) { answerer() = std::move(a); }

int MessageDlg(const QString& text, MsgType type, int buttons, const QString& caption) {
    const MessageRequest request{text, caption.isEmpty() ? QApplication::applicationName() : caption, type, buttons};
    if (answerer()) return answerer()(request);

    QMessageBox::Icon icon = QMessageBox::Information;
    switch (type) {
        case MsgType::Warning: icon = QMessageBox::Warning; break;
        case MsgType::Error: icon = QMessageBox::Critical; break;
        case MsgType::Confirmation: icon = QMessageBox::Question; break;
        case MsgType::Information: break;
    }
    QMessageBox box(icon, request.caption, text);
    for (const ButtonMap& b : kButtons)
        if (buttons & b.ours) box.addButton(b.qt);
    const auto pressed = QMessageBox::StandardButton(box.exec());
    for (const ButtonMap& b : kButtons)
        if (b.qt == pressed) return b.result;
    return buttons & mbCancel ? mrCancel : mrNone;
}

void ShowMessage(const QString& text) { MessageDlg(text, MsgType::Information, mbOK); }
