#include "editors/Unit6.h"

#include "core/Helpers.h"
#include "core/Params.h"
#include "core/Unit1.h"
#include "editors/Unit7.h"

#include <QBitmap>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// Each box's tag: tens the button (1 left, 2 middle, 3 right, 4 wheel), units
// the action (1 down, 2 up, 3 click, 4 double-click; wheel: 1 up, 2 down).
constexpr int kTags[] = {11, 21, 31, 12, 22, 32, 13, 23, 33, 14, 24, 34, 41, 42};
const char16_t* const kActions[] = {u"Left Down",           u"Middle Down",        u"Right Down",
                                    u"Left Up",             u"Middle Up",          u"Right Up",
                                    u"Left click",          u"Middle click",       u"Right click",
                                    u"Left double-click",   u"Middle double-click", u"Right double-click",
                                    u"Whell Up",            u"Whell Down"};
constexpr TColor kBackground = 0xFFFFFF;
// The colours of the actions by units digit (down, up, click, double-click), then the wheel's.
constexpr TColor kColours[] = {0x80FFFF, 0xF0CAA6, 0x80FF80, 0x55AAFF};
constexpr TColor kWheelColours[] = {0xFFB9FF, 0xFFFF80};
const char16_t* const kLegends[] = {u"Appuyé", u"Relâché", u"Clique", u"Double-clique", u"Molette Haut",
                                    u"Molette Bas"};

TColor colourOf(int tag) { return tag / 10 == 4 ? kWheelColours[tag % 10 - 1] : kColours[tag % 10 - 1]; }

// The mouse seen from above: white insides of the buttons and the wheel
// within black outlines, on white.
QImage plainMouse() {
    QImage img(60, 80, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 1));
    p.drawRoundedRect(QRect(3, 1, 52, 76), 20, 20);
    p.drawLine(3, 40, 55, 40);   // buttons above, body below
    p.drawLine(28, 1, 28, 40);   // left | right
    p.drawRect(11, 13, 14, 12);  // the middle button, in the left half
    p.drawRect(31, 13, 9, 12);   // the wheel
    return img;
}

QRgb rgbOf(TColor c) { return ColorToQColor(c).rgb(); }

}  // namespace

void FloodFill(QImage& image, QPoint seed, QRgb colour) {
    if (!image.rect().contains(seed)) return;
    const QRgb surface = image.pixel(seed);
    if (surface == colour) return;
    QVector<QPoint> todo{seed};
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        if (!image.rect().contains(p) || image.pixel(p) != surface) continue;
        image.setPixel(p, colour);
        todo << QPoint(p.x() + 1, p.y()) << QPoint(p.x() - 1, p.y()) << QPoint(p.x(), p.y() + 1)
             << QPoint(p.x(), p.y() - 1);
    }
}

const TChoicePanel& TForm6::Panel() {
    static const TChoicePanel panel = [] {
        QVector<TPanelChoice> entries;
        for (int i = 0; i < 14; ++i)
            entries.append({{}, QString::fromUtf16(kActions[i]), 0, {}, {{.enabled = kTags[i] / 10 == 4}}});
        return TChoicePanel(entries);
    }();
    return panel;
}

TForm6::TForm6(QWidget* parent) : TCommandDialog(6, u"Clic Souris"_s, u"Click"_s, 1132, parent) {
    resize(470, 300);
    auto* grid = new QGridLayout(this);
    const QStringList actions = Panel().choices({});
    for (int i = 0; i < actions.size(); ++i) {
        auto* box = new QCheckBox(actions[i], this);
        box->setObjectName(u"CheckBox%1"_s.arg(i + 1));
        connect(box, &QCheckBox::clicked, this, [this, i] { CheckBoxClick(i + 1); });
        boxes_ << box;
        grid->addWidget(box, i / 3, i % 3);  // rows: down, up, click, double-click, wheel
    }
    auto countField = [&](const QString& name, const QString& arrows, int column) {
        auto* edit = new QLineEdit(u"1"_s, this);
        edit->setObjectName(name);
        edit->setMaximumWidth(50);
        auto* upDown = new TUpDown(this);
        upDown->setObjectName(arrows);
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(upDown);
        row->addStretch(1);
        grid->addLayout(row, 5, column);
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { EditChange(edit); });
        connect(upDown, &TUpDown::Click, this, [this, edit](bool up) { UpDownClick(edit, up); });
        return std::pair{edit, upDown};
    };
    std::tie(Edit1, UpDown1) = countField(u"Edit1"_s, u"UpDown1"_s, 0);
    std::tie(Edit2, UpDown2) = countField(u"Edit2"_s, u"UpDown2"_s, 1);

    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    grid->addWidget(Image1, 0, 3, 4, 1, Qt::AlignCenter);
    auto* legend = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        auto* shape = new QLabel(this);
        shape->setObjectName(u"Shape%1"_s.arg(i + 1));
        shape->setFixedSize(14, 14);
        shape->setStyleSheet(u"background-color: %1; border: 1px solid black;"_s.arg(
            ColorToQColor(i < 4 ? kColours[i] : kWheelColours[i - 4]).name()));
        legend->addWidget(shape, i, 0);
        auto* caption = new QLabel(QString::fromUtf16(kLegends[i]), this);
        caption->setObjectName(u"Legend%1"_s.arg(i + 1));
        legend->addWidget(caption, i, 1);
    }
    grid->addLayout(legend, 4, 3, 2, 1);
    grid->setRowStretch(6, 1);
    grid->addLayout(ButtonRow(), 7, 0, 1, 4);
    reset();
}

QCheckBox* TForm6::CheckBox(int n) const { return boxes_.value(n - 1); }

QLineEdit* TForm6::countOf(int n) const {
    if (!Panel().entries().value(n - 1).param(0).enabled) return nullptr;
    return kTags[n - 1] % 10 == 1 ? Edit1 : Edit2;
}

void TForm6::DrawImageMouse(QPoint seed, TColor colour) {
    picture_ = plainMouse();
    FloodFill(picture_, {0, 0}, rgbOf(0xFF00FF));  // the background around the mouse
    FloodFill(picture_, seed, rgbOf(colour));
    // Shown with the background let through.
    QPixmap shown = QPixmap::fromImage(picture_);
    shown.setMask(QBitmap::fromImage(picture_.createMaskFromColor(rgbOf(0xFF00FF), Qt::MaskInColor)));
    Image1->setPixmap(shown);
}

void TForm6::showChecked(int n) {
    const int tag = kTags[n - 1];
    const bool on = CheckBox(n)->isChecked();
    if (on) DrawImageMouse(kSeeds[tag / 10 - 1], colourOf(tag));
    if (QLineEdit* count = countOf(n)) {
        count->setVisible(on);
        (count == Edit1 ? UpDown1 : UpDown2)->setVisible(on);
    }
}

void TForm6::CheckBoxClick(int n) {
    for (int i = 1; i <= boxes_.size(); ++i)
        if (i != n) CheckBox(i)->setChecked(false);
    for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                       static_cast<QWidget*>(UpDown1), static_cast<QWidget*>(UpDown2)})
        w->hide();
    DrawImageMouse(kSeeds[0], kBackground);
    showChecked(n);
}

namespace {
// A count is a whole number from 1 to 100: "abc" is 1, "007" is 7, "250" is 100.
QString clampedCount(const QString& text) {
    return QString::number(mdlfnct::IsInteger(text) ? std::clamp(mdlfnct::StrToIntOrZero(text), 1, 100) : 1);
}
}  // namespace

// Rewritten when the field is left, not while it is typed.
void TForm6::EditChange(QLineEdit* edit) {
    if (const QString count = clampedCount(edit->text()); count != edit->text()) edit->setText(count);
}

void TForm6::UpDownClick(QLineEdit* edit, bool up) {
    const QString text = edit->text();
    const int n = mdlfnct::IsInteger(text) ? mdlfnct::StrToIntOrZero(text) : 1;
    edit->setText(QString::number(std::clamp(n + (up ? 1 : -1), 1, 100)));
}

void TForm6::reset() {
    DrawImageMouse(kSeeds[0], kBackground);
    for (QCheckBox* box : std::as_const(boxes_)) box->setChecked(false);
    for (QLineEdit* edit : {Edit1, Edit2}) {
        edit->hide();
        edit->setText(u"1"_s);
    }
    UpDown1->hide();
    UpDown2->hide();
}

void TForm6::LoadDefaults() { reset(); }

// Fields 1 to 6 only; a wheel action's count is the field after it.
void TForm6::LoadFields(const QString& params) {
    reset();
    const TParamFields f = SplitFields(params, ParamSeparator());
    const QStringList actions = Panel().choices({});
    for (int i = 1; i <= 6; ++i) {
        const int n = int(actions.indexOf(f[i])) + 1;
        if (n == 0) continue;
        CheckBox(n)->setChecked(true);
        if (QLineEdit* count = countOf(n)) count->setText(f[i + 1]);
        showChecked(n);
    }
}

bool TForm6::Validate() {
    EditChange(Edit1);
    EditChange(Edit2);
    for (QCheckBox* box : std::as_const(boxes_))
        if (box->isChecked()) return true;
    return Refuse(u"Vous devez sélectionner au moins une action."_s);
}

QString TForm6::BuildParams() const {
    QStringList fields;
    for (int n = 1; n <= boxes_.size(); ++n) {
        if (!CheckBox(n)->isChecked()) continue;
        fields << Panel().entries()[n - 1].choice;
        if (QLineEdit* count = countOf(n)) fields << count->text();
    }
    return JoinFields(fields);
}
