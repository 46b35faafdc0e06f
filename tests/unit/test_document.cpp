#include "core/MacroFile.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QToolButton>

namespace {

class DocumentTest : public MainWindowTest {
protected:
    void select(std::initializer_list<int> rows) {
        form->ListView1->clearSelection();
        for (int r : rows) form->ListView1->setSelected(r, true);
    }
    void focusList() {
        form->show();
        QApplication::setActiveWindow(form);
        form->ListView1->setFocus();
        QApplication::processEvents();
    }
};

TEST_F(DocumentTest, NewMacroTitle) {
    EXPECT_EQ(form->windowTitle(), "Nouvelle macro - Orvanel");
    EXPECT_EQ(form->ListView1->objectName(), "ListView1");
    EXPECT_EQ(form->ListView1->tag, 999);
}

TEST_F(DocumentTest, AddInsertFollowsTheMode) {
    setRows({{"Type", "a;"}, {"Type", "b;"}, {"Type", "c;"}});
    // Insertion with a selection: after the selected row.
    select({0});
    form->add_insert("Pause", "1;", 6);
    EXPECT_EQ(rowTexts(), QStringList({"Type|a;", "Pause|1;", "Type|b;", "Type|c;"}));
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({1}));
    // Insertion without a selection: at the end.
    form->ListView1->clearSelection();
    form->add_insert("Label", "L;", 7);
    EXPECT_EQ(form->ListView1->keyword(4), "Label");
    EXPECT_EQ(form->ListView1->icon(4), 7);
    // Edition: at the end even with a selection.
    form->Edition2Click();
    EXPECT_FALSE(form->Insertion1->isChecked());
    select({0});
    form->add_insert("Goto", "L;", 8);
    EXPECT_EQ(form->ListView1->keyword(5), "Goto");
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({5}));
}

TEST_F(DocumentTest, ChangeParamRewritesOneField) {
    setRows({{"Pause", "500;MilliSec;"}, {"Type", "a"}});
    form->ChangeParam(form->ListView1, 0, 1, "750", true);
    EXPECT_EQ(form->ListView1->params(0), "750;MilliSec;");
    form->ChangeParam(form->ListView1, 0, 3, "x", true);  // field number = Count: unchanged
    EXPECT_EQ(form->ListView1->params(0), "750;MilliSec;");
    form->ChangeParam(form->ListView1, 1, 1, "b", true);  // one field: rebuilt with its separator
    EXPECT_EQ(form->ListView1->params(1), "b;");
    form->ChangeParam(form->ListView1, 9, 1, "z", true);  // no such row
    EXPECT_FALSE(RowEditing().modifying);
}

TEST_F(DocumentTest, MoveCommandeSwapsAndIgnoresBadRows) {
    setRows({{"Type", "a;"}, {"Pause", "1;"}});
    form->MoveCommande(form->ListView1, 0, 1);
    EXPECT_EQ(rowTexts(), QStringList({"Pause|1;", "Type|a;"}));
    EXPECT_EQ(form->ListView1->icon(0), 6);
    form->MoveCommande(form->ListView1, 0, 2);
    EXPECT_EQ(rowTexts(), QStringList({"Pause|1;", "Type|a;"}));
}

TEST_F(DocumentTest, MoveUpAndDownStopAtTheEnds) {
    setRows({{"Type", "a;"}, {"Type", "b;"}, {"Type", "c;"}});
    select({0});
    form->Monterdunniveau1Click();
    EXPECT_EQ(rowTexts().first(), "Type|a;");
    form->Descendredunniveau1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|b;", "Type|a;", "Type|c;"}));
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({1}));
    select({2});
    form->Descendredunniveau1Click();
    EXPECT_EQ(rowTexts().last(), "Type|c;");
    select({1, 2});  // more than one row: nothing moves
    form->Monterdunniveau1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|b;", "Type|a;", "Type|c;"}));
}

TEST_F(DocumentTest, SelectUniqueClampsTheIndex) {
    setRows({{"Type", "a;"}, {"Type", "b;"}, {"Type", "c;"}});
    const std::vector<std::pair<int, int>> cases = {{-1, 0}, {1, 1}, {3, 2}, {10, 2}};
    for (auto [index, expected] : cases) {
        select({0, 1});
        TForm1::Select_unique(form->ListView1, index);
        EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({expected})) << index;
    }
    form->ListView1->clear();
    TForm1::Select_unique(form->ListView1, 0);
    EXPECT_EQ(form->ListView1->selCount(), 0);
}

TEST_F(DocumentTest, DeleteKeepsUsedVariablesAndTargetedLabels) {
    setRows({
        {"Variable", "X;0;Numerique;"},
        {"Type", "a;"},
        {"Calcul", "X;+;1;X;"},
        {"Label", "L"},
        {"Goto", "L"},
        {"Type", "b;"},
    });
    focusList();
    select({0, 1, 3, 5});
    form->Supprimer1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Variable|X;0;Numerique;", "Calcul|X;+;1;X;", "Label|L", "Goto|L"}));
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text,
              "Le label nommée L ne peut pas être supprimer car il est utilisé dans une commande Goto.");
    EXPECT_EQ(messages.shown[1].text,
              "La variable nommée X ne peut pas être supprimer car elle est utilisée dans les paramètres d'une "
              "autre commande.");
    EXPECT_EQ(messages.shown[0].type, MsgType::Warning);
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({0}));  // the row before the first selected
}

TEST_F(DocumentTest, DeleteAllowsADeclaredTwiceVariableAndUnusedOnes) {
    setRows({{"Variable", "X;0;Numerique;"}, {"Variable", "X;1;Numerique;"}, {"Calcul", "X;+;1;X;"},
             {"Variable", "Y;0;Alpha;"}, {"Type", "z;"}});
    focusList();
    select({1, 3});
    form->Supprimer1Click();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(rowTexts(), QStringList({"Variable|X;0;Numerique;", "Calcul|X;+;1;X;", "Type|z;"}));
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({0}));
    EXPECT_EQ(form->StatusPanel[3]->text(), "Ligne 1/3");
}

TEST_F(DocumentTest, DeleteNeedsTheListFocus) {
    setRows({{"Type", "a;"}});
    select({0});
    form->Supprimer1Click();  // the list has no focus
    EXPECT_EQ(form->ListView1->count(), 1);
}

TEST_F(DocumentTest, VarUseAndFonctionPos) {
    setRows({{"Variable", "A;1;Numerique;"}, {"Calcul évolué", "B = A * 2;"}, {"Goto", "L"}, {"Goto", "L"}});
    EXPECT_TRUE(form->VarUse(form->ListView1, "A"));   // inside a Calcul évolué expression
    EXPECT_FALSE(form->VarUse(form->ListView1, "C"));
    EXPECT_EQ(form->Fonction_Pos("Goto", "L", form->ListView1), 3);
    EXPECT_EQ(form->Fonction_Pos("Goto", "M", form->ListView1), -1);
}

}  // namespace

namespace {

// The tool bar tied to the list follows the selection and the focus; the
// status bar shows the protection and the language.
TEST_F(DocumentTest, ListToolBarAndStatusPanels) {
    setRows({{"Type", "a;"}, {"Variable", "V;1;Numerique;"}});
    focusList();
    auto enabled = [this] {
        QStringList on;
        for (int n : {106, 107, 108, 109, 110, 111})
            if (form->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(n))->isEnabled()) on << QString::number(n);
        return on;
    };
    select({});
    EXPECT_EQ(enabled(), QStringList());
    select({0});
    EXPECT_EQ(enabled(), QStringList({"106", "107", "109", "111"}));
    select({0, 1});
    EXPECT_EQ(enabled(), QStringList({"106", "107", "109", "110", "111"}));
    form->Copier2Click();  // "clipboard.tmp" now exists: pasting is possible in the list
    form->ListView1->clearFocus();
    focusList();
    EXPECT_TRUE(enabled().contains("108"));
    form->StatusPanel[0]->setFocus();
    form->ListView1->clearFocus();
    QApplication::processEvents();
    EXPECT_EQ(enabled(), QStringList()) << "leaving the list disables its buttons";

    EXPECT_TRUE(form->StatusPanel[1]->pixmap().isNull());
    EXPECT_EQ(form->StatusPanel[1]->toolTip(), "Macro non protégée.");
    EXPECT_EQ(form->StatusPanel[2]->text(), "FR");
    OpenMacroFile().password = "abc";
    form->UpdateStatusPanels();
    EXPECT_FALSE(form->StatusPanel[1]->pixmap().isNull());
    EXPECT_EQ(form->StatusPanel[1]->toolTip(), "Macro protégée par mot de passe.");
    OpenMacroFile().password.clear();
    settings().Language = "English";
    form->UpdateStatusPanels();
    EXPECT_EQ(form->StatusPanel[2]->text(), "EN");
    EXPECT_EQ(form->StatusPanel[2]->toolTip(), "Language English");
}

}  // namespace
