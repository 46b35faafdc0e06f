// The connection: opening it, its error handler, and the events we read on it.
#include "platform/x11/X11Platform.h"

#include "platform/DisplayLost.h"

#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11Record.h"
#include "platform/x11/X11Internal.h"

#include <QtDebug>

#include <iterator>
#include <map>
#include <mutex>
#include <utility>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace platform {

namespace {

// A window may vanish between two requests, so BadWindow and friends are
// expected on our connections: the failing call already says so by its return
// value, or the caller asks for the error code. Errors on other connections go
// on to the handler that was there.
std::mutex handlerMutex;
std::map<Display*, int> ourDisplays;  // connection -> last error code
XErrorHandler previousHandler = nullptr;

int onXError(Display* d, XErrorEvent* e) {
    {
        std::lock_guard lock(handlerMutex);
        if (auto it = ourDisplays.find(d); it != ourDisplays.end()) {
            it->second = e->error_code;
            return 0;
        }
    }
    return previousHandler ? previousHandler(d, e) : 0;
}

}  // namespace

void watchErrors(_XDisplay* d, bool on) {
    std::lock_guard lock(handlerMutex);
    if (!on) {
        ourDisplays.erase(d);
        return;
    }
    XErrorHandler old = XSetErrorHandler(onXError);
    if (old != onXError) previousHandler = old;
    ourDisplays[d] = 0;
    watchLoss(d);
}

int takeError(_XDisplay* d) {
    std::lock_guard lock(handlerMutex);
    const auto it = ourDisplays.find(d);
    if (it == ourDisplays.end()) return 0;
    return std::exchange(it->second, 0);
}

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
                           "_NET_FRAME_EXTENTS", "WM_STATE", "_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_VERT",
                           "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_HIDDEN", "_NET_MOVERESIZE_WINDOW",
                           "WM_PROTOCOLS", "WM_DELETE_WINDOW", "_ORVANEL_MESSAGE", "_ORVANEL_MESSAGE_DONE",
                           "_ORVANEL_MESSAGE_TEXT"};
    constexpr int kAtoms = int(std::size(names));
    static_assert(kAtoms * sizeof(XID) == sizeof(Atoms));
    Atom a[kAtoms];
    XInternAtoms(dpy_, const_cast<char**>(names), kAtoms, False, a);
    atoms_ = {a[0],  a[1],  a[2],  a[3],  a[4],  a[5],  a[6],  a[7],  a[8], a[9],
              a[10], a[11], a[12], a[13], a[14], a[15], a[16], a[17], a[18]};

    int opcode, error, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (XkbQueryExtension(dpy_, &opcode, &xkbEventBase_, &error, &major, &minor)) {
        const unsigned mask = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
        XkbSelectEvents(dpy_, XkbUseCoreKbd, mask, mask);  // to know when the keymap changes
    } else {
        xkbEventBase_ = -1;
    }
    watchProgramMessages(true);
    int eventBase, errorBase;
    if (!XTestQueryExtension(dpy_, &eventBase, &errorBase, &major, &minor))
        qWarning("X11Platform: no XTest extension on this display, input cannot be injected");
}

X11Platform::~X11Platform() {
    watchProgramMessages(false);
    messageHandler_ = nullptr;
    hotKeys_.reset();
    if (DisplayLost()) return;  // nothing is said to a server that is gone
    record_.reset();
    for (unsigned char kc : std::as_const(pressed_)) {
        fakeKey(kc, false);
        noteKeyEvent(kc, false);
    }
    pressed_.clear();
    for (unsigned char kc : std::as_const(scanPressed_)) {
        fakeKey(kc, false);
        noteKeyEvent(kc, false);
    }
    restoreLentKeys();
    forgetKeymap();
    if (namesKeymap_) XkbFreeKeyboard(namesKeymap_, 0, True);
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

}  // namespace platform
