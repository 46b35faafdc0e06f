// Screen size and metrics, display modes (XRandR) and power.
#include "platform/x11/X11Platform.h"

#include <QProcess>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace platform {

QSize X11Platform::screenSize() {
    Window r;
    int x, y;
    unsigned w = 0, h = 0, border, depth;
    XGetGeometry(dpy_, root_, &r, &x, &y, &w, &h, &border, &depth);
    return QSize(int(w), int(h));
}

int X11Platform::GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return screenSize().width();
    case SM_CYSCREEN: return screenSize().height();
    default: return 0;
    }
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

}  // namespace platform
