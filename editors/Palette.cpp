// The command palette of the main window and the edit entry: which dialog
// opens for each palette button and for each row keyword.
#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/Form.h"
#include "core/History.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "editors/Unit2.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTabWidget>
#include <QToolButton>

namespace {

// form 0: no dialog ("Quitter" is added at once, "Inclusion" asks for a file).
struct PaletteEntry {
    int button;
    int page;  // 0 "Standard", 1 "Supplément"
    const char16_t* hint;
    const char16_t* keyword;
    int form;
};
constexpr PaletteEntry kPalette[] = {
    {1, 0, u"Tape de texte", u"Type", 2},
    {2, 0, u"Combinaison de touche", u"Type Special", 4},
    {4, 0, u"Déplacement souris", u"Move Mouse", 5},
    {3, 0, u"Clique souris", u"Click", 6},
    {5, 0, u"Executer un fichier, ouvrir une page internet", u"Execute", 26},
    {8, 0, u"Marquer une pause", u"Pause", 7},
    {6, 0, u"Label", u"Label", 3},
    {7, 0, u"Goto", u"Goto", 3},
    {38, 0, u"Procédure", u"Procedure", 36},
    {14, 0, u"Quitter", u"Quitter", 0},
    {9, 1, u"Variable", u"Variable", 8},
    {18, 1, u"Champs", u"Champs", 30},
    {10, 1, u"Question", u"Question", 9},
    {31, 1, u"Message", u"Message", 9},
    {11, 1, u"Examine", u"Examine", 11},
    {12, 1, u"Calcul", u"Calcul", 12},
    {22, 1, u"Calcul évolué", u"Calcul évolué", 24},
    {13, 1, u"Fonctions", u"Fonction", 13},
    {15, 1, u"Lire et Ecrire", u"Lire", 15},
    {16, 1, u"Manipulation objet", u"Manipulation", 18},
    {17, 1, u"Outils divers, alimentation, fichier, capture ecran ...", u"Outil Fichier", 27},
    {19, 1, u"Trouve image", u"Trouve image", 22},
    {37, 1, u"Ms Script", u"ScriptEval", 25},
    {30, 1, u"Inclusion", u"Inclusion", 0},
};

// The dialog of each row keyword for the edit entry.
struct EditEntry {
    const char16_t* keyword;
    int form;
};
constexpr EditEntry kEditors[] = {
    {u"Type", 2},           {u"Type Special", 4},
    {u"Move Mouse", 5},     {u"Click", 6},
    {u"Execute", 26},       {u"Pause", 7},
    {u"Variable", 8},       {u"Question", 9},
    {u"Message", 9},        {u"Examine", 11},
    {u"Label", 3},          {u"Goto", 3},
    {u"Calcul", 12},        {u"Calcul évolué", 24},
    {u"Fonction", 13},      {u"Commentaire", 14},
    {u"Lire", 15},          {u"Ecrire", 15},
    {u"Objet", 16},         {u"Manipulation", 18},
    {u"ScriptEval", 25},    {u"Procedure", 36},
    {u"Outil Affichage", 27}, {u"Outil Alimentation", 27},
    {u"Outil Ecran", 27},   {u"Outil Fichier", 27},
    {u"Outil Son", 27},     {u"Outil Répertoire", 27},
    {u"Champs", 30},        {u"Trouve image", 22},
};

TForm1::PluginRowEditor pluginRowEditor = nullptr;

QString text(const char16_t* s) { return QString::fromUtf16(s); }

// Opens a command dialog for adding (row < 0) or for modifying that row. A
// form that is not a command dialog yet says so and nothing is written.
void openDialog(int form, const QString& keyword, int row) {
    if (TCommandDialog* dialog = CommandDialog(form)) {
        if (row >= 0)
            dialog->ShowForModify(row);
        else
            dialog->ShowForAdd(keyword);
        return;
    }
    if (row >= 0) EditMode = false;
    const QWidget* w = FindForm(form);
    MessageDlg(QStringLiteral("La fenêtre « %1 » n'est pas encore disponible dans cette version de Orvanel : %2")
                   .arg(w ? w->windowTitle() : keyword,
                        row >= 0 ? QStringLiteral("la commande reste inchangée.")
                                 : QStringLiteral("aucune commande n'est ajoutée.")),
               MsgType::Information, mbOK);
}

// The Execute dialog's browse button starts from the row's file, on a filter that lists it.
void prepareExecuteFile(TForm1* f, int row) {
    TFileDialog* d = f->OpenDialog2;
    d->Filter = QStringLiteral("Exécutable et macro|*.exe;*.mcr|Exécutable|*.exe|Macro|*.mcr|Tous|*.*");
    d->FilterIndex = 1;
    d->FileName.clear();
    if (row < 0) return;
    const QString path = f->ListView1->params(row);
    if (QFileInfo(path).isFile()) d->FileName = path;
    const QString ext = QFileInfo(path).suffix().toLower();
    d->FilterIndex = ext == QLatin1String("exe") ? 1 : ext == QLatin1String("mcr") ? 3 : 4;
}

// "Inclusion": the row's file is changed through the open dialog.
void editInclusion(TForm1* f, int row) {
    TFileDialog* d = f->OpenDialog2;
    const QString path = f->ListView1->params(row);
    d->Filter = QStringLiteral("Macro|*.mcr|Tous les fichiers|*.*");
    d->FilterIndex = QFileInfo(path).suffix() == QLatin1String("mcr") ? 1 : 2;
    d->FileName = path;
    if (d->Execute() && FitsInRow(d->FileName)) {
        f->ListView1->setParams(row, d->FileName);
        f->SaveBeforeChange(row);
    }
    EditMode = false;
}

// The Inclusion button: a macro file, or a text file in another language
// whose extension a linkage file of the program folder names.
void addInclusion(TForm1* f) {
    QString patterns = QStringLiteral("*.mcr");
    const QDir folder(platform::programFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.OtherLangEditor")}, QDir::Files))
        patterns += u';' + platform::IniFile(folder.filePath(name))
                               .ReadString(QStringLiteral("General"), QStringLiteral("TypeFileExt"),
                                           QStringLiteral("*.Unknow"));
    TFileDialog* d = f->OpenDialog2;
    d->Filter = QStringLiteral("Macro|*.mcr|Extensions reconnues (%1)|%1|Tous les fichiers|*.*").arg(patterns);
    d->FilterIndex = 2;
    d->FileName.clear();
    if (!d->Execute() || !FitsInRow(d->FileName)) return;
    const EditModeAs add(false);  // a dialog may be modifying a row meanwhile
    f->add_insert(QStringLiteral("Inclusion"), d->FileName, 29);
}

void paletteClick(TForm1* f, const PaletteEntry& e) {
    const QString keyword = text(e.keyword);
    if (e.button == 14) {
        const EditModeAs add(false);  // a dialog may be modifying a row meanwhile
        f->add_insert(keyword, QString(), 14);
    } else if (e.button == 30) {
        addInclusion(f);
    } else {
        if (e.button == 5) prepareExecuteFile(f, -1);
        openDialog(e.form, keyword, -1);
    }
}

// The edit entry: TForm1::Editer1Click has set EditMode and PreviousParams for the selected row.
void editSelectedRow(const QString& keyword) {
    TForm1* f = Form1;
    const int row = f->ListView1->selectedIndex();
    if (row < 0) {
        EditMode = false;
        return;
    }
    if (keyword == QLatin1String("Inclusion")) return editInclusion(f, row);
    for (const EditEntry& e : kEditors) {
        if (keyword != text(e.keyword)) continue;
        if (e.form == 26) prepareExecuteFile(f, row);
        return openDialog(e.form, keyword, row);
    }
    if (!(pluginRowEditor && pluginRowEditor(row))) EditMode = false;
}

}  // namespace

void TForm1::setPluginRowEditor(PluginRowEditor editor) { pluginRowEditor = editor; }

QToolButton* TForm1::PaletteButton(int number) const {
    return PageControl2->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(number));
}

void TForm1::buildPaletteUi() {
    OpenDialog2 = new TFileDialog(this, TFileDialog::Open, QStringLiteral("OpenDialog2"));
    int place[2] = {0, 0};
    for (int page : {0, 1}) PageControl2->widget(page)->setMinimumHeight(38);  // room for a row of buttons
    for (const PaletteEntry& e : kPalette) {
        auto* b = new QToolButton(PageControl2->widget(e.page));
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(e.button));
        b->setToolTip(text(e.hint));
        b->setIcon(CommandIcons::icon(GetImageIndexOfText(text(e.keyword))));
        b->setIconSize(QSize(24, 24));
        b->setAutoRaise(true);
        b->setGeometry(4 + place[e.page]++ * 32, 4, 30, 30);
        connect(b, &QToolButton::clicked, this, [this, &e] { paletteClick(this, e); });
    }
    setEditDispatcher(&editSelectedRow);
    InstallDialogBackgrounds();
}
