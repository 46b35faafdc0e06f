// The active XKB keymap, cached until the server says it changed, and the
// spare keycodes lent to keysyms the layout lacks.
#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include <cstring>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform {

namespace {

// What Shift gives on a US keyboard, for keycodes we map ourselves.
KeySym shiftedKeysym(KeySym ks) {
    KeySym lower, upper;
    XConvertCase(ks, &lower, &upper);
    if (ks == lower && lower != upper) return upper;
    static const char plain[] = "`1234567890-=[]\\;',./<";
    static const char shifted[] = "~!@#$%^&*()_+{}|:\"<>?>";
    if (ks > 0 && ks < 0x80)
        if (const char* p = std::strchr(plain, int(ks))) return KeySym(shifted[p - plain]);
    return NoSymbol;
}

// Whether a lent keycode still holds the keysym we gave it (the server may
// have put a letter's lower case first).
bool holdsLent(XkbDescPtr xkb, int kc, KeySym keysym) {
    return XkbKeySymEntry(xkb, kc, 0, 0) == keysym ||
           (XkbKeyGroupWidth(xkb, kc, 0) > 1 && XkbKeySymEntry(xkb, kc, 1, 0) == keysym);
}

}  // namespace

_XkbDesc* X11Platform::keymap() {
    drainEvents();  // forgets the cached keymap if it changed
    if (!keymap_ && xkbEventBase_ >= 0)
        keymap_ = XkbGetMap(dpy_, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd);
    return keymap_;
}

void X11Platform::forgetKeymap() {
    if (keymap_) XkbFreeKeyboard(keymap_, 0, True);
    keymap_ = nullptr;
}

int X11Platform::activeGroup() {
    XkbStateRec state;
    if (xkbEventBase_ >= 0 && XkbGetState(dpy_, XkbUseCoreKbd, &state) == Success) return state.group;
    return 0;
}

// A keycode giving `keysym` without modifiers in the active group, or, with
// anyLevel, anywhere on the key (enough for modifier keys).
unsigned char X11Platform::findKeycode(XID keysym, int group, bool anyLevel) {
    XkbDescPtr xkb = keymap();
    if (!xkb) return XKeysymToKeycode(dpy_, keysym);
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
        const int groups = XkbKeyNumGroups(xkb, kc);
        if (groups == 0) continue;
        if (!anyLevel) {
            if (XkbKeySymEntry(xkb, kc, 0, group % groups) == keysym) return kc;
            continue;
        }
        for (int g = 0; g < groups; ++g)
            for (int level = 0; level < XkbKeyGroupWidth(xkb, kc, g); ++level)
                if (XkbKeySymEntry(xkb, kc, level, g) == keysym) return kc;
    }
    return 0;
}

// Gives `keysym` (and its US shifted form) to a keycode that has no symbols in
// the layout. The keycode keeps it until it is needed for another keysym or
// the platform closes: clients read the keymap when they process the change
// notice, which may be after the key event, so taking it back at once would
// make them see a key without symbols.
unsigned char X11Platform::lendKeycode(XID keysym) {
    XkbDescPtr xkb = keymap();
    if (!xkb) return 0;
    if (!sparesScanned_) {
        for (int kc = xkb->max_key_code; kc >= xkb->min_key_code; --kc)
            if (XkbKeyNumGroups(xkb, kc) == 0) spareKeycodes_ << kc;
        sparesScanned_ = true;
    }
    int chosen = 0;
    quint64 oldest = ~quint64(0);
    for (unsigned char kc : std::as_const(spareKeycodes_)) {
        const bool empty = XkbKeyNumGroups(xkb, kc) == 0;
        auto it = lent_.find(kc);
        if (it != lent_.end() && (empty || !holdsLent(xkb, kc, it->keysym))) {
            lent_.erase(it);  // the layout was replaced since
            it = lent_.end();
        }
        if (empty) {
            chosen = kc;
            break;
        }
        if (it != lent_.end() && !it->down && it->lastUse < oldest) {
            oldest = it->lastUse;
            chosen = kc;
        }
    }
    if (!chosen) return 0;
    KeySym syms[2] = {keysym, shiftedKeysym(keysym)};
    XChangeKeyboardMapping(dpy_, chosen, 2, syms, 1);
    XSync(dpy_, False);
    forgetKeymap();
    lent_[chosen] = {keysym, false, ++useCounter_};
    return chosen;
}

void X11Platform::restoreLentKeys() {
    if (lent_.isEmpty()) return;
    XSync(dpy_, False);
    pause(100);  // let clients translate the last key events with the lent symbols
    XkbDescPtr xkb = keymap();
    for (auto it = lent_.cbegin(); it != lent_.cend(); ++it) {
        const unsigned char kc = it.key();
        if (xkb && XkbKeyNumGroups(xkb, kc) > 0 && holdsLent(xkb, kc, it->keysym)) {
            KeySym none = NoSymbol;
            XChangeKeyboardMapping(dpy_, kc, 1, &none, 1);
        }
    }
    lent_.clear();
    Flush();
    forgetKeymap();
}

}  // namespace platform
