#include "platform/x11/X11Platform.h"

#include "platform/VirtualKeys.h"

#include <QClipboard>
#include <QProcess>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QThread>
#include <QtDebug>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

namespace platform {

namespace {

// A window may vanish between two requests, so BadWindow and friends are
// expected on our connections: the failing call already says so by its return
// value. Errors on other connections go on to the handler that was there.
std::mutex handlerMutex;
std::set<Display*> ourDisplays;
XErrorHandler previousHandler = nullptr;

int onXError(Display* d, XErrorEvent* e) {
    {
        std::lock_guard lock(handlerMutex);
        if (ourDisplays.count(d)) return 0;
    }
    return previousHandler ? previousHandler(d, e) : 0;
}

void watchErrors(Display* d, bool on) {
    std::lock_guard lock(handlerMutex);
    if (!on) {
        ourDisplays.erase(d);
        return;
    }
    XErrorHandler old = XSetErrorHandler(onXError);
    if (old != onXError) previousHandler = old;
    ourDisplays.insert(d);
}

// The keysyms a virtual key may be typed with, preferred first.
QVector<KeySym> keysymsFor(uint8_t vk) {
    switch (vk) {
    case VK_SHIFT: return {XK_Shift_L, XK_Shift_R};
    case VK_CONTROL: return {XK_Control_L, XK_Control_R};
    case VK_MENU: return {XK_Alt_L, XK_Alt_R};
    case VK_RMENU: return {XK_Alt_R, XK_ISO_Level3_Shift};  // AltGr
    default:
        if (KeySym ks = keysymForVirtualKey(vk)) return {ks};
        return {};
    }
}

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

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace

std::unique_ptr<Platform> openX11Platform() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return nullptr;
    return std::make_unique<X11Platform>(d);
}

X11Platform::X11Platform(_XDisplay* display) : dpy_(display) {
    watchErrors(dpy_, true);
    screen_ = DefaultScreen(dpy_);
    root_ = RootWindow(dpy_, screen_);

    const char* names[] = {"_NET_CLIENT_LIST", "_NET_CLIENT_LIST_STACKING", "_NET_ACTIVE_WINDOW",
                           "_NET_SUPPORTED", "_NET_WM_NAME", "UTF8_STRING", "_NET_WM_PID",
                           "_NET_FRAME_EXTENTS", "WM_STATE"};
    Atom a[9];
    XInternAtoms(dpy_, const_cast<char**>(names), 9, False, a);
    atoms_ = {a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]};

    int opcode, error, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (XkbQueryExtension(dpy_, &opcode, &xkbEventBase_, &error, &major, &minor)) {
        const unsigned mask = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(dpy_, XkbUseCoreKbd, mask, mask);  // to know when the keymap changes
    } else {
        xkbEventBase_ = -1;
    }
    int eventBase, errorBase;
    if (!XTestQueryExtension(dpy_, &eventBase, &errorBase, &major, &minor))
        qWarning("X11Platform: no XTest extension on this display, input cannot be injected");
}

X11Platform::~X11Platform() {
    for (unsigned char kc : std::as_const(pressed_)) XTestFakeKeyEvent(dpy_, kc, False, CurrentTime);
    pressed_.clear();
    restoreLentKeys();
    forgetKeymap();
    XCloseDisplay(dpy_);
    watchErrors(dpy_, false);
}

void X11Platform::Flush() {
    XSync(dpy_, False);
    drainEvents();
}

void X11Platform::drainEvents() {
    while (XPending(dpy_)) {
        XEvent ev;
        XNextEvent(dpy_, &ev);
        if (ev.type == MappingNotify || (xkbEventBase_ >= 0 && ev.type == xkbEventBase_)) forgetKeymap();
    }
}

// ---- Mouse ----------------------------------------------------------------

QSize X11Platform::screenSize() {
    Window r;
    int x, y;
    unsigned w = 0, h = 0, border, depth;
    XGetGeometry(dpy_, root_, &r, &x, &y, &w, &h, &border, &depth);
    return QSize(int(w), int(h));
}

bool X11Platform::SetCursorPos(int x, int y) {
    const QSize s = screenSize();
    XTestFakeMotionEvent(dpy_, screen_, std::clamp(x, 0, s.width() - 1),
                         std::clamp(y, 0, s.height() - 1), CurrentTime);
    Flush();
    return true;
}

POINT X11Platform::GetCursorPos() {
    Window r, child;
    int rx = 0, ry = 0, wx, wy;
    unsigned mask;
    XQueryPointer(dpy_, root_, &r, &child, &rx, &ry, &wx, &wy, &mask);
    return {rx, ry};
}

void X11Platform::mouse_event(uint32_t flags, int dx, int dy, int data) {
    if (flags & MOUSEEVENTF_MOVE) {
        const QSize s = screenSize();
        int x, y;
        if (flags & MOUSEEVENTF_ABSOLUTE) {  // 0..65535 spans the first..last pixel
            x = int(std::lround(dx * (s.width() - 1) / 65535.0));
            y = int(std::lround(dy * (s.height() - 1) / 65535.0));
        } else {
            const POINT p = GetCursorPos();
            x = p.x + dx;
            y = p.y + dy;
        }
        XTestFakeMotionEvent(dpy_, screen_, std::clamp(x, 0, s.width() - 1),
                             std::clamp(y, 0, s.height() - 1), CurrentTime);
    }
    const struct { uint32_t flag; unsigned button; bool down; } buttons[] = {
        {MOUSEEVENTF_LEFTDOWN, Button1, true},   {MOUSEEVENTF_LEFTUP, Button1, false},
        {MOUSEEVENTF_RIGHTDOWN, Button3, true},  {MOUSEEVENTF_RIGHTUP, Button3, false},
        {MOUSEEVENTF_MIDDLEDOWN, Button2, true}, {MOUSEEVENTF_MIDDLEUP, Button2, false},
    };
    unsigned wantDown = 0, wantUp = 0;  // button masks
    for (const auto& b : buttons) {
        if (!(flags & b.flag)) continue;
        XTestFakeButtonEvent(dpy_, b.button, b.down, CurrentTime);
        const unsigned mask = Button1Mask << (b.button - 1);
        (b.down ? wantDown : wantUp) |= mask;
        (b.down ? wantUp : wantDown) &= ~mask;
    }
    if (flags & MOUSEEVENTF_WHEEL) {  // one click of button 4 (up) or 5 (down) per notch
        wheelRemainder_ += data;
        while (std::abs(wheelRemainder_) >= WHEEL_DELTA) {
            const bool up = wheelRemainder_ > 0;
            XTestFakeButtonEvent(dpy_, up ? Button4 : Button5, True, CurrentTime);
            XTestFakeButtonEvent(dpy_, up ? Button4 : Button5, False, CurrentTime);
            wheelRemainder_ += up ? -WHEEL_DELTA : WHEEL_DELTA;
        }
    }
    Flush();
    if (wantDown | wantUp)
        settle([&] {
            const unsigned mask = buttonMask();
            return (mask & wantDown) == wantDown && !(mask & wantUp);
        });
}

unsigned X11Platform::buttonMask() {
    Window r, child;
    int rx, ry, wx, wy;
    unsigned mask = 0;
    XQueryPointer(dpy_, root_, &r, &child, &rx, &ry, &wx, &wy, &mask);
    return mask;
}

// A client holding a synchronous grab (the window manager, for click-to-focus)
// freezes input until it lets go, so the server may apply an injected event a
// little later. Waits for that, briefly, so that what follows sees the new state.
void X11Platform::settle(const std::function<bool()>& done) {
    for (int waited = 0; waited < 250 && !done(); waited += 5) pause(5);
}

// ---- Keyboard -------------------------------------------------------------

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

void X11Platform::keybd_event(uint8_t vk, uint8_t /*scan*/, uint32_t flags) {
    const bool up = flags & KEYEVENTF_KEYUP;
    unsigned char kc = 0;
    if (pressed_.contains(vk)) {  // released (or repeated) on the keycode it went down on
        kc = up ? pressed_.take(vk) : pressed_.value(vk);
    } else {
        const QVector<KeySym> syms = keysymsFor(vk);
        if (syms.isEmpty()) return;
        const int group = activeGroup();
        for (KeySym ks : syms)
            if (!kc) kc = findKeycode(ks, group, false);
        for (KeySym ks : syms)
            if (!kc && IsModifierKey(ks)) kc = findKeycode(ks, group, true);
        if (!kc && !up) kc = lendKeycode(syms.first());
        if (!kc) return;
        if (!up) pressed_.insert(vk, kc);
    }
    if (auto it = lent_.find(kc); it != lent_.end()) {
        it->down = !up;
        it->lastUse = ++useCounter_;
    }
    XTestFakeKeyEvent(dpy_, kc, up ? False : True, CurrentTime);
    Flush();
    settle([&] {
        char keys[32];
        XQueryKeymap(dpy_, keys);
        return bool((keys[kc / 8] >> (kc % 8)) & 1) != up;
    });
}

bool X11Platform::IsKeyDown(uint8_t vk) {
    if (vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON)
        return buttonMask() & (vk == VK_LBUTTON ? Button1Mask : vk == VK_RBUTTON ? Button3Mask : Button2Mask);
    const QVector<KeySym> syms = keysymsFor(vk);
    if (syms.isEmpty()) return false;
    char keys[32];
    XQueryKeymap(dpy_, keys);
    auto down = [&](int kc) { return (keys[kc / 8] >> (kc % 8)) & 1; };
    if (pressed_.contains(vk) && down(pressed_.value(vk))) return true;
    XkbDescPtr xkb = keymap();
    if (!xkb) {
        for (KeySym ks : syms)
            if (int kc = XKeysymToKeycode(dpy_, ks); kc && down(kc)) return true;
        return false;
    }
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
        if (!down(kc)) continue;
        for (int g = 0; g < XkbKeyNumGroups(xkb, kc); ++g)
            if (syms.contains(XkbKeySymEntry(xkb, kc, 0, g))) return true;
    }
    return false;
}

bool X11Platform::IsKeyToggled(uint8_t vk) {
    const KeySym ks = vk == VK_CAPITAL ? XK_Caps_Lock : vk == VK_NUMLOCK ? XK_Num_Lock
                    : vk == VK_SCROLL  ? XK_Scroll_Lock : NoSymbol;
    XkbStateRec state;
    if (ks == NoSymbol || XkbGetState(dpy_, XkbUseCoreKbd, &state) != Success) return false;
    const unsigned mask = ks == XK_Caps_Lock ? LockMask : XkbKeysymToModifiers(dpy_, ks);
    return mask && (state.locked_mods & mask);
}

// ---- Display mode (XRandR) and power ----------------------------------------

DisplayMode X11Platform::GetDisplayMode() {
    const int depth = DefaultDepth(dpy_, screen_);
    int bits = depth, count = 0;
    if (XPixmapFormatValues* formats = XListPixmapFormats(dpy_, &count)) {
        for (int i = 0; i < count; ++i)
            if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
        XFree(formats);
    }
    const QSize size = screenSize();
    return {size.width(), size.height(), bits};
}

// X keeps its colour depth: only modes of the present depth exist.
int X11Platform::ChangeDisplaySettings(const DisplayMode& mode, bool test) {
    if (mode.bitsPerPixel != GetDisplayMode().bitsPerPixel) return DISP_CHANGE_BADMODE;
    int eventBase, errorBase;
    if (!XRRQueryExtension(dpy_, &eventBase, &errorBase)) return DISP_CHANGE_FAILED;
    XRRScreenConfiguration* config = XRRGetScreenInfo(dpy_, root_);
    if (!config) return DISP_CHANGE_FAILED;
    int count = 0, index = -1;
    XRRScreenSize* sizes = XRRConfigSizes(config, &count);
    for (int i = 0; i < count; ++i)
        if (sizes[i].width == mode.width && sizes[i].height == mode.height) index = i;
    int result = index < 0 ? DISP_CHANGE_BADMODE : DISP_CHANGE_SUCCESSFUL;
    if (index >= 0 && !test) {
        Rotation rotation;
        XRRConfigCurrentConfiguration(config, &rotation);
        if (XRRSetScreenConfig(dpy_, config, root_, index, rotation, CurrentTime) != Success)
            result = DISP_CHANGE_FAILED;
        XSync(dpy_, False);
    }
    XRRFreeScreenConfigInfo(config);
    return result;
}

bool X11Platform::SetSystemPowerState(bool suspend, bool force) {
    Q_UNUSED(force);
    return QProcess::execute(QStringLiteral("systemctl"),
                             {suspend ? QStringLiteral("suspend") : QStringLiteral("hibernate")}) == 0;
}

// ---- Window tree ---------------------------------------------------------

bool X11Platform::longProperty(XID w, XID property, XID type, QVector<XID>& out) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    out.clear();
    if (XGetWindowProperty(dpy_, w, property, 0, 1 << 16, False, type, &actualType, &format, &count,
                           &after, &data) != Success)
        return false;
    const bool ok = actualType == type && format == 32;
    if (ok) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);  // format 32 comes as longs
        out = QVector<XID>(values, values + count);
    }
    if (data) XFree(data);
    return ok;
}

bool X11Platform::byteProperty(XID w, XID property, XID type, QByteArray& out) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    out.clear();
    if (XGetWindowProperty(dpy_, w, property, 0, 1 << 16, False, type, &actualType, &format, &count,
                           &after, &data) != Success)
        return false;
    const bool ok = actualType == type && format == 8;
    if (ok) out = QByteArray(reinterpret_cast<const char*>(data), int(count));
    if (data) XFree(data);
    return ok;
}

bool X11Platform::isClient(XID w) {
    Atom type = None;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    const bool ok = XGetWindowProperty(dpy_, w, atoms_.wmState, 0, 0, False, AnyPropertyType, &type,
                                       &format, &count, &after, &data) == Success;
    if (data) XFree(data);
    return ok && type != None;
}

XID X11Platform::parentOf(XID w) {
    Window r = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy_, w, &r, &parent, &children, &n)) return 0;
    if (children) XFree(children);
    return parent;
}

// The top-level window holding w: a managed client, or a child of the root.
XID X11Platform::topLevelOf(XID w) {
    while (w && w != root_ && !isClient(w)) {
        const XID parent = parentOf(w);
        if (parent == root_) return w;
        w = parent;
    }
    return w == root_ ? 0 : w;
}

XID X11Platform::focusedTopLevel() {
    Window focus = None;
    int revert;
    XGetInputFocus(dpy_, &focus, &revert);
    if (focus == None || focus == PointerRoot || focus == root_) return 0;
    return topLevelOf(focus);
}

QVector<HWND> X11Platform::EnumWindows() {
    QVector<XID> list;
    if (longProperty(root_, atoms_.clientListStacking, XA_WINDOW, list)) {
        std::reverse(list.begin(), list.end());  // topmost first
    } else if (!longProperty(root_, atoms_.clientList, XA_WINDOW, list)) {
        Window r, parent, *children = nullptr;
        unsigned n = 0;
        if (XQueryTree(dpy_, root_, &r, &parent, &children, &n)) {
            for (unsigned i = n; i-- > 0;) {
                XWindowAttributes a;
                if (XGetWindowAttributes(dpy_, children[i], &a) && a.map_state == IsViewable)
                    list << children[i];
            }
            if (children) XFree(children);
        }
    }
    return QVector<HWND>(list.begin(), list.end());
}

void X11Platform::addDescendants(XID w, QVector<HWND>& out) {
    Window r, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy_, w, &r, &parent, &children, &n)) return;
    const QVector<XID> kids(children, children + n);
    if (children) XFree(children);
    for (qsizetype i = kids.size(); i-- > 0;) {  // topmost first, depth first
        out << kids[i];
        addDescendants(kids[i], out);
    }
}

QVector<HWND> X11Platform::EnumChildWindows(HWND parent) {
    if (parent == 0) return EnumWindows();
    QVector<HWND> out;
    addDescendants(parent, out);
    return out;
}

QString X11Platform::GetClassName(HWND w) {
    XClassHint hint{};
    if (!w || !XGetClassHint(dpy_, w, &hint)) return QString();
    const QString name = QString::fromLatin1(hint.res_class);
    if (hint.res_name) XFree(hint.res_name);
    if (hint.res_class) XFree(hint.res_class);
    return name;
}

QString X11Platform::GetWindowText(HWND w) {
    if (!w) return QString();
    QByteArray utf8;
    if (byteProperty(w, atoms_.wmName, atoms_.utf8String, utf8)) return QString::fromUtf8(utf8);
    XTextProperty prop{};
    if (!XGetWMName(dpy_, w, &prop) || !prop.value) return QString();
    QString text;
    if (prop.encoding == XA_STRING) {
        text = QString::fromLatin1(reinterpret_cast<const char*>(prop.value), int(prop.nitems));
    } else if (prop.encoding == atoms_.utf8String) {
        text = QString::fromUtf8(reinterpret_cast<const char*>(prop.value), int(prop.nitems));
    } else {  // COMPOUND_TEXT and the like
        char** list = nullptr;
        int count = 0;
        if (Xutf8TextPropertyToTextList(dpy_, &prop, &list, &count) >= Success && count > 0)
            text = QString::fromUtf8(list[0]);
        if (list) XFreeStringList(list);
    }
    XFree(prop.value);
    return text;
}

// Screen coordinates; a managed window's rect includes its frame.
bool X11Platform::GetWindowRect(HWND w, QRect& rect) {
    XWindowAttributes a;
    if (!w || !XGetWindowAttributes(dpy_, w, &a)) return false;
    int x = 0, y = 0;
    Window child;
    if (!XTranslateCoordinates(dpy_, w, root_, 0, 0, &x, &y, &child)) return false;
    rect = QRect(x, y, a.width, a.height);
    QVector<XID> frame;  // left, right, top, bottom
    if (longProperty(w, atoms_.frameExtents, XA_CARDINAL, frame) && frame.size() == 4)
        rect.adjust(-int(frame[0]), -int(frame[2]), int(frame[1]), int(frame[3]));
    return true;
}

// 0 for top-level windows: a client's X parent is the window manager's frame.
HWND X11Platform::GetParent(HWND w) {
    if (!w || isClient(w)) return 0;
    const XID parent = parentOf(w);
    return parent == root_ ? 0 : parent;
}

qint64 X11Platform::GetWindowThreadProcessId(HWND w) {
    for (XID cur = w; cur && cur != root_; cur = parentOf(cur)) {
        QVector<XID> pid;
        if (longProperty(cur, atoms_.wmPid, XA_CARDINAL, pid) && !pid.isEmpty()) return qint64(pid[0]);
        if (isClient(cur)) break;  // above it is the window manager's frame
    }
    return 0;
}

HWND X11Platform::GetForegroundWindow() {
    QVector<XID> active;
    if (longProperty(root_, atoms_.activeWindow, XA_WINDOW, active)) return active.value(0);
    return focusedTopLevel();
}

bool X11Platform::SetForegroundWindow(HWND w) {
    if (!IsWindow(w)) return false;
    const XID target = topLevelOf(w);
    if (!target) return false;
    auto becomesActive = [&](int ms) {  // as GetForegroundWindow tells it
        for (int waited = 0;; waited += 10) {
            if (GetForegroundWindow() == target) return true;
            if (waited >= ms) return false;
            pause(10);
        }
    };
    QVector<XID> supported;
    if (longProperty(root_, atoms_.supported, XA_ATOM, supported) && supported.contains(atoms_.activeWindow)) {
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = target;
        ev.xclient.message_type = atoms_.activeWindow;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = 2;  // source: a pager, which window managers obey
        ev.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
        Flush();
        if (becomesActive(1000)) return true;
    }
    XRaiseWindow(dpy_, target);
    XSetInputFocus(dpy_, target, RevertToParent, CurrentTime);
    Flush();
    return becomesActive(500) || focusedTopLevel() == target;
}

bool X11Platform::IsWindow(HWND w) {
    XWindowAttributes a;
    return w && XGetWindowAttributes(dpy_, w, &a);
}

// ---- Screen ---------------------------------------------------------------

int X11Platform::GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return screenSize().width();
    case SM_CYSCREEN: return screenSize().height();
    default: return 0;
    }
}

// Parts of `rect` outside the screen come back black.
QImage X11Platform::CaptureScreen(const QRect& rect) {
    if (rect.isEmpty()) return QImage();
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRect part = rect & QRect(QPoint(0, 0), screenSize());
    if (part.isEmpty()) return image;
    XImage* xi = XGetImage(dpy_, root_, part.x(), part.y(), unsigned(part.width()),
                           unsigned(part.height()), AllPlanes, ZPixmap);
    if (!xi) return image;
    auto channel = [](unsigned long pixel, unsigned long mask) -> int {
        if (!mask) return 0;
        const int shift = __builtin_ctzl(mask);
        const unsigned long max = mask >> shift;
        return int(((pixel & mask) >> shift) * 255 / max);
    };
    const bool plain = xi->bits_per_pixel == 32 && xi->red_mask == 0xff0000 &&
                       xi->green_mask == 0xff00 && xi->blue_mask == 0xff &&
                       xi->byte_order == (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? LSBFirst : MSBFirst);
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(part.y() - rect.y() + y)) + (part.x() - rect.x());
        if (plain) {
            const auto* src = reinterpret_cast<const quint32*>(xi->data + y * xi->bytes_per_line);
            for (int x = 0; x < part.width(); ++x) line[x] = 0xff000000u | src[x];
        } else {
            for (int x = 0; x < part.width(); ++x) {
                const unsigned long p = XGetPixel(xi, x, y);
                line[x] = qRgb(channel(p, xi->red_mask), channel(p, xi->green_mask), channel(p, xi->blue_mask));
            }
        }
    }
    XDestroyImage(xi);
    return image;
}

// ---- Clipboard ------------------------------------------------------------

// Through Qt when there is a GUI application (on its thread), else in memory.
QString X11Platform::GetClipboardText() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return clipboard_;
    QString text;
    auto read = [&] { text = QGuiApplication::clipboard()->text(); };
    if (QThread::currentThread() == app->thread())
        read();
    else
        QMetaObject::invokeMethod(app, read, Qt::BlockingQueuedConnection);
    return text;
}

bool X11Platform::SetClipboardText(const QString& text) {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) {
        clipboard_ = text;
        return true;
    }
    auto write = [&] { QGuiApplication::clipboard()->setText(text); };
    if (QThread::currentThread() == app->thread())
        write();
    else
        QMetaObject::invokeMethod(app, write, Qt::BlockingQueuedConnection);
    return true;
}

}  // namespace platform
