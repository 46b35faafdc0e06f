#include "editors/Unit25.h"

#include "core/Services.h"
#include "core/Unit1.h"
#include "engine/ScriptControl.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {
const QString kJScript = u"JScript"_s;
const QString kVBScript = u"VBScript"_s;
}  // namespace

TForm25::TForm25(QWidget* parent) : TCommandDialog(25, u"MSScript Expression"_s, u"ScriptEval"_s, 1150, parent) {
    Declare({.size = {420, 200},
             .controls = {{.name = u"ComboBox1"_s, .place = PlaceOf(Command::ScriptEval, 1), .label = u"Label1"_s,
                           .caption = u"Language"_s, .list = ListSource::Items,
                           .items = WordsOf(DeclaredField(Command::ScriptEval, 1))},
                          {.kind = ControlKind::Line, .name = u"Edit1"_s, .place = PlaceOf(Command::ScriptEval, 3), .label = u"Label2"_s,
                           .caption = u"Expression"_s},
                          {.name = u"ComboBox2"_s, .place = PlaceOf(Command::ScriptEval, 2), .label = u"Label3"_s,
                           .caption = u"Inserer le résultat dans ..."_s, .list = AllVariables}}});
    Label1 = findChild<QLabel*>(u"Label1"_s);
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ComboBox1->setEditable(false);  // one of the languages, nothing else
    Label2 = findChild<QLabel*>(u"Label2"_s);
    Edit1 = findChild<QLineEdit*>(u"Edit1"_s);
    Label3 = findChild<QLabel*>(u"Label3"_s);
    ComboBox2 = findChild<TComboBox*>(u"ComboBox2"_s);
    Label5 = new QLabel(u"Valeur actuelle "_s, this);
    Label5->setObjectName(u"Label5"_s);
    Label4 = new QLabel(this);
    Label4->setObjectName(u"Label4"_s);
    Label4->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label4->setWordWrap(true);  // an error's description may be long
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton1->setText(u"?"_s);
    SpeedButton1->setToolTip(u"Référence du langage"_s);

    connect(Edit1, &QLineEdit::textChanged, this, &TForm25::Edit1Change);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TForm25::Edit1Change);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm25::SpeedButton1Click);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(SpeedButton1, 0, 2, Qt::AlignLeft);
    grid->addWidget(Label2, 1, 0, 1, 3);
    grid->addWidget(Edit1, 2, 0, 1, 3);
    grid->addWidget(Label3, 3, 0, 1, 3);
    grid->addWidget(ComboBox2, 4, 0, 1, 3);
    grid->addWidget(Label5, 5, 0);
    grid->addWidget(Label4, 5, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);
    grid->addLayout(ButtonRow(), 7, 0, 1, 3);
}

void TForm25::LoadFields(const QString& params) {
    TCommandDialog::LoadFields(params);
    ComboBox1->setCurrentText(SplitFields(params, ParamSeparator())[1] == kVBScript ? kVBScript : kJScript);
}

void TForm25::LoadDefaults() {
    ComboBox1->setCurrentText(kJScript);
    ComboBox2->setEditText(QString());
    Edit1->clear();
}

void TForm25::Preset(const QString& language) {
    if (language == kJScript || language == kVBScript) ComboBox1->setCurrentText(language);
}

void TForm25::AfterShow() {
    Edit1->setFocus();
    Edit1Change();
}

void TForm25::Edit1Change() {
    TScriptControl* control = ScriptControl();
    if (!control) return;
    Label2->setText(u"Expression"_s);
    ComboBox2->setEnabled(true);
    Label3->setEnabled(true);
    Label4->clear();
    if (Edit1->text().trimmed().isEmpty()) return;
    control->Language = ComboBox1->currentText();
    const QString expression = SubstituteVariables(ScriptLanguageOf(control->Language), Edit1->text(),
                                                   DeclaredScriptVariables(Form1->Macro));
    try {
        control->Reset(kPreviewBound);
        const QVariant value = control->Eval(expression, kPreviewBound);
        const bool condition = value.typeId() == QMetaType::Bool;
        Label4->setText(condition ? (value.toBool() ? u"True"_s : u"False"_s) : value.toString());
        if (!condition) return;
        Label2->setText(u"Expression Booléenne"_s);
        ComboBox2->setEnabled(false);  // a condition has no result variable
        Label3->setEnabled(false);
    } catch (const EScriptError& e) {
        Label4->setText(e.Description + u" code ["_s + QString::number(e.Number) + u"]."_s);
        Label2->setText(u"Expression invalide"_s);
    }
}

void TForm25::SpeedButton1Click() {
    Services().OpenUrl(QUrl(ComboBox1->currentText() == kJScript
                                ? u"https://developer.mozilla.org/fr/docs/Web/JavaScript/Reference"_s
                                : u"https://learn.microsoft.com/fr-fr/previous-versions/d1wf56tt(v=vs.85)"_s));
}
