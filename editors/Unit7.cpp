#include "editors/Unit7.h"

#include "engine/mdlfnct.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (bool up : {true, false}) {
        auto* b = new QToolButton(this);
        b->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        b->setFixedSize(17, 11);
        b->setAutoRepeat(true);
        connect(b, &QToolButton::clicked, this, [this, up] { emit Click(up); });
        layout->addWidget(b);
        (up ? Up : Down) = b;
    }
}

namespace {
// The clean dial: a face with the twelve hour marks around the centre.
QPixmap cleanDial(QPoint centre) {
    QImage img(150, 150, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::darkGray, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 60, 60);
    p.setPen(QPen(Qt::black, 2));
    for (int h = 0; h < 12; ++h) {
        const double a = h * std::numbers::pi / 6;
        p.drawLine(QPointF(centre) + QPointF(std::sin(a) * 52, -std::cos(a) * 52),
                   QPointF(centre) + QPointF(std::sin(a) * 58, -std::cos(a) * 58));
    }
    return QPixmap::fromImage(img);
}
}  // namespace

using namespace Qt::StringLiterals;

TForm7::TForm7(QWidget* parent) : TCommandDialog(7, u"Pause"_s, u"Pause"_s, 1135, parent) {
    // A time, or an amount and its unit, typed as one text (fields 1 and 2 of the row).
    Declare({.size = {330, 215},
             .controls = {{.name = u"ComboBox1"_s, .place = ParamWhole, .label = u"Label1"_s,
                           .caption = u"Délais (00:00:00)"_s, .list = ListSource::AlphaVariables,
                           .dropDown = AllVariables}},
             .checks = {{[this] { return !ComboBox1->currentText().isEmpty(); },
                         u"Le paramètre de temps ne peut pas être vide."_s}}});
    Label1 = findChild<QLabel*>(u"Label1"_s);
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    UpDown1 = new TUpDown(this);
    UpDown1->setObjectName(u"UpDown1"_s);
    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setFixedSize(150, 150);
    Image2 = new QLabel(this);
    Image2->setObjectName(u"Image2"_s);
    Image2->hide();
    Image2->setPixmap(cleanDial(DialCentre));

    connect(ComboBox1, &QComboBox::editTextChanged, this, &TForm7::ComboBox1Change);
    connect(UpDown1, &TUpDown::Click, this, &TForm7::UpDown1Click);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(ComboBox1, 1, 0);
    grid->addWidget(UpDown1, 1, 1);
    grid->addWidget(Image1, 0, 2, 3, 1);
    grid->setColumnStretch(0, 1);  // the box takes the width the dial leaves
    grid->setRowStretch(2, 1);
    grid->addLayout(ButtonRow(), 3, 0, 1, 3);
    InitCadran();
}

bool TForm7::TimeValide(const QString& text) { return mdlfnct::TimeValide(text); }

QPoint TForm7::HandEnd(QPoint centre, int value, int length) {
    const double a = value * 2 * std::numbers::pi / 60;
    // Rounded to the nearest integer, halves to even.
    return {centre.x() + int(std::nearbyint(std::sin(a) * length)),
            centre.y() - int(std::nearbyint(std::cos(a) * length))};
}

void TForm7::LoadDefaults() { ComboBox1->setEditText(QStringLiteral("00:00:01")); }

void TForm7::AfterShow() {
    TCommandDialog::AfterShow();
    Image2->setGeometry(Image1->geometry());
    DialCentre = QPoint(74, 70);
    ComboBox1Change();
    ComboBox1->lineEdit()->end(false);
}

void TForm7::InitCadran() {
    dial_ = Image2->pixmap().toImage();
    Image1->setPixmap(QPixmap::fromImage(dial_));
}

void TForm7::DrawAiguille(int value, int length) {
    QPainter p(&dial_);
    p.setPen(pen_);
    p.drawLine(DialCentre, HandEnd(DialCentre, value, length));
}

// Draws the hands of a valid time; a variable name leaves the dial as it is.
void TForm7::ComboBox1Change() {
    const QString text = ComboBox1->currentText();
    if (!TimeValide(text)) return;
    int h = mdlfnct::StrToIntOrZero(text.mid(0, 2));
    if (h > 12) h -= 12;
    InitCadran();
    pen_ = QPen(Qt::black, 3);
    DrawAiguille(h * 5, 20);  // the minutes do not move the hour hand
    pen_.setWidth(2);
    DrawAiguille(mdlfnct::StrToIntOrZero(text.mid(3, 2)), 35);
    pen_ = QPen(QColor(255, 0, 0), 1);
    DrawAiguille(mdlfnct::StrToIntOrZero(text.mid(6, 2)), 45);
    pen_.setColor(Qt::black);
    Image1->setPixmap(QPixmap::fromImage(dial_));
}

// Steps the hours, minutes or seconds under the caret, wrapping within the part.
void TForm7::UpDown1Click(bool up) {
    QLineEdit* edit = ComboBox1->lineEdit();
    if (ComboBox1->currentText().isEmpty()) {
        ComboBox1->setEditText(QStringLiteral("00:00:00"));
        edit->setCursorPosition(8);
    }
    QString text = ComboBox1->currentText();
    if (!TimeValide(text)) return;
    const int p = edit->cursorPosition();
    const int part = p <= 2 ? 0 : p <= 5 ? 1 : 2;
    const int top = part == 0 ? 23 : 59;
    int v = mdlfnct::StrToIntOrZero(text.mid(part * 3, 2)) + (up ? 1 : -1);
    if (v < 0) v = top;
    if (v > top) v = 0;
    text.replace(part * 3, 2, QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')));
    ComboBox1->setEditText(text);
    edit->setCursorPosition(p);
}
