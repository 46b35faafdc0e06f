// Key names and the scan-code <-> virtual-key mapping, as a PC keyboard
// (scan code set 1) reports them. Character keys take the character the
// layout gives them; the other keys are named in French unless an English
// keyboard was chosen.
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

#include <array>
#include <utility>

namespace platform {

namespace {

struct KeyName {
    int scan;
    bool extended;
    const char* french;
    const char* english;
};

constexpr KeyName kNames[] = {
    {1, false, "Échap", "Esc"},
    {14, false, "Retour arrière", "Backspace"},
    {15, false, "Tab", "Tab"},
    {28, false, "Entrée", "Enter"},
    {29, false, "Ctrl", "Ctrl"},
    {42, false, "Maj", "Shift"},
    {54, false, "Maj droite", "Right Shift"},
    {55, false, "* (pavé num.)", "Num *"},
    {56, false, "Alt", "Alt"},
    {57, false, "Espace", "Space"},
    {58, false, "Verr. maj", "Caps Lock"},
    {59, false, "F1", "F1"},
    {60, false, "F2", "F2"},
    {61, false, "F3", "F3"},
    {62, false, "F4", "F4"},
    {63, false, "F5", "F5"},
    {64, false, "F6", "F6"},
    {65, false, "F7", "F7"},
    {66, false, "F8", "F8"},
    {67, false, "F9", "F9"},
    {68, false, "F10", "F10"},
    {69, false, "Pause", "Pause"},
    {70, false, "Arrêt défil", "Scroll Lock"},
    {71, false, "7 (pavé num.)", "Num 7"},
    {72, false, "8 (pavé num.)", "Num 8"},
    {73, false, "9 (pavé num.)", "Num 9"},
    {74, false, "- (pavé num.)", "Num -"},
    {75, false, "4 (pavé num.)", "Num 4"},
    {76, false, "5 (pavé num.)", "Num 5"},
    {77, false, "6 (pavé num.)", "Num 6"},
    {78, false, "+ (pavé num.)", "Num +"},
    {79, false, "1 (pavé num.)", "Num 1"},
    {80, false, "2 (pavé num.)", "Num 2"},
    {81, false, "3 (pavé num.)", "Num 3"},
    {82, false, "0 (pavé num.)", "Num 0"},
    {83, false, ". (pavé num.)", "Num Del"},
    {84, false, "Syst", "Sys Req"},
    {87, false, "F11", "F11"},
    {88, false, "F12", "F12"},
    {28, true, "Entrée (pavé num.)", "Num Enter"},
    {29, true, "Ctrl droite", "Right Ctrl"},
    {53, true, "/ (pavé num.)", "Num /"},
    {55, true, "Impr. écran", "Prnt Scrn"},
    {56, true, "Alt droite", "Right Alt"},
    {69, true, "Verr. num", "Num Lock"},
    {70, true, "Attn", "Break"},
    {71, true, "Origine", "Home"},
    {72, true, "Haut", "Up"},
    {73, true, "Pg. préc", "Page Up"},
    {75, true, "Gauche", "Left"},
    {77, true, "Droite", "Right"},
    {79, true, "Fin", "End"},
    {80, true, "Bas", "Down"},
    {81, true, "Pg. suiv", "Page Down"},
    {82, true, "Inser", "Insert"},
    {83, true, "Suppr", "Delete"},
    {91, true, "Windows gauche", "Left Windows"},
    {92, true, "Windows droite", "Right Windows"},
    {93, true, "Application", "Application"},
};

// Virtual key of each scan code by position (a US keyboard); 0 when none.
constexpr std::array<uint8_t, 94> kScanToVk = [] {
    std::array<uint8_t, 94> t{};
    const char* digits = "1234567890";
    for (int i = 0; i < 10; ++i) t[2 + i] = uint8_t(digits[i]);
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const int starts[] = {16, 30, 44};
    for (int r = 0; r < 3; ++r)
        for (int i = 0; rows[r][i]; ++i) t[starts[r] + i] = uint8_t(rows[r][i]);
    const std::pair<int, uint8_t> others[] = {
        {1, VK_ESCAPE},     {12, VK_OEM_MINUS}, {13, VK_OEM_PLUS},   {14, VK_BACK},   {15, VK_TAB},
        {26, VK_OEM_4},     {27, VK_OEM_6},     {28, VK_RETURN},     {29, VK_CONTROL}, {39, VK_OEM_1},
        {40, VK_OEM_7},     {41, VK_OEM_3},     {42, VK_SHIFT},      {43, VK_OEM_5},  {51, VK_OEM_COMMA},
        {52, VK_OEM_PERIOD}, {53, VK_OEM_2},    {54, VK_SHIFT},      {55, VK_MULTIPLY}, {56, VK_MENU},
        {57, VK_SPACE},     {58, VK_CAPITAL},   {69, VK_NUMLOCK},    {70, VK_SCROLL}, {71, VK_HOME},
        {72, VK_UP},        {73, VK_PRIOR},     {74, VK_SUBTRACT},   {75, VK_LEFT},   {76, VK_CLEAR},
        {77, VK_RIGHT},     {78, VK_ADD},       {79, VK_END},        {80, VK_DOWN},   {81, VK_NEXT},
        {82, VK_INSERT},    {83, VK_DELETE},    {84, VK_SNAPSHOT},   {86, VK_OEM_102}, {87, VK_F1 + 10},
        {88, VK_F1 + 11},   {91, VK_LWIN},      {92, VK_RWIN},       {93, VK_APPS},
    };
    for (auto [scan, vk] : others) t[scan] = vk;
    for (int i = 0; i < 10; ++i) t[59 + i] = uint8_t(VK_F1 + i);
    return t;
}();

// Keys that type a character, and what they type without modifiers.
struct CharacterRow {
    int firstScan;
    const char16_t* us;
    const char16_t* fr;
};
constexpr CharacterRow kCharacterRows[] = {
    {2, u"1234567890-=", u"&é\"'(-è_çà)="},
    {16, u"qwertyuiop[]", u"azertyuiop^$"},
    {30, u"asdfghjkl;'`", u"qsdfghjklmù²"},
    {43, u"\\zxcvbnm,./", u"*wxcvbn,;:!"},
    {86, u"<", u"<"},
};

bool isEnglish(const QString& layout) {
    return layout.startsWith(QLatin1String("us")) || layout.startsWith(QLatin1String("gb")) ||
           layout.startsWith(QLatin1String("en"));
}

}  // namespace

bool Platform::IsCharacterKey(int scanCode) {
    for (const CharacterRow& row : kCharacterRows)
        if (scanCode >= row.firstScan && scanCode < row.firstScan + int(std::u16string_view(row.us).size())) return true;
    return false;
}

char32_t Platform::KeyCharacter(int scanCode) {
    const bool french = keyboardLayout_.startsWith(QLatin1String("fr"));
    for (const CharacterRow& row : kCharacterRows) {
        const std::u16string_view chars = french ? row.fr : row.us;
        if (scanCode >= row.firstScan && scanCode < row.firstScan + int(chars.size()))
            return chars[size_t(scanCode - row.firstScan)];
    }
    return 0;
}

QString Platform::GetKeyNameText(int scanCode, bool extended) {
    if (!extended) {
        if (const char32_t c = KeyCharacter(scanCode)) return QString::fromUcs4(&c, 1).toUpper();
    }
    const bool english = isEnglish(keyboardLayout_);
    for (const KeyName& k : kNames)
        if (k.scan == scanCode && k.extended == extended) return QString::fromUtf8(english ? k.english : k.french);
    return QString();
}

QVector<KeyboardLayoutInfo> Platform::KeyboardLayouts() {
    return {{QStringLiteral("fr"), QStringLiteral("French")}, {QStringLiteral("us"), QStringLiteral("English (US)")}};
}

unsigned Platform::MapVirtualKey(unsigned code, unsigned mapType) {
    // Letters and digits sit where the layout puts them.
    auto layoutVk = [this](int scan) -> unsigned {
        const char32_t c = KeyCharacter(scan);
        if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
        if (c >= '0' && c <= '9') return c;
        return 0;
    };
    if (mapType == 1) {
        if (code >= kScanToVk.size()) return 0;
        if (const unsigned vk = layoutVk(int(code))) return vk;
        return kScanToVk[code];
    }
    if (mapType != 0 || code == 0 || code > 0xFF) return 0;
    for (int scan = 1; scan < int(kScanToVk.size()); ++scan)
        if (layoutVk(scan) == code) return unsigned(scan);
    for (int scan = 1; scan < int(kScanToVk.size()); ++scan)
        if (kScanToVk[scan] == code && !layoutVk(scan)) return unsigned(scan);
    switch (code) {
    case VK_LSHIFT: return 42;
    case VK_RSHIFT: return 54;
    case VK_LCONTROL:
    case VK_RCONTROL: return 29;
    case VK_LMENU:
    case VK_RMENU: return 56;
    case VK_DECIMAL: return 83;
    case VK_DIVIDE: return 53;
    case VK_PAUSE: return 69;
    default: break;
    }
    if (code >= VK_NUMPAD0 && code <= VK_NUMPAD9) {
        static constexpr uint8_t pad[] = {82, 79, 80, 81, 75, 76, 77, 71, 72, 73};
        return pad[code - VK_NUMPAD0];
    }
    return 0;
}

}  // namespace platform
