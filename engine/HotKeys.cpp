// What the global hotkeys do: pause and stop the run whatever window has the
// focus, follow the lock keys, hand the listeners their keys, copy the screen.
#include "core/Dialogs.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Waits.h"
#include "engine/EngineServices.h"
#include "engine/HotKeyManager.h"
#include "engine/Runner.h"
#include "platform/Platform.h"
#include "platform/ProgramMessages.h"
#include "platform/VirtualKeys.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QStringList>
#include <QVector>
#include <QThread>

#include <utility>

namespace {

// A run of this program is going on; a run from the command line is one
// from the program's start to its end.
bool ownRun() { return !Runner->State().Idle() || Runner->State().MacroRunning || Unattended(); }

// The question is the pause: the run waits below it. The state it had comes
// back after, unless the run ended meanwhile.
void pauseQuestion() {
    TRunState& state = Runner->State();
    const int before = state.ExecState;
    state.SetExecState(3);
    const int answer = RunMessageDlg(QStringLiteral("Voulez-vous reprendre l'exécution?"), MsgType::Confirmation,
                                     mbYes | mbAbort);
    state.SetExecState(state.MacroRunning ? before : 0);
    if (answer == mrAbort) StopRunAtRequest(QStringLiteral("exécution abandonnée à la question de pause."));
}

// In the editor the stop asks first; a run from the command line stops at once.
void stopRun() {
    if (Unattended()) {
        StopRunAtRequest(QStringLiteral("arrêt demandé par le raccourci %1.").arg(settings().StopHotKey));
        return;
    }
    if (MessageDlg(QStringLiteral("Souhaitez-vous réellement stopper l'exécution?"), MsgType::Confirmation,
                   mbYes | mbNo) == mrYes)
        Runner->Stop1Click();
}

// One window of each other program of ours on the desktop.
QVector<platform::HWND> otherProgramsOfOurs() {
    platform::Platform& desk = platform::desktop();
    QSet<qint64> seen{QCoreApplication::applicationPid()};
    QVector<platform::HWND> found;
    for (const platform::HWND w : desk.FindProgramWindows(platform::kOrvanelClass)) {
        const qint64 pid = desk.GetWindowThreadProcessId(w);
        if (pid == 0 || seen.contains(pid)) continue;
        seen << pid;
        found << w;
    }
    return found;
}

// Without a run of its own, this program passes the key to our other
// programs, one message to each.
void passOn(platform::OrvanelMessage message) {
    for (const platform::HWND w : otherProgramsOfOurs()) platform::desktop().PostClientMessage(w, message, 0, 0);
}

// A key passed by another program of ours is not passed on again.
void pauseKey(bool passed) {
    if (ownRun()) pauseQuestion();
    else if (!passed) passOn(platform::WM_PAUSEKEY);
}

void stopKey(bool passed) {
    if (ownRun()) stopRun();
    else if (!passed) passOn(platform::WM_STOPKEY);
}

QString takenText(const QString& shortcut) {
    return QStringLiteral("Le raccourci global %1 est déjà pris par un autre programme : il reste sans effet.").arg(shortcut);
}
// Said on the standard error at once, on the screen once the editor shows.
QStringList refusedUntold;

// The X server has toggled the lock already (a grab takes no key action
// away): its state is read once the key is up, and shown by the listeners.
void lockChanged(uint8_t vk) {
    platform::Platform& desk = platform::desktop();
    QElapsedTimer waited;
    waited.start();
    while (desk.IsKeyDown(vk) && waited.elapsed() < 500) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    const bool on = desk.IsKeyToggled(vk);
    for (THotKeyListener* l : HotKeyManager1->Listeners()) l->LockStateChanged(vk, on);
}

}  // namespace

void CopyScreen() {
    const QVector<THotKeyListener*> listeners = HotKeyManager1 ? HotKeyManager1->Listeners() : QVector<THotKeyListener*>();
    for (THotKeyListener* l : listeners) l->BeforeScreenCopy();
    QCoreApplication::processEvents();
    platform::Platform& desk = platform::desktop();
    const QRect screen(0, 0, desk.GetSystemMetrics(platform::SM_CXSCREEN), desk.GetSystemMetrics(platform::SM_CYSCREEN));
    desk.SetClipboardImage(desk.CaptureScreen(screen));
    for (THotKeyListener* l : listeners) l->AfterScreenCopy();
}

void InstallHotKeys(QObject& owner) {
    auto* manager = new THotKeyManager(&owner);
    QObject::connect(manager, &THotKeyManager::OnHotKeyPressed, manager, &HotKeyManager1HotKeyPressed);
    platform::desktop().ReceiveProgramMessages([](const platform::ProgramMessage& m) {
        if (!Runner) return;
        if (m.message == platform::WM_PAUSEKEY) pauseKey(true);
        if (m.message == platform::WM_STOPKEY) stopKey(true);
    });
    QObject::connect(manager, &QObject::destroyed, [] { platform::desktop().ReceiveProgramMessages(nullptr); });
}

// Each test on its own, in this order: one key may be several of them.
void HotKeyManager1HotKeyPressed(quint32 hotKey, quint16) {
    if (!Runner || !HotKeyManager1) return;
    if (hotKey == TextToHotKey(settings().PauseHotKey)) pauseKey(false);
    if (hotKey == TextToHotKey(settings().StopHotKey)) stopKey(false);
    if (hotKey == platform::VK_NUMLOCK || hotKey == platform::VK_CAPITAL) lockChanged(uint8_t(hotKey));
    for (THotKeyListener* l : HotKeyManager1->Listeners()) l->HotKeyPressed(hotKey);
    if (hotKey == platform::VK_SNAPSHOT) CopyScreen();
}

bool AddSettingsHotKey(const QString& shortcut) {
    const quint32 hotKey = TextToHotKey(shortcut);
    // Pause and stop may share a combination: both questions then come.
    if (!hotKey || !HotKeyManager1 || HotKeyManager1->Registered(hotKey) || HotKeyManager1->AddGlobalHotKey(hotKey))
        return true;
    if (!otherProgramsOfOurs().isEmpty()) return true;  // one of them holds the key and passes it on
    if (HotKeyManager1->FirstRefusal(hotKey)) {
        const QString text = takenText(shortcut);
        ReportUnattended(text);
        refusedUntold << text;
        TellRefusedHotKeys();
    }
    return false;
}

void TellRefusedHotKeys() {
    if (!engineServices().EditorShown()) return;
    for (const QString& text : std::exchange(refusedUntold, {})) MessageDlg(text, MsgType::Warning, mbOK);
}

void RemoveSettingsHotKey(const QString& shortcut) {
    if (const quint32 hotKey = TextToHotKey(shortcut); hotKey && HotKeyManager1) HotKeyManager1->RemoveGlobalHotKey(hotKey);
}

// A desktop commonly keeps Print Screen for its own screenshot tool: then it
// keeps it, without a word at each start.
void RegisterStartupHotKeys() {
    if (!HotKeyManager1) return;
    for (quint32 key : {quint32(platform::VK_NUMLOCK), quint32(platform::VK_SNAPSHOT)})
        if (!HotKeyManager1->Registered(key)) HotKeyManager1->AddGlobalHotKey(key);
}
