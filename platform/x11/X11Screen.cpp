// Pixels of the screen and the clipboard.
#include "platform/x11/X11Platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
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

// Runs `use` on the GUI application's thread with its clipboard; false when
// there is no GUI application.
template <class Use>
bool withClipboard(Use use) {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return false;
    auto run = [&] { use(QGuiApplication::clipboard()); };
    if (QThread::currentThread() == app->thread())
        run();
    else
        QMetaObject::invokeMethod(app, run, Qt::BlockingQueuedConnection);
    return true;
}

// Qt names the owner's targets: MIME types, and X names such as TARGETS or
// TIMESTAMP that are no data. The image Qt decodes for itself is not one of
// the owner's formats either.
bool isDataFormat(const QString& format) {
    return format.contains(u'/') && format != QLatin1String("application/x-qt-image");
}

}  // namespace

// Through Qt when there is a GUI application (on its thread), else in memory.
QString X11Platform::GetClipboardText() {
    QString text = clipboard_;
    withClipboard([&](QClipboard* c) { text = c->text(); });
    return text;
}

bool X11Platform::SetClipboardText(const QString& text) {
    if (!withClipboard([&](QClipboard* c) { c->setText(text); })) clipboard_ = text;
    return true;
}

QVector<ClipboardFormat> X11Platform::GetClipboardData() {
    QVector<ClipboardFormat> formats;
    const bool gui = withClipboard([&](QClipboard* c) {
        const QMimeData* data = c->mimeData();
        if (!data) return;
        for (const QString& format : data->formats())
            if (isDataFormat(format)) formats << ClipboardFormat{format, data->data(format)};
    });
    if (!gui && !clipboard_.isEmpty())
        formats << ClipboardFormat{QStringLiteral("text/plain;charset=utf-8"), clipboard_.toUtf8()};
    return formats;
}

bool X11Platform::SetClipboardData(const QVector<ClipboardFormat>& formats) {
    const bool gui = withClipboard([&](QClipboard* c) {
        if (formats.isEmpty()) return c->clear();
        auto* data = new QMimeData;
        for (const ClipboardFormat& f : formats) data->setData(f.mimeType, f.data);
        c->setMimeData(data);  // Qt owns it and serves it
    });
    if (!gui) {
        clipboard_.clear();
        for (const ClipboardFormat& f : formats)
            if (f.mimeType.startsWith(QLatin1String("text/plain"))) clipboard_ = QString::fromUtf8(f.data);
    }
    return true;
}

}  // namespace platform
