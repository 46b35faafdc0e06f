// The window spy wizard and the window list, on the fake desktop.
#include "core/History.h"
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "editors/Unit16.h"
#include "editors/Unit17.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }

// A chain of windows from handle `first`, each inside the one before: the
// outermost "C0" (a top-level window), then "C1"...
void addChain(quint64 first, int count) {
    for (int i = 0; i < count; ++i) {
        const int inset = 2 * i;
        fake().windows << platform::FakeWindow{first + i, QString("C%1").arg(i), QString("t%1").arg(i),
                                               QRect(inset, inset, 400 - 2 * inset, 300 - 2 * inset),
                                               i ? first + i - 1 : 0, 0};
    }
}

class SpyTest : public MainWindowTest {
protected:
    void TearDown() override {
        Form16->close();
        MainWindowTest::TearDown();
    }
    // "Suivant >>" up to the last page, then "Terminer".
    void finish() {
        for (int i = 0; i < 4 && Form16->Button5->text() != "Terminer"; ++i) Form16->Button5->click();
        ASSERT_EQ(Form16->Button5->text(), "Terminer");
        Form16->Button5->click();
    }
    QStringList history() const {
        QStringList out;
        for (int r = 0; r < form->ListView4->count(); ++r) out << form->ListView4->action(r);
        return out;
    }
    QListWidgetItem* criterion(const QString& text) {
        const QList<QListWidgetItem*> found = Form16->CheckListBox1->findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }
};

// The Tools menu opens the spy as its own entry does: from its settings, its first page.
TEST_F(SpyTest, TheToolsMenuOpensTheSpyAfresh) {
    settings().SpyReduceForm = true;
    form->Spy1->trigger();
    ASSERT_TRUE(Form16->isVisible());
    EXPECT_TRUE(Form16->CheckBox1->isChecked());
    EXPECT_EQ(Form16->PageControl1->currentWidget(), Form16->TabSheet1);
    Form16->close();
}

TEST_F(SpyTest, ACaptureWritesTheWindowAndItsAncestorsAsOneUndoStep) {
    addChain(10, 3);
    fake().cursor = {50, 50};  // inside C2
    Form16->Spy1Click();
    Form16->PrcRun();  // the button is up: one step of the capture, then the end
    EXPECT_EQ(Form16->windowTitle(), "Spy");
    ASSERT_EQ(Form16->CapturedObjects.size(), 3);
    // Each object's node hangs under its parent's.
    QTreeWidgetItem* top = Form16->TreeView1->topLevelItem(0);
    ASSERT_EQ(Form16->TreeView1->topLevelItemCount(), 1);
    EXPECT_EQ(top->text(0), "10");
    QStringList children;
    for (int i = 0; i < top->childCount(); ++i) children << top->child(i)->text(0);
    EXPECT_EQ(children, QStringList({"C0", "t0", "400", "300", "11"}));
    EXPECT_TRUE(Form16->Button5->isEnabled());

    finish();
    EXPECT_FALSE(Form16->isVisible());
    EXPECT_EQ(rowTexts(), QStringList({"Objet|10;0;;C0;t0;400;300;1;1;;;254;", "Objet|11;10;;C1;t1;396;296;1;1;;;254;",
                                       "Objet|12;11;;C2;t2;392;292;1;1;;;254;"}));
    EXPECT_EQ(history().mid(1), QStringList({HistoryAction::GroupBegin, HistoryAction::Add, HistoryAction::Add,
                                             HistoryAction::Add, HistoryAction::GroupEnd}));
    EXPECT_FALSE(RowEditing().modifying);
}

TEST_F(SpyTest, UncheckingTheParentOfObjectThreeOfFiveWritesThreeRows) {
    addChain(20, 5);
    Form16->Spy1Click();
    Form16->CaptureWindow(24);
    Form16->Button5->click();
    Form16->Button5->click();
    ASSERT_EQ(Form16->PageControl1->currentWidget(), Form16->TabSheet2);
    QListWidgetItem* parent = criterion("22;Parent;21");
    ASSERT_TRUE(parent);
    EXPECT_EQ(parent->checkState(), Qt::Checked);
    parent->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(Form16->CapturedObjects[2].UseParent);
    Form16->Button5->click();
    Form16->Button5->click();
    ASSERT_EQ(form->ListView1->count(), 3);
    EXPECT_EQ(form->ListView1->params(0), "22;21;;C2;t2;392;292;1;1;;;190;");
    EXPECT_TRUE(form->ListView1->params(2).startsWith("24;23;"));
}

TEST_F(SpyTest, ModifyingTheMiddleCaptureLeavesTheRowsAroundItAlone) {
    setRows({{"Commentaire", "a"},
             {"Objet", "30;0;;A;;10;10;1;1;;;254;"},
             {"Objet", "31;30;;A2;;10;10;1;1;;;254;"},
             {"Commentaire", "b"},
             {"Objet", "40;0;;B;;10;10;1;1;;;254;"},
             {"Objet", "41;40;;B2;t;10;10;2;3;N;2;254;"},
             {"Objet", "42;41;;B3;;10;10;1;1;;;254;"},
             {"Commentaire", "c"},
             {"Objet", "50;0;;C;;10;10;1;1;;;254;"}});
    const QStringList before = rowTexts();
    TForm1::Select_unique(form->ListView1, 5);
    form->Editer1Click();
    ASSERT_TRUE(Form16->isVisible());
    EXPECT_TRUE(Form16->Modifying());
    EXPECT_EQ(Form16->PageControl1->currentWidget(), Form16->TabSheet4);
    ASSERT_EQ(Form16->CapturedObjects.size(), 3);

    Form16->TreeView1->setCurrentItem(Form16->TreeView1->findItems("41", Qt::MatchExactly | Qt::MatchRecursive).value(0));
    Form16->TreeView1Click();
    EXPECT_EQ(Form16->Edit4->text(), "t");
    Form16->Edit4->setText("nouveau");
    Form16->Button1->click();
    for (int i = 0; i < 2; ++i) Form16->Button5->click();
    ASSERT_EQ(Form16->Button5->text(), "Terminer");
    Form16->Button5->click();

    QStringList expected = before;
    expected[5] = "Objet|41;40;;B2;nouveau;10;10;2;3;N;2;254;";
    EXPECT_EQ(rowTexts(), expected);
    EXPECT_FALSE(RowEditing().modifying);
}

// Only the rows loaded are replaced: here the first 48 of a run of 50.
TEST_F(SpyTest, ModifyingReplacesOnlyTheRowsItLoaded) {
    QVector<QPair<QString, QString>> rows;
    for (int i = 1; i <= 50; ++i) rows.append({"Objet", QString("%1;%2;;K;;0;0;1;1;;;192;").arg(i).arg(i - 1)});
    rows[0].second = "1;0;;K;;0;0;1;1;;;128;";  // the first one's parent is no criterion
    setRows(rows);
    const QStringList before = rowTexts();
    TForm1::Select_unique(form->ListView1, 0);
    form->Editer1Click();
    EXPECT_EQ(Form16->CapturedObjects.size(), TForm16::kMaxObjects);
    finish();
    EXPECT_EQ(rowTexts(), before);
}

// Unticking "Parent" in modify mode drops the objects before it, as when adding.
TEST_F(SpyTest, ModifyingWithParentUntickedWritesFromThatObject) {
    setRows({{"Commentaire", "a"},
             {"Objet", "20;0;;C0;;10;10;1;1;;;254;"},
             {"Objet", "21;20;;C1;;10;10;1;1;;;254;"},
             {"Objet", "22;21;;C2;;10;10;1;1;;;254;"},
             {"Commentaire", "b"}});
    TForm1::Select_unique(form->ListView1, 2);
    form->Editer1Click();
    ASSERT_EQ(Form16->CapturedObjects.size(), 3);
    Form16->Button5->click();
    ASSERT_EQ(Form16->PageControl1->currentWidget(), Form16->TabSheet2);
    QListWidgetItem* parent = criterion("21;Parent;20");
    ASSERT_TRUE(parent);
    parent->setCheckState(Qt::Unchecked);
    finish();
    EXPECT_EQ(rowTexts(), QStringList({"Commentaire|a", "Objet|21;20;;C1;;10;10;1;1;;;190;",
                                       "Objet|22;21;;C2;;10;10;1;1;;;254;", "Commentaire|b"}));
}

TEST_F(SpyTest, ModifierRefusesAFieldThatIsNoWholeNumber) {
    addChain(10, 1);
    Form16->Spy1Click();
    Form16->CaptureWindow(10);
    Form16->Button5->click();  // Edition, on the last object
    EXPECT_EQ(Form16->Edit5->text(), "400");
    Form16->Edit3->setText("Autre");
    Form16->Edit5->setText("large");
    Form16->Button1->click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Le champ « Longueur » doit contenir un nombre entier : « large » n'en est pas un.");
    EXPECT_EQ(Form16->CapturedObjects[0].ClassName, "C0");  // nothing stored
    EXPECT_EQ(Form16->CapturedObjects[0].Width, 400);
}

TEST_F(SpyTest, ARowThatCannotHoldItsObjectIsRefused) {
    fake().windows << platform::FakeWindow{10, QString(255, 'c'), QString(254, 't'), QRect(0, 0, 9, 9), 0, 0};
    Form16->Spy1Click();
    Form16->CaptureWindow(10);
    finish();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith("L'objet 10 ne tient pas dans les 255 caractères d'une ligne"));
    EXPECT_EQ(form->ListView1->count(), 0);
    EXPECT_TRUE(Form16->isVisible());
}

TEST_F(SpyTest, NoMoreThanFortyEightObjects) {
    addChain(100, 50);
    Form16->Spy1Click();
    Form16->CaptureWindow(149);
    EXPECT_EQ(Form16->CapturedObjects.size(), 48);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Le nombre limite d'objet listé est de 48.");
}

TEST_F(SpyTest, TheBehavioursPageWritesWhatTheRowDoes) {
    addChain(10, 2);
    setRows({{"Variable", "N;0;Numerique;"}});
    Form16->Spy1Click();
    Form16->CaptureWindow(11);
    for (int i = 0; i < 3; ++i) Form16->Button5->click();
    EXPECT_EQ(Form16->ComboBox1->count(), 2);
    EXPECT_EQ(Form16->ComboBox1->currentText(), "11");  // the object under the cursor
    EXPECT_GE(Form16->ComboBox2->findText("N"), 0);
    Form16->findChild<QRadioButton*>("RadioGroup1Ch2")->click();
    EXPECT_FALSE(Form16->ComboBox3->isEnabled());
    Form16->findChild<QRadioButton*>("RadioGroup2Ch3")->click();
    EXPECT_TRUE(Form16->ComboBox3->isEnabled());
    EXPECT_EQ(Form16->ComboBox3->currentText(), "1");
    Form16->ComboBox2->setEditText("N");
    Form16->Button5->click();
    EXPECT_EQ(form->ListView1->params(2), "11;10;;C1;t1;396;296;2;3;N;1;254;");
}

TEST_F(SpyTest, DefautKeepsTheCaptureOptions) {
    Form16->Spy1Click();
    Form16->CheckBox1->setChecked(true);
    Form16->CheckBox3->setChecked(true);
    Form16->Button2->click();
    Form16->close();
    const platform::IniFile ini(form->GetConfigFileName());
    EXPECT_EQ(ini.ReadString("Spy", "ReduceForm", ""), "True");
    EXPECT_EQ(ini.ReadString("Spy", "ReduceApp", ""), "False");
    EXPECT_EQ(ini.ReadString("Spy", "ShowObjet", ""), "True");
    settings() = defaultSettings();
    LoadSettings();
    Form16->Spy1Click();
    EXPECT_TRUE(Form16->CheckBox1->isChecked());
    EXPECT_FALSE(Form16->CheckBox2->isChecked());
    EXPECT_TRUE(Form16->CheckBox3->isChecked());
}

// ---- The window list ----

class WindowListTest : public SpyTest {
protected:
    void SetUp() override {
        SpyTest::SetUp();
        const qint64 own = QCoreApplication::applicationPid();
        fake().windows = {{1000, "TMonAppli", "un", QRect(5, 6, 70, 80), 0, 0},
                          {1001, "tmonappli:x", "deux", QRect(), 0, 0},
                          {1002, "AutreTMon", "", QRect(), 0, 0},
                          {1003, "TMonOwn", "", QRect(), 0, own},
                          {1004, "TMonDejaVu", "", QRect(), 0, 0},
                          {1005, "TMonEnfant", "trois", QRect(), 1002, 0}};
    }
    void TearDown() override {
        Form17->close();
        SpyTest::TearDown();
    }
    QStringList listed() const {
        QStringList out;
        for (int i = 0; i < Form17->ListView1->topLevelItemCount(); ++i)
            out << Form17->ListView1->topLevelItem(i)->text(0);
        return out;
    }
};

TEST_F(WindowListTest, RefreshListsTheClassesThatBeginWithTheFilter) {
    setRows({{"Objet", "1004;0;;TMonDejaVu;;0;0;1;1;;;16;"},  // already named: left out
             {"Objet", "9;1001;;x;;0;0;1;1;;;16;"}});          // names 1001 as a parent only
    Form17->RechercherObjet1Click();
    Form17->Edit1->setText("tmon");
    Form17->SpeedButton1Click();
    EXPECT_EQ(listed(), QStringList({"1000", "1001", "1005"}));
    EXPECT_EQ(Form17->StatusBar1->currentMessage(), "Nombre d'objet listé : 3");
    EXPECT_FALSE(Form17->Button1->isEnabled());

    Form17->ListView1->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(Form17->Memo1->toPlainText(), "Module : \nHandle : 1000\nClasse : TMonAppli\nClasse parent : \n"
                                            "Longueur : 70\nLargeur : 80\nTexte : un");
    Form17->ListView1ColumnClick(2);
    EXPECT_EQ(listed(), QStringList({"1001", "1005", "1000"}));  // "deux", "trois", "un"
    Form17->ListView1ColumnClick(2);
    EXPECT_EQ(listed(), QStringList({"1000", "1005", "1001"}));
}

TEST_F(WindowListTest, BrowsingNeverStopsARunAndGivesBackTheEditState) {
    RunState().MacroRunning = true;
    RowEditing().modifying = true;
    Form17->RechercherObjet1Click();
    Form17->Button2->click();
    EXPECT_TRUE(RunState().MacroRunning);
    EXPECT_TRUE(RowEditing().modifying);
    EXPECT_FALSE(Form17->isVisible());
    RunState().MacroRunning = false;
    RowEditing().modifying = false;
}

TEST_F(WindowListTest, AjouterHandsTheWindowAndItsAncestorsToTheWizard) {
    Form17->RechercherObjet1Click();
    Form17->SpeedButton1Click();
    const QList<QTreeWidgetItem*> child = Form17->ListView1->findItems("1005", Qt::MatchExactly);
    ASSERT_EQ(child.size(), 1);
    child[0]->setSelected(true);
    Form17->Button4->click();
    ASSERT_TRUE(Form16->isVisible());
    ASSERT_EQ(Form16->CapturedObjects.size(), 2);
    EXPECT_EQ(Form16->CapturedObjects[0].Handle, 1002);
    EXPECT_EQ(Form16->CapturedObjects[1].ParentHandle, 1002);
}

}  // namespace
