// The display lost: Xlib's I/O error handler on our connections, and a hook
// at exit() for the toolkit's own connection, whose loss makes the toolkit
// call exit(1) itself.
#include "platform/DisplayLost.h"
#include "platform/x11/X11Internal.h"

#include <QGuiApplication>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace platform {

namespace {

std::atomic<bool> lost{false};
std::function<void()> lostHandler;

// The handler once, then the end. A dead connection written to again must not
// kill the program with SIGPIPE meanwhile.
[[noreturn]] void endNow() {
    static std::atomic<bool> ending{false};
    if (!ending.exchange(true)) {
        lost = true;
        std::signal(SIGPIPE, SIG_IGN);
        if (lostHandler) lostHandler();
    }
    std::fflush(nullptr);
    _exit(1);
}

// Called by Xlib when a connection breaks. While the handler runs, the calls
// it makes on a dead connection come back here: they only return.
int onIOError(Display*) {
    static std::atomic<bool> inside{false};
    if (!inside.exchange(true)) endNow();
    return 0;
}

// Xlib would exit() after the handler: the connection is left dead instead,
// its calls returning at once.
void keepGoing(Display*, void*) {}

bool toolkitConnectionBroken() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return false;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && x11->connection() && xcb_connection_has_error(x11->connection());
}

// The toolkit calls exit(1) when its connection breaks; registered after the
// program's objects, this runs before their destructors, which would talk
// to the dead server.
void atExit() {
    if (lost || toolkitConnectionBroken()) endNow();
}

}  // namespace

void watchLoss(_XDisplay* d) {
    XSetIOErrorHandler(onIOError);
    XSetIOErrorExitHandler(d, keepGoing, nullptr);
}

void OnDisplayLost(std::function<void()> handler) {
    static const bool hooked = std::atexit(atExit) == 0;
    Q_UNUSED(hooked);
    lostHandler = std::move(handler);
}

bool DisplayLost() { return lost; }

}  // namespace platform
