#include "editors/Unit36.h"

#include "core/Helpers.h"
#include "core/Unit1.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
const QString kEnd = u"END"_s;
const QString kCall = u"CALL "_s;
}  // namespace

TForm36::TForm36(QWidget* parent) : TCommandDialog(36, u"Procédure"_s, u"Procedure"_s, 1128, parent) {
    auto name = [this] { return ComboBox1->currentText(); };
    auto declaring = [this] { return RadioButton1->isChecked(); };
    // The first failing check is told, in this order. A declaration whose name
    // begins with "END" or "CALL " would read as an end or a call.
    Declare({.size = {300, 190},
             .controls = {{.name = u"ComboBox1"_s, .label = u"Label1"_s, .caption = u"Nom de la procédure"_s}},
             .choices = {{.choices = {{u"RadioButton1"_s, {}, u"Déclaration"_s, u"Déclaration"_s},
                                      {u"RadioButton2"_s, {}, u"Fin"_s, u"Fin"_s},
                                      {u"RadioButton3"_s, {}, u"Appel"_s, u"Appel"_s}},
                          .frame = {u"RadioGroup1"_s, u" Action "_s}}},
             .checks = {{[=] { return !declaring() || name() != kEnd; },
                         u"Cette procédure ne peut pas s'appeler END."_s},
                        {[=] { return !declaring() || !(name().startsWith(kEnd) || name().startsWith(kCall)); },
                         u"Le nom d'une procédure ne peut pas commencer par « END » ni par « CALL »."_s},
                        {[=, this] { return !declaring() || !declaredElsewhere(name()); },
                         u"Cette procédure existe déjà."_s},
                        {[=] { return !declaring() || !name().trimmed().isEmpty(); },
                         u"Veuillez donner un nom à la procédure."_s},
                        {[=, this] {
                             return !RadioButton3->isChecked() || Form1->procedure_exists(nullptr, name()) >= 0;
                         },
                         u"La procédure que vous voulez appeler n'existe pas."_s}}});
    ArrangeInColumn();
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    RadioButton1 = findChild<QRadioButton*>(u"RadioButton1"_s);
    RadioButton2 = findChild<QRadioButton*>(u"RadioButton2"_s);
    RadioButton3 = findChild<QRadioButton*>(u"RadioButton3"_s);
    SpeedButton1 = AddButtonBeside(ComboBox1, u"SpeedButton1"_s, u"Liste des procédures événementielles."_s);
    connect(RadioButton1, &QRadioButton::clicked, this, &TForm36::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TForm36::RadioButton2Click);
    connect(RadioButton3, &QRadioButton::clicked, this, &TForm36::RadioButton3Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm36::SpeedButton1Click);
}

void TForm36::RadioButton1Click() {
    RadioButton1->setChecked(true);
    SpeedButton1->setEnabled(true);
    FillKeepingText(ComboBox1, {});
    ComboBox1->setEditText(QString());
    ComboBox1->setEnabled(true);
    if (isVisible()) ComboBox1->setFocus();
}

void TForm36::RadioButton2Click() {
    RadioButton2->setChecked(true);
    FillKeepingText(ComboBox1, {});
    ComboBox1->setEditText(QString());
    ComboBox1->setEnabled(false);
    SpeedButton1->setEnabled(false);
}

void TForm36::RadioButton3Click() {
    RadioButton3->setChecked(true);
    Form1->List_procedure(ComboBox1);
    ComboBox1->setEditText(ComboBox1->itemText(0));
    ComboBox1->setEnabled(true);
    if (isVisible()) ComboBox1->setFocus();
    SpeedButton1->setEnabled(false);
}

void TForm36::SpeedButton1Click() {
    FillKeepingText(ComboBox1, {u"[EVENT.KEYPRESS]"_s, u"[EVENT.MOUSEDOWN]"_s, u"[EVENT.MOUSEUP]"_s});
    ComboBox1->showPopup();
}

void TForm36::enableEnd() {
    TListView* list = Form1->ListView1;
    const int selected = Modifying() ? TargetRow() : list->selectedIndex();
    const int row = selected >= 0 ? selected : list->count() - 1;
    RadioButton2->setEnabled(Form1->CanGetEndofProcedure(list, row, true));
}

bool TForm36::declaredElsewhere(const QString& name) const {
    const TListView* list = Form1->ListView1;
    const int modified = TargetRow();
    for (int r = 0; r < list->count(); ++r)
        if (r != modified && list->keyword(r) == u"Procedure" && list->params(r) == name) return true;
    return false;
}

void TForm36::LoadDefaults() {
    enableEnd();
    RadioButton1Click();
}

void TForm36::LoadFields(const QString& params) {
    enableEnd();
    switch (mdlfnct::ProcedureRowRole(params)) {
        case mdlfnct::ProcedureRole::Declaration:
            RadioButton1Click();
            ComboBox1->setEditText(params);
            break;
        case mdlfnct::ProcedureRole::End: RadioButton2Click(); break;
        case mdlfnct::ProcedureRole::Call:
            RadioButton3Click();
            ComboBox1->setEditText(params.mid(kCall.size()));
            break;
    }
}

QString TForm36::BuildParams() const {
    if (RadioButton2->isChecked()) return kEnd;
    return (RadioButton3->isChecked() ? kCall : QString()) + ComboBox1->currentText();
}

void TForm36::Form36Show(const QString& role) {
    if (role == u"Déclaration") {
        RadioButton1Click();
        ComboBox1->setFocus();
    } else if (role == u"Fin") {
        RadioButton2Click();
        Button1->setFocus();
    } else if (role == u"Appel") {
        RadioButton3Click();
        ComboBox1->setFocus();
    }
    QApplication::processEvents();
}
