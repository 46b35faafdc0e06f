// Windows: the window tree, EWMH client lists and properties, the foreground window.
#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include <algorithm>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform {

namespace {

// Reads a property of `type` in `format` (8 or 32) and hands its items to `use`.
template <class Use>
bool readProperty(Display* d, Window w, Atom property, Atom type, int format, Use use) {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 1 << 16, False, type, &actualType, &actualFormat, &count,
                           &after, &data) != Success)
        return false;
    const bool ok = actualType == type && actualFormat == format;
    if (ok) use(data, count);
    if (data) XFree(data);
    return ok;
}

}  // namespace

bool X11Platform::longProperty(XID w, XID property, XID type, QVector<XID>& out) {
    out.clear();
    return readProperty(dpy_, w, property, type, 32, [&](const unsigned char* data, unsigned long count) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);  // format 32 comes as longs
        out = QVector<XID>(values, values + count);
    });
}

bool X11Platform::byteProperty(XID w, XID property, XID type, QByteArray& out) {
    out.clear();
    return readProperty(dpy_, w, property, type, 8, [&](const unsigned char* data, unsigned long count) {
        out = QByteArray(reinterpret_cast<const char*>(data), int(count));
    });
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
    const QRect outer = w ? outerRect(w) : QRect();
    if (outer.isValid()) rect = outer;
    return outer.isValid();
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
        sendToRoot(target, atoms_.activeWindow, {2, CurrentTime});  // source: a pager, which window managers obey
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

HWND X11Platform::WindowFromPoint(POINT p) {
    XID found = root_;
    for (;;) {
        int x, y;
        Window child = None;
        if (!XTranslateCoordinates(dpy_, root_, found, p.x, p.y, &x, &y, &child) || child == None) break;
        found = child;
    }
    return found == root_ ? 0 : found;
}

}  // namespace platform
