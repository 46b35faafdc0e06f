#include "platform/x11/X11HotKeys.h"

#include "platform/DisplayLost.h"
#include "platform/VirtualKeys.h"
#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include <QCoreApplication>
#include <QSocketNotifier>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace platform {

namespace {

// The modifier bit a key is mapped to; 0 when it is on none.
unsigned modifierOf(Display* d, KeySym keysym) {
    const KeyCode keycode = XKeysymToKeycode(d, keysym);
    if (!keycode) return 0;
    XModifierKeymap* map = XGetModifierMapping(d);
    if (!map) return 0;  // the server is gone
    unsigned mask = 0;
    for (int m = 0; m < 8 && !mask; ++m)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (map->modifiermap[m * map->max_keypermod + k] == keycode) mask = 1u << m;
    XFreeModifiermap(map);
    return mask;
}

unsigned xModifiers(Display* d, unsigned modifiers) {
    unsigned mask = 0;
    if (modifiers & MOD_SHIFT) mask |= ShiftMask;
    if (modifiers & MOD_CONTROL) mask |= ControlMask;
    if (modifiers & MOD_ALT) {
        const unsigned alt = modifierOf(d, XK_Alt_L);
        mask |= alt ? alt : Mod1Mask;
    }
    if (modifiers & MOD_WIN) {
        const unsigned super = modifierOf(d, XK_Super_L);
        mask |= super ? super : Mod4Mask;
    }
    return mask;
}

}  // namespace

std::unique_ptr<X11HotKeys> X11HotKeys::open(const char* displayName, std::function<void(int)> pressed) {
    Display* d = XOpenDisplay(displayName);
    if (!d) return nullptr;
    return std::unique_ptr<X11HotKeys>(new X11HotKeys(d, std::move(pressed)));
}

X11HotKeys::X11HotKeys(_XDisplay* display, std::function<void(int)> pressed)
    : dpy_(display), pressed_(std::move(pressed)) {
    watchErrors(dpy_, true);
    if (QCoreApplication::instance()) {
        notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(dpy_), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    }
}

// Nothing is said to a server that is gone.
X11HotKeys::~X11HotKeys() {
    notifier_.reset();
    if (DisplayLost()) return;
    for (const Grab& g : std::as_const(grabs_)) grab(g, false);
    XCloseDisplay(dpy_);
    watchErrors(dpy_, false);
}

// Caps Lock, and Num Lock and Scroll Lock when a modifier carries them.
unsigned X11HotKeys::lockMasks() const {
    return LockMask | modifierOf(dpy_, XK_Num_Lock) | modifierOf(dpy_, XK_Scroll_Lock);
}

// Every combination of the lock modifiers: a subset of their bits.
void X11HotKeys::grab(const Grab& g, bool on) {
    const Window root = DefaultRootWindow(dpy_);
    const unsigned locks = lockMasks();
    for (unsigned subset = locks;; subset = (subset - 1) & locks) {
        if (on)
            XGrabKey(dpy_, g.keycode, g.mask | subset, root, False, GrabModeAsync, GrabModeAsync);
        else
            XUngrabKey(dpy_, g.keycode, g.mask | subset, root);
        if (subset == 0) break;
    }
    XSync(dpy_, False);
}

bool X11HotKeys::add(int id, unsigned modifiers, unsigned long keysym) {
    const Grab g{XKeysymToKeycode(dpy_, keysym), xModifiers(dpy_, modifiers)};
    if (!g.keycode || grabs_.contains(id)) return false;
    for (const Grab& other : std::as_const(grabs_))
        if (other.keycode == g.keycode && other.mask == g.mask) return false;
    takeError(dpy_);
    grab(g, true);
    if (takeError(dpy_) != 0) {  // BadAccess: another client has one of them
        grab(g, false);          // gives back those we did get
        return false;
    }
    grabs_.insert(id, g);
    return true;
}

bool X11HotKeys::remove(int id) {
    const auto it = grabs_.constFind(id);
    if (it == grabs_.cend()) return false;
    grab(*it, false);
    grabs_.erase(it);
    return true;
}

// The presses are handed on from the event loop, after the events are read.
void X11HotKeys::readEvents() {
    const unsigned ignored = lockMasks();
    while (XPending(dpy_)) {
        XEvent ev;
        XNextEvent(dpy_, &ev);
        if (ev.type != KeyPress) continue;
        const unsigned mask = ev.xkey.state & 0xFF & ~ignored;
        for (auto it = grabs_.cbegin(); it != grabs_.cend(); ++it)
            if (it->keycode == ev.xkey.keycode && it->mask == mask)  // dropped if we are gone by then
                QMetaObject::invokeMethod(notifier_.get(), [this, id = it.key()] { pressed_(id); }, Qt::QueuedConnection);
    }
}

// ---- The platform's hotkeys ----------------------------------------------

bool X11Platform::RegisterHotKey(int id, unsigned modifiers, uint8_t vk) {
    if (!hotKeys_) hotKeys_ = X11HotKeys::open(DisplayString(dpy_), [this](int pressed) { HotKeyPressed(pressed); });
    const unsigned long keysym = keysymForVirtualKey(vk);
    return hotKeys_ && keysym && hotKeys_->add(id, modifiers, keysym);
}

bool X11Platform::UnregisterHotKey(int id) { return hotKeys_ && hotKeys_->remove(id); }

}  // namespace platform
