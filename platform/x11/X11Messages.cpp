// Messages between our programs: a client message of type _ORVANEL_MESSAGE to
// the receiver's window. Data: message, wParam, lParam, the sender's window, a
// tag (serial << 1, plus 1 when a text goes with it). A sender that gives its
// window is answered by a message of type _ORVANEL_MESSAGE_DONE once the
// message is handled. A text is the property _ORVANEL_MESSAGE_TEXT of the
// sender's window, whose name the lParam carries: the same three atoms serve
// every message. Also global atoms as X atoms.
#include "platform/WindowMessages.h"
#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/xcb.h>

namespace platform {

// The messages reach this program's windows on the toolkit's own connection;
// the first platform opened reads them, however many are open.
class X11Platform::MessageFilter : public QAbstractNativeEventFilter {
public:
    explicit MessageFilter(X11Platform& p) : platform_(p) {}
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->format != 32 || client->type != platform_.atoms_.programMessage) return false;
        platform_.handleProgramMessage(client->window, client->data.data32);
        return true;
    }

private:
    X11Platform& platform_;
};

namespace {
QAbstractNativeEventFilter* filter = nullptr;
const X11Platform* filterOwner = nullptr;
}  // namespace

void X11Platform::watchProgramMessages(bool on) {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    if (on && !filter) {
        filter = new MessageFilter(*this);
        filterOwner = this;
        app->installNativeEventFilter(filter);
    } else if (!on && filterOwner == this) {
        app->removeNativeEventFilter(filter);
        delete filter;
        filter = nullptr;
        filterOwner = nullptr;
    }
}

// A window that names a class is a client's top-level window: the search
// does not go below it. Frames of the window manager are gone through.
void X11Platform::findProgramWindows(XID under, const QString& className, QVector<HWND>& found) {
    Window r, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy_, under, &r, &parent, &children, &n)) return;
    const QVector<XID> kids(children, children + n);
    if (children) XFree(children);
    for (XID w : kids) {
        XClassHint hint{};
        if (XGetClassHint(dpy_, w, &hint)) {
            if (hint.res_class && className == QLatin1String(hint.res_class)) found << w;
            if (hint.res_name) XFree(hint.res_name);
            if (hint.res_class) XFree(hint.res_class);
            continue;
        }
        findProgramWindows(w, className, found);
    }
}

QVector<HWND> X11Platform::FindProgramWindows(const QString& className) {
    QVector<HWND> found;
    findProgramWindows(root_, className, found);
    return found;
}

XID X11Platform::messageWindow() {
    if (!messageWindow_) {
        XSetWindowAttributes none{};
        messageWindow_ = XCreateWindow(dpy_, root_, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent, 0, &none);
    }
    return messageWindow_;
}

bool X11Platform::SendProgramMessage(HWND w, const ProgramMessage& m, int timeoutMs) {
    if (!IsWindow(w)) return false;
    const XID from = messageWindow();
    const bool withText = !m.text.isEmpty();
    messageSerial_ = (messageSerial_ + 1) & 0x3fffffff;
    const long tag = long(messageSerial_ << 1 | (withText ? 1 : 0));
    if (withText) {
        const QByteArray utf8 = m.text.toUtf8();
        XChangeProperty(dpy_, from, atoms_.programMessageText, atoms_.utf8String, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()));
    }
    sendClientMessage(w, NoEventMask, w, atoms_.programMessage,
                      {long(m.message), long(m.wParam), withText ? long(atoms_.programMessageText) : long(m.lParam),
                       long(from), tag});
    XFlush(dpy_);
    bool handled = false;
    auto answered = [&] {
        XEvent ev;
        while (XCheckTypedWindowEvent(dpy_, from, ClientMessage, &ev))
            handled = handled || (ev.xclient.message_type == atoms_.programMessageDone && ev.xclient.data.l[4] == tag);
        return handled;
    };
    for (const int64_t end = steadyMs() + timeoutMs; !answered() && steadyMs() < end; pause(2)) {
        if (!IsWindow(w)) {  // gone, maybe right after answering
            answered();
            break;
        }
    }
    if (withText) XDeleteProperty(dpy_, from, atoms_.programMessageText);
    XFlush(dpy_);
    return handled;
}

bool X11Platform::PostClientMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    const bool sent = sendClientMessage(window, NoEventMask, window, atoms_.programMessage,
                                        {long(message), long(wParam), long(lParam), 0, 0});
    XFlush(dpy_);
    return sent;
}

// To the program's handler, and to the handler of the window it was sent to
// (WindowMessages.h); then the sender, when it waits, hears it was handled.
void X11Platform::handleProgramMessage(HWND to, const uint32_t data[5]) {
    const XID sender = data[3];
    const uint32_t tag = data[4];
    ProgramMessage m{data[0], qint64(int32_t(data[1])), qint64(int32_t(data[2])), QString()};
    if (sender && (tag & 1)) {
        QByteArray utf8;
        byteProperty(sender, data[2], atoms_.utf8String, utf8);
        m.text = QString::fromUtf8(utf8);
        m.lParam = 0;
    }
    if (messageHandler_) messageHandler_(m);
    PostRemoteMessage(to, m.message, WPARAM(uint32_t(data[1])), LPARAM(m.lParam));
    if (sender) {
        sendClientMessage(sender, NoEventMask, sender, atoms_.programMessageDone, {long(m.message), 0, 0, 0, long(tag)});
        XFlush(dpy_);
    }
}

void X11Platform::ReceiveProgramMessages(std::function<void(const ProgramMessage&)> handler) {
    messageHandler_ = std::move(handler);
}

quint32 X11Platform::GlobalAddAtom(const QString& name) {
    if (name.isEmpty()) return 0;
    return quint32(XInternAtom(dpy_, name.toUtf8().constData(), False));
}

QString X11Platform::GlobalGetAtomName(quint32 atom) {
    if (!atom) return QString();
    char* name = XGetAtomName(dpy_, atom);  // null for no atom (BadAtom)
    if (!name) return QString();
    const QString text = QString::fromUtf8(name);
    XFree(name);
    return text;
}

}  // namespace platform
