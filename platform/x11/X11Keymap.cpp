// The active XKB keymap, cached until the server says it changed, and the
// spare keycodes lent to keysyms the layout lacks.
#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include <algorithm>
#include <cstring>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

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

// Whether a lent keycode still holds the keysym we gave it.
bool holdsLent(XkbDescPtr xkb, int kc, KeySym keysym) { return XkbKeySymEntry(xkb, kc, 0, 0) == keysym; }

// How long a client may take to handle our key events and a change notice.
constexpr int64_t kKeymapRestMs = 300;

}  // namespace

_XkbDesc* X11Platform::keymap() {
    drainEvents();  // forgets the cached keymap if it changed
    if (!keymap_ && xkbEventBase_ >= 0)
        keymap_ = XkbGetMap(dpy_, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask | XkbKeyActionsMask,
                            XkbUseCoreKbd);
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

// A keycode lent to a keysym keeps it until it is needed for another keysym
// or the platform closes: taking it back at once would make the clients that
// have not yet translated its key events see a key without symbols. Every
// change of the keymap waits until no client may still be reading the
// previous one (waitForQuietKeymap).

// Forgets the lent keycodes that no longer hold their keysym (the layout was
// replaced since).
void X11Platform::checkLentKeys() {
    XkbDescPtr xkb = keymap();
    for (auto it = lent_.begin(); it != lent_.end();) {
        if (!xkb || XkbKeyNumGroups(xkb, it.key()) == 0 || !holdsLent(xkb, it.key(), it->keysym))
            it = lent_.erase(it);
        else
            ++it;
    }
}

// How many keycodes lendKeycodes may give: the empty ones and the lent ones
// not held down.
int X11Platform::lendableKeycodes() {
    XkbDescPtr xkb = keymap();
    if (!xkb) return 0;
    checkLentKeys();
    int count = 0;
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc)
        count += lent_.contains(kc) ? !lent_.value(kc).down : XkbKeyNumGroups(xkb, kc) == 0;
    return count;
}

// Gives each keysym (with its US shifted form on the second level) a keycode
// that has no symbols in the layout, or one lent before that is neither held
// down nor in `keep`, the least recently used first. One change of the keymap
// for them all: a client that reads the keymap when it handles a change
// notice may miss a second notice that comes while it reads. Answers the
// keycodes, 0 where none was left.
QVector<unsigned char> X11Platform::lendKeycodes(const QVector<XID>& keysyms, const QSet<unsigned char>& keep) {
    QVector<unsigned char> given(keysyms.size(), 0);
    XkbDescPtr xkb = keymap();
    if (!xkb || keysyms.isEmpty()) return given;
    waitForQuietKeymap();
    xkb = keymap();  // as it is now
    if (!xkb) return given;
    checkLentKeys();
    QVector<unsigned char> free, reusable;
    for (int kc = xkb->max_key_code; kc >= xkb->min_key_code; --kc) {
        if (!lent_.contains(kc)) {
            if (XkbKeyNumGroups(xkb, kc) == 0) free << kc;
        } else if (!keep.contains(kc) && !lent_.value(kc).down) {
            reusable << kc;
        }
    }
    std::sort(reusable.begin(), reusable.end(),
              [&](unsigned char a, unsigned char b) { return lent_.value(a).lastUse < lent_.value(b).lastUse; });
    const QVector<unsigned char> candidates = free + reusable;
    int first = 256, last = 0;
    for (qsizetype i = 0; i < keysyms.size() && i < candidates.size(); ++i) {
        const unsigned char kc = candidates[i];
        const KeySym shifted = shiftedKeysym(keysyms[i]);
        KeySym lower, upper;
        XConvertCase(keysyms[i], &lower, &upper);
        int type = shifted == NoSymbol              ? XkbOneLevelIndex
                   : lower == keysyms[i] && upper == shifted ? XkbAlphabeticIndex
                                                             : XkbTwoLevelIndex;
        XkbMapChangesRec ignored{};
        if (XkbChangeTypesOfKey(xkb, kc, 1, XkbGroup1Mask, &type, &ignored) != Success) continue;
        KeySym* syms = XkbKeySymsPtr(xkb, kc);
        syms[0] = keysyms[i];
        if (shifted != NoSymbol) syms[1] = shifted;
        lent_[kc] = {keysyms[i], false, ++useCounter_};
        given[i] = kc;
        first = std::min(first, int(kc));
        last = std::max(last, int(kc));
    }
    if (first <= last) changeKeymap(xkb, first, last);
    return given;
}

unsigned char X11Platform::lendKeycode(XID keysym) { return lendKeycodes({keysym}, {}).value(0); }

// Gives every lent keycode back, released first, in one change of the keymap.
void X11Platform::restoreLentKeys() {
    checkLentKeys();
    if (lent_.isEmpty()) return;
    for (auto it = lent_.cbegin(); it != lent_.cend(); ++it)
        if (it->down) {
            fakeKey(it.key(), false);
            noteKeyEvent(it.key(), false);
        }
    waitForQuietKeymap();
    XkbDescPtr xkb = keymap();
    int first = 256, last = 0;
    for (auto it = lent_.cbegin(); xkb && it != lent_.cend(); ++it) {
        const unsigned char kc = it.key();
        if (XkbKeyNumGroups(xkb, kc) == 0 || !holdsLent(xkb, kc, it->keysym)) continue;
        XkbChangeTypesOfKey(xkb, kc, 0, XkbGroup1Mask, nullptr, nullptr);
        first = std::min(first, int(kc));
        last = std::max(last, int(kc));
    }
    if (first <= last) changeKeymap(xkb, first, last);
    lent_.clear();
}

// Sends the symbols of keycodes first..last as `xkb` has them (the keys
// between them unchanged), and waits until the server has applied them: the
// key events sent after that reach each client after its change notice.
void X11Platform::changeKeymap(_XkbDesc* xkb, int first, int last) {
    XkbMapChangesRec changes{};
    changes.changed = XkbKeySymsMask;
    changes.first_key_sym = (unsigned char)first;
    changes.num_key_syms = (unsigned char)(last - first + 1);
    XkbChangeMap(dpy_, xkb, &changes);
    XSync(dpy_, False);
    forgetKeymap();
    drainEvents();  // our own notice of the change
    keymapBusyUntil_ = steadyMs() + kKeymapRestMs;
    changedSinceKeyEvent_ = true;
}

// Waits until no client may still translate key events with the keymap as
// it was before, nor be reading the keymap after a change.
void X11Platform::waitForQuietKeymap() {
    XSync(dpy_, False);  // our key events have reached the server
    const int64_t rest = keymapBusyUntil_ - steadyMs();
    if (rest > 0) pause(int(rest));
}

// Called for each key event sent: events of a lent keycode, and the first
// one after a change of the keymap (clients may read the keymap only then),
// keep the keymap as it is for a while.
void X11Platform::noteKeyEvent(unsigned char keycode, bool down) {
    auto it = lent_.find(keycode);
    if (it != lent_.end()) {
        it->down = down;
        it->lastUse = ++useCounter_;
    }
    if (it != lent_.end() || changedSinceKeyEvent_) {
        keymapBusyUntil_ = steadyMs() + kKeymapRestMs;
        changedSinceKeyEvent_ = false;
    }
}

}  // namespace platform
