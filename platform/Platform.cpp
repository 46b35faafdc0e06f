#include "platform/Platform.h"

#include "platform/fake/FakePlatform.h"


#include <QDir>
#include <cerrno>
#include <sched.h>
#include <unistd.h>
#include <sys/resource.h>

namespace platform {

namespace {
std::unique_ptr<Platform>& current() {
    static std::unique_ptr<Platform> p;
    return p;
}
}  // namespace

Platform& desktop() {
    auto& p = current();
    if (!p) p = std::make_unique<FakePlatform>();  // nothing installed: a harmless desktop
    return *p;
}

void setDesktop(std::unique_ptr<Platform> p) { current() = std::move(p); }

QVector<QRect> Platform::GetMonitors() { return {QRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))}; }

int Platform::ChangeDisplayFrequency(int, bool test) { return test ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED; }

namespace {
// The threads of this process; the thread ids of /proc/self/task.
QVector<pid_t> ownThreads() {
    QVector<pid_t> threads;
    for (const QString& name : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        threads << pid_t(name.toInt());
    if (threads.isEmpty()) threads << getpid();
    return threads;
}
}  // namespace

int Platform::SetProcessScheduling(const ProcessScheduling& s) {
    for (const pid_t thread : ownThreads()) {
        sched_param param{};
        if (s.realTime) {
            param.sched_priority = sched_get_priority_min(SCHED_RR);
            if (sched_setscheduler(thread, SCHED_RR, &param) != 0) return errno;
            continue;
        }
        const int policy = sched_getscheduler(thread);
        if ((policy == SCHED_RR || policy == SCHED_FIFO) && sched_setscheduler(thread, SCHED_OTHER, &param) != 0)
            return errno;
        errno = 0;
        const int now = getpriority(PRIO_PROCESS, id_t(thread));
        if (errno == 0 && now == s.nice) continue;
        if (setpriority(PRIO_PROCESS, id_t(thread), s.nice) != 0) return errno;
    }
    return 0;
}

ProcessScheduling Platform::GetProcessScheduling() {
    const int policy = sched_getscheduler(0);
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    return {policy == SCHED_RR || policy == SCHED_FIFO, errno == 0 ? nice : 0};
}

HWND Platform::FindWindow(const QString& className, const QString& title) {
    for (HWND w : EnumWindows())
        if (GetClassName(w) == className && (title.isEmpty() || GetWindowText(w) == title)) return w;
    return 0;
}

bool Platform::RegisterHotKey(int, unsigned, uint8_t) { return false; }

bool Platform::UnregisterHotKey(int) { return false; }

bool Platform::WatchHotKey(int, unsigned, uint8_t) { return false; }

bool Platform::PostClientMessage(HWND, unsigned, WPARAM, LPARAM) { return false; }

bool Platform::SetClipboardImage(const QImage&) { return false; }

bool Platform::WatchDesktopEvents(std::function<void(const DesktopEvent&)>) { return false; }

namespace {
constexpr quint32 kFirstAtom = 0xC000;  // atoms of names, as on the classic desktop
}

quint32 Platform::GlobalAddAtom(const QString& name) {
    if (name.isEmpty()) return 0;
    qsizetype i = atoms_.indexOf(name);
    if (i < 0) {
        i = atoms_.size();
        atoms_ << name;
    }
    return kFirstAtom + quint32(i);
}

QString Platform::GlobalGetAtomName(quint32 atom) { return atom >= kFirstAtom ? atoms_.value(atom - kFirstAtom) : QString(); }

bool Platform::TypeText(const QString& text, const std::function<bool(qsizetype)>& before) {
    const QList<uint> characters = text.toUcs4();
    bool all = true;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        if (before && !before(i)) return false;
        all = TypeCharacter(characters[i]) && all;
    }
    return all;
}

}  // namespace platform
