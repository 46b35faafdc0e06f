// Window queries and foreground handling.
#include "engine/mdlfnct.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>

using namespace platform;

namespace mdlfnct {

quint64 GetTopParentWindow(quint64 window) {
    for (HWND parent; window && (parent = desktop().GetParent(window)) != 0;) window = parent;
    return window;
}

QString GetWindowClass(quint64 window) { return desktop().GetClassName(window).left(255); }

QString GetWindowCaption(quint64 window) { return desktop().GetWindowText(window).left(255); }

QString GetWindowExeName(quint64 window) {
    const qint64 pid = desktop().GetWindowThreadProcessId(window);
    if (pid <= 0) return QString();
    const QString proc = QStringLiteral("/proc/%1/").arg(pid);
    QString exe = QFileInfo(proc + QStringLiteral("exe")).symLinkTarget();
    if (exe.isEmpty()) {  // another user's process: its name is still readable
        QFile comm(proc + QStringLiteral("comm"));
        if (comm.open(QIODevice::ReadOnly)) exe = QString::fromLocal8Bit(comm.readAll()).trimmed();
    }
    return QFileInfo(exe).fileName().toLower();
}

bool ForceForegroundWindow(quint64 window) {
    if (!window) return false;
    return desktop().SetForegroundWindow(window);
}

}  // namespace mdlfnct
