// Window messages between programs as X client messages, and global atoms
// as X atoms.
#include "platform/WindowMessages.h"
#include "platform/x11/X11Platform.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/Xlib.h>

namespace platform {

namespace {

constexpr char kMessageType[] = "_ORVANEL_MESSAGE";

// Client messages reach the windows of the program on the toolkit's own
// connection: they are read there and posted to the windows' handlers.
class ClientMessageFilter : public QAbstractNativeEventFilter {
public:
    explicit ClientMessageFilter(unsigned long type) : type_(type) {}
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
        const auto* m = static_cast<const xcb_client_message_event_t*>(message);
        if (m->type != type_ || m->format != 32) return false;
        PostRemoteMessage(m->window, m->data.data32[0], m->data.data32[1], LPARAM(qint32(m->data.data32[2])));
        return true;
    }

private:
    unsigned long type_;
};

// One filter for the program, however many platforms are open.
int filterUsers = 0;
ClientMessageFilter* filter = nullptr;

}  // namespace

void X11Platform::watchClientMessages(bool on) {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    if (on && filterUsers++ == 0) {
        filter = new ClientMessageFilter(messageType_);
        app->installNativeEventFilter(filter);
    } else if (!on && --filterUsers == 0) {
        app->removeNativeEventFilter(filter);
        delete filter;
        filter = nullptr;
    }
}

bool X11Platform::PostClientMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = messageType_;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = long(message);
    ev.xclient.data.l[1] = long(wParam);
    ev.xclient.data.l[2] = long(lParam);
    const Status sent = XSendEvent(dpy_, window, False, NoEventMask, &ev);
    XFlush(dpy_);
    return sent != 0;
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

void X11Platform::internMessageType() { messageType_ = XInternAtom(dpy_, kMessageType, False); }

}  // namespace platform
