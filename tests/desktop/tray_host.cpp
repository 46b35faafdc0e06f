// A small system tray for the desktop tests: it owns the tray selection of
// the screen and docks every icon that asks, side by side in its own window
// at the top-left corner of the screen, 22 x 22 pixels each on white. It
// prints "ready" once it owns the tray, then "docked <window>" per icon.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

int main() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const int screen = DefaultScreen(d);
    const Window root = RootWindow(d, screen);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(d, screen);
    const Window tray = XCreateWindow(d, root, 0, 0, 220, 22, 0, CopyFromParent, InputOutput, CopyFromParent,
                                      CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(d, tray);
    char name[32];
    std::snprintf(name, sizeof name, "_NET_SYSTEM_TRAY_S%d", screen);
    const Atom selection = XInternAtom(d, name, False);
    const Atom opcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
    XSetSelectionOwner(d, selection, tray, CurrentTime);
    if (XGetSelectionOwner(d, selection) != tray) return 1;
    XEvent manager{};
    manager.xclient.type = ClientMessage;
    manager.xclient.window = root;
    manager.xclient.message_type = XInternAtom(d, "MANAGER", False);
    manager.xclient.format = 32;
    manager.xclient.data.l[0] = CurrentTime;
    manager.xclient.data.l[1] = long(selection);
    manager.xclient.data.l[2] = long(tray);
    XSendEvent(d, root, False, StructureNotifyMask, &manager);
    XFlush(d);
    std::printf("ready\n");
    std::fflush(stdout);

    int docked = 0;
    for (XEvent e; XNextEvent(d, &e) == 0;) {
        if (e.type != ClientMessage || e.xclient.message_type != opcode || e.xclient.data.l[1] != 0) continue;
        const Window icon = Window(e.xclient.data.l[2]);
        XReparentWindow(d, icon, tray, 22 * docked++, 0);
        XResizeWindow(d, icon, 22, 22);
        XMapRaised(d, icon);
        XFlush(d);
        std::printf("docked %lu\n", icon);
        std::fflush(stdout);
    }
    return 0;
}
