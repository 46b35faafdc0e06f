#include "editors/Unit15.h"

#include "core/FileDialog.h"
#include "core/Helpers.h"

#include <QRadioButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

TForm15::TForm15(QWidget* parent) : TCommandDialog(15, u"Lire Ecrire"_s, u"Lire"_s, 1094, parent) {
    Declare({.size = {330, 250},
             .controls = {{.name = u"ComboBox3"_s, .place = PlaceOf(Command::Lire, 1), .label = u"Label1"_s,
                           .caption = u"Nom du Fichier"_s, .list = ListSource::AlphaVariables},
                          {.name = u"ComboBox1"_s, .place = PlaceOf(Command::Lire, 2), .label = u"Label2"_s,
                           .caption = u"Variable Lire - Ecrire"_s, .list = AllVariables},
                          {.name = u"ComboBox2"_s, .place = PlaceOf(Command::Lire, 3), .label = u"Label3"_s,
                           .caption = u"Position enregistrement"_s, .list = AllVariables}},
             .choices = {{.choices = {{u"RadioButton1"_s, u"Label5"_s, u"  Lire"_s, u"Lire"_s, 1094},
                                      {u"RadioButton2"_s, u"Label6"_s, u"  Ecrire"_s, u"Ecrire"_s, 1095}},
                          .keyword = true}},
             .checks = {{[this] { return !ComboBox3->currentText().isEmpty(); },
                         u"Vous devez obligatoirement spécifier un nom de fichier, ou une variable."_s},
                        {[this] {
                             return !RadioButton1->isChecked() ||
                                    mdlfnct::GetVarType(ComboBox1->currentText()) != u"No_Type";
                         },
                         u"Le paramètre Variable Lire doit être une variable déclarée."_s}},
             .checkMode = CheckMode::EveryFailure,
             .emptyOnAdd = true});
    ArrangeInColumn();
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ComboBox2 = findChild<TComboBox*>(u"ComboBox2"_s);
    ComboBox3 = findChild<TComboBox*>(u"ComboBox3"_s);
    RadioButton1 = findChild<QRadioButton*>(u"RadioButton1"_s);
    RadioButton2 = findChild<QRadioButton*>(u"RadioButton2"_s);
    SpeedButton1 = AddButtonBeside(ComboBox3, u"SpeedButton1"_s);
    OpenDialog1 = new TFileDialog(this, TFileDialog::Open, u"OpenDialog1"_s);
    OpenDialog1->Filter = u"Tous|*.*|Texte|*.txt;*.doc;"_s;
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton1Click(); });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton2Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm15::SpeedButton1Click);
}

// Reading takes a record position: "1" unless a number is there.
void TForm15::RadioButton1Click() {
    ComboBox2->setEnabled(true);
    if (!mdlfnct::IsInteger(ComboBox2->currentText())) ComboBox2->setEditText(u"1"_s);
}

void TForm15::RadioButton2Click() { ComboBox2->setEditText(QString()); }

void TForm15::SpeedButton1Click() {
    if (OpenDialog1->Execute()) ComboBox3->setEditText(OpenDialog1->FileName);
}
