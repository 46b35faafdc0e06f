// Power and session: the login manager (logind) on the system bus.
#include "platform/x11/X11Platform.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QtDebug>

#include <unistd.h>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// Calls a method of logind; false (with the reason in the log) when it fails.
// Nothing asks the user to authenticate: a run may be unattended.
bool callLogind(const QString& path, const QString& interface, const QString& method, const QVariantList& args = {}) {
    QDBusInterface logind(kService, path, interface, QDBusConnection::systemBus());
    const QDBusMessage reply = logind.callWithArgumentList(QDBus::Block, method, args);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        qWarning().noquote() << "logind" << method << ":" << reply.errorMessage();
        return false;
    }
    return true;
}

// The session the program runs in.
QString ownSessionPath() {
    QDBusInterface manager(kService, kManagerPath, kManager, QDBusConnection::systemBus());
    QDBusReply<QDBusObjectPath> session = manager.call(QStringLiteral("GetSessionByPID"), quint32(getpid()));
    if (!session.isValid() && qEnvironmentVariableIsSet("XDG_SESSION_ID"))
        session = manager.call(QStringLiteral("GetSession"), qEnvironmentVariable("XDG_SESSION_ID"));
    return session.isValid() ? session.value().path() : QString();
}

}  // namespace

bool X11Platform::SetSystemPowerState(bool suspend, bool force) {
    Q_UNUSED(force);  // logind has no forced suspend: a blocking inhibitor refuses it
    return callLogind(kManagerPath, kManager, suspend ? QStringLiteral("Suspend") : QStringLiteral("Hibernate"),
                      {false});
}

bool X11Platform::ExitWindowsEx(unsigned flags) {
    switch (flags) {
        case EWX_SHUTDOWN:
            return callLogind(kManagerPath, kManager, QStringLiteral("PowerOff"), {false});
        case EWX_REBOOT:
            return callLogind(kManagerPath, kManager, QStringLiteral("Reboot"), {false});
        case EWX_LOGOFF: {
            const QString session = ownSessionPath();
            return !session.isEmpty() &&
                   callLogind(session, QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("Terminate"));
        }
        default:
            return false;
    }
}

}  // namespace platform
