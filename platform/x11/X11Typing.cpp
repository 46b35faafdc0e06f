// Typing characters and naming keys with the active XKB keymap.
#include "platform/x11/X11Platform.h"

#include <QElapsedTimer>
#include <QThread>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <bit>

namespace platform {

namespace {

// The character a keysym types: Latin-1 and Unicode keysyms, and the few
// older ones of Western layouts; 0 for the others (keypad keys included).
char32_t characterOf(KeySym ks) {
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

constexpr qint64 kRelendRestMs = 300;

const QElapsedTimer& clock() {
    static const QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
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

}  // namespace

unsigned char X11Platform::modifierKeycode(int modIndex) {
    XkbDescPtr xkb = keymap();
    if (!xkb || !xkb->map || !xkb->map->modmap) return 0;
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc)
        if ((xkb->map->modmap[kc] & (1u << modIndex)) && XkbKeyNumGroups(xkb, kc) > 0 &&
            isHoldableModifier(XkbKeySymEntry(xkb, kc, 0, 0)))
            return kc;
    return 0;
}

// The key of the active group, and the fewest modifiers to hold, that type
// `keysym` (when not NoSymbol) or the character c, given the locked modifiers.
bool X11Platform::findStroke(XID keysym, char32_t c, Stroke& stroke) {
    XkbDescPtr xkb = keymap();
    if (!xkb) {
        stroke = {keysym ? XKeysymToKeycode(dpy_, keysym) : (unsigned char)0, 0};
        return stroke.keycode != 0;
    }
    XkbStateRec state{};
    XkbGetState(dpy_, XkbUseCoreKbd, &state);
    const unsigned locked = state.locked_mods;
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

// Clients translate a key event with the keymap they fetch when they get the
// change notice, which may be later than our next change. So once every spare
// keycode is lent, the one given to a new keysym (the least recently used)
// must have rested long enough for its last key events to be read.
void X11Platform::waitBeforeRelending() {
    if (!sparesScanned_ || lent_.size() < spareKeycodes_.size()) return;
    quint64 oldest = ~quint64(0);
    unsigned char next = 0;
    for (auto it = lent_.cbegin(); it != lent_.cend(); ++it)
        if (!it->down && it->lastUse < oldest) {
            oldest = it->lastUse;
            next = it.key();
        }
    const qint64 rest = kRelendRestMs - (clock().elapsed() - lentTypedAt_.value(next, -kRelendRestMs));
    if (next && rest > 0) {
        XSync(dpy_, False);
        QThread::msleep(rest);
    }
}

bool X11Platform::TypeCharacter(char32_t c) {
    const bool control = c < 0x20 || c == 0x7f;
    const KeySym own = keysymOf(c);
    if (control && !own) return false;
    Stroke stroke;
    if (!findStroke(control ? own : NoSymbol, c, stroke)) {
        // No key of the layout types it: a spare keycode is lent to its keysym.
        // A letter's key gets both cases.
        KeySym lower = own, upper = own;
        if (own) XConvertCase(own, &lower, &upper);
        waitBeforeRelending();
        if (!own || !lendKeycode(lower != upper ? lower : own) || !findStroke(own, 0, stroke)) return false;
    }
    QVector<unsigned char> modifiers;
    for (int i = 0; i < 8; ++i)
        if (stroke.mods & (1u << i)) modifiers << modifierKeycode(i);
    for (unsigned char kc : std::as_const(modifiers)) XTestFakeKeyEvent(dpy_, kc, True, CurrentTime);
    XTestFakeKeyEvent(dpy_, stroke.keycode, True, CurrentTime);
    XTestFakeKeyEvent(dpy_, stroke.keycode, False, CurrentTime);
    for (qsizetype i = modifiers.size(); i-- > 0;) XTestFakeKeyEvent(dpy_, modifiers[i], False, CurrentTime);
    if (auto it = lent_.find(stroke.keycode); it != lent_.end()) {
        it->lastUse = ++useCounter_;
        lentTypedAt_[stroke.keycode] = clock().elapsed();
    }
    XFlush(dpy_);
    return true;
}

char32_t X11Platform::KeyCharacter(int scanCode) {
    if (Platform::KeyCharacter(scanCode) == 0) return 0;  // not a character key
    XkbDescPtr xkb = keymap();
    const int kc = scanCode + 8;  // evdev keycodes
    if (!xkb || kc < xkb->min_key_code || kc > xkb->max_key_code || XkbKeyNumGroups(xkb, kc) == 0)
        return Platform::KeyCharacter(scanCode);
    const KeySym ks = XkbKeySymEntry(xkb, kc, 0, activeGroup() % XkbKeyNumGroups(xkb, kc));
    if (const char32_t c = characterOf(ks)) return c;
    return deadKeyCharacter(ks);
}

}  // namespace platform
