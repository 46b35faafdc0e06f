#include "editors/Unit26.h"

#include "core/FileDialog.h"
#include "core/Unit1.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString kWebPrefix = u"http://www."_s;
}  // namespace

TForm26::TForm26(QWidget* parent) : TCommandDialog(26, u"Commande Exécute"_s, u"Execute"_s, 1134, parent) {
    // The target and its parameters are typed as one text (fields 1 and 2 of the row).
    Declare({.size = {420, 140},
             .controls = {{.name = u"ComboBox1"_s, .place = ParamWhole, .label = u"Label2"_s,
                           .caption = u"Ouvrir : "_s, .list = ListSource::AlphaVariables | ListSource::Items,
                           .items = {kWebPrefix, u"mailto:prenom.nom@exemple.fr"_s}}},
             .checks = {{[this] { return !ComboBox1->currentText().isEmpty(); },
                         u"Le paramètre de la commande exécute ne peut pas être vide."_s},
                        {[this] { return ComboBox1->currentText() != kWebPrefix; },
                         u"Le paramètre \"http://www.\" n'est pas complet, veuillez completer l'adresse."_s}},
             .emptyOnAdd = true});
    ArrangeInColumn();
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    Label1 = new QLabel(u"Entrer le nom d'un programme, d'une adresse email ou encore une adresse internet."_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setWordWrap(true);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, Label1);
    Button3 = new QPushButton(u"Parcourir ..."_s, this);
    Button3->setObjectName(u"Button3"_s);
    AddBeside(ComboBox1, Button3);
    connect(Button3, &QPushButton::clicked, this, &TForm26::Button3Click);
}

void TForm26::Preset(const QString& text) { ComboBox1->setEditText(text); }

void TForm26::Button3Click() {
    TFileDialog* d = Form1->OpenDialog2;
    if (d->Execute()) ComboBox1->setEditText(d->FileName);
}
