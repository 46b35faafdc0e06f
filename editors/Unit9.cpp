#include "editors/Unit9.h"

using namespace Qt::StringLiterals;

TForm9::TForm9(QWidget* parent) : TCommandDialog(9, u"Question"_s, u"Question"_s, 1127, parent) {
    Declare({.size = {340, 190},
             .controls = {{.name = u"ComboBox2"_s, .place = PlaceOf(Command::Question, 1), .label = u"Label1"_s,
                           .caption = u"Titre de la fenêtre"_s, .list = AllVariables},
                          {.name = u"ComboBox3"_s, .place = PlaceOf(Command::Question, 2), .label = u"Label2"_s,
                           .caption = u"Message"_s, .list = AllVariables},
                          {.name = u"ComboBox1"_s, .place = PlaceOf(Command::Question, 3), .label = u"Label3"_s,
                           .caption = u"Inserer la valeur dans ..."_s, .list = AllVariables,
                           .keywords = {u"Question"_s}}},
             .emptyOnAdd = true,
             .titleIsKeyword = true});
    ArrangeInColumn();
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ComboBox2 = findChild<TComboBox*>(u"ComboBox2"_s);
    ComboBox3 = findChild<TComboBox*>(u"ComboBox3"_s);
}

void TForm9::AfterShow() { ComboBox2->setFocus(); }

void TForm9::OpenedFromPalette() {
    ComboBox2->setEditText(Keyword());
    ComboBox3->setFocus();
}
