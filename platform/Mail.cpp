#include "platform/Mail.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

namespace platform {

namespace {
// How long the mail program has to refuse the message before it counts as
// taken: without a desktop environment it waits for the program it started.
constexpr int kRefusalWait = 5000;
}  // namespace

int ComposeMail(const MailMessage& mail) {
    QStringList arguments = {QStringLiteral("--utf8")};
    if (!mail.subject.isEmpty()) arguments << QStringLiteral("--subject") << mail.subject;
    if (!mail.body.isEmpty()) arguments << QStringLiteral("--body") << mail.body;
    for (const QString& file : mail.attachments) arguments << QStringLiteral("--attach") << file;
    // The recipient last, after "--" would make xdg-email refuse it: an
    // address beginning with "-" is no address.
    if (!mail.to.isEmpty() && !mail.to.startsWith(u'-')) arguments << mail.to;
    auto* process = new QProcess;
    process->setProgram(QStringLiteral("xdg-email"));
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(5000)) {
        delete process;
        return -1;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    while (!process->waitForFinished(20)) {
        if (process->state() == QProcess::NotRunning) break;
        if (elapsed.elapsed() >= kRefusalWait) {  // still composing: it took the message
            QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
            return 0;
        }
        QCoreApplication::processEvents();
    }
    const int result = process->exitStatus() != QProcess::NormalExit ? -1 : process->exitCode();
    delete process;
    return result;
}

}  // namespace platform
