#include "engine/HotKeyManager.h"

#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

#include <QKeySequence>

using namespace platform;

THotKeyManager* HotKeyManager1 = nullptr;

namespace {

// Keys a shortcut names by a Qt key, besides letters, digits and F1..F24.
constexpr std::pair<int, uint8_t> kKeys[] = {
    {Qt::Key_Escape, VK_ESCAPE},       {Qt::Key_Tab, VK_TAB},          {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Return, VK_RETURN},       {Qt::Key_Enter, VK_RETURN},     {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},       {Qt::Key_Pause, VK_PAUSE},      {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Clear, VK_CLEAR},         {Qt::Key_Home, VK_HOME},        {Qt::Key_End, VK_END},
    {Qt::Key_Left, VK_LEFT},           {Qt::Key_Up, VK_UP},            {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},           {Qt::Key_PageUp, VK_PRIOR},     {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_CapsLock, VK_CAPITAL},    {Qt::Key_NumLock, VK_NUMLOCK},  {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Space, VK_SPACE},         {Qt::Key_Menu, VK_APPS},        {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},      {Qt::Key_Comma, VK_OEM_COMMA},  {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},   {Qt::Key_Slash, VK_OEM_2},      {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4},   {Qt::Key_Backslash, VK_OEM_5},  {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7},    {Qt::Key_Less, VK_OEM_102},
};
// The same keys on the numeric keypad.
constexpr std::pair<int, uint8_t> kKeypad[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},         {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Slash, VK_DIVIDE},
};

uint8_t virtualKey(int key, bool keypad) {
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return uint8_t(VK_NUMPAD0 + (key - Qt::Key_0));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return uint8_t('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return uint8_t('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return uint8_t(VK_F1 + (key - Qt::Key_F1));
    for (const auto& [qt, vk] : kKeypad)
        if (keypad && qt == key) return vk;
    for (const auto& [qt, vk] : kKeys)
        if (qt == key) return vk;
    return 0;
}

}  // namespace

THotKeyManager::THotKeyManager(QObject* owner) : QObject(owner) { HotKeyManager1 = this; }

THotKeyManager::~THotKeyManager() {
    ClearGlobalHotKeys();
    if (HotKeyManager1 == this) HotKeyManager1 = nullptr;
}

quint16 THotKeyManager::AddGlobalHotKey(quint32 hotKey) { return add(hotKey, false); }

quint16 THotKeyManager::AddOrWatchGlobalHotKey(quint32 hotKey) { return add(hotKey, true); }

quint16 THotKeyManager::add(quint32 hotKey, bool orWatch) {
    unsigned modifiers = 0;
    uint8_t key = 0;
    HotKeyToModifiers(hotKey, modifiers, key);
    if (!key || hotKey >= 0x1000000) return 0;
    auto inUse = [this](quint16 index) {
        return index == 0 || std::any_of(list_.cbegin(), list_.cend(), [index](const Registration& r) { return r.index == index; });
    };
    do ++lastIndex_;
    while (inUse(lastIndex_));
    Platform& desk = desktop();
    // The manager of the moment hears the presses, whichever desktop brings them.
    desk.SetHotKeyHandler([](int index) {
        if (HotKeyManager1) HotKeyManager1->Press(index);
    });
    if (!desk.RegisterHotKey(lastIndex_, modifiers, key) && !(orWatch && desk.WatchHotKey(lastIndex_, modifiers, key)))
        return 0;
    list_.append({hotKey, lastIndex_});
    return lastIndex_;
}

bool THotKeyManager::RemoveGlobalHotKey(quint32 hotKey) {
    for (qsizetype i = 0; i < list_.size(); ++i) {
        if (list_[i].hotKey != hotKey) continue;
        const bool done = desktop().UnregisterHotKey(list_[i].index);
        list_.removeAt(i);
        return done;
    }
    return false;
}

void THotKeyManager::ClearGlobalHotKeys() {
    while (!list_.isEmpty()) desktop().UnregisterHotKey(list_.takeLast().index);
}

bool THotKeyManager::Registered(quint32 hotKey) const {
    return std::any_of(list_.cbegin(), list_.cend(), [hotKey](const Registration& r) { return r.hotKey == hotKey; });
}

void THotKeyManager::AddListener(THotKeyListener* listener) {
    if (!listeners_.contains(listener)) listeners_ << listener;
}

void THotKeyManager::RemoveListener(THotKeyListener* listener) { listeners_.removeAll(listener); }

void THotKeyManager::Press(int index) {
    for (const Registration& r : std::as_const(list_))
        if (r.index == index) return emit OnHotKeyPressed(r.hotKey, r.index);
}

void HotKeyToModifiers(quint32 hotKey, unsigned& modifiers, uint8_t& key) {
    key = uint8_t(hotKey & 0xFF);
    modifiers = 0;
    if (hotKey & scWin) modifiers |= MOD_WIN;
    if (hotKey & scAlt) modifiers |= MOD_ALT;
    if (hotKey & scCtrl) modifiers |= MOD_CONTROL;
    if (hotKey & scShift) modifiers |= MOD_SHIFT;
}

QString HotKeyToText(quint32 hotKey, bool localized) {
    Platform& desk = desktop();
    auto keyName = [&desk](uint8_t vk) {
        // Print Screen and Num Lock by the scan codes the keyboard sends for them.
        if (vk == VK_SNAPSHOT) return desk.GetKeyNameText(55, true);
        if (vk == VK_NUMLOCK) return desk.GetKeyNameText(69, true);
        const bool extended = (vk >= 33 && vk <= 40) || vk == 45 || vk == 46;
        return desk.GetKeyNameText(int(desk.MapVirtualKey(vk, 0)), extended);
    };
    QString shift = QStringLiteral("Shift"), ctrl = QStringLiteral("Ctrl"), alt = QStringLiteral("Alt"),
            win = QStringLiteral("Win");
    if (localized) {
        for (auto [name, vk] : {std::pair{&shift, VK_SHIFT}, {&ctrl, VK_CONTROL}, {&alt, VK_MENU}})
            if (const QString n = keyName(vk); !n.isEmpty()) *name = n;
        if (std::all_of(alt.cbegin(), alt.cend(), [](QChar c) { return c >= u'A' && c <= u'Z'; })) win = win.toUpper();
    }
    QString text;
    for (auto [part, name] : {std::pair{scCtrl, ctrl}, {scShift, shift}, {scAlt, alt}, {scWin, win}})
        if (hotKey & part) text += name + u'+';
    return text + keyName(uint8_t(hotKey & 0xFF));
}

quint32 TextToHotKey(const QString& shortcut) {
    const QKeySequence sequence = QKeySequence::fromString(shortcut, QKeySequence::PortableText);
    if (sequence.isEmpty()) return 0;
    const QKeyCombination combination = sequence[0];
    const Qt::KeyboardModifiers mods = combination.keyboardModifiers();
    const uint8_t vk = virtualKey(combination.key(), mods & Qt::KeypadModifier);
    if (!vk) return 0;
    quint32 value = vk;
    if (mods & Qt::ShiftModifier) value |= scShift;
    if (mods & Qt::ControlModifier) value |= scCtrl;
    if (mods & Qt::AltModifier) value |= scAlt;
    if (mods & Qt::MetaModifier) value |= scWin;
    return value;
}
