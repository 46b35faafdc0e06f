#include "editors/Unit27.h"

#include "core/Dialogs.h"
#include "core/Display.h"
#include "core/FileDialog.h"
#include "core/HelpContext.h"
#include "core/Helpers.h"
#include "core/Params.h"
#include "core/Unit1.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString kChooseTool = u"Séléctionnez une action dans les sous menus."_s;
const QString kFolderText = u"Inserez dans le paramètre 1 le nom du répertoire a créer ou a supprimer."_s;
const QString kNoParameter = u"Pas de paramètre."_s;
// The words a tool row declares at field n (the tool's variant).
QStringList declaredWords(Command command, const QString& tool, int n) {
    return WordsOf(ParamView(command, tool + u';', u';').field(n));
}
const QStringList kWidths = declaredWords(Command::OutilAffichage, u"Résolution"_s, 2);
// The dialog offers its own heights: 768 twice, the first before 720.
const QStringList kHeights = {u"200"_s, u"240"_s, u"300"_s, u"360"_s, u"384"_s,  u"400"_s,  u"480"_s,
                              u"576"_s, u"600"_s, u"768"_s, u"720"_s, u"768"_s,  u"864"_s,  u"900"_s,
                              u"960"_s, u"1024"_s, u"1080"_s, u"1200"_s};
const QStringList kDepths = declaredWords(Command::OutilAffichage, u"Résolution"_s, 4);
const QStringList kRates = declaredWords(Command::OutilAffichage, u"Fréquence"_s, 2);
const QStringList kYesNo = declaredWords(Command::OutilAlimentation, u"Mise en veille"_s, 2);

TPanelParam items(const QStringList& list, const QString& preset) {
    return {.enabled = true, .list = ListSource::Items, .items = list, .preset = preset};
}
TPanelParam alpha(BrowseKind browse, const QString& preset = {}) {
    return {.enabled = true, .list = ListSource::AlphaVariables, .preset = preset, .browse = browse};
}
const TPanelParam kFile = alpha(BrowseKind::File);
const TPanelParam kFolder = alpha(BrowseKind::Folder);

// Absolute POSIX names: a file name ends with a name (no extension needed), a folder is any absolute path.
bool isFileName(const QString& name) {
    return name.startsWith(u'/') && !name.endsWith(u'/') && !name.contains(QChar(0)) && !name.endsWith(u"/.") &&
           !name.endsWith(u"/..");
}
bool isFolder(const QString& name) { return name.startsWith(u'/') && !name.contains(QChar(0)); }
// The extension as written: from the last dot of the file's own name.
QString extensionOf(const QString& name) {
    const QString file = name.mid(name.lastIndexOf(u'/') + 1);
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot <= 0 ? QString() : file.mid(dot);
}
bool isVariable(const QString& text) { return mdlfnct::GetVarType(text) != u"No_Type"; }
bool isNumeric(const QString& text) { return mdlfnct::GetVarType(text) == u"Numerique"; }

}  // namespace

const TChoicePanel& TForm27::Panel() {
    static const TChoicePanel panel({
        {u"Affichage"_s, u"Résolution"_s, 42,
         u"Inserez dans le paramètre 1 la longueur et dans le paramètre 2 la largeur de l'ecran (en pixels). "
         "Séléctionnez la qualité des couleurs dans le paramètre 3."_s,
         {items(kWidths, u"800"_s), items(kHeights, u"600"_s), items(kDepths, u"16 bits"_s)}},
        {u"Affichage"_s, u"Fréquence"_s, 42, u"Inserez dans le paramètre 1 la fréquence désirée (exprimée en HZ)."_s,
         {items(kRates, u"60"_s)}},
        {u"Alimentation"_s, u"Fermer la session"_s, 43,
         u"Pas de paramètre. Attention vous devez disposer d'une version de Windows multi-session ( Nt, 2000, Xp)."_s,
         {}},
        {u"Alimentation"_s, u"Eteindre"_s, 43, kNoParameter, {}},
        {u"Alimentation"_s, u"Redémarrer"_s, 43, kNoParameter, {}},
        {u"Alimentation"_s, u"Mise en veille"_s, 43,
         u"Indiquez dans le paramètre 1 si vous desirez une veille prolongée ou pas."_s, {items(kYesNo, u"Non"_s)}},
        {u"Ecran"_s, u"Copier vers bmp"_s, 44, u"Inserez dans le paramètre 1 le nom du fichier voulu (*.bmp)."_s,
         {kFile}},
        {u"Ecran"_s, u"Copier vers jpg"_s, 44, u"Inserez dans le paramètre 1 le nom du fichier voulu (*.jpg)."_s,
         {kFile}},
        {u"Fichier"_s, u"Copier"_s, 45,
         u"Inserez dans le paramètre 1 le nom du fichier à copier, puis dans le paramètre 2 le dossier de "
         "destination."_s,
         {kFile, kFolder}},
        {u"Fichier"_s, u"Déplacer"_s, 45,
         u"Inserez dans le paramètre 1 le nom du fichier à déplacer, puis dans le paramètre 2 le dossier de "
         "destination."_s,
         {kFile, kFolder}},
        {u"Fichier"_s, u"Effacer"_s, 45,
         u"Inserez dans le paramètre 1 le nom du fichier à effacer, puis dans le paramètre 2 si le fichier a effacer "
         "doit se trouver dans la corbeille."_s,
         {kFile, items(kYesNo, u"Oui"_s)}},
        {u"Fichier"_s, u"Renommer"_s, 45,
         u"Inserez dans le paramètre 1 le nom du fichier( ou dossier) à renommer, puis dans le paramètre 2 le nouveau "
         "nom du fichier (ou dossier)."_s,
         {kFile, kFile}},
        {u"Fichier"_s, u"Rechercher"_s, 45,
         u"Inserez dans le paramètre 1 le repertoire de recherche, puis dans le paramètre 2 votre recherche,puis dans "
         "le paramètre 3 le nom du fichier texte où le resulta sera stocké."_s,
         {kFolder, alpha(BrowseKind::None, u"*.*"_s), kFile}},
        {u"Répertoire"_s, u"Créer"_s, 46, kFolderText, {kFolder}},
        {u"Répertoire"_s, u"Supprimer"_s, 46, kFolderText, {kFolder}},
        {u"Répertoire"_s, u"Renommer"_s, 46, kFolderText, {kFolder, alpha(BrowseKind::None)}},
    });
    return panel;
}

TForm27::TForm27(QWidget* parent) : TCommandDialog(27, u"Boite à outils"_s, u"Outil Fichier"_s, 1123, parent) {
    Declare({.size = {520, 330},
             .controls = {{.name = u"ComboBox1"_s, .place = PlaceOf(Command::OutilFichier, 2), .label = u"Label1"_s,
                           .caption = u"Paramètre 1"_s},
                          {.name = u"ComboBox2"_s, .place = PlaceOf(Command::OutilFichier, 3), .label = u"Label2"_s,
                           .caption = u"Paramètre 2"_s},
                          {.name = u"ComboBox3"_s, .place = PlaceOf(Command::OutilFichier, 4), .label = u"Label3"_s,
                           .caption = u"Paramètre 3"_s}}});
    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(u"TreeView1"_s);
    TreeView1->setHeaderHidden(true);
    for (const QString& category : Panel().categories()) {
        auto* top = new QTreeWidgetItem(TreeView1, {category});
        for (const QString& tool : Panel().choices(category)) new QTreeWidgetItem(top, {tool});
    }
    connect(TreeView1, &QTreeWidget::itemClicked, this, &TForm27::TreeView1Click);
    Label5 = new QLabel(kChooseTool, this);
    Label5->setObjectName(u"Label5"_s);
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    OpenDialog1 = new TFileDialog(this, TFileDialog::Open, u"OpenDialog1"_s);
    FolderDialog = new TFileDialog(this, TFileDialog::Folder, u"FolderDialog"_s);
    FolderDialog->Title = u"Entrez le nom du répertoire"_s;

    auto* column = new QVBoxLayout;
    for (int n = 1; n <= 3; ++n) {
        auto* label = findChild<QLabel*>(u"Label%1"_s.arg(n));
        auto* browse = new QToolButton(this);
        browse->setObjectName(u"SpeedButton%1"_s.arg(n));
        browse->setText(u"..."_s);
        connect(browse, &QToolButton::clicked, this, [this, n] { Browse(n); });
        auto* row = new QHBoxLayout;
        row->addWidget(ComboBox(n), 1);
        row->addWidget(browse);
        column->addWidget(label);
        column->addLayout(row);
        params_.append({ComboBox(n), label, browse});
    }
    column->addWidget(Label5, 1);
    auto* grid = new QGridLayout(this);
    grid->addWidget(TreeView1, 0, 0);
    grid->addLayout(column, 0, 1);
    grid->setColumnStretch(1, 1);
    grid->addLayout(ButtonRow(), 1, 0, 1, 2);
    ApplyPanelChoice(nullptr, params_);
}

TComboBox* TForm27::ComboBox(int n) const { return findChild<TComboBox*>(u"ComboBox%1"_s.arg(n)); }

const TPanelChoice* TForm27::chosen() const {
    const QTreeWidgetItem* node = TreeView1->currentItem();
    return node && node->parent() ? Panel().find(node->parent()->text(0), node->text(0)) : nullptr;
}

void TForm27::TreeView1Click() {
    const QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node) return;
    const QString category = node->parent() ? node->parent()->text(0) : node->text(0);
    const TPanelChoice* entry = chosen();
    SetHelpContext(this, Panel().find(category, Panel().choices(category).value(0))->helpContext);
    const QString key = category + u'/' + node->text(0);
    if (key != lastNode_) {
        ApplyPanelChoice(nullptr, params_);
        Label5->setText(kChooseTool);
        if (entry) {
            Label5->setText(entry->info);
            ApplyPanelChoice(entry, params_);
        }
    } else if (entry && (entry->choice == u"Rechercher" || category == u"Répertoire")) {
        ApplyPanelChoice(entry, params_);  // lists refilled, presets again
    }
    lastNode_ = key;
}

void TForm27::select(QTreeWidgetItem* node) {
    TreeView1->collapseAll();
    TreeView1->setCurrentItem(node);
    if (node) return TreeView1Click();
    ApplyPanelChoice(nullptr, params_);
    Label5->setText(kChooseTool);
    lastNode_.clear();
}

QTreeWidgetItem* TForm27::FindNode(const QString& text) const {
    const QList<QTreeWidgetItem*> found =
        TreeView1->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.last();
}

void TForm27::Form27Show(const QString& tool) {
    const QList<QTreeWidgetItem*> found =
        TreeView1->findItems(tool, Qt::MatchExactly | Qt::MatchCaseSensitive | Qt::MatchRecursive);
    select(found.isEmpty() ? nullptr : found.first());
}

void TForm27::Browse(int param) {
    const TPanelChoice* entry = chosen();
    if (!entry) return;
    const BrowseKind kind = entry->param(param - 1).browse;
    TComboBox* box = ComboBox(param);
    if (kind == BrowseKind::Folder) {
        FolderDialog->FileName = box->currentText();
        if (FolderDialog->Execute()) box->setEditText(FolderDialog->FileName);
        return;
    }
    if (kind != BrowseKind::File) return;
    QString extension;  // given to a name typed without one
    OpenDialog1->Filter = u"Tous les Fichiers (*.*)|*.*"_s;
    if (entry->choice == u"Copier vers bmp") {
        OpenDialog1->Filter = u"Fichiers Bitmap (*.bmp)|*.bmp"_s;
        extension = u".bmp"_s;
    } else if (entry->choice == u"Copier vers jpg") {
        OpenDialog1->Filter = u"Fichiers jpg (*.jpg)|*.jpg"_s;
        extension = u".jpg"_s;
    }
    OpenDialog1->FilterIndex = 1;
    OpenDialog1->FileName.clear();
    if (!OpenDialog1->Execute()) return;
    QString name = OpenDialog1->FileName;
    if (!extension.isEmpty() && extensionOf(name).isEmpty()) name += extension;
    box->setEditText(name);
}

bool TForm27::TestFonction() {
    const TPanelChoice* entry = chosen();
    if (!entry) return false;  // a category: nothing to write
    const QString tool = entry->choice;
    const QString p1 = ComboBox(1)->currentText(), p2 = ComboBox(2)->currentText(), p3 = ComboBox(3)->currentText();
    bool ok = true;
    auto fail = [&ok](const QString& message) {
        MessageDlg(message, MsgType::Error, mbOK);
        ok = false;
    };
    auto invalid = [](int n) {
        return u"Le paramètre %1 n'est pas valide. Veuillez séléctionner une valeur dans le menu déroulant."_s.arg(n);
    };
    auto numeric = [](int n) { return u"Le paramètre %1 ne peut pas être une variable numèrique."_s.arg(n); };
    auto notFileName = [](int n) { return u"Le paramètre %1 n'est pas un nom de fichier valide."_s.arg(n); };
    // Parameter 1 as a file name, with an extension when one is asked.
    auto fileParam1 = [&](const QString& extension) {
        if (isNumeric(p1)) return fail(numeric(1));
        if (isVariable(p1)) return;
        if (!isFileName(p1)) return fail(notFileName(1));
        if (!extension.isEmpty() && extensionOf(p1) != extension)
            fail(u"Le paramètre 1 n'est pas un fichier avec l'extension %1."_s.arg(extension));
    };
    if (tool == u"Résolution") {
        const bool widthOk = kWidths.contains(p1), heightOk = kHeights.contains(p2), depthOk = kDepths.contains(p3);
        if (!widthOk) fail(invalid(1));
        if (!heightOk) fail(invalid(2));
        if (!depthOk) fail(invalid(3));
        if (widthOk && heightOk && depthOk) {
            const int bits = p3 == u"8 bits" ? 8 : p3.left(2).toInt();
            const QString again = u" Un nouveau test sera effectué avant l'exécution de votre macro."_s;
            switch (ChangeResolEcran(p1.toInt(), p2.toInt(), false, bits)) {
                case -2: MessageDlg(u"Le mode Graphique n'est pas supporté."_s + again, MsgType::Information, mbOK); break;
                case -1:
                    MessageDlg(u"Le test de changement de résolution a echoué."_s + again, MsgType::Information, mbOK);
                    break;
                case 1:
                    MessageDlg(u"Attention, votre configuration demande un redémarrage du PC."_s + again,
                               MsgType::Information, mbOK);
                    break;
                default: break;
            }
        }
    } else if (tool == u"Copier vers bmp") {
        fileParam1(u".bmp"_s);
    } else if (tool == u"Copier vers jpg") {
        fileParam1(u".jpg"_s);
    } else if (tool == u"Copier" || tool == u"Déplacer" || tool == u"Renommer") {
        fileParam1({});
        if (isNumeric(p2))
            fail(numeric(2));
        else if (!isVariable(p2) && tool != u"Renommer" && !isFolder(p2))
            fail(u"Le paramètre 2 n'est pas un répertoire valide."_s);
        else if (!isVariable(p2) && tool == u"Renommer" && !isFileName(p2))
            fail(notFileName(2));
    } else if (tool == u"Effacer") {
        fileParam1({});
    }
    return ok;
}

bool TForm27::Validate() { return TCommandDialog::Validate() && TestFonction(); }

QString TForm27::BuildParams() const {
    const TPanelChoice* entry = chosen();
    QStringList fields{entry ? entry->choice : QString()};
    for (int n = 1; n <= 3; ++n)
        if (ComboBox(n)->isEnabled()) fields << ComboBox(n)->currentText();
    return JoinFields(fields);
}

// "Outil " and the chosen tool's category, also when a row changes category.
QString TForm27::CommandKeyword() const {
    const TPanelChoice* entry = chosen();
    return entry ? u"Outil "_s + entry->category : Keyword();
}

void TForm27::LoadDefaults() { select(TreeView1->topLevelItem(0)); }

void TForm27::LoadFields(const QString& params) {
    const QString category = Keyword().mid(QStringLiteral("Outil ").size());
    const TParamFields f = SplitFields(params, ParamSeparator());
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; i < TreeView1->topLevelItemCount() && !node; ++i) {
        QTreeWidgetItem* top = TreeView1->topLevelItem(i);
        for (int j = 0; j < top->childCount() && top->text(0) == category; ++j)
            if (top->child(j)->text(0) == f[1]) node = top->child(j);
    }
    select(node);
    for (int n = 1; n <= 3; ++n) ComboBox(n)->setEditText(f[n + 1]);
}
