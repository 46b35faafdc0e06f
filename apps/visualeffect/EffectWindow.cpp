#include "EffectWindow.h"

#include "platform/ProgramMessages.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMovie>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimerEvent>
#include <QtMath>

using namespace platform;

namespace {
constexpr int kPicture = 64;  // the picture's square, in pixels
constexpr int kMargin = 8;
}  // namespace

EffectWindow::EffectWindow()
    // Past the window manager: no frame of its own would catch the mouse.
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Orvanel"));
    fit();
}

void EffectWindow::handle(const ProgramMessage& m) {
    switch (m.message) {
    case VE_PICTURE: {
        delete movie_;
        movie_ = new QMovie(m.text, QByteArray(), this);
        if (!movie_->isValid()) {
            delete movie_;
            movie_ = nullptr;
            break;
        }
        movie_->setScaledSize(QSize(kPicture, kPicture));
        connect(movie_, &QMovie::frameChanged, this, qOverload<>(&QWidget::update));
        break;
    }
    case VE_TEXT:
        text_ = QString(m.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n').trimmed();
        fit();
        break;
    case VE_POSITION:
        position_ = QPoint(int(m.wParam), int(m.lParam));
        fit();
        break;
    case VE_START:
        if (movie_) movie_->start();
        else tick_.start(60, this);
        fit();
        show();
        raise();
        above_.start(500, this);
        break;
    case VE_STOP:
        hide();
        QCoreApplication::quit();
        break;
    default: break;
    }
}

// Its size follows the text; its top-left corner stands at the position,
// moved in when the panel would leave the screen.
void EffectWindow::fit() {
    const QRect textRect = fontMetrics().boundingRect(QRect(0, 0, 480, 2000), Qt::TextWordWrap, text_);
    const QSize size(kPicture + 3 * kMargin + (text_.isEmpty() ? 0 : textRect.width()),
                     qMax(kPicture, textRect.height()) + 2 * kMargin);
    QRect frame(position_, size);
    if (const QScreen* screen = QGuiApplication::screenAt(position_) ? QGuiApplication::screenAt(position_)
                                                                      : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        frame.moveLeft(qMax(area.left(), qMin(frame.left(), area.right() - frame.width() + 1)));
        frame.moveTop(qMax(area.top(), qMin(frame.top(), area.bottom() - frame.height() + 1)));
    }
    setGeometry(frame);
    update();
}

// Steps the drawn animation; windows raised since come back under it.
void EffectWindow::timerEvent(QTimerEvent* e) {
    if (e->timerId() == above_.timerId()) return raise();
    step_ = (step_ + 1) % 36;
    update();
}

void EffectWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor(0x33, 0x66, 0xCC), 2));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
    const QRect picture(kMargin, (height() - kPicture) / 2, kPicture, kPicture);
    if (movie_) {
        p.drawPixmap(picture, movie_->currentPixmap());
    } else {  // a magnifying glass going round
        const double a = step_ * 10 * M_PI / 180;
        const QPointF centre = QPointF(picture.center()) + QPointF(std::cos(a), std::sin(a)) * 10;
        p.setPen(QPen(QColor(0x33, 0x66, 0xCC), 4));
        p.drawEllipse(centre, 14, 14);
        p.setPen(QPen(QColor(0x66, 0x44, 0x22), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + QPointF(10, 10), centre + QPointF(22, 22));
    }
    p.setPen(Qt::black);
    p.drawText(QRect(kPicture + 2 * kMargin, kMargin, width() - kPicture - 3 * kMargin, height() - 2 * kMargin),
               Qt::AlignVCenter | Qt::TextWordWrap, text_);
}
