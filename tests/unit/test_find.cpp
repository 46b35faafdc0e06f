#include "core/Startup.h"
#include "tests/support/TestServices.h"
#include "test_history_fixture.h"

#include "core/Find.h"
#include "core/HelpContext.h"

#include <QFile>
#include <QAction>
#include <QTextEdit>

namespace {

using namespace HistoryAction;

TEST(StrExist, IgnoresCase) {
    struct Case {
        QString text, sub;
        bool found;
    };
    const std::vector<Case> cases = {
        {"Pause", "pause", true}, {"Calcul évolué", "ÉVOLUÉ", true}, {"abc", "d", false},
        {"", "", false},          {"", "a", false},                 {"500;MilliSec;", "millisec", true},
    };
    for (const Case& c : cases) EXPECT_EQ(TForm1::StrExist(c.text, c.sub), c.found) << c.text.toStdString();
}

TEST(ReplaceInFields, MatchesStayInsideAField) {
    EXPECT_EQ(editing::ReplaceInFields("12;512;x", "12", "7"), "7;57;x");
    EXPECT_EQ(editing::ReplaceInFields("Abc;aBC;", "abc", "z"), "z;z;");
    EXPECT_EQ(editing::ReplaceInFields("a;b;", "a;b", "z"), "a;b;");
    EXPECT_TRUE(editing::FieldsContain("a;B;", "b"));
    EXPECT_FALSE(editing::FieldsContain("a;b;", "a;b"));
}

class FindTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        setRows({{"Pause", "1;"}, {"Type", "pause;"}, {"Label", "x;"}, {"Pause", "2;"}});
    }
    int selected() const { return form->ListView1->selectedIndex(); }
    void replace(const QString& text, const QString& by, bool all) {
        form->ReplaceDialog1->setTexts(text, by);
        form->ReplaceDialog1Replace(all);
    }
};

TEST_F(FindTest, DownwardSearchTestsTheFirstRowAndStartsOverAfterNotFound) {
    form->FindDialog2->setFindText("pause");
    form->Danslescommandes1Click();
    EXPECT_TRUE(form->Danslescommandes1->isChecked());
    EXPECT_EQ(form->Danslescommandes1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_FALSE(form->Danslescommandesetparamtres1->isChecked());
    EXPECT_TRUE(form->Danslescommandesetparamtres1->shortcut().isEmpty());
    form->FindDialog2Find();
    EXPECT_EQ(selected(), 0);
    form->Occurencesuivante1Click();
    EXPECT_EQ(selected(), 3);
    form->Occurencesuivante1Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "La chaine 'pause' n'a pas été trouvée.");
    EXPECT_TRUE(form->FindDialog2->isVisible());
    EXPECT_EQ(selected(), 0);
    form->Occurencesuivante1Click();
    EXPECT_EQ(selected(), 0);
}

TEST_F(FindTest, TheScopeDecidesWhatIsSearched) {
    struct Case {
        QAction* scope;
        QString text;
        QList<int> hits;
    };
    const std::vector<Case> cases = {
        {form->Danslescommandes1, "PAUSE", {0, 3}},
        {form->Danslesparamtres1, "pause", {1}},
        {form->Danslescommandesetparamtres1, "pause", {0, 1, 3}},
        {form->Danslesparamtres1, "Label", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        messages.shown.clear();
        form->FindDialog2->setFindText(c.text);
        c.scope->trigger();
        QList<int> hits;
        for (int i = 0; i <= c.hits.size(); ++i) {
            form->FindDialog2Find();
            if (messages.shown.isEmpty()) hits << selected();
        }
        EXPECT_EQ(hits, c.hits);
        EXPECT_EQ(messages.shown.size(), 1);
    }
}

TEST_F(FindTest, UpwardSearchTestsTheLastRow) {
    form->FindDialog2->setFindText("pause");
    form->FindDialog2->setDown(false);
    form->Danslescommandes1Click();
    EXPECT_EQ(selected(), 3);
    form->FindDialog2Find();
    EXPECT_EQ(selected(), 3);
    form->FindDialog2Find();
    EXPECT_EQ(selected(), 0);
}

TEST_F(FindTest, ReplaceChangesEveryOccurrenceOfTheNextMatchingRow) {
    setRows({{"Pause", "12;MilliSec;"}, {"Move Mouse", "512;12;"}, {"Pause", "3;"}});
    replace("12", "7", false);
    EXPECT_EQ(rowTexts(), QStringList({"Pause|7;MilliSec;", "Move Mouse|512;12;", "Pause|3;"}));
    EXPECT_EQ(selected(), 0);
    replace("12", "7", false);
    EXPECT_EQ(form->ListView1->params(1), "57;7;");
    EXPECT_EQ(selected(), 1);
    EXPECT_TRUE(messages.shown.isEmpty());
    replace("12", "7", false);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "La chaine \"12\" n'a pas été trouvée.");
    EXPECT_EQ(actions().mid(1), QStringList({"1 Valeur Initiale", "1 Modification", "2 Valeur Initiale",
                                             "2 Modification"}));
    EXPECT_FALSE(RowEditing().modifying);
    form->SpeedButton25Click();
    form->SpeedButton25Click();
    EXPECT_EQ(form->ListView1->params(1), "512;12;");
}

TEST_F(FindTest, ReplaceAllCoversTheWholeListFromTheTop) {
    select({3});
    replace("PAUSE", "arrêt", true);
    EXPECT_EQ(rowTexts(), QStringList({"Pause|1;", "Type|arrêt;", "Label|x;", "Pause|2;"}));  // keywords never
    replace("x", "y", true);
    replace(";", "", true);  // refused: fields must stay in place
    replace("2", "x;y", true);
    EXPECT_EQ(rowTexts(), QStringList({"Pause|1;", "Type|arrêt;", "Label|y;", "Pause|2;"}));
    ASSERT_EQ(messages.shown.size(), 4);
    EXPECT_EQ(messages.shown[0].text, "Remplacement terminé.");
    EXPECT_TRUE(messages.shown[2].text.contains("séparateur"));
    EXPECT_FALSE(actions().contains("0 " + GroupBegin));
    EXPECT_FALSE(form->ReplaceDialog1->isVisible());
}

TEST_F(FindTest, ReplacingADeclaredVariableRenamesItEverywhereAsOneGroup) {
    setRows({{"Variable", "A;5;Numerique;"}, {"Calcul évolué", "B = A * 2 + AB"}, {"Ecrire", "f.txt;A;"},
             {"Type", "Abc;"}});
    const QStringList before = rowTexts();
    select({3});
    replace("A", "X", false);
    EXPECT_EQ(rowTexts(), QStringList({"Variable|X;5;Numerique;", "Calcul évolué|B = X * 2 + AB",
                                       "Ecrire|f.txt;X;", "Type|Abc;"}));
    EXPECT_EQ(actions().first(), "0 Nouvelle macro");
    EXPECT_EQ(actions()[1], "0 " + GroupBegin);
    EXPECT_EQ(actions().last(), "0 " + GroupEnd);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Remplacement terminé.");
    EXPECT_FALSE(RowEditing().modifying);
    form->SpeedButton26Click();
    EXPECT_EQ(rowTexts(), before);
}

TEST_F(FindTest, DeclarationSearchGoesToTheProcedure) {
    setRows({{"Procedure", "CALL Calcul"}, {"Pause", "1;"}, {"Procedure", "Calcul"}, {"Procedure", "END"},
             {"Procedure", "CALL Autre"}});
    select({0});
    form->Rechercherladclaration1Click();
    EXPECT_EQ(selected(), 2);
    select({4});
    form->Rechercherladclaration1Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Définition de procédure introuvable. [Autre]");
}

TEST_F(FindTest, ReportSearchSelectsTheNextMatch) {
    if (!form->RichEdit1) GTEST_SKIP() << "no report yet";
    form->RichEdit1->setPlainText("Pause 1\nType a\npause 2\n");
    form->Rechercher1Click();
    EXPECT_TRUE(form->FindDialog1->isVisible());
    form->FindDialog1->setFindText("pause");
    form->FindDialog1Find();
    EXPECT_EQ(form->RichEdit1->textCursor().selectionStart(), 0);
    form->FindDialog1Find();
    EXPECT_EQ(form->RichEdit1->textCursor().selectionStart(), 15);
    EXPECT_EQ(form->RichEdit1->textCursor().selectedText(), "pause");
}

TEST_F(FindTest, HelpSearchOpensTheFocusedControlsContext) {
    QFile help(home.filePath(kHelpFileName));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    QList<int> opened;
    testServices().onOpenDocument = [&](const QString&, const QString& fragment) {
        opened << fragment.toInt();
        return fragment != "2";
    };
    SetHelpContext(form->ListView1, 1);
    form->Rechercher3Click();
    SetHelpContext(form->ListView1, 2);
    form->Rechercher3Click();
    EXPECT_EQ(opened, QList<int>({1, 2}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Erreur: Vérifiez la présence du fichier .chm dans le dossier de Orvanel.");
}

}  // namespace
