#include "editors/Unit3.h"

#include "core/Helpers.h"
#include "core/Unit1.h"

using namespace Qt::StringLiterals;

TForm3::TForm3(QWidget* parent) : TCommandDialog(3, u"Label"_s, u"Label"_s, 1136, parent) {
    // A new Goto goes to a label of the macro or to a row number; anything else
    // would only fail when the macro runs. A Goto row modified takes any text:
    // its label may live in an included macro.
    auto names = [this] { return ComboBox1->currentText(); };
    Declare({.size = {260, 100},
             .controls = {{.name = u"ComboBox1"_s, .place = PlaceOf(Command::Label, 1), .caption = u"Nom"_s}},
             .checks = {{[this, names] { return Keyword() != u"Label" || !names().isEmpty(); },
                         u"Veuillez donner un nom au label."_s},
                        {[this, names] {
                             return Keyword() != u"Goto" || Modifying() || mdlfnct::IsInteger(names()) ||
                                    (!names().isEmpty() && ComboBox1->findText(names(), Qt::MatchFixedString |
                                                                                          Qt::MatchCaseSensitive) >= 0);
                         },
                         u"Le Goto doit aller à un label de la macro ou à un numéro de ligne."_s}},
             .emptyOnAdd = true,
             .titleIsKeyword = true});
    ArrangeInColumn();
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
}

void TForm3::FillLists() {
    if (Keyword() == u"Goto")
        Form1->List_Label(ComboBox1);
    else
        FillKeepingText(ComboBox1, {});
}

void TForm3::LoadDefaults() {
    if (Keyword() == u"Label") Form1->New_Label_Name(ComboBox1);
}
