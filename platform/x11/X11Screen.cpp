// Pixels of the screen (through shared memory when the server offers it) and the clipboard.
#include "platform/x11/X11Platform.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/shm.h>

#include <algorithm>

namespace platform {

// A segment of shared memory the server writes captures into.
struct X11Platform::SharedSegment {
    XShmSegmentInfo info{};
    size_t size = 0;
};

// The server forgets the segment with the connection; the segment itself
// goes once no one has it attached (it is marked for removal at once).
void X11Platform::SharedSegmentFree::operator()(SharedSegment* s) const {
    if (s->info.shmaddr) shmdt(s->info.shmaddr);
    delete s;
}

// The part of the screen in a shared image, or null when the server cannot
// share memory with us (a remote display): then it is not tried again.
XImage* X11Platform::sharedCapture(const QRect& part) {
    if (sharingFailed_ || !XShmQueryExtension(dpy_)) {
        sharingFailed_ = true;
        return nullptr;
    }
    XShmSegmentInfo request{};
    XImage* xi = XShmCreateImage(dpy_, DefaultVisual(dpy_, screen_), unsigned(DefaultDepth(dpy_, screen_)), ZPixmap,
                                 nullptr, &request, unsigned(part.width()), unsigned(part.height()));
    if (!xi) {
        sharingFailed_ = true;
        return nullptr;
    }
    const QSize screen = screenSize();
    const size_t needed = size_t(xi->bytes_per_line) * size_t(xi->height);
    if (!shared_ || shared_->size < needed) {
        if (shared_) XShmDetach(dpy_, &shared_->info);
        shared_.reset();
        // Room for the whole screen, so that the next captures fit.
        const size_t size = std::max(needed, size_t(xi->bytes_per_line) / size_t(qMax(1, part.width())) *
                                                 size_t(screen.width()) * size_t(screen.height()));
        std::unique_ptr<SharedSegment, SharedSegmentFree> segment(new SharedSegment);
        segment->info.shmid = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
        void* at = segment->info.shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(segment->info.shmid, nullptr, 0);
        if (segment->info.shmid >= 0 && at == reinterpret_cast<void*>(-1)) shmctl(segment->info.shmid, IPC_RMID, nullptr);
        if (at == reinterpret_cast<void*>(-1)) {
            XFree(xi);
            sharingFailed_ = true;
            return nullptr;
        }
        segment->info.shmaddr = static_cast<char*>(at);
        segment->info.readOnly = False;
        segment->size = size;
        XShmAttach(dpy_, &segment->info);
        XSync(dpy_, False);
        shmctl(segment->info.shmid, IPC_RMID, nullptr);
        shared_ = std::move(segment);
    }
    xi->data = shared_->info.shmaddr;
    xi->obdata = reinterpret_cast<char*>(&shared_->info);
    if (!XShmGetImage(dpy_, root_, xi, part.x(), part.y(), AllPlanes)) {  // the server refused the segment
        XFree(xi);
        XShmDetach(dpy_, &shared_->info);
        shared_.reset();
        sharingFailed_ = true;
        return nullptr;
    }
    return xi;
}

// Parts of `rect` outside the screen come back black.
QImage X11Platform::CaptureScreen(const QRect& rect) {
    if (rect.isEmpty()) return QImage();
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRect part = rect & QRect(QPoint(0, 0), screenSize());
    if (part.isEmpty()) return image;
    XImage* xi = sharedCapture(part);
    const bool shared = xi != nullptr;
    if (!xi) xi = XGetImage(dpy_, root_, part.x(), part.y(), unsigned(part.width()), unsigned(part.height()), AllPlanes, ZPixmap);
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
    if (shared)
        XFree(xi);  // the pixels stay in the segment
    else
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

// As a PNG too: Qt's own image is no format this program reads back.
bool X11Platform::SetClipboardImage(const QImage& image) {
    return withClipboard([&](QClipboard* c) {
        auto* data = new QMimeData;
        data->setImageData(image);
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        image.save(&png, "PNG");
        data->setData(QStringLiteral("image/png"), png.data());
        c->setMimeData(data);  // Qt owns it and serves it
    });
}

}  // namespace platform
