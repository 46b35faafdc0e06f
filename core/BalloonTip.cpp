#include "core/BalloonTip.h"

#include "core/Unit1.h"

#include <QApplication>
#include <QPointer>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>
#include <QTimer>

namespace {
constexpr int kMargin = 10;
constexpr int kStemHeight = 12;
constexpr int kStemWidth = 14;
constexpr int kIcon = 16;
constexpr int kTextWidth = 300;
constexpr int kRadius = 8;

QFont titleFont(const QWidget& w) {
    QFont f = w.font();
    f.setBold(true);
    return f;
}

QRect textRect(const QWidget& w, const QString& text) {
    return w.fontMetrics().boundingRect(QRect(0, 0, kTextWidth, 10000), Qt::TextWordWrap, text);
}
}  // namespace

TBalloonTip::TBalloonTip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("BalloonTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void TBalloonTip::setContent(const QString& title, const QString& text) {
    title_ = title;
    text_ = text;
    const int titleWidth = QFontMetrics(titleFont(*this)).horizontalAdvance(title) + kIcon + 6;
    const QRect body = textRect(*this, text);
    const int width = qMax(titleWidth, body.width()) + 2 * kMargin;
    const int height = kIcon + 6 + body.height() + 2 * kMargin + kStemHeight;
    setFixedSize(qMax(width, 4 * kStemWidth), height);
}

void TBalloonTip::showAt(const QPoint& stem) {
    stem_ = stem;
    const QScreen* screen = QGuiApplication::screenAt(stem);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
    below_ = stem.y() + height() <= area.bottom();
    QPoint pos(stem.x() - 2 * kStemWidth, below_ ? stem.y() : stem.y() - height());
    pos.setX(qBound(area.left(), pos.x(), qMax(area.left(), area.right() - width())));
    move(pos);
    setMask(QRegion(outline().toFillPolygon().toPolygon()));
    show();
    raise();
}

QPainterPath TBalloonTip::outline() const {
    const QRectF body = below_ ? QRectF(0, kStemHeight, width() - 1, height() - kStemHeight - 1)
                               : QRectF(0, 0, width() - 1, height() - kStemHeight - 1);
    const qreal x = qBound<qreal>(kRadius + 1, stem_.x() - this->x(), width() - kRadius - kStemWidth - 1);
    QPainterPath path;
    path.addRoundedRect(body, kRadius, kRadius);
    QPainterPath stem;
    if (below_)
        stem.addPolygon(QPolygonF({QPointF(x, 0), QPointF(x, body.top() + 1), QPointF(x + kStemWidth, body.top() + 1)}));
    else
        stem.addPolygon(QPolygonF({QPointF(x, height() - 1), QPointF(x, body.bottom() - 1),
                                   QPointF(x + kStemWidth, body.bottom() - 1)}));
    return path.united(stem);
}

void TBalloonTip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x76, 0x76, 0x76), 1));
    p.setBrush(QColor(0xFF, 0xFF, 0xE1));
    p.drawPath(outline());
    const int top = (below_ ? kStemHeight : 0) + kMargin;
    style()->standardIcon(QStyle::SP_MessageBoxInformation).paint(&p, QRect(kMargin, top, kIcon, kIcon));
    p.setPen(Qt::black);
    p.setFont(titleFont(*this));
    p.drawText(QRect(kMargin + kIcon + 6, top, width(), kIcon), Qt::AlignVCenter | Qt::AlignLeft, title_);
    p.setFont(font());
    p.drawText(QRect(kMargin, top + kIcon + 6, kTextWidth, height()), Qt::TextWordWrap, text_);
}

void TBalloonTip::mousePressEvent(QMouseEvent*) { hide(); }

QPoint BalloonStem(const QWidget& control, int side) {
    QPoint corner = control.geometry().topLeft();
    if (side == 1 || side == 3) corner.rx() += control.width();
    if (side == 2 || side == 3) corner.ry() += control.height();
    const QWidget* parent = control.parentWidget();
    return parent && !control.isWindow() ? parent->mapToGlobal(corner) : corner;
}

void TBalloonTip::showFor(QWidget* owner, const QPoint& stem) {
    delete watch_;
    showAt(stem);
    watch_ = new QTimer(this);
    const QPointer<QWidget> watched = owner;
    const QPoint ownerPos = owner->pos();
    connect(watch_, &QTimer::timeout, this, [this, watched, ownerPos, steps = 0]() mutable {
        if (++steps < 20 && watched && watched->isVisible() && watched->pos() == ownerPos && isVisible()) return;
        hide();
        watch_->deleteLater();
        watch_ = nullptr;
    });
    watch_->start(100);
}

QWidget* TForm1::ShowBalloonTip(QWidget* control, int side, const QString& text, const QString& title) {
    if (!BalloonTip) BalloonTip = new TBalloonTip;
    BalloonTip->setContent(title, text);
    BalloonTip->showFor(control->window(), BalloonStem(*control, side));
    return BalloonTip;
}
