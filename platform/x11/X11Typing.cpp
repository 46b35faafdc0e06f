// Typing characters and naming keys with the active XKB keymap.
#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <bit>

namespace platform {

namespace {

// The mark a dead key is named by.
char32_t deadKeyCharacter(KeySym ks) {
    switch (ks) {
    case XK_dead_grave: return '`';
    case XK_dead_acute: return 0xb4;
    case XK_dead_circumflex: return '^';
    case XK_dead_tilde: return '~';
    case XK_dead_diaeresis: return 0xa8;
    case XK_dead_cedilla: return 0xb8;
    default: return 0;
    }
}

// The keysym to type c with when it needs one of its own: control
// characters name their key; other characters their (Unicode) keysym.
KeySym keysymOf(char32_t c) {
    switch (c) {
    case '\r':
    case '\n': return XK_Return;
    case '\t': return XK_Tab;
    case 8: return XK_BackSpace;
    case 27: return XK_Escape;
    case 0x20ac: return XK_EuroSign;
    default: break;
    }
    if (c < 0x20 || (c >= 0x7f && c < 0xa0) || c > 0x10ffff) return NoSymbol;
    if (c < 0x100) return KeySym(c);
    return 0x01000000 | KeySym(c);
}

// The shift level a key of that type gives under mods.
int levelOf(XkbKeyTypePtr type, unsigned mods) {
    mods &= type->mods.mask;
    for (int i = 0; i < type->map_count; ++i)
        if (type->map[i].active && type->map[i].mods.mask == mods) return type->map[i].level;
    return 0;
}

// Modifier keys we may hold down (not the locking ones).
bool isHoldableModifier(KeySym ks) {
    return IsModifierKey(ks) && ks != XK_Caps_Lock && ks != XK_Shift_Lock && ks != XK_Num_Lock &&
           ks != XK_ISO_Lock && ks != XK_ISO_Level3_Lock && ks != XK_ISO_Level5_Lock;
}

// The keysym a keycode is lent to for c: its own, a letter's lower case (the
// key gets both cases).
KeySym lentKeysymOf(char32_t c) {
    KeySym own = keysymOf(c), lower = own, upper = own;
    if (own) XConvertCase(own, &lower, &upper);
    return lower != upper ? lower : own;
}

// Whether pressing the key sets modifier modIndex by its own action (Shift_L
// sets Shift, ISO_Level3_Shift sets the real modifier behind LevelThree), as
// a lock or a group switch bound to the same modifier would not.
bool setsModifier(XkbDescPtr xkb, int kc, int modIndex) {
    if (!xkb->server || !xkb->server->key_acts || !XkbKeyHasActions(xkb, kc)) return false;
    const XkbAction* action = XkbKeyActionEntry(xkb, kc, 0, 0);
    if (action->type != XkbSA_SetMods) return false;
    unsigned mask = action->mods.mask;
    if (action->mods.flags & XkbSA_UseModMapMods) mask |= xkb->map->modmap[kc];
    return mask & (1u << modIndex);
}

// What a key types without modifiers in that group of a keymap (a dead key: its character).
char32_t characterOnKey(XkbDescPtr xkb, int kc, int group) {
    const KeySym ks = XkbKeySymEntry(xkb, kc, 0, group % XkbKeyNumGroups(xkb, kc));
    if (const char32_t c = characterOf(ks)) return c;
    return deadKeyCharacter(ks);
}

}  // namespace

char32_t characterOf(unsigned long ks) {
    if ((ks >= 0x20 && ks <= 0x7e) || (ks >= 0xa0 && ks <= 0xff)) return char32_t(ks);
    if ((ks & 0xff000000) == 0x01000000) return char32_t(ks & 0x00ffffff);
    switch (ks) {
    case XK_EuroSign: return 0x20ac;
    case XK_oe: return 0x153;
    case XK_OE: return 0x152;
    case XK_Ydiaeresis: return 0x178;
    default: return 0;
    }
}

// A key to hold for modifier modIndex: one whose action sets it, else one
// bound to it whose first symbol is a modifier we may hold.
unsigned char X11Platform::modifierKeycode(int modIndex) {
    XkbDescPtr xkb = keymap();
    if (!xkb || !xkb->map || !xkb->map->modmap) return 0;
    unsigned char bound = 0;
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
        if (XkbKeyNumGroups(xkb, kc) == 0 || !isHoldableModifier(XkbKeySymEntry(xkb, kc, 0, 0))) continue;
        if (setsModifier(xkb, kc, modIndex)) return kc;
        if (!bound && (xkb->map->modmap[kc] & (1u << modIndex))) bound = kc;
    }
    return bound;
}

X11Platform::KeyState X11Platform::keyState() {
    XkbStateRec state{};
    if (xkbEventBase_ >= 0) XkbGetState(dpy_, XkbUseCoreKbd, &state);
    return {state.locked_mods, state.group};
}

// The key of the active group, and the fewest modifiers to hold, that type
// `keysym` (when not NoSymbol) or the character c, given the locked modifiers.
bool X11Platform::findStroke(XID keysym, char32_t c, const KeyState& state, Stroke& stroke) {
    XkbDescPtr xkb = keymap();
    if (!xkb) {
        stroke = {keysym ? XKeysymToKeycode(dpy_, keysym) : (unsigned char)0, 0};
        return stroke.keycode != 0;
    }
    const unsigned locked = state.locked;
    int bestCost = 99;
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
        const int groups = XkbKeyNumGroups(xkb, kc);
        if (groups == 0) continue;
        const int group = state.group % groups;
        XkbKeyTypePtr type = XkbKeyKeyType(xkb, kc, group);
        for (int level = 0; level < XkbKeyGroupWidth(xkb, kc, group); ++level) {
            const KeySym ks = XkbKeySymEntry(xkb, kc, level, group);
            if (keysym ? ks != keysym : characterOf(ks) != c) continue;
            // Every set of the type's modifiers we can hold, fewest first wins.
            const unsigned holdable = type->mods.mask & ~(LockMask | locked);
            for (unsigned held = holdable;; held = (held - 1) & holdable) {
                const int cost = std::popcount(held);
                if (cost < bestCost && levelOf(type, held | locked) == level) {
                    bool pressable = true;
                    for (int i = 0; i < 8 && pressable; ++i)
                        if (held & (1u << i)) pressable = modifierKeycode(i) != 0;
                    if (pressable) {
                        bestCost = cost;
                        stroke = {(unsigned char)kc, held};
                    }
                }
                if (held == 0) break;
            }
        }
    }
    return bestCost < 99;
}

// The stroke typing c: control characters by their key, others by the character.
bool X11Platform::strokeFor(char32_t c, const KeyState& state, Stroke& stroke) {
    const bool control = c < 0x20 || c == 0x7f;
    const KeySym own = control ? keysymOf(c) : NoSymbol;
    return (!control || own) && findStroke(own, c, state, stroke);
}

// Lends keycodes, in one change of the keymap, to the characters of `text`
// from `from` on that no key types, as far as the keycodes there are to lend
// go. Answers where the next lending starts: the first character for which
// none was left, or the end of the text.
qsizetype X11Platform::lendAhead(const QList<uint>& text, qsizetype from) {
    const int capacity = lendableKeycodes();
    const KeyState state = keyState();
    QVector<XID> wanted;
    QSet<unsigned char> keep;  // lent keycodes these characters are typed with
    QSet<char32_t> seen;
    qsizetype end = from;
    for (; end < text.size(); ++end) {
        if (seen.contains(text[end])) continue;
        seen.insert(text[end]);
        Stroke stroke;
        if (strokeFor(text[end], state, stroke)) {
            if (!lent_.contains(stroke.keycode) || keep.contains(stroke.keycode)) continue;
            if (wanted.size() + keep.size() >= capacity) break;
            keep.insert(stroke.keycode);
            continue;
        }
        const XID keysym = lentKeysymOf(text[end]);
        if (!keysym || wanted.contains(keysym)) continue;
        if (wanted.size() + keep.size() >= capacity) break;
        wanted << keysym;
    }
    lendKeycodes(wanted, keep);
    return std::max(end, from + 1);
}

// Presses and releases the key typing c, with the modifiers its level needs.
bool X11Platform::typeOne(char32_t c) {
    Stroke stroke;
    if (!strokeFor(c, keyState(), stroke)) {  // the layout may have changed since lendAhead
        const XID keysym = lentKeysymOf(c);
        if (!keysym || !lendKeycode(keysym) || !strokeFor(c, keyState(), stroke)) return false;
    }
    QVector<unsigned char> modifiers;
    for (int i = 0; i < 8; ++i)
        if (stroke.mods & (1u << i)) modifiers << modifierKeycode(i);
    for (unsigned char kc : std::as_const(modifiers)) fakeKey(kc, true);
    fakeKey(stroke.keycode, true);
    fakeKey(stroke.keycode, false);
    for (qsizetype i = modifiers.size(); i-- > 0;) fakeKey(modifiers[i], false);
    noteKeyEvent(stroke.keycode, false);
    return true;
}

bool X11Platform::TypeText(const QString& text, const std::function<bool(qsizetype)>& before) {
    const QList<uint> characters = text.toUcs4();
    bool all = true;
    for (qsizetype i = 0, lentUpTo = 0; i < characters.size(); ++i) {
        if (before && !before(i)) return false;
        if (i >= lentUpTo) lentUpTo = lendAhead(characters, i);
        all = typeOne(characters[i]) && all;
        XFlush(dpy_);
    }
    return all;
}

bool X11Platform::TypeCharacter(char32_t c) { return c <= 0x10ffff && TypeText(QString::fromUcs4(&c, 1)); }

char32_t X11Platform::KeyCharacter(int scanCode) {
    if (Platform::KeyCharacter(scanCode) == 0) return 0;  // not a character key
    XkbDescPtr xkb = keymap();
    const int kc = scanCode + 8;  // evdev keycodes
    if (!xkb || kc < xkb->min_key_code || kc > xkb->max_key_code || XkbKeyNumGroups(xkb, kc) == 0)
        return Platform::KeyCharacter(scanCode);
    return characterOnKey(xkb, kc, activeGroup());
}

QString X11Platform::GetKeyNameText(int scanCode, bool extended) {
    const int kc = scanCode + 8;
    if (!extended && namesKeymap_ && IsCharacterKey(scanCode) && kc >= namesKeymap_->min_key_code &&
        kc <= namesKeymap_->max_key_code && XkbKeyNumGroups(namesKeymap_, kc) > 0)
        if (const char32_t c = characterOnKey(namesKeymap_, kc, 0)) return QString::fromUcs4(&c, 1).toUpper();
    return Platform::GetKeyNameText(scanCode, extended);
}

}  // namespace platform
