// Screen size and metrics, display modes and refresh rates (XRandR).
#include "platform/x11/X11Platform.h"

#include <algorithm>

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

QVector<QRect> X11Platform::GetMonitors() {
    QVector<QRect> monitors;
    int eventBase = 0, errorBase = 0, count = 0;
    if (XRRQueryExtension(dpy_, &eventBase, &errorBase))
        if (XRRMonitorInfo* info = XRRGetMonitors(dpy_, root_, True, &count)) {
            for (int i = 0; i < count; ++i) monitors << QRect(info[i].x, info[i].y, info[i].width, info[i].height);
            XRRFreeMonitors(info);
        }
    return monitors.isEmpty() ? Platform::GetMonitors() : monitors;
}

// ---- Display mode (XRandR) --------------------------------------------------

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

namespace {

// The screen's XRandR configuration, freed with it; null without XRandR.
struct ScreenConfig {
    ScreenConfig(Display* d, Window root) {
        int eventBase, errorBase;
        if (XRRQueryExtension(d, &eventBase, &errorBase)) config = XRRGetScreenInfo(d, root);
    }
    ~ScreenConfig() {
        if (config) XRRFreeScreenConfigInfo(config);
    }
    ScreenConfig(const ScreenConfig&) = delete;
    ScreenConfig& operator=(const ScreenConfig&) = delete;
    XRRScreenConfiguration* config = nullptr;
};

}  // namespace

// X keeps its colour depth: only modes of the present depth exist.
int X11Platform::ChangeDisplaySettings(const DisplayMode& mode, bool test) {
    if (mode.bitsPerPixel != GetDisplayMode().bitsPerPixel) return DISP_CHANGE_BADMODE;
    ScreenConfig screen(dpy_, root_);
    if (!screen.config) return DISP_CHANGE_FAILED;
    int count = 0, index = -1;
    XRRScreenSize* sizes = XRRConfigSizes(screen.config, &count);
    for (int i = 0; i < count; ++i)
        if (sizes[i].width == mode.width && sizes[i].height == mode.height) index = i;
    if (index < 0) return DISP_CHANGE_BADMODE;
    if (test) return DISP_CHANGE_SUCCESSFUL;
    Rotation rotation;
    XRRConfigCurrentConfiguration(screen.config, &rotation);
    const Status done = XRRSetScreenConfig(dpy_, screen.config, root_, index, rotation, CurrentTime);
    XSync(dpy_, False);
    return done == Success ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
}

// The rates XRandR offers for the size in use.
int X11Platform::ChangeDisplayFrequency(int hertz, bool test) {
    ScreenConfig screen(dpy_, root_);
    if (!screen.config) return DISP_CHANGE_FAILED;
    Rotation rotation;
    const SizeID size = XRRConfigCurrentConfiguration(screen.config, &rotation);
    int count = 0;
    const short* rates = XRRConfigRates(screen.config, size, &count);
    if (hertz <= 0 || std::find(rates, rates + count, hertz) == rates + count) return DISP_CHANGE_BADMODE;
    if (test) return DISP_CHANGE_SUCCESSFUL;
    const Status done =
        XRRSetScreenConfigAndRate(dpy_, screen.config, root_, size, rotation, short(hertz), CurrentTime);
    XSync(dpy_, False);
    return done == Success ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
}

}  // namespace platform
