// Pixels of the screen and the clipboard text.
#include "platform/x11/X11Platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QThread>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform {

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

namespace {

// The clipboard is the GUI thread's: fn runs there. False without a GUI application.
bool onGuiThread(const std::function<void()>& fn) {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return false;
    if (QThread::currentThread() == app->thread())
        fn();
    else
        QMetaObject::invokeMethod(app, fn, Qt::BlockingQueuedConnection);
    return true;
}

}  // namespace

// Through Qt when there is a GUI application, else in memory.
QString X11Platform::GetClipboardText() {
    QString text;
    return onGuiThread([&] { text = QGuiApplication::clipboard()->text(); }) ? text : clipboard_;
}

bool X11Platform::SetClipboardText(const QString& text) {
    if (!onGuiThread([&] { QGuiApplication::clipboard()->setText(text); })) clipboard_ = text;
    return true;
}

bool X11Platform::SetClipboardImage(const QImage& image) {
    return onGuiThread([&] { QGuiApplication::clipboard()->setImage(image); });
}

}  // namespace platform
