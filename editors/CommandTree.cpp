#include "editors/CommandTree.h"

#include "core/CommandNames.h"
#include "core/CommandTree.h"
#include "core/Description.h"
#include "core/Dialogs.h"
#include "core/HelpContext.h"
#include "core/Params.h"
#include "core/Services.h"
#include "core/Startup.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "editors/Palette.h"
#include "engine/GestionCommande.h"
#include "platform/Cp1252.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A node whose double-click opens a command dialog for adding, preset with
// a choice's word or caption, a role or a text (none: as it opens).
struct TreeAction {
    const char16_t* path;
    const char16_t* keyword;
    std::optional<const char16_t*> preset;
};

const TreeAction kTreeActions[] = {
    {u"Clavier > Tape de Texte", u"Type", {}},
    {u"Clavier > Combinaison de touche", u"Type Special", {}},
    {u"Souris > Clique", u"Click", {}},
    {u"Souris > Déplacement", u"Move Mouse", {}},
    {u"Exécute > Programme", u"Execute", u""},
    {u"Exécute > Email", u"Execute", u"mailto:"},
    {u"Exécute > Page internet", u"Execute", u"http://www."},
    {u"Label & Goto > Label", u"Label", {}},
    {u"Label & Goto > Goto", u"Goto", {}},
    {u"Variable > Alphanumérique", u"Variable", u"Alpha"},
    {u"Variable > Numérique", u"Variable", u"Numerique"},
    {u"Fenêtre > Message", u"Message", {}},
    {u"Fenêtre > Question", u"Question", {}},
    {u"Pause > Pause", u"Pause", {}},
    {u"Examine > Égale", u"Examine", u"="},
    {u"Examine > Différent", u"Examine", u"<>"},
    {u"Examine > Inférieur", u"Examine", u"<"},
    {u"Examine > Supérieur", u"Examine", u">"},
    {u"Calcul > Évolué", u"Calcul évolué", {}},
    {u"Calcul > Addition", u"Calcul", u"+"},
    {u"Calcul > Soustraction", u"Calcul", u"-"},
    {u"Calcul > Division", u"Calcul", u"/"},
    {u"Calcul > Multiplication", u"Calcul", u"*"},
    {u"Procédure > Déclaration", u"Procedure", u"Déclaration"},
    {u"Procédure > Fin", u"Procedure", u"Fin"},
    {u"Procédure > Appel", u"Procedure", u"Appel"},
    {u"Script > JScript", u"ScriptEval", u"JScript"},
    {u"Script > VBScript", u"ScriptEval", u"VBScript"},
    {u"Quitter > Quitter", u"Quitter", {}},
    {u"Lire et Ecrire > Lire", u"Lire", u"Lire"},
    {u"Lire et Ecrire > Ecrire", u"Ecrire", u"Ecrire"},
    {u"Champs > Champs", u"Champs", {}},
    {u"Trouve Image > Trouve Image", u"Trouve image", {}},
};

// The Manipulation actions, then the tool box's nodes under "Outils divers"
// with the label the tool box knows them by.
const char16_t* const kManipulations[] = {u"Restaurer", u"Déplacer", u"Taille", u"Réduire", u"Agrandir", u"Fermer",
                                          u"Déplacement souris", u"Changement texte", u"Fermeture forcée"};
const std::pair<const char16_t*, const char16_t*> kTools[] = {
    {u"Affichage > Résolution", u"Résolution"},       {u"Affichage > Fréquence", u"Fréquence"},
    {u"Alimentation > Fermer session", u"Fermer la session"}, {u"Alimentation > Eteindre", u"Eteindre"},
    {u"Alimentation > Redémarrer", u"Redémarrer"},    {u"Alimentation > Mise en veille", u"Mise en veille"},
    {u"Ecran > Copier vers bmp", u"Copier vers bmp"}, {u"Ecran > Copier vers jpg", u"Copier vers jpg"},
    {u"Fichier > Copier", u"Copier"},                 {u"Fichier > Déplacer", u"Déplacer"},
    {u"Fichier > Effacer", u"Effacer"},               {u"Fichier > Renommer", u"Renommer"},
    {u"Fichier > Rechercher", u"Rechercher"},         {u"Répertoire > Créer", u"Créer"},
    {u"Répertoire > Supprimer", u"Supprimer"},
};

// The Fonction leaves whose function bears another label in the dialog.
const std::pair<const char16_t*, const char16_t*> kFonctionLabels[] = {
    {u"Texte > Longueur", u"Longeur"},
    {u"Texte > Caractère/position", u"Caractère(s)/Position(s)"},
    {u"Texte > Caractère/Longueur", u"Caractère(s)/Longueur"},
    {u"Fichier > Taille en octets", u"Taille octets"},
    {u"Répertoire système > Répertoire Maison", u"Rep Maison"},
    {u"Répertoire système > Répertoire Program File", u"Rep Fichier prog"},
    {u"Répertoire système > Répertoire Temporaire", u"Rep Temporaire"},
    {u"Répertoire système > Répertoire Windows", u"Rep Windows"},
    {u"Répertoire système > Répertoire Orvanel", u"Rep Orvanel"},
    {u"Répertoire système > Répertoire macro", u"Rep Fichier Macro"},
};

QString text(const char16_t* s) { return QString::fromUtf16(s); }

// Opens the dialog of keyword for adding; a preset, even empty, is given to it once open.
void openDialog(const QString& keyword, const std::optional<QString>& preset) {
    ShowCommandDialog(keyword);
    const int c = CommandCase(keyword);
    TCommandDialog* dialog = c ? CommandDialog(CommandLine(c).form) : nullptr;
    if (preset && dialog && dialog->isVisible()) dialog->Preset(*preset);
}

void triggerItem(const QString& name) {
    if (auto* item = Form1->findChild<QAction*>(name)) item->trigger();
}

// A plug-in node: the palette button of the plug-in of that name and category.
void clickPluginButton(const QTreeWidgetItem* node) {
    const QString category = node->parent() ? node->parent()->text(0) : QString();
    for (const TDynamiqueOrder& e : std::as_const(DynamiqueOrders))
        if (!e.Name.isEmpty() && e.Name == node->text(0) && e.Rubrique == category) {
            if (e.Button) e.Button->click();
            return;
        }
}

// A plug-in node's description: the file the library names, in its folder, else its text.
QString pluginDescription(const QTreeWidgetItem* node) {
    const QString category = node->parent() ? node->parent()->text(0) : QString();
    for (const TDynamiqueOrder& e : std::as_const(DynamiqueOrders)) {
        if (e.Name.isEmpty() || e.Name != node->text(0) || e.Rubrique != category) continue;
        const QString file = QFileInfo(e.LibraryPath).absoluteDir().filePath(e.Description);
        QFile f(file);
        if (!e.Description.isEmpty() && QFileInfo(file).isFile() && f.open(QIODevice::ReadOnly))
            return QString::fromUtf8(f.readAll());
        return e.Description;
    }
    return {};
}

}  // namespace

int DefineHelpContext(const QString& path) {
    QFile define(platform::programFile(u"define.h"_s));
    if (!define.open(QIODevice::ReadOnly)) return 0;
    QString key = u"COMMANDE-"_s + path.toUpper();
    key.replace(u" > "_s, u"-"_s).replace(u' ', u'-');
    for (const char16_t* accent : {u"é", u"è", u"É"}) key.replace(text(accent), u"E"_s);
    const QStringList lines = platform::fromCp1252(define.readAll()).split(u'\n');
    // The key, then its shorter forms cut at each "-": the longest one found
    // (as a whole name) gives the number at the end of its line.
    for (QString form = key;; form.truncate(form.lastIndexOf(u'-'))) {
        const QRegularExpression name(QRegularExpression::escape(form) + u"(?![-\\w])"_s);
        for (const QString& line : lines) {
            if (!line.contains(name)) continue;
            bool ok = false;
            const int context = line.trimmed().section(QRegularExpression(u"\\s+"_s), -1).toInt(&ok);
            return ok ? context : 0;
        }
        if (!form.contains(u'-')) break;
    }
    return 0;
}

void TreeView1Click() {
    TForm1* f = Form1;
    const QTreeWidgetItem* node = f->TreeView1->currentItem();
    if (!node) return;
    const QString path = GetTreeViewFullText(f->TreeView1, false);
    if (const int context = DefineHelpContext(path)) SetHelpContext(f->TreeView1, context);
    f->ChangeDescription(LastDescriptionPath);
    f->RichEdit2->clear();
    QString description = DescriptionBlock(DescriptionLines, path).join(u'\n');
    if (path.startsWith(u"Plugin"_s)) description = pluginDescription(node);
    // The branch of the plug-ins and its categories: what the branch's own block says.
    if (path.startsWith(u"Plugin"_s) && node->childCount() > 0) {
        const QTreeWidgetItem* branch = node;
        while (branch->parent()) branch = branch->parent();
        description = DescriptionBlock(DescriptionLines, branch->text(0)).join(u'\n');
    }
    f->RichEdit2->setPlainText(description);
    const QString sep(ParamSeparator());
    f->GetDescURLStyle(path.split(u" > "_s).join(sep) + sep);
    if (!description.isEmpty()) f->PageControl1->setCurrentWidget(f->TabSheet3);
    LastDescriptionPath = path;
    if (f->PageControl1->currentWidget() == f->TabSheet3) f->RichEdit2->moveCursor(QTextCursor::Start);
}

void TreeView1DblClick() {
    const QTreeWidgetItem* node = Form1->TreeView1->currentItem();
    if (!node) return;
    const QString path = GetTreeViewFullText(Form1->TreeView1, true);
    for (const TreeAction& a : kTreeActions)
        if (path == text(a.path)) openDialog(text(a.keyword), a.preset ? std::optional(text(*a.preset)) : std::nullopt);
    if (path.count(u" > "_s) == 2 && path.startsWith(u"Fonction > "_s)) {
        const QString leaf = path.section(u" > "_s, 1);  // category > function
        QString item = path.section(u" > "_s, 2);
        for (const auto& [where, label] : kFonctionLabels)
            if (leaf == text(where)) item = text(label);
        Openform13withparam(path.section(u" > "_s, 1, 1), item);
    }
    if (path == u"Commentaire > Commentaire") triggerItem(u"Insereruncommentaire1"_s);
    if (path == u"Objet > Objet") triggerItem(u"Spy1"_s);
    for (const char16_t* action : kManipulations)
        if (path == u"Manipulation sur objet > "_s + text(action)) openDialog(u"Manipulation"_s, text(action));
    for (const auto& [where, label] : kTools)
        if (path == u"Outils divers > "_s + text(where))
            openDialog(u"Outil "_s + text(where).section(u" > "_s, 0, 0), text(label));
    if (path == u"Ouvrir une session au démarrage" || path == u"Ne pas ouvrir la session au démarrage")
        MessageDlg(u"L'ouverture automatique de la session n'existe pas sur ce système : rien n'est changé."_s,
                   MsgType::Information, mbOK);
    if (path.startsWith(u"Plugin"_s)) clickPluginButton(node);
}

// The Fonction dialog's preset is "category/function".
std::function<void(const QString&, const QString&)> PresetFonctionDialog = [](const QString& category,
                                                                                const QString& item) {
    openDialog(u"Fonction"_s, category + u'/' + item);
};

void Openform13withparam(const QString& category, const QString& item) { PresetFonctionDialog(category, item); }

void Enregistrer2Click() {
    Form1->ChangeDescription(LastDescriptionPath);
    SaveDescriptionLines();
}

void Envoyeralauteur1Click() {
    Services().SendMail({u"to=orvanel@example.org"_s, u"subject=Orvanel"_s, u"body="_s,
                         u"attachment0="_s + LanguageFilePath()});
}

void BuildCommandTreeView(TForm1& form) {
    QTreeWidget* tree = form.TreeView1;
    if (tree->topLevelItemCount() == 0) BuildCommandTree(tree);
    FillCommandNames();
    QObject::connect(tree, &QTreeWidget::itemClicked, &form, [] { TreeView1Click(); });
    QObject::connect(tree, &QTreeWidget::itemDoubleClicked, &form, [] { TreeView1DblClick(); });

    // PopupMenu5: expand or collapse every node at once.
    auto* treeMenu = new QMenu(tree);
    treeMenu->setObjectName(u"PopupMenu5"_s);
    auto wholeTree = [tree](bool expand) {
        tree->setUpdatesEnabled(false);
        expand ? tree->expandAll() : tree->collapseAll();
        tree->setUpdatesEnabled(true);
    };
    auto* expand = treeMenu->addAction(u"Développer"_s, tree, [wholeTree] { wholeTree(true); });
    expand->setObjectName(u"Dvelopper1"_s);
    auto* collapse = treeMenu->addAction(u"Réduire"_s, tree, [wholeTree] { wholeTree(false); });
    collapse->setObjectName(u"Rduire1"_s);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(tree, &QWidget::customContextMenuRequested, treeMenu,
                     [tree, treeMenu](const QPoint& p) { treeMenu->popup(tree->viewport()->mapToGlobal(p)); });

    // PopupMenu4: editing the description.
    QTextEdit* edit = form.RichEdit2;
    auto* menu = new QMenu(&form);
    menu->setObjectName(u"PopupMenu4"_s);
    auto add = [menu](const char* name, const QString& caption, auto slot) {
        QAction* a = menu->addAction(caption, menu, slot);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    QAction* undo = add("Annuler1", u"Annuler"_s, [edit] { edit->undo(); });
    QAction* cut = add("Couper3", u"Couper"_s, [edit] { edit->cut(); });
    QAction* copy = add("Copier3", u"Copier"_s, [edit] { edit->copy(); });
    QAction* paste = add("Coller3", u"Coller"_s, [edit] { edit->paste(); });
    QAction* remove = add("Supprimer3", u"Supprimer"_s, [edit] { edit->textCursor().removeSelectedText(); });
    add("SlctionnerTout1", u"Sélectionner Tout"_s, [edit] { edit->selectAll(); });
    menu->addSeparator();
    add("Enregistrer2", u"Enregistrer l'ensemble des descriptions"_s, [] { Enregistrer2Click(); });
    add("Envoyeralauteur1", u"Envoyer à l'auteur"_s, [] { Envoyeralauteur1Click(); });
    QObject::connect(menu, &QMenu::aboutToShow, menu, [=] {  // PopupMenu4Popup
        const bool selected = edit->textCursor().hasSelection();
        undo->setEnabled(edit->document()->isUndoAvailable());
        paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
        for (QAction* a : {cut, copy, remove}) a->setEnabled(selected);
    });
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, menu,
                     [edit, menu](const QPoint& p) { menu->popup(edit->viewport()->mapToGlobal(p)); });
}
