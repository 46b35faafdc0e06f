#pragma once
// A message handed to the user's mail program (xdg-email), which shows it
// for the user to complete and send.
#include <QString>
#include <QStringList>

namespace platform {

struct MailMessage {
    QString to;  // one address, empty for none
    QString subject;
    QString body;
    QStringList attachments;  // full paths
};

// 0 when the mail program took the message; else the mail program's exit
// status, or -1 when it could not be started.
int ComposeMail(const MailMessage& mail);

}  // namespace platform
