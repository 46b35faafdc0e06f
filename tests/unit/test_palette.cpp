// The command palette and the edit entry.
#include "tests/support/TestServices.h"
#include "core/FileDialog.h"
#include "core/History.h"
#include "core/Unit1.h"
#include "editors/CommandDialog.h"
#include "editors/Unit2.h"
#include "editors/Unit7.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QTabWidget>
#include <QToolButton>

namespace {

struct PaletteCase {
    int button;
    int page;
    QString hint;
    int icon;
    int form;  // 0: no dialog
};
const PaletteCase kPalette[] = {
    {1, 0, "Tape de texte", 0, 2},
    {2, 0, "Combinaison de touche", 4, 4},
    {4, 0, "Déplacement souris", 3, 5},
    {3, 0, "Clique souris", 2, 6},
    {5, 0, "Executer un fichier, ouvrir une page internet", 5, 26},
    {8, 0, "Marquer une pause", 6, 7},
    {6, 0, "Label", 7, 3},
    {7, 0, "Goto", 8, 3},
    {38, 0, "Procédure", 28, 36},
    {14, 0, "Quitter", 14, 0},
    {9, 1, "Variable", 9, 8},
    {18, 1, "Champs", 21, 30},
    {10, 1, "Question", 10, 9},
    {31, 1, "Message", 30, 9},
    {11, 1, "Examine", 11, 11},
    {12, 1, "Calcul", 12, 12},
    {22, 1, "Calcul évolué", 26, 24},
    {13, 1, "Fonctions", 13, 13},
    {15, 1, "Lire et Ecrire", 16, 15},
    {16, 1, "Manipulation objet", 18, 18},
    {17, 1, "Outils divers, alimentation, fichier, capture ecran ...", 20, 27},
    {19, 1, "Trouve image", 22, 22},
    {37, 1, "Ms Script", 27, 25},
    {30, 1, "Inclusion", 29, 0},
};

class PaletteTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->show();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
    }
    void edit(int row) {
        TForm1::Select_unique(form->ListView1, row);
        form->ListView1DblClick();
    }
    // Answers the file dialog with `name` (empty: cancelled) and keeps what it was shown.
    void answerFiles(const QString& name) {
        testServices().onChooseFile = [this, name](TFileDialog& d) {
            shownFilter = d.Filter;
            shownIndex = d.FilterIndex;
            shownName = d.FileName;
            if (name.isEmpty()) return false;
            d.FileName = name;
            return true;
        };
    }
    void closeDialogs() {
        for (const PaletteCase& c : kPalette)
            if (TCommandDialog* d = CommandDialog(c.form)) d->close();
    }
    QString shownFilter, shownName;
    int shownIndex = 0;
};

TEST_F(PaletteTest, ButtonsStandInOrderWithTheirHintsAndIcons) {
    int lastLeft[2] = {-1, -1};
    for (const PaletteCase& c : kPalette) {
        QToolButton* b = form->PaletteButton(c.button);
        ASSERT_NE(b, nullptr) << c.button;
        EXPECT_EQ(b->parentWidget(), form->PageControl2->widget(c.page)) << c.button;
        EXPECT_EQ(b->toolTip(), c.hint);
        EXPECT_EQ(b->icon().cacheKey(), CommandIcons::icon(c.icon).cacheKey()) << c.button;
        EXPECT_GT(b->x(), lastLeft[c.page]) << c.button;
        lastLeft[c.page] = b->x();
    }
    EXPECT_EQ(form->PageControl2->tabText(0), "Standard");
    EXPECT_EQ(form->PageControl2->tabText(1), "Supplément");
}

TEST_F(PaletteTest, QuitterIsAddedAtOnce) {
    form->PaletteButton(14)->click();
    EXPECT_EQ(rowTexts(), QStringList({"Quitter|"}));
    EXPECT_EQ(form->ListView1->icon(0), 14);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// Each button opens its dialog for adding; a dialog not built yet says so and adds nothing.
TEST_F(PaletteTest, EveryButtonOpensItsDialogForAdding) {
    for (const PaletteCase& c : kPalette) {
        if (c.form == 0) continue;
        messages.shown.clear();
        form->PaletteButton(c.button)->click();
        if (TCommandDialog* d = CommandDialog(c.form)) {
            EXPECT_TRUE(d->isVisible()) << c.button;
            EXPECT_FALSE(d->Modifying()) << c.button;
            d->close();
        } else {
            ASSERT_EQ(messages.shown.size(), 1) << c.button;
            EXPECT_TRUE(messages.shown[0].text.contains("n'est pas encore disponible")) << c.button;
            EXPECT_TRUE(messages.shown[0].text.endsWith("aucune commande n'est ajoutée.")) << c.button;
        }
        EXPECT_TRUE(rowTexts().isEmpty()) << c.button;
        EXPECT_FALSE(RowEditing().modifying);
    }
}

TEST_F(PaletteTest, EditOpensTheDialogOfTheExactKeyword) {
    const std::pair<QString, int> cases[] = {
        {"Type", 2},          {"Type Special", 4},     {"Move Mouse", 5},   {"Click", 6},
        {"Pause", 7},         {"Variable", 8},         {"Question", 9},     {"Message", 9},
        {"Examine", 11},      {"Label", 3},            {"Goto", 3},         {"Calcul", 12},
        {"Calcul évolué", 24}, {"Fonction", 13},       {"Commentaire", 14}, {"Lire", 15},
        {"Ecrire", 15},       {"Objet", 16},           {"Manipulation", 18}, {"ScriptEval", 25},
        {"Procedure", 36},    {"Outil Affichage", 27}, {"Outil Son", 27},   {"Outil Répertoire", 27},
        {"Champs", 30},       {"Trouve image", 22},    {"Execute", 26},
        {"Quitter", 0},       {"Parcours souris", 0},  {"type", 0},         {"Inconnu", 0},
    };
    for (const auto& [keyword, number] : cases) {
        messages.shown.clear();
        setRows({{keyword, "p;"}});
        edit(0);
        if (number == 0) {
            EXPECT_TRUE(messages.shown.isEmpty()) << keyword.toStdString();
            EXPECT_FALSE(RowEditing().modifying) << keyword.toStdString();
        } else if (TCommandDialog* d = CommandDialog(number)) {
            EXPECT_TRUE(d->isVisible() && d->Modifying()) << keyword.toStdString();
            EXPECT_EQ(d->Keyword(), keyword);
            EXPECT_TRUE(RowEditing().modifying);
            d->close();
        } else {
            ASSERT_EQ(messages.shown.size(), 1) << keyword.toStdString();
            EXPECT_TRUE(messages.shown[0].text.endsWith("la commande reste inchangée.")) << keyword.toStdString();
        }
        EXPECT_FALSE(RowEditing().modifying) << keyword.toStdString();
        EXPECT_EQ(RowEditing().previousParams, "p;");
        EXPECT_EQ(rowTexts(), QStringList({keyword + "|p;"}));
    }
}

TEST_F(PaletteTest, EditingAQuitterRowThenPauseOpensPauseForAdding) {
    setRows({{"Quitter", ""}, {"Pause", "00:00:09"}});
    edit(0);
    EXPECT_FALSE(RowEditing().modifying);
    form->PaletteButton(8)->click();
    ASSERT_TRUE(Form7->isVisible());
    EXPECT_FALSE(Form7->Modifying());
    EXPECT_EQ(Form7->ComboBox1->currentText(), "00:00:01");
    Form7->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Quitter|", "Pause|00:00:01", "Pause|00:00:09"}));
}

TEST_F(PaletteTest, NoSelectedRowEditsNothing) {
    setRows({{"Type", "a"}});
    form->ListView1->clearSelection();
    form->Editer1Click();
    EXPECT_FALSE(RowEditing().modifying);
    EXPECT_FALSE(Form2->isVisible());
}

// A palette button on a dialog open for modifying turns it to adding; the same
// button on a dialog open for adding only brings it to the front.
TEST_F(PaletteTest, PaletteOnAnOpenDialog) {
    setRows({{"Pause", "00:00:09"}});
    edit(0);
    form->PaletteButton(8)->click();
    EXPECT_FALSE(Form7->Modifying());
    EXPECT_EQ(Form7->ComboBox1->currentText(), "00:00:01");
    Form7->ComboBox1->setEditText("00:00:03");
    form->PaletteButton(8)->click();
    EXPECT_EQ(Form7->ComboBox1->currentText(), "00:00:03");
    edit(0);  // the edit entry reloads it on the row
    EXPECT_TRUE(Form7->Modifying());
    EXPECT_EQ(Form7->ComboBox1->currentText(), "00:00:09");
}

TEST_F(PaletteTest, InclusionRowIsEditedThroughTheOpenDialog) {
    struct Case {
        QString params;
        int index;
    };
    for (const Case& c : {Case{"/m/sous.mcr", 1}, Case{"/m/SOUS.MCR", 2}, Case{"/m/sous", 2}}) {
        setRows({{"Inclusion", c.params}});
        answerFiles(QString());
        edit(0);
        EXPECT_EQ(shownFilter, "Macro|*.mcr|Tous les fichiers|*.*");
        EXPECT_EQ(shownIndex, c.index) << c.params.toStdString();
        EXPECT_EQ(shownName, c.params);
        EXPECT_EQ(form->ListView1->params(0), c.params);  // cancelled: unchanged
        EXPECT_FALSE(RowEditing().modifying);
    }
    answerFiles("/m/autre.mcr");
    edit(0);
    EXPECT_EQ(rowTexts(), QStringList({"Inclusion|/m/autre.mcr"}));
    EXPECT_FALSE(RowEditing().modifying);
    const THistoryList* h = form->ListView4;
    ASSERT_GE(h->count(), 2);
    EXPECT_EQ(h->action(h->count() - 2), HistoryAction::Initial);
    EXPECT_EQ(h->params(h->count() - 2), "/m/sous");
    EXPECT_EQ(h->action(h->count() - 1), HistoryAction::Modify);
}

TEST_F(PaletteTest, InclusionButtonOffersTheRecognisedExtensions) {
    QFile linkage(home.filePath("Anglais.OtherLangEditor"));
    ASSERT_TRUE(linkage.open(QIODevice::WriteOnly));
    linkage.write("[General]\r\nTypeFileExt=*.txt\r\n");
    linkage.close();
    answerFiles(QString());
    form->PaletteButton(30)->click();
    EXPECT_EQ(shownFilter, "Macro|*.mcr|Extensions reconnues (*.mcr;*.txt)|*.mcr;*.txt|Tous les fichiers|*.*");
    EXPECT_EQ(shownIndex, 2);
    EXPECT_EQ(shownName, "");
    EXPECT_TRUE(rowTexts().isEmpty());

    answerFiles("/macros/commun.mcr");
    form->PaletteButton(30)->click();
    EXPECT_EQ(rowTexts(), QStringList({"Inclusion|/macros/commun.mcr"}));
    EXPECT_EQ(form->ListView1->icon(0), 29);
}

TEST_F(PaletteTest, ExecuteRowPreparesTheSharedOpenDialog) {
    const QString program = home.filePath("prog");
    QFile(program).open(QIODevice::WriteOnly);
    QFile(program).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString notes = home.filePath("notes.txt");  // a file that is not executed: "Tous"
    QFile(notes).open(QIODevice::WriteOnly);
    struct Case {
        QString params;
        QString name;
        int index;
    };
    for (const Case& c : {Case{program, program, 1}, Case{notes, notes, 4}, Case{"/nulle/part/m.MCR", "", 3},
                        Case{"http://x.fr", "", 4}}) {
        setRows({{"Execute", c.params}});
        edit(0);
        EXPECT_EQ(form->OpenDialog2->Filter, "Exécutable et macro|" + kRunnableFiles + ";*.mcr|Exécutable|" +
                                                 kRunnableFiles + "|Macro|*.mcr|Tous|*.*");
        EXPECT_EQ(form->OpenDialog2->FileName, c.name);
        EXPECT_EQ(form->OpenDialog2->FilterIndex, c.index) << c.params.toStdString();
        closeDialogs();
    }
    form->PaletteButton(5)->click();
    EXPECT_EQ(form->OpenDialog2->FileName, "");
    EXPECT_EQ(form->OpenDialog2->FilterIndex, 1);
}

int pluginEdits = 0;

TEST_F(PaletteTest, PluginRowsGoToThePluginEditor) {
    struct PluginEditor : TestServices {
        bool EditPluginRow(int row) override {
            ++pluginEdits;
            RowEditing().modifying = false;
            return row == 0 && Form1->ListView1->keyword(row) == QLatin1String("MonPlugin");
        }
    } services;
    InstallServices(&services);
    const auto restore = qScopeGuard([] { InstallServices(&testServices()); });
    setRows({{"MonPlugin", "x;"}, {"AutrePlugin", "y;"}});
    edit(0);
    edit(1);
    EXPECT_EQ(pluginEdits, 2);
    EXPECT_FALSE(RowEditing().modifying);
    EXPECT_TRUE(messages.shown.isEmpty());
}

}  // namespace
