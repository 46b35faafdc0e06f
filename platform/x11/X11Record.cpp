#include "platform/x11/X11Record.h"

#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstring>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>

namespace platform {

namespace {

bool isLockKey(KeySym ks) { return ks == XK_Caps_Lock || ks == XK_Shift_Lock || ks == XK_Num_Lock; }

// The extension's callback: the data goes to the recorder that asked for it.
void intercepted(XPointer self, XRecordInterceptData* data) {
    reinterpret_cast<X11Record*>(self)->onData(data->category, data->data, int(data->data_len * 4));
    XRecordFreeData(data);
}

}  // namespace

bool X11Record::available(_XDisplay* display) {
    int major = 0, minor = 0;
    return XRecordQueryVersion(display, &major, &minor);
}

std::unique_ptr<X11Record> X11Record::open(const char* displayName, InjectedEvents& injected,
                                           std::function<void(const DesktopEvent&)> handler) {
    Display* control = XOpenDisplay(displayName);
    Display* data = control ? XOpenDisplay(displayName) : nullptr;
    if (!data) {
        if (control) XCloseDisplay(control);
        return nullptr;
    }
    std::unique_ptr<X11Record> r(new X11Record(control, data, injected, std::move(handler)));
    if (!r->start()) return nullptr;
    return r;
}

X11Record::X11Record(_XDisplay* control, _XDisplay* data, InjectedEvents& injected,
                     std::function<void(const DesktopEvent&)> handler)
    : control_(control), data_(data), injected_(injected), handler_(std::move(handler)),
      alive_(std::make_shared<bool>(true)) {
    watchErrors(control_, true);
    watchErrors(data_, true);
}

X11Record::~X11Record() {
    notifier_.reset();
    if (context_) {
        XRecordDisableContext(control_, context_);
        XRecordFreeContext(control_, context_);
        XSync(control_, False);
    }
    if (keymap_) XkbFreeKeyboard(keymap_, 0, True);
    injected_.watched = false;
    injected_.clear();
    XCloseDisplay(data_);
    XCloseDisplay(control_);
    watchErrors(data_, false);
    watchErrors(control_, false);
}

bool X11Record::start() {
    int opcode, error, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!available(control_) || !QCoreApplication::instance()) return false;
    if (XkbQueryExtension(control_, &opcode, &xkbEventBase_, &error, &major, &minor)) {
        const unsigned mask = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(control_, XkbUseCoreKbd, mask, mask);  // to know when the keymap changes
        XkbStateRec state;
        if (XkbGetState(control_, XkbUseCoreKbd, &state) == Success) locked_ = state.locked_mods;
    }
    XRecordRange* range = XRecordAllocRange();
    if (!range) return false;
    range->device_events.first = KeyPress;
    range->device_events.last = MotionNotify;
    range->core_requests.first = X_ChangeKeyboardMapping;  // keycodes lent for a moment
    range->core_requests.last = X_ChangeKeyboardMapping;
    XRecordClientSpec clients = XRecordAllClients;
    context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(control_, False);
    if (!context_ || takeError(control_)) return false;
    if (!XRecordEnableContextAsync(data_, context_, intercepted, reinterpret_cast<XPointer>(this))) return false;
    XFlush(data_);
    injected_.watched = true;
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(data_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { XRecordProcessReplies(data_); });
    // Recording from the moment we return: the server says so before any data.
    for (int waited = 0; !started_ && waited < 2000; waited += 5) {
        XRecordProcessReplies(data_);
        if (!started_) pause(5);
    }
    return started_;
}

// The events are handed on from the event loop, once the data is read; none
// when we are gone by then.
void X11Record::onData(int category, const unsigned char* data, int length) {
    if (category == XRecordStartOfData) started_ = true;
    if (category == XRecordFromClient) onKeymapRequest(data, length);
    if (category != XRecordFromServer || length < int(sizeof(xEvent))) return;
    DesktopEvent e;
    if (!onDeviceEvent(data, e)) return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [alive = std::weak_ptr<bool>(alive_), handler = handler_, e] {
            if (alive.lock()) handler(e);
        },
        Qt::QueuedConnection);
}

// False for the events that are not handed on: ours, and those nobody asks for.
bool X11Record::onDeviceEvent(const unsigned char* data, DesktopEvent& e) {
    xEvent ev;
    std::memcpy(&ev, data, sizeof ev);
    const int type = ev.u.u.type & 0x7f;
    const unsigned char detail = ev.u.u.detail;
    e.pos = {ev.u.keyButtonPointer.rootX, ev.u.keyButtonPointer.rootY};
    switch (type) {
    case MotionNotify:
        e.kind = DesktopEvent::MouseMove;
        return !injected_.take(type, unsigned(e.pos.x) << 16 | unsigned(e.pos.y));
    case ButtonPress:
    case ButtonRelease:
        if (injected_.take(type, detail)) return false;
        if (detail == Button4 || detail == Button5) {  // one notch of the wheel
            e.kind = DesktopEvent::Wheel;
            e.wheel = detail == Button4 ? WHEEL_DELTA : -WHEEL_DELTA;
            return type == ButtonPress;
        }
        if (detail < Button1 || detail > Button3) return false;
        e.kind = type == ButtonPress ? DesktopEvent::ButtonDown : DesktopEvent::ButtonUp;
        e.button = detail == Button1 ? DesktopEvent::Left : detail == Button2 ? DesktopEvent::Middle : DesktopEvent::Right;
        return true;
    case KeyPress:
    case KeyRelease:
        onKey(detail, type == KeyPress, e);  // ours too: they change what is held
        return !injected_.take(type, detail);
    default: return false;
    }
}

// A client changed the symbols of keycodes (core request): keep them for the
// key events that follow it in the data.
void X11Record::onKeymapRequest(const unsigned char* data, int length) {
    if (length < 8 || data[0] != X_ChangeKeyboardMapping) return;
    const int count = data[1], first = data[4], perKey = data[5];
    if (8 + count * perKey * 4 > length) return;
    for (int k = 0; k < count; ++k) {
        QVector<unsigned long> syms;
        for (int i = 0; i < perKey; ++i) {
            quint32 ks;
            std::memcpy(&ks, data + 8 + (k * perKey + i) * 4, 4);
            syms << ks;
        }
        changed_.insert((unsigned char)(first + k), syms);
    }
}

void X11Record::onKey(unsigned char keycode, bool down, DesktopEvent& e) {
    e.kind = down ? DesktopEvent::KeyDown : DesktopEvent::KeyUp;
    e.repeat = down && held_.contains(keycode);
    uint8_t scan = 0;
    if (scanOfKeycode(keycode, scan, e.extended)) e.scanCode = scan;
    XkbDescPtr xkb = keymap();
    auto modifiersOf = [xkb](unsigned char kc) -> unsigned { return xkb && xkb->map ? xkb->map->modmap[kc] : 0; };
    const KeySym own = keysymOf(keycode, 0);
    if (!down) {
        held_.remove(keycode);
        return;
    }
    if (!e.repeat && isLockKey(own)) locked_ ^= modifiersOf(keycode);
    held_.insert(keycode);
    unsigned mods = locked_;
    for (unsigned char kc : std::as_const(held_))
        if (kc != keycode && !isLockKey(keysymOf(kc, 0))) mods |= modifiersOf(kc);
    if (const char32_t c = characterOf(keysymOf(keycode, mods))) e.text = QString::fromUcs4(&c, 1);
}

// The keymap of the server, read again when it changed.
_XkbDesc* X11Record::keymap() {
    bool changed = false;
    while (XPending(control_)) {
        XEvent ev;
        XNextEvent(control_, &ev);
        changed |= ev.type == MappingNotify || (xkbEventBase_ >= 0 && ev.type == xkbEventBase_);
    }
    if (changed && keymap_) {
        XkbFreeKeyboard(keymap_, 0, True);
        keymap_ = nullptr;
    }
    if (!keymap_) keymap_ = XkbGetMap(control_, XkbAllClientInfoMask, XkbUseCoreKbd);
    return keymap_;
}

// The symbol a key gives with those modifiers, in the active group.
unsigned long X11Record::keysymOf(unsigned char keycode, unsigned mods) {
    if (const auto it = changed_.constFind(keycode); it != changed_.cend()) {
        // A keycode lent to one symbol stands for that symbol, whatever the
        // modifiers (the core rules would give "É" lent alone as "é").
        const KeySym unshifted = it->value(0), shifted = it->value(1);
        if (!shifted || shifted == unshifted) return unshifted;
        KeySym lower, upper, ks = (mods & ShiftMask) ? shifted : unshifted;
        if (mods & LockMask) XConvertCase(ks, &lower, &upper), ks = upper;
        return ks;
    }
    XkbDescPtr xkb = keymap();
    if (!xkb) return NoSymbol;
    XkbStateRec state;
    const int group = XkbGetState(control_, XkbUseCoreKbd, &state) == Success ? state.group : 0;
    unsigned consumed = 0;
    KeySym ks = NoSymbol;
    XkbTranslateKeyCode(xkb, keycode, XkbBuildCoreState(mods, group), &consumed, &ks);
    return ks;
}

// ---- The platform's watch -------------------------------------------------

bool X11Platform::CanWatchDesktopEvents() { return X11Record::available(dpy_); }

bool X11Platform::WatchDesktopEvents(std::function<void(const DesktopEvent&)> handler) {
    record_.reset();
    if (!handler) return true;
    record_ = X11Record::open(DisplayString(dpy_), injected_, [this, handler = std::move(handler)](DesktopEvent e) {
        if (e.scanCode) e.vk = uint8_t(MapVirtualKey(unsigned(e.scanCode), 1));
        handler(e);
    });
    return record_ != nullptr;
}

}  // namespace platform
