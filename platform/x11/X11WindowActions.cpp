// Window actions: states (EWMH and ICCCM), places, titles, closing.
#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include <csignal>
#include <unistd.h>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform {

namespace {
constexpr long kSourcePager = 2;  // window managers obey pagers without second thoughts
constexpr long kNetStateRemove = 0, kNetStateAdd = 1;
constexpr int kSettleMs = 1000;  // how long SetWindowPos waits for the window manager
}  // namespace

bool X11Platform::netSupports(XID atom) {
    QVector<XID> supported;
    return longProperty(root_, atoms_.supported, XA_ATOM, supported) && supported.contains(atom);
}

bool X11Platform::sendClientMessage(XID to, long mask, XID window, XID type, std::initializer_list<long> data) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = type;
    ev.xclient.format = 32;
    int i = 0;
    for (long l : data) ev.xclient.data.l[i++] = l;
    return XSendEvent(dpy_, to, False, mask, &ev) != 0;
}

void X11Platform::sendToRoot(XID window, XID type, std::initializer_list<long> data) {
    sendClientMessage(root_, SubstructureRedirectMask | SubstructureNotifyMask, window, type, data);
}

void X11Platform::changeNetState(XID client, bool add, XID state1, XID state2) {
    sendToRoot(client, atoms_.netWmState,
               {add ? kNetStateAdd : kNetStateRemove, long(state1), long(state2), kSourcePager});
}

bool X11Platform::hasNetState(XID client, XID state) {
    QVector<XID> states;
    return longProperty(client, atoms_.netWmState, XA_ATOM, states) && states.contains(state);
}

// ICCCM WM_STATE: 0 withdrawn, 1 normal, 3 iconic.
long X11Platform::wmStateOf(XID client) {
    QVector<XID> state;
    return longProperty(client, atoms_.wmState, atoms_.wmState, state) && !state.isEmpty() ? long(state[0]) : 0;
}

// The window itself on the screen, without the frame.
QRect X11Platform::ownRect(XID w) {
    XWindowAttributes a;
    int x = 0, y = 0;
    Window child;
    if (!w || !XGetWindowAttributes(dpy_, w, &a) || !XTranslateCoordinates(dpy_, w, root_, 0, 0, &x, &y, &child))
        return QRect();
    return QRect(x, y, a.width, a.height);
}

bool X11Platform::IsWindowVisible(HWND w) {
    XWindowAttributes a;
    if (!w || !XGetWindowAttributes(dpy_, w, &a)) return false;
    return a.map_state == IsViewable || IsIconic(w);
}

bool X11Platform::IsIconic(HWND w) {
    const XID client = topLevelOf(w);
    return client && (wmStateOf(client) == IconicState || hasNetState(client, atoms_.hidden));
}

bool X11Platform::IsZoomed(HWND w) {
    const XID client = topLevelOf(w);
    return client && hasNetState(client, atoms_.maximizedVert) && hasNetState(client, atoms_.maximizedHorz);
}

bool X11Platform::ShowWindow(HWND w, int command) {
    const XID client = IsWindow(w) ? topLevelOf(w) : 0;
    if (!client) return false;
    auto deiconify = [&] {
        XMapWindow(dpy_, client);
        if (netSupports(atoms_.activeWindow)) sendToRoot(client, atoms_.activeWindow, {kSourcePager, CurrentTime});
    };
    bool done = true;
    switch (command) {
        case SW_SHOWMINIMIZED:
            done = XIconifyWindow(dpy_, client, screen_) != 0;
            break;
        case SW_SHOWMAXIMIZED:
            if (IsIconic(client)) deiconify();
            done = netSupports(atoms_.netWmState);
            if (done) changeNetState(client, true, atoms_.maximizedVert, atoms_.maximizedHorz);
            break;
        case SW_SHOWNORMAL:
            if (IsIconic(client)) deiconify();
            if (IsZoomed(client)) changeNetState(client, false, atoms_.maximizedVert, atoms_.maximizedHorz);
            break;
        default:
            done = false;
    }
    Flush();
    return done;
}

QMargins X11Platform::frameOf(XID w) {
    QVector<XID> frame;  // left, right, top, bottom
    if (!longProperty(w, atoms_.frameExtents, XA_CARDINAL, frame) || frame.size() != 4) return QMargins();
    return QMargins(int(frame[0]), int(frame[2]), int(frame[1]), int(frame[3]));
}

// The window's place on the screen with the frame around it.
QRect X11Platform::outerRect(XID w) {
    const QRect own = ownRect(w);
    return own.isValid() ? own.marginsAdded(frameOf(w)) : own;
}

// x, y, cx, cy give the outer rectangle, the frame included, as
// GetWindowRect reads it. A managed window is placed through the window
// manager with north-west gravity, so that x, y is the frame's corner (the
// ICCCM default when the manager takes no EWMH request); others directly.
// Where the window lands is measured, and a position off (some managers are
// a pixel off) is asked again, corrected.
bool X11Platform::SetWindowPos(HWND w, int x, int y, int cx, int cy, uint32_t flags) {
    const QRect before = IsWindow(w) ? outerRect(w) : QRect();
    if (!before.isValid()) return false;
    const bool move = !(flags & SWP_NOMOVE), size = !(flags & SWP_NOSIZE);
    const QRect wanted(move ? QPoint(x, y) : before.topLeft(), size ? QSize(cx, cy) : before.size());
    const QSize inside = wanted.marginsRemoved(frameOf(w)).size();
    if (inside.width() < 1 || inside.height() < 1) return false;
    const bool managed = isClient(w);
    auto request = [&](QPoint corner) {
        if (managed && netSupports(atoms_.moveResize)) {
            constexpr long kNorthWestGravity = 1;
            const long which = (move ? (1L << 8) | (1L << 9) : 0) | (size ? (1L << 10) | (1L << 11) : 0);
            sendToRoot(w, atoms_.moveResize,
                       {kNorthWestGravity | which | (kSourcePager << 12), corner.x(), corner.y(), inside.width(),
                        inside.height()});
        } else {
            const XID parent = parentOf(w);
            Window child;
            if (!managed && parent && parent != root_)  // a child window: in its parent's coordinates
                XTranslateCoordinates(dpy_, root_, parent, corner.x(), corner.y(), &corner.rx(), &corner.ry(), &child);
            XMoveResizeWindow(dpy_, w, corner.x(), corner.y(), unsigned(inside.width()), unsigned(inside.height()));
        }
        Flush();
    };
    // Until the window is where it was asked, or has moved and settled.
    auto settle = [&](const QRect& from) {
        for (int waited = 0; waited < kSettleMs; waited += 10) {
            const QRect now = outerRect(w);
            if (now == wanted) return now;
            if (now != from) {
                pause(50);
                return outerRect(w);
            }
            pause(10);
        }
        return outerRect(w);
    };
    request(wanted.topLeft());
    const QRect landed = settle(before);
    const QPoint off = landed.topLeft() - wanted.topLeft();
    if (landed.isValid() && !off.isNull() && off.manhattanLength() < 64) {
        request(wanted.topLeft() - off);
        settle(landed);
    }
    return true;
}

bool X11Platform::SetWindowText(HWND w, const QString& text) {
    if (!IsWindow(w)) return false;
    QByteArray utf8 = text.toUtf8();
    XChangeProperty(dpy_, w, atoms_.wmName, atoms_.utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()));
    char* list[] = {utf8.data()};
    XTextProperty prop{};
    if (Xutf8TextListToTextProperty(dpy_, list, 1, XStdICCTextStyle, &prop) >= Success) {
        XSetWMName(dpy_, w, &prop);
        XFree(prop.value);
    }
    Flush();
    return true;
}

// WM_CLOSE: the ICCCM delete request when the window takes it, else the
// connection of its client is closed. WM_QUIT: its process is ended, or the
// connection closed when the process is not on this machine.
bool X11Platform::PostMessage(HWND w, unsigned message) {
    const XID client = IsWindow(w) ? topLevelOf(w) : 0;
    if (!client) return false;
    if (message == WM_CLOSE) {
        QVector<XID> protocols;
        if (longProperty(client, atoms_.wmProtocols, XA_ATOM, protocols) && protocols.contains(atoms_.deleteWindow))
            sendClientMessage(client, NoEventMask, client, atoms_.wmProtocols,
                              {long(atoms_.deleteWindow), CurrentTime});
        else
            XKillClient(dpy_, client);
    } else if (message == WM_QUIT) {
        const qint64 pid = GetWindowThreadProcessId(client);
        QByteArray machine;
        char host[256] = {};
        gethostname(host, sizeof host - 1);
        const bool local = !byteProperty(client, XA_WM_CLIENT_MACHINE, XA_STRING, machine) || machine == host;
        if (pid > 0 && local) {
            if (kill(pid_t(pid), SIGTERM) != 0) return false;
        } else {
            XKillClient(dpy_, client);
        }
    } else {
        return false;
    }
    Flush();
    return true;
}

}  // namespace platform
