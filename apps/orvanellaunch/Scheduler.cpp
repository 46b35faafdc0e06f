#include "Scheduler.h"

#include "platform/Platform.h"

#include <cstdio>

using namespace platform;

namespace {
// The longest sleep: a changed clock is noticed within a minute.
constexpr qint64 kLongestWaitMs = 60000;

void say(const QString& text) { std::fprintf(stderr, "OrvanelLaunch : %s\n", qPrintable(text)); }

// Virtual-key code + 0x2000 Shift + 0x4000 Ctrl + 0x8000 Alt + 0x10000 Win, as the platform takes it.
void shortcutKeys(quint32 shortcut, unsigned& modifiers, uint8_t& vk) {
    vk = uint8_t(shortcut & 0xFF);
    modifiers = (shortcut & 0x2000 ? MOD_SHIFT : 0) | (shortcut & 0x4000 ? MOD_CONTROL : 0) |
                (shortcut & 0x8000 ? MOD_ALT : 0) | (shortcut & 0x10000 ? MOD_WIN : 0);
}
}  // namespace

Scheduler::Scheduler(std::function<void(const QString&)> start, std::function<QDateTime()> clock)
    : start_(std::move(start)), clock_(std::move(clock)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &Scheduler::Tick);
    desktop().SetHotKeyHandler([this](int id) { shortcutPressed(id); });
    seenUntil_ = clock_();
}

Scheduler::~Scheduler() {
    releaseShortcuts();
    desktop().SetHotKeyHandler(nullptr);
}

void Scheduler::releaseShortcuts() {
    for (int i = 0; i < shortcuts_.size(); ++i) desktop().UnregisterHotKey(i + 1);
    shortcuts_.clear();
}

void Scheduler::Reload() {
    QString error;
    qint64 leftOver = 0;
    int damaged = 0;
    if (!ReadLaunchRecords(launchFilePath(), records_, &error, &leftOver, &damaged))
        say(QStringLiteral("« %1 » ne peut pas être lu : %2").arg(launchFilePath(), error));
    else if (const QString leftOut = LaunchRecordsLeftOut(launchFilePath(), leftOver, damaged); !leftOut.isEmpty())
        say(leftOut);
    releaseShortcuts();
    for (const TLaunchRecord& r : std::as_const(records_)) {
        if (r.kind() != LaunchOnShortcut || shortcuts_.contains(r.shortcut())) continue;
        unsigned modifiers;
        uint8_t vk;
        shortcutKeys(r.shortcut(), modifiers, vk);
        shortcuts_.append(r.shortcut());
        if (!desktop().RegisterHotKey(int(shortcuts_.size()), modifiers, vk))
            say(QStringLiteral("le raccourci %1 de « %2 » est pris par un autre programme.")
                    .arg(r.shortcut())
                    .arg(r.path()));
    }
    Tick();
}

void Scheduler::Tick() {
    const QDateTime now = clock_();
    QDateTime next;
    for (const TLaunchRecord& r : std::as_const(records_)) {
        const double run = ComputeNextRun(r, seenUntil_);
        if (run == 0) continue;  // a shortcut
        const QDateTime when = fromLaunchTime(run);
        if (when >= seenUntil_ && when <= now) start_(r.path());
        const QDateTime after = fromLaunchTime(ComputeNextRun(r, now.addMSecs(1)));
        if (after > now && (!next.isValid() || after < next)) next = after;
    }
    seenUntil_ = now.addMSecs(1);
    const qint64 wait = next.isValid() ? qBound<qint64>(0, now.msecsTo(next), kLongestWaitMs) : kLongestWaitMs;
    timer_.start(int(wait));
}

void Scheduler::shortcutPressed(int id) {
    if (id < 1 || id > shortcuts_.size()) return;
    const quint32 shortcut = shortcuts_[id - 1];
    for (const TLaunchRecord& r : std::as_const(records_))
        if (r.kind() == LaunchOnShortcut && r.shortcut() == shortcut) start_(r.path());
}
