#include "editors/Unit18.h"

#include "core/Helpers.h"
#include "core/Params.h"
#include "core/Unit1.h"
#include "platform/Platform.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

const QString kNoAction =
    u"Sélectionnez le n° du Handle puis une action dans la rubrique manipulation. Si l'action a besoin un ou des "
    "paramètres, un message vous le dira."_s;
const QString kNoParameter = u"Cette action demande aucun paramètre."_s;
const TPanelParam kNumber{.enabled = true, .list = AllVariables};

// The picture's items: their word's height and the band a click chooses them in.
struct MenuItem {
    int top;            // of the text
    int first, last;    // the band of heights
};
constexpr MenuItem kItems[] = {{4, 1, 19}, {24, 22, 39}, {44, 42, 59}, {64, 62, 79}, {84, 82, 99}, {110, 102, 129}};

bool integerOrVariable(const QString& text) {
    return mdlfnct::IsInteger(text) || mdlfnct::GetVarType(text) != u"No_Type";
}

}  // namespace

TMenuPicture::TMenuPicture(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(150, 132);
}

void TMenuPicture::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, image); }

void TMenuPicture::mouseMoveEvent(QMouseEvent* e) { lastY = int(e->position().y()); }

void TMenuPicture::mouseReleaseEvent(QMouseEvent* e) {
    lastY = int(e->position().y());
    emit Click(lastY);
}

const TChoicePanel& TForm18::Panel() {
    static const TChoicePanel panel({
        {{}, u"Restaurer"_s, 1097, kNoParameter, {}},
        {{}, u"Déplacer"_s, 1098,
         u"Sélectionnez dans Paramètre 1 l'abscisse, puis dans Paramètre 2 l'ordonnée, la mesure est en pixel."_s,
         {kNumber, kNumber}},
        {{}, u"Taille"_s, 1099,
         u"Sélectionnez dans Paramètre 1 la Longueur, puis dans Paramètre 2 la largueur, la mesure est en pixel."_s,
         {kNumber, kNumber}},
        {{}, u"Réduire"_s, 1100, kNoParameter, {}},
        {{}, u"Agrandir"_s, 1101, kNoParameter, {}},
        {{}, u"Fermer"_s, 1102, kNoParameter, {}},
        {{}, u"Déplacement souris"_s, 1104, kNoParameter, {}},
        {{}, u"Changement texte"_s, 1105, u"Sélectionnez dans Paramètre 1 le Texte de remplacement."_s,
         {{.enabled = true, .list = AllVariables}}},
        {{}, u"Fermeture forcée"_s, 1103, kNoParameter, {}},
    });
    return panel;
}

int TForm18::ItemAt(int y) {
    for (int i = 0; i < int(std::size(kItems)); ++i)
        if (y >= kItems[i].first && y <= kItems[i].last) return i + 1;
    return 0;
}

TForm18::TForm18(QWidget* parent)
    : TCommandDialog(18, u"Manipulation sur objet"_s, u"Manipulation"_s, 1106, parent) {
    Declare({.size = {430, 330},
             .controls = {{.name = u"ComboBox1"_s, .place = PlaceOf(Command::Manipulation, 1), .label = u"Label1"_s,
                           .caption = u"Handle"_s, .list = AllVariables | ListSource::Objects},
                          {.name = u"ComboBox2"_s, .place = PlaceOf(Command::Manipulation, 3), .label = u"Label3"_s,
                           .caption = u"Paramètre 1"_s, .dropDown = AllVariables},
                          {.name = u"ComboBox3"_s, .place = PlaceOf(Command::Manipulation, 4), .label = u"Label4"_s,
                           .caption = u"Paramètre 2"_s, .dropDown = AllVariables}},
             .checks = {{[this] { return integerOrVariable(ComboBox1->currentText()); },
                         u"Le handle doit être un nombre entier ou une variable."_s},
                        {[this] { return (action_ != 2 && action_ != 3) || integerOrVariable(ComboBox2->currentText()); },
                         u"Le paramètre 1 doit être un nombre entier ou une variable."_s},
                        {[this] { return (action_ != 2 && action_ != 3) || integerOrVariable(ComboBox3->currentText()); },
                         u"Le paramètre 2 doit être un nombre entier ou une variable."_s},
                        {[this] { return action_ != 0; }, u"Sélectionnez une action dans la rubrique Manipulation."_s}},
             .checkMode = CheckMode::EveryFailure});
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ComboBox2 = findChild<TComboBox*>(u"ComboBox2"_s);
    ComboBox3 = findChild<TComboBox*>(u"ComboBox3"_s);
    Image1 = new TMenuPicture(this);
    Image1->setObjectName(u"image1"_s);
    connect(Image1, &TMenuPicture::Click, this, &TForm18::Image1Click);
    auto* label2 = new QLabel(u"Manipulation"_s, this);
    label2->setObjectName(u"Label2"_s);
    Label6 = new QLabel(kNoAction, this);
    Label6->setObjectName(u"Label6"_s);
    Label6->setWordWrap(true);

    radios_ = new QButtonGroup(this);
    auto* options = new QGridLayout;
    const char16_t* const captions[] = {u" Déplacement souris", u" Changement texte", u"Fermeture forcée"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(this);
        radio->setObjectName(u"RadioButton%1"_s.arg(i + 1));
        radios_->addButton(radio, i + 1);
        auto* label = new TClickLabel(QString::fromUtf16(captions[i]), this);
        label->setObjectName(u"Label%1"_s.arg(i + 7));
        connect(label, &TClickLabel::Click, radio, &QRadioButton::click);
        connect(radio, &QRadioButton::clicked, this, [this, i] { RadioButtonClick(i + 1); });
        options->addWidget(radio, i, 0);
        options->addWidget(label, i, 1);
    }
    options->setColumnStretch(1, 1);
    RadioButton1 = qobject_cast<QRadioButton*>(radios_->button(1));
    RadioButton2 = qobject_cast<QRadioButton*>(radios_->button(2));
    RadioButton3 = qobject_cast<QRadioButton*>(radios_->button(3));

    auto* grid = new QGridLayout(this);
    grid->addWidget(findChild<QLabel*>(u"Label1"_s), 0, 0);
    grid->addWidget(ComboBox1, 1, 0);
    grid->addWidget(label2, 2, 0);
    grid->addWidget(Image1, 3, 0, 3, 1);
    grid->addLayout(options, 3, 1);
    grid->addWidget(findChild<QLabel*>(u"Label3"_s), 0, 1);
    grid->addWidget(ComboBox2, 1, 1);
    grid->addWidget(findChild<QLabel*>(u"Label4"_s), 4, 1);
    grid->addWidget(ComboBox3, 5, 1);
    grid->addWidget(Label6, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    grid->addLayout(ButtonRow(), 8, 0, 1, 2);
    noAction();
}

void TForm18::DrawImageMenu(int selected) {
    QImage img(Image1->size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const QColor text = palette().color(QPalette::WindowText);
    const QColor red(255, 0, 0);
    const int width = img.width();
    for (int i = 0; i < int(std::size(kItems)); ++i) {
        const int top = kItems[i].top;
        const bool on = selected == i + 1;
        const QColor colour = on ? red : text;
        p.setPen(QPen(colour, 1));
        QFont font = p.font();
        font.setBold(i == 5);
        p.setFont(font);
        const QRect line(24, top, width - 24, 16);
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, Panel().entries()[i].choice);
        const QRect glyph(6, top + 4, 9, 8);
        switch (i) {
            case 0:  // restore: two windows
                p.drawRect(glyph.adjusted(2, 0, 0, -2));
                p.drawRect(glyph.adjusted(0, 2, -2, 0));
                break;
            case 3: p.fillRect(QRect(glyph.left(), glyph.bottom() - 1, glyph.width(), 2), colour); break;  // minimise
            case 4:  // maximise
                p.drawRect(glyph);
                p.fillRect(QRect(glyph.left(), glyph.top(), glyph.width(), 2), colour);
                break;
            case 5:  // close: a cross, then the shortcut
                p.setPen(QPen(colour, 2));
                p.drawLine(glyph.topLeft(), glyph.bottomRight());
                p.drawLine(glyph.topRight(), glyph.bottomLeft());
                p.setPen(QPen(colour, 1));
                p.drawText(QRect(95, top, width - 95, 16), Qt::AlignLeft | Qt::AlignVCenter, u"Alt+F4"_s);
                break;
            default: break;
        }
    }
    p.setPen(QColor(128, 128, 128));
    p.drawLine(3, 100, width - 3, 100);
    p.setPen(Qt::white);
    p.drawLine(3, 101, width - 3, 101);
    Image1->image = img;
    Image1->update();
}

void TForm18::choose(int action) {
    action_ = action;
    const TPanelChoice* entry = action >= 1 ? &Panel().entries()[action - 1] : nullptr;
    Label6->setText(entry ? entry->info : kNoAction);
    ApplyPanelChoice(entry, {{ComboBox2, findChild<QLabel*>(u"Label3"_s), nullptr},
                             {ComboBox3, findChild<QLabel*>(u"Label4"_s), nullptr}});
    DrawImageMenu(action <= 6 ? action : 0);
}

void TForm18::noAction() {
    radios_->setExclusive(false);
    for (QAbstractButton* b : radios_->buttons()) b->setChecked(false);
    radios_->setExclusive(true);
    choose(0);
}

void TForm18::Image1Click(int y) {
    const int item = ItemAt(y);
    if (item == 0) return;
    noAction();
    choose(item);
    if (item != 2 && item != 3) return;
    // Moving or sizing starts from the window's rectangle when the handle is a number.
    QString a = u"0"_s, b = u"0"_s;
    const QString handle = ComboBox1->currentText();
    QRect r;
    if (mdlfnct::IsInteger(handle) && handle.toLongLong() != 0 &&
        platform::desktop().GetWindowRect(platform::HWND(handle.toLongLong()), r)) {
        a = QString::number(item == 2 ? r.left() : r.width());
        b = QString::number(item == 2 ? r.top() : r.height());
    }
    ComboBox2->setEditText(a);
    ComboBox3->setEditText(b);
}

void TForm18::RadioButtonClick(int n) {
    radios_->button(n)->setChecked(true);
    choose(6 + n);
}

void TForm18::Form18Show(const QString& item) {
    noAction();
    FillLists();
    const QStringList words = Panel().choices({});
    const int action = int(words.indexOf(item)) + 1;
    if (action >= 7) return RadioButtonClick(action - 6);
    if (action >= 1) choose(action);
}

void TForm18::LoadDefaults() {
    noAction();
    ComboBox1->setEditText(ComboBox1->count() > 0 ? ComboBox1->itemText(0) : u"0"_s);
}

void TForm18::LoadFields(const QString& params) {
    LoadDefaults();
    const TParamFields f = SplitFields(params, ParamSeparator());
    ComboBox1->setEditText(f[1]);
    const int action = int(Panel().choices({}).indexOf(f[2])) + 1;
    if (action >= 7)
        RadioButtonClick(action - 6);
    else
        choose(action);
    ComboBox2->setEditText(f[3]);
    ComboBox3->setEditText(f[4]);
}

QString TForm18::BuildParams() const {
    return JoinFields({ComboBox1->currentText(), Panel().entries().value(action_ - 1).choice,
                       ComboBox2->currentText(), ComboBox3->currentText()});
}

void TForm18::FormClose() { ComboBox1->setEditText(QString()); }
