#include "editors/Unit13.h"

#include "core/Dialogs.h"
#include "core/HelpContext.h"
#include "core/Params.h"
#include "core/Unit1.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

using namespace Qt::StringLiterals;

namespace {

// Functions of a category that share their parameter; "%1" stands for the separator.
struct FunctionGroup {
    QString category;
    int help;
    QStringList functions;
    QString info;  // empty: no parameter ("Aucune")
    ListSources list = {};
};

const QString kNone = u"Aucune"_s;
const QString kDayOffset =
    u"Si vous souhaitez avoir la date d'hier inserez la valeur -1 dans la cellule paramètre, pour demain inserez "
    "1, etc... "_s;
const QString kHandle = u"Entrez le numero du handle ou spécifiez une variable."_s;
const QString kDrive = u"Entrez la lettre du lecteur."_s;
const QString kFile = u"Entrez le nom de fichier complet avec son chemin."_s;
constexpr ListSources kHandleList = AllVariables | ListSource::Objects;

const FunctionGroup kGroups[] = {
    {u"Date"_s, 32, {u"JJ/MM/AAAA"_s, u"JJMMAAAA"_s, u"AAAAMMJJ"_s, u"Jour"_s, u"Mois"_s, u"Année"_s}, kDayOffset},
    {u"Heure"_s, 33, {u"HH:MM:SS"_s, u"HHMMSS"_s, u"Heure"_s, u"Minute"_s, u"Seconde"_s}, {}},
    {u"Clipboard"_s, 34, {u"Texte"_s}, {}},
    {u"Texte"_s, 35, {u"Longueur"_s}, u"Entrez votre texte ou spécifiez une variable."_s, AllVariables},
    {u"Texte"_s, 35, {u"Caractère(s)/Position(s)"_s},
     u"Inserez le texte ou la variable + %1 + Position départ + %1 + Position Fin."_s, AllVariables},
    {u"Texte"_s, 35, {u"Caractère(s)/Longueur"_s},
     u"Inserez le texte ou la variable + %1 + Position départ + %1 + Nombre de caractère."_s, AllVariables},
    {u"Texte"_s, 35, {u"Majuscule"_s}, u"Inserez le texte ou la variable à convertir en majuscule."_s, AllVariables},
    {u"Texte"_s, 35, {u"Minuscule"_s}, u"Inserez le texte ou la variable à convertir en minuscule."_s, AllVariables},
    {u"Texte"_s, 35, {u"Remplace"_s}, u"Inserez le texte recherché + %1 + le texte de remplacement."_s, AllVariables},
    {u"Texte"_s, 35, {u"Trouver"_s}, u"Inserez le texte + %1 + puis le texte recherché."_s, AllVariables},
    {u"Ecran"_s, 36, {u"Longueur"_s, u"Largeur"_s}, {}},
    {u"Curseur"_s, 37, {u"Position X"_s, u"Position Y"_s}, {}},
    {u"Handle"_s, 38, {u"Texte"_s, u"Longueur"_s, u"Largeur"_s, u"Position X"_s, u"Position Y"_s}, kHandle,
     kHandleList},
    {u"Handle"_s, 38, {u"Etat"_s}, kHandle + u"\nNormal\nRéduit\nAgrandi\nIndéterminé"_s, kHandleList},
    {u"Hasard"_s, 39, {u"Nombre"_s}, u"Entrez la valeur maximale souhaitée."_s, ListSource::NumericVariables},
    {u"Hasard"_s, 39, {u"Lettre"_s}, {}},
    {u"Disque"_s, 47, {u"Type de disque"_s}, kDrive, ListSource::AlphaVariables},
    {u"Disque"_s, 47, {u"Taille Totale"_s, u"Taille Disponible"_s},
     kDrive + u" La valeur de retour est en Mega octets."_s, ListSource::AlphaVariables},
    {u"Fichier"_s, 40,
     {u"Existe"_s, u"Extrait nom de fichier"_s, u"Extrait répertoire"_s, u"Extrait extension"_s,
      u"Nombre d'enregistrement"_s, u"Taille octets"_s, u"Date Création Fichier"_s, u"Date Modification Fichier"_s,
      u"Date Accès Fichier"_s, u"en lecture seule?"_s, u"caché?"_s, u"système?"_s,
      u"d'identification de volume?"_s, u"répertoire?"_s, u"archive?"_s},
     kFile, AllVariables},
    {u"Nombre"_s, 48,
     {u"Abs"_s, u"Cos"_s, u"Cotang"_s, u"Décimales"_s, u"Monétaire"_s, u"Tang"_s, u"Tronc"_s, u"Sin"_s}, {}},
    {u"Répertoire système"_s, 41,
     {u"Rep Maison"_s, u"Rep Fichier prog"_s, u"Rep Temporaire"_s, u"Rep Windows"_s, u"Rep Orvanel"_s,
      u"Rep Fichier Macro"_s},
     {}},
    {u"Paramètre d'exécution"_s, 49, {u"Paramètre n°"_s}, u"Inserez la position du paramètre voulu."_s,
     ListSource::NumericVariables},
    {u"Paramètre d'exécution"_s, 49, {u"Nombre de paramètre"_s}, {}},
};

QVector<TPanelChoice> panelEntries() {
    QVector<TPanelChoice> entries;
    for (const FunctionGroup& g : kGroups)
        for (const QString& function : g.functions)
            entries.append({g.category, function, g.help, g.info.isEmpty() ? kNone : g.info,
                            {{.enabled = !g.info.isEmpty(), .list = g.list}}});
    return entries;
}

// Refusals of "Valider": the function, the number of fields it needs, the message.
struct FieldCount {
    QString category, function;
    int count;  // the number of fields plus one
    QString message, caption;
};

QString withSeparator(const QString& text) { return text + u'"' + ParamSeparator() + u"\"."_s; }

}  // namespace

const TChoicePanel& TForm13::Panel() {
    static const TChoicePanel panel(panelEntries());
    return panel;
}

TForm13::TForm13(QWidget* parent) : TCommandDialog(13, u"Fonctions"_s, u"Fonction"_s, 1091, parent) {
    Declare({.size = {470, 330},
             .controls = {{.name = u"ComboBox1"_s, .place = ParamField(1), .label = u"Label1"_s,
                           .caption = u"Variable résultat"_s, .list = AllVariables},
                          {.kind = ControlKind::List, .name = u"ListBox1"_s, .label = u"Label2"_s,
                           .caption = u"Catégorie"_s, .list = ListSource::Items, .items = Panel().categories()},
                          {.kind = ControlKind::List, .name = u"ListBox2"_s, .label = u"Label3"_s,
                           .caption = u"Fonction"_s},
                          {.name = u"ComboBox2"_s, .label = u"Label4"_s, .caption = u"Paramètre"_s}}});
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ListBox1 = findChild<QListWidget*>(u"ListBox1"_s);
    ListBox2 = findChild<QListWidget*>(u"ListBox2"_s);
    ComboBox2 = findChild<TComboBox*>(u"ComboBox2"_s);
    Label4 = findChild<QLabel*>(u"Label4"_s);
    auto* label5 = new QLabel(u"Information sur le paramètre"_s, this);
    label5->setObjectName(u"Label5"_s);
    Label6 = new QLabel(kNone, this);
    Label6->setObjectName(u"Label6"_s);
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* grid = new QGridLayout(this);
    grid->addWidget(findChild<QLabel*>(u"Label1"_s), 0, 0, 1, 2);
    grid->addWidget(ComboBox1, 1, 0, 1, 2);
    grid->addWidget(findChild<QLabel*>(u"Label2"_s), 2, 0);
    grid->addWidget(findChild<QLabel*>(u"Label3"_s), 2, 1);
    grid->addWidget(ListBox1, 3, 0);
    grid->addWidget(ListBox2, 3, 1);
    grid->addWidget(Label4, 4, 0, 1, 2);
    grid->addWidget(ComboBox2, 5, 0, 1, 2);
    grid->addWidget(label5, 6, 0, 1, 2);
    grid->addWidget(Label6, 7, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->addLayout(ButtonRow(), 8, 0, 1, 2);

    connect(ListBox1, &QListWidget::itemClicked, this, &TForm13::ListBox1Click);
    connect(ListBox2, &QListWidget::itemClicked, this, &TForm13::ListBox2Click);
}

QString TForm13::ListBoxGetText(const QListWidget* listBox) {
    const QList<QListWidgetItem*> chosen = listBox->selectedItems();
    return chosen.isEmpty() ? QString() : chosen.last()->text();
}

void TForm13::ListBoxSetText(QListWidget* listBox, const QString& text) {
    const QList<QListWidgetItem*> equal = listBox->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!equal.isEmpty()) listBox->setCurrentItem(equal.last());
}

void TForm13::ListBox1Click() {
    const QString category = ListBoxGetText(ListBox1);
    const QStringList functions = Panel().choices(category);
    if (const TPanelChoice* first = Panel().find(category, functions.value(0)))
        SetHelpContext(this, first->helpContext);
    ListBox2->clear();
    ListBox2->addItems(functions);
    if (ListBox2->selectedItems().isEmpty() && ListBox2->count() > 0) ListBox2->setCurrentRow(0);
    ListBox2Click();
}

void TForm13::ListBox2Click() {
    const TPanelChoice* entry = Panel().find(ListBoxGetText(ListBox1), ListBoxGetText(ListBox2));
    Label6->setText(entry ? QString(entry->info).replace(u"%1"_s, ParamSeparator()) : kNone);
    const int help = HelpContext(this);  // the category's, kept
    ApplyPanelChoice(entry, {{ComboBox2, Label4, nullptr}});
    SetHelpContext(this, help);
}

void TForm13::Openform13withparam(const QString& category, const QString& function) {
    ListBoxSetText(ListBox1, category);
    ListBox1Click();
    ListBoxSetText(ListBox2, function);
    ListBox2Click();
}

void TForm13::Preset(const QString& choice) {
    const qsizetype slash = choice.indexOf(u'/');
    Openform13withparam(choice.left(slash), slash < 0 ? QString() : choice.mid(slash + 1));
}

void TForm13::LoadFields(const QString& params) {
    const TParamFields f = TForm1::GetParam(params);
    ComboBox1->setEditText(f[1]);
    Openform13withparam(f[2], f[3]);
    QStringList parameter;
    for (int i = 4; i < f.Count && i < int(f.field.size()); ++i) parameter << f[i];
    ComboBox2->setEditText(parameter.join(ParamSeparator()));
}

void TForm13::LoadDefaults() {
    ComboBox1->setEditText(QString());
    ComboBox2->setEditText(QString());
    Openform13withparam(u"Date"_s, u"JJ/MM/AAAA"_s);
    ComboBox2->setEditText(QString());
}

QString TForm13::BuildParams() const {
    QString s = ComboBox1->currentText() + ParamSeparator() + ListBoxGetText(ListBox1) + ParamSeparator() +
                ListBoxGetText(ListBox2) + ParamSeparator() + ComboBox2->currentText();
    if (!s.endsWith(ParamSeparator())) s += ParamSeparator();
    return s;
}

bool TForm13::Validate() {
    // Nothing chosen yet: "Valider" waits for it.
    if (ListBoxGetText(ListBox2).isEmpty() || ComboBox1->currentText().isEmpty()) return false;
    if (!TCommandDialog::Validate()) return false;
    const FieldCount counts[] = {
        {u"Texte"_s, u"Caractère(s)/Position(s)"_s, 7,
         withSeparator(u"Veuillez sélectionner les paramètres suivant: Text, position de départ, position de fin "
                       "entrecoupé du caractère "_s),
         u"Information"_s},
        {u"Texte"_s, u"Caractère(s)/Longueur"_s, 7,
         withSeparator(u"Veuillez sélectionner les paramètres suivant: Text, position de départ, nombre de "
                       "caractère "_s),
         u"Information"_s},
        {u"Texte"_s, u"Longueur"_s, 5, u"Veuillez sélectionner dans les paramètres uniquement le texte a traiter."_s,
         u"Information."_s},
    };
    const TParamFields f = TForm1::GetParam(BuildParams());
    for (const FieldCount& c : counts)
        if (f[2] == c.category && f[3] == c.function && f.Count != c.count) {
            MessageDlg(c.message, MsgType::Information, mbOK, c.caption);
            return false;
        }
    return true;
}

void TForm13::FormClose() {
    ComboBox1->setEditText(QString());
    ListBoxSetText(ListBox1, u"Date"_s);
    ComboBox2->setEnabled(false);
    Label4->setEnabled(false);
}
