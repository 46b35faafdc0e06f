#include "editors/Unit24.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
// The buttons that insert their caption, SpeedButton1 to SpeedButton15.
const char16_t* const kCaptions[] = {u"=", u"+", u"-", u"*", u"/", u"9", u"3", u"6",
                                     u"2", u"8", u"5", u"1", u"7", u"4", u"0"};
// Their place in the keypad (row, column).
constexpr int kPlaces[][2] = {{0, 4}, {1, 3}, {2, 3}, {1, 4}, {2, 4}, {0, 2}, {2, 2}, {1, 2},
                              {2, 1}, {0, 1}, {1, 1}, {2, 0}, {0, 0}, {1, 0}, {3, 0}};
const QString kNoVariable = u"Pour utiliser cette commande vous devez avoir au moins une variable."_s;
}  // namespace

TForm24::TForm24(QWidget* parent) : TCommandDialog(24, u"Calcul évolué"_s, u"Calcul évolué"_s, 1126, parent) {
    Declare({.size = {420, 300},
             .controls = {{.kind = ControlKind::Line, .name = u"Edit1"_s, .place = PlaceOf(Command::CalculEvolue, 1), .label = u"Label3"_s,
                           .caption = u"Expression"_s},
                          {.kind = ControlKind::List, .name = u"ListBox1"_s, .label = u"Label1"_s,
                           .caption = u"Variables disponibles"_s, .list = AllVariables},
                          {.kind = ControlKind::Memo, .name = u"Memo1"_s, .label = u"Label2"_s,
                           .caption = u"Resultat"_s}},
             .emptyOnAdd = true});
    Edit1 = findChild<QLineEdit*>(u"Edit1"_s);
    Edit1->setMaxLength(254);
    Label3 = findChild<QLabel*>(u"Label3"_s);
    ListBox1 = findChild<QListWidget*>(u"ListBox1"_s);
    Memo1 = findChild<QPlainTextEdit*>(u"Memo1"_s);
    Memo1->setReadOnly(true);

    auto* keypad = new QGridLayout;
    auto newButton = [&](int n, const QString& caption, int row, int column) {
        auto* b = new QToolButton(this);
        b->setObjectName(u"SpeedButton%1"_s.arg(n));
        b->setText(caption);
        b->setFixedSize(28, 24);
        keypad->addWidget(b, row, column);
        return b;
    };
    for (int i = 0; i < 15; ++i) {
        const QString caption = QString::fromUtf16(kCaptions[i]);
        connect(newButton(i + 1, caption, kPlaces[i][0], kPlaces[i][1]), &QToolButton::clicked, this,
                [this, caption] { insert(caption); });
    }
    QToolButton* power = newButton(16, u"x^y"_s, 3, 4);
    power->setToolTip(u"Nombre x a la puissance y"_s);
    connect(power, &QToolButton::clicked, this, [this] { insert(u"^"_s); });
    QToolButton* left = newButton(17, u"<"_s, 3, 1);
    left->setToolTip(u"Déplacer le cureur vers la gauche."_s);
    connect(left, &QToolButton::clicked, this, [this] { Edit1->cursorBackward(false); });
    QToolButton* right = newButton(18, u">"_s, 3, 2);
    right->setToolTip(u"Déplacer le cureur vers la droite."_s);
    connect(right, &QToolButton::clicked, this, [this] { Edit1->cursorForward(false); });

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label3, 0, 0, 1, 2);
    grid->addWidget(Edit1, 1, 0, 1, 2);
    grid->addWidget(findChild<QLabel*>(u"Label1"_s), 2, 0);
    grid->addWidget(ListBox1, 3, 0);
    grid->addLayout(keypad, 3, 1, Qt::AlignTop);
    grid->addWidget(findChild<QLabel*>(u"Label2"_s), 4, 0, 1, 2);
    grid->addWidget(Memo1, 5, 0, 1, 2);
    grid->addLayout(ButtonRow(), 6, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    connect(Edit1, &QLineEdit::textChanged, this, &TForm24::Edit1Change);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm24::ListBox1DblClick);
}

QToolButton* TForm24::SpeedButton(int n) const { return findChild<QToolButton*>(u"SpeedButton%1"_s.arg(n)); }

void TForm24::insert(const QString& text) {
    Edit1->insert(text);
    Edit1->setFocus();
}

void TForm24::showState(const QString& text, const QColor& colour) {
    Label3->setText(text);
    QPalette p = Label3->palette();
    p.setColor(QPalette::WindowText, colour);
    Label3->setPalette(p);
}

void TForm24::Edit1Change() {
    const TCalculEvol calcul = TestCalculEvol(Edit1->text(), false);
    Memo1->setPlainText(calcul.Message);
    if (!calcul.Message.isEmpty()) {
        showState(u"Expression invalide"_s, QColor(255, 0, 0));
    } else {
        showState(u"Expression valide"_s, QColor(0, 128, 0));
        Memo1->setPlainText(calcul.Result);
    }
    Button1->setEnabled(calcul.Message.isEmpty());
    // An "Alpha" expression only adds.
    if (calcul.Kind != u"No_Type")
        for (int n : {3, 4, 5}) SpeedButton(n)->setEnabled(calcul.Kind == u"Numerique");
}

void TForm24::ListBox1DblClick() {
    const QList<QListWidgetItem*> chosen = ListBox1->selectedItems();
    if (!chosen.isEmpty()) insert(chosen.first()->text());
}

void TForm24::AfterShow() {
    Edit1->setFocus();
    if (Edit1->text().isEmpty()) showState(u"Expression"_s, Qt::black);
    const bool variables = ListBox1->count() > 0;
    Button1->setEnabled(variables);
    Memo1->setPlainText(variables ? u"Vide"_s : kNoVariable);
    if (Modifying() && variables) Memo1->setPlainText(TestCalculEvol(Edit1->text(), false).Result);
}

bool TForm24::Validate() {
    const QString message = TestCalculEvol(Edit1->text(), false).Message;
    return message.isEmpty() || Refuse(message);
}
