#include "core/Form.h"

#include "core/Windows.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

TForm::TForm(int number, const QString& caption, QWidget* parent) : QWidget(parent, Qt::Window), number_(number) {
    setObjectName(QStringLiteral("Form%1").arg(number));
    setWindowTitle(caption);
    AdoptWindow(number, this);
}

namespace {
// The frame a window manager draws around a shown window.
QMargins frameMargins(const QWidget& w) {
    const QRect outer = w.frameGeometry(), inner = w.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The free area of the screen that holds point, or of the first screen.
QRect areaAt(QPoint point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Moves a window's inside so that its frame lies within area, its top-left
// corner first when it is the larger.
void keepInside(QWidget& window, QRect inside, const QMargins& margins, const QRect& area) {
    QRect frame = inside.marginsAdded(margins);
    frame.moveLeft(qMax(area.left(), qMin(frame.left(), area.right() - frame.width() + 1)));
    frame.moveTop(qMax(area.top(), qMin(frame.top(), area.bottom() - frame.height() + 1)));
    inside.moveTopLeft(frame.topLeft() + QPoint(margins.left(), margins.top()));
    if (inside != window.geometry()) window.setGeometry(inside);
}

// The frame a window manager draws, guessed before a window was ever shown
// from the main window's, or from the style's title bar.
QMargins expectedFrame(const QWidget& window, const QWidget* like) {
    QMargins margins = frameMargins(window);
    if (margins.isNull() && like && like->isVisible()) margins = frameMargins(*like);
    if (margins.isNull()) margins.setTop(window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window));
    return margins;
}
}  // namespace

void PlaceNear(QWidget& window, const QWidget* anchor) {
    const bool shownAnchor = anchor && anchor->isVisible();
    const QScreen* screen = shownAnchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    window.resize(window.size().expandedTo(window.minimumSizeHint()));
    const QMargins margins = expectedFrame(window, anchor);
    QRect inside = window.geometry();
    if (inside.topLeft() == QPoint(0, 0))
        inside.moveCenter(shownAnchor ? anchor->geometry().center() : area.center());
    keepInside(window, inside, margins, area);
}

void PlaceAt(QWidget& window, const QRect& inside) {
    if (inside.width() > 0 && inside.height() > 0) window.resize(inside.size());
    if (inside.topLeft() == QPoint(0, 0)) return;
    const QRect rect(inside.topLeft(), window.size());
    keepInside(window, rect, expectedFrame(window, nullptr), areaAt(rect.topLeft()));
}
