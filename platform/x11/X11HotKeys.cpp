#include "platform/x11/X11HotKeys.h"

#include "platform/DisplayLost.h"
#include "platform/VirtualKeys.h"
#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include <QCoreApplication>
#include <QSocketNotifier>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
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

bool X11HotKeys::watch(int id, unsigned modifiers, unsigned long keysym) {
    const Grab g{XKeysymToKeycode(dpy_, keysym), xModifiers(dpy_, modifiers)};
    if (!g.keycode || grabs_.contains(id) || watches_.contains(id) || !selectRawKeys(true)) return false;
    watches_.insert(id, g);
    return true;
}

bool X11HotKeys::remove(int id) {
    if (watches_.remove(id)) {
        if (watches_.isEmpty()) selectRawKeys(false);  // no more key presses of the whole desktop
        return true;
    }
    const auto it = grabs_.constFind(id);
    if (it == grabs_.cend()) return false;
    grab(*it, false);
    grabs_.erase(it);
    return true;
}

// Raw key presses of every keyboard, on the root window (input extension 2.2).
bool X11HotKeys::selectRawKeys(bool on) {
    if (inputOpcode_ < 0) {
        int event = 0, error = 0, major = 2, minor = 2;
        inputOpcode_ = 0;
        int opcode = 0;
        if (XQueryExtension(dpy_, "XInputExtension", &opcode, &event, &error) &&
            XIQueryVersion(dpy_, &major, &minor) == Success && (major > 2 || (major == 2 && minor >= 1)))
            inputOpcode_ = opcode;
    }
    if (inputOpcode_ == 0) return false;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) XISetMask(bits, XI_RawKeyPress);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(dpy_, DefaultRootWindow(dpy_), &mask, 1);
    XSync(dpy_, False);
    return true;
}

// Handed on from the event loop, after the events are read; dropped if we are gone by then.
void X11HotKeys::pressed(unsigned keycode, unsigned mask, const QHash<int, Grab>& among) {
    for (auto it = among.cbegin(); it != among.cend(); ++it)
        if (it->keycode == keycode && it->mask == mask)
            QMetaObject::invokeMethod(notifier_.get(), [this, id = it.key()] { pressed_(id); }, Qt::QueuedConnection);
}

void X11HotKeys::readEvents() {
    const unsigned ignored = lockMasks();
    while (XPending(dpy_)) {
        XEvent ev;
        XNextEvent(dpy_, &ev);
        if (ev.type == KeyPress) pressed(ev.xkey.keycode, ev.xkey.state & 0xFF & ~ignored, grabs_);
        if (ev.type != GenericEvent || ev.xcookie.extension != inputOpcode_ || !XGetEventData(dpy_, &ev.xcookie))
            continue;
        const auto* raw = static_cast<const XIRawEvent*>(ev.xcookie.data);
        if (ev.xcookie.evtype == XI_RawKeyPress && !(raw->flags & XIKeyRepeat)) {
            XkbStateRec state{};  // a raw event carries no modifiers: those of the keyboard now
            XkbGetState(dpy_, XkbUseCoreKbd, &state);
            pressed(unsigned(raw->detail), state.mods & 0xFF & ~ignored, watches_);
        }
        XFreeEventData(dpy_, &ev.xcookie);
    }
}

// ---- The platform's hotkeys ----------------------------------------------

bool X11Platform::RegisterHotKey(int id, unsigned modifiers, uint8_t vk) {
    if (!hotKeys_) hotKeys_ = X11HotKeys::open(DisplayString(dpy_), [this](int pressed) { HotKeyPressed(pressed); });
    const unsigned long keysym = keysymForVirtualKey(vk);
    return hotKeys_ && keysym && hotKeys_->add(id, modifiers, keysym);
}

bool X11Platform::UnregisterHotKey(int id) { return hotKeys_ && hotKeys_->remove(id); }

bool X11Platform::WatchHotKey(int id, unsigned modifiers, uint8_t vk) {
    if (!hotKeys_) hotKeys_ = X11HotKeys::open(DisplayString(dpy_), [this](int pressed) { HotKeyPressed(pressed); });
    const unsigned long keysym = keysymForVirtualKey(vk);
    return hotKeys_ && keysym && hotKeys_->watch(id, modifiers, keysym);
}

}  // namespace platform
