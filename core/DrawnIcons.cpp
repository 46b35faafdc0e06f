#include "core/DrawnIcons.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The pictures are built into a static library: register them before the first look-up
// (outside any namespace, as the resource macro asks).
static void registerDrawnIcons() { Q_INIT_RESOURCE(commandicons); }

QPixmap RenderSvg(const QString& file, int size) {
    if (!QFile::exists(file)) return {};
    QSvgRenderer renderer(file);
    if (!renderer.isValid()) return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p, QRectF(0, 0, size, size));
    p.end();
    return QPixmap::fromImage(image);
}

QIcon DrawnIcon(const QString& base) {
    static const bool registered = (registerDrawnIcons(), true);
    Q_UNUSED(registered);
    const QString large = base + QStringLiteral(".svg"), small = base + QStringLiteral("-16.svg");
    QIcon icon;
    for (const auto& [file, size] : {std::pair{small, 16}, {large, 24}, {small, 32}, {large, 48}})
        if (const QPixmap pm = RenderSvg(file, size); !pm.isNull()) {
            icon.addPixmap(pm);
            icon.addPixmap(pm, QIcon::Selected);  // untinted on a selected row: a breakpoint stays red
        }
    return icon;
}
