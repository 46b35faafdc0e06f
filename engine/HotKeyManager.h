#pragma once
// Global hotkeys: combinations that reach the program whatever window has
// the focus. A hotkey value is a virtual-key code (low byte) + 0x2000 for
// Shift + 0x4000 for Ctrl + 0x8000 for Alt + 0x10000 for Win; the first four
// parts are a shortcut's own encoding.
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

#include <cstdint>


// Shift, Ctrl, Alt, Win as parts of a hotkey value.
enum HotKeyPart : quint32 { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scWin = 0x10000 };

// What a window does with the hotkeys; the windows that care register with
// the manager (the Move Mouse dialog its capture key, the on-screen keyboard
// its lock indicators, the image-search dialog its markers).
class THotKeyListener {
public:
    virtual ~THotKeyListener() = default;
    // Any registered hotkey was pressed (the Move Mouse dialog's capture key
    // among them); true when this window has used it.
    virtual bool HotKeyPressed(quint32 /*hotKey*/) { return false; }
    // Num Lock or Caps Lock changed: the key's virtual-key code and its new state.
    virtual void LockStateChanged(uint8_t /*vk*/, bool /*on*/) {}
    // Print Screen is about to copy the screen: hide what must not be on it.
    virtual void BeforeScreenCopy() {}
    // The screen is on the clipboard.
    virtual void AfterScreenCopy() {}
};

class THotKeyManager : public QObject {
    Q_OBJECT
public:
    explicit THotKeyManager(QObject* owner);
    ~THotKeyManager() override;

    // Registers a hotkey: its index (never 0), or 0 when another program
    // holds the combination or it is registered already.
    quint16 AddGlobalHotKey(quint32 hotKey);
    // The same, and when another program holds the combination its presses
    // are heard all the same, that program still getting them.
    quint16 AddOrWatchGlobalHotKey(quint32 hotKey);
    // Unregisters the first registration of that value (Win included); false
    // when there is none or the desktop refused.
    bool RemoveGlobalHotKey(quint32 hotKey);
    // Unregisters all, the last first.
    void ClearGlobalHotKeys();
    bool Registered(quint32 hotKey) const;
    // True the first time a registration of that hotkey is refused: the
    // refusal is told once.
    bool FirstRefusal(quint32 hotKey) {
        if (refused_.contains(hotKey)) return false;
        refused_ << hotKey;
        return true;
    }

    void AddListener(THotKeyListener* listener);
    void RemoveListener(THotKeyListener* listener);
    const QVector<THotKeyListener*>& Listeners() const { return listeners_; }

    // A press the desktop brings, by the index of its registration.
    void Press(int index);

signals:
    // A registered hotkey was pressed; index is the one AddGlobalHotKey gave.
    void OnHotKeyPressed(quint32 hotKey, quint16 index);

private:
    quint16 add(quint32 hotKey, bool orWatch);
    struct Registration {
        quint32 hotKey;
        quint16 index;
    };
    QVector<Registration> list_;
    QVector<THotKeyListener*> listeners_;
    QSet<quint32> refused_;
    quint16 lastIndex_ = 0;
};

// The manager of the program, made with the main window (null before).
extern THotKeyManager* HotKeyManager1;

// The platform's modifiers (MOD_ALT...) and the key of a hotkey value.
void HotKeyToModifiers(quint32 hotKey, unsigned& modifiers, uint8_t& key);
// "Ctrl+Shift+Alt+Win+" as they apply, then the key's name in the keyboard
// layout (localized) or in English.
QString HotKeyToText(quint32 hotKey, bool localized);
// The hotkey value of a shortcut's text ("Alt+F2"); 0 when it names none.
quint32 TextToHotKey(const QString& shortcut);

// The hotkey manager of the main window; presses go to HotKeyManager1HotKeyPressed.
void InstallHotKeys(QObject& owner);
// The reactions of the main window (engine/HotKeys.cpp): pause and stop the
// run, the lock keys, the listeners' keys, Print Screen.
void HotKeyManager1HotKeyPressed(quint32 hotKey, quint16 index);
// A hotkey of the options ([Control] PauseExecute, StopExecute), by its
// shortcut text. False when it could not be registered: a program not ours
// holds it (said once, on the standard error and in a box once the editor
// shows). Another program of ours that holds it passes its presses on: true then.
bool AddSettingsHotKey(const QString& shortcut);
// The boxes of the refusals not yet shown, once the main window shows.
void TellRefusedHotKeys();
void RemoveSettingsHotKey(const QString& shortcut);
// Num Lock and Print Screen, without modifiers.
void RegisterStartupHotKeys();
// What Print Screen does: the whole screen onto the clipboard, without what
// the listeners hide meanwhile.
void CopyScreen();
