// What the global hotkeys do: pause and stop the run whatever window has the
// focus, follow the lock keys, hand the listeners their keys, copy the screen.
#include "core/Dialogs.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "engine/HotKeyManager.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

void setState(int state) {
    ExecState = state;
    Form1->setWindowTitle(Form1->GetStateCaption());
}

// The question is the pause: the run waits below it. The state it had comes
// back after, idle included, unless the run ended meanwhile.
void pauseQuestion() {
    const int before = ExecState;
    setState(3);
    const int answer = MessageDlg(QStringLiteral("Voulez-vous reprendre l'exécution?"), MsgType::Confirmation,
                                  mbYes | mbAbort);
    setState(MacroRunning ? before : 0);
    if (answer == mrAbort) Form1->Stop1Click();
}

void stopQuestion() {
    if (MessageDlg(QStringLiteral("Souhaitez-vous réellement stopper l'exécution?"), MsgType::Confirmation,
                   mbYes | mbNo) == mrYes)
        Form1->Stop1Click();
}

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

void InstallHotKeys(TForm1& form) {
    auto* manager = new THotKeyManager(&form);
    QObject::connect(manager, &THotKeyManager::OnHotKeyPressed, manager, &HotKeyManager1HotKeyPressed);
}

// Each test on its own, in this order: one key may be several of them.
void HotKeyManager1HotKeyPressed(quint32 hotKey, quint16) {
    if (!Form1 || !HotKeyManager1) return;
    if (hotKey == TextToHotKey(settings().PauseHotKey)) pauseQuestion();
    if (hotKey == TextToHotKey(settings().StopHotKey)) stopQuestion();
    if (hotKey == platform::VK_NUMLOCK || hotKey == platform::VK_CAPITAL) lockChanged(uint8_t(hotKey));
    for (THotKeyListener* l : HotKeyManager1->Listeners()) l->HotKeyPressed(hotKey);
    if (hotKey == platform::VK_SNAPSHOT) CopyScreen();
}

bool AddSettingsHotKey(const QString& shortcut) {
    const quint32 hotKey = TextToHotKey(shortcut);
    // Pause and stop may share a combination: both questions then come.
    if (!hotKey || !HotKeyManager1 || HotKeyManager1->Registered(hotKey) || HotKeyManager1->AddGlobalHotKey(hotKey))
        return true;
    ReportUnattended(QStringLiteral("le raccourci global %1 est déjà pris par un autre programme : il reste sans effet.")
                         .arg(shortcut));
    return false;
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
