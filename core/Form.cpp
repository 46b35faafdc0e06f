#include "core/Form.h"

#include <QApplication>
#include <QScreen>

TForm::TForm(int number, const QString& caption, QWidget* parent) : QWidget(parent, Qt::Window), number_(number) {
    setObjectName(QStringLiteral("Form%1").arg(number));
    setWindowTitle(caption);
}

QWidget* FindForm(int number) {
    const QString name = QStringLiteral("Form%1").arg(number);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

namespace {
// The frame a window manager draws around a shown window.
QMargins frameMargins(const QWidget& w) {
    const QRect outer = w.frameGeometry(), inner = w.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}
}  // namespace

void PlaceNear(QWidget& window, const QWidget* anchor) {
    const bool shownAnchor = anchor && anchor->isVisible();
    const QScreen* screen = shownAnchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    window.resize(window.size().expandedTo(window.minimumSizeHint()));
    // A window not shown yet has no frame: it will get one like the anchor's.
    QMargins margins = frameMargins(window);
    if (margins.isNull() && shownAnchor) margins = frameMargins(*anchor);
    QRect frame(window.pos(), window.size().grownBy(margins));
    if (window.pos() == QPoint(0, 0)) frame.moveCenter(shownAnchor ? anchor->frameGeometry().center() : area.center());
    // Inside the area, its top-left corner first when it is the larger.
    frame.moveLeft(qMax(area.left(), qMin(frame.left(), area.right() - frame.width() + 1)));
    frame.moveTop(qMax(area.top(), qMin(frame.top(), area.bottom() - frame.height() + 1)));
    window.move(frame.topLeft());
}
