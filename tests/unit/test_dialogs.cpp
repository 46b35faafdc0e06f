// The command dialog protocol through the "Type" and "Pause" dialogs.
#include "core/History.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "editors/Unit2.h"
#include "editors/Unit7.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class DialogTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->show();
    }
    void select(int row) { TForm1::Select_unique(form->ListView1, row); }
    void click(int button) { form->PaletteButton(button)->click(); }
    void edit(int row) {
        select(row);
        form->ListView1DblClick();
    }
    // The list drops down, and is closed again.
    static void dropDown(QComboBox* box) {
        box->showPopup();
        box->hidePopup();
    }
    static void press(QWidget* w, int key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    // "action|line|params" per history row, after the macro's first row.
    QStringList history() const {
        QStringList out;
        const THistoryList* h = form->ListView4;
        const bool first = h->count() > 0 && (h->action(0) == HistoryAction::NewMacro || h->action(0) == HistoryAction::Open);
        for (int r = first ? 1 : 0; r < h->count(); ++r)
            out << QStringLiteral("%1|%2|%3").arg(h->action(r)).arg(h->line(r)).arg(h->params(r));
        return out;
    }
};

TEST_F(DialogTest, TypeFromThePaletteAddsWhereTheModeSays) {
    setRows({{"Pause", "00:00:01"}, {"Quitter", ""}});
    select(0);
    click(1);
    ASSERT_TRUE(Form2->isVisible());
    EXPECT_FALSE(Form2->Modifying());
    Form2->ComboBox1->setEditText("Bonjour; le monde");
    press(Form2->ComboBox1, Qt::Key_Return);
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_EQ(rowTexts(), QStringList({"Pause|00:00:01", "Type|Bonjour; le monde", "Quitter|"}));
    EXPECT_EQ(form->ListView1->icon(1), 0);
    EXPECT_EQ(form->ListView1->selectedRows(), QList<int>({1}));
    EXPECT_EQ(history(), QStringList({"Ajout|2|Bonjour; le monde"}));
    EXPECT_FALSE(RowEditing().modifying);

    // "Edition" mode: at the end whatever the selection; an empty text is accepted.
    form->Edition2Click();
    select(0);
    click(1);
    EXPECT_EQ(Form2->ComboBox1->currentText(), "");  // a successful OK emptied it
    press(Form2->ComboBox1, Qt::Key_Enter);
    EXPECT_EQ(rowTexts().last(), "Type|");
}

TEST_F(DialogTest, DoubleClickModifiesTheRowAndRecordsItsInitialValue) {
    setRows({{"Quitter", ""}, {"Type", "abc;def"}});
    edit(1);
    ASSERT_TRUE(Form2->isVisible());
    EXPECT_TRUE(Form2->Modifying());
    EXPECT_EQ(Form2->ComboBox1->currentText(), "abc;def");  // the whole string, separator included
    Form2->ComboBox1->setEditText("xyz");
    Form2->Button1->click();
    EXPECT_EQ(rowTexts(), QStringList({"Quitter|", "Type|xyz"}));
    EXPECT_EQ(history(), QStringList({"Valeur Initiale|2|abc;def", "Modification|2|xyz"}));
    EXPECT_FALSE(RowEditing().modifying);
    EXPECT_FALSE(Form2->isVisible());

    // Written back unchanged: the text keeps its separator.
    edit(1);
    Form2->ComboBox1->setEditText("a;b");
    Form2->Button1Click();
    edit(1);
    Form2->Button1Click();
    EXPECT_EQ(form->ListView1->params(1), "a;b");
    EXPECT_EQ(history().size(), 4);  // no second "Valeur Initiale"
}

TEST_F(DialogTest, CancelKeepsTheTypedTextForTheNextOpening) {
    click(1);
    Form2->ComboBox1->setEditText("gardé");
    Form2->Button2->click();
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_TRUE(rowTexts().isEmpty());
    click(1);
    EXPECT_EQ(Form2->ComboBox1->currentText(), "gardé");
}

TEST_F(DialogTest, TheListOffersEveryDeclaredVariableAndKeepsTheText) {
    setRows({{"Variable", "Nom;x;Alpha;"}, {"Variable", "N;0;Numerique;"}});
    click(1);
    EXPECT_EQ(Form2->ComboBox1->count(), 2);
    Form2->ComboBox1->setEditText("tapé");
    form->Add_commande(form->ListView1, {"Variable", "Autre;;Alpha;"});
    dropDown(Form2->ComboBox1);
    EXPECT_EQ(Form2->ComboBox1->count(), 3);
    EXPECT_EQ(Form2->ComboBox1->currentText(), "tapé");
}

// A dialog writes the row it was opened on, whatever is selected when OK is pressed.
TEST_F(DialogTest, ModifyWritesTheRowOpenedEvenAfterTheSelectionMoved) {
    setRows({{"Type", "un"}, {"Type", "deux"}, {"Type", "trois"}});
    edit(1);
    select(2);
    form->add_insert("Quitter", "", 14);
    select(0);
    Form2->ComboBox1->setEditText("DEUX");
    Form2->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|un", "Type|DEUX", "Type|trois", "Quitter|"}));

    setRows({{"Quitter", ""}, {"Type", "a"}});
    edit(1);
    form->ListView1->insert(0, {"Type", "z", 0});
    Form2->ComboBox1->setEditText("b");
    Form2->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|z", "Quitter|", "Type|b"}));
}

TEST_F(DialogTest, ClosingAnotherDialogDoesNotTurnAModifyIntoAnAdd) {
    setRows({{"Type", "a"}, {"Pause", "00:00:02"}});
    edit(0);
    click(8);  // Pause opens for adding, while Type modifies row 0
    EXPECT_FALSE(Form7->Modifying());
    EXPECT_EQ(Form7->ComboBox1->currentText(), "00:00:01");
    Form7->Button2Click();
    EXPECT_FALSE(RowEditing().modifying);
    Form2->ComboBox1->setEditText("b");
    Form2->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|b", "Pause|00:00:02"}));

    // And an add made while another dialog modifies is recorded as an add.
    edit(0);
    click(8);
    Form7->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|b", "Pause|00:00:01", "Pause|00:00:02"}));
    EXPECT_EQ(history().last(), "Ajout|2|00:00:01");
    EXPECT_TRUE(Form2->Modifying());
}

TEST_F(DialogTest, ARowDeletedOrChangedMeanwhileIsNotOverwritten) {
    setRows({{"Type", "a"}, {"Type", "b"}});
    edit(1);
    form->ListView1->remove(1);
    Form2->ComboBox1->setEditText("c");
    Form2->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Type|a"}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains("supprimée ou changée"));
    EXPECT_TRUE(Form2->isVisible());  // the typed text is still there

    edit(0);
    form->ListView1->setParams(0, "changé ailleurs");
    Form2->Button1Click();
    EXPECT_EQ(form->ListView1->params(0), "changé ailleurs");
}

TEST_F(DialogTest, TheCloseBoxLeavesTheRowAndClearsEditMode) {
    setRows({{"Type", "a"}});
    edit(0);
    EXPECT_TRUE(RowEditing().modifying);
    Form2->ComboBox1->setEditText("b");
    Form2->close();
    EXPECT_FALSE(RowEditing().modifying);
    EXPECT_EQ(rowTexts(), QStringList({"Type|a"}));
}

TEST_F(DialogTest, ParametersLongerThanARowAreRefused) {
    click(8);
    Form7->ComboBox1->lineEdit()->setMaxLength(1000);
    Form7->ComboBox1->setEditText(QString(256, 'x'));
    Form7->Button1Click();
    EXPECT_TRUE(rowTexts().isEmpty());
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(Form2->ComboBox1->lineEdit()->maxLength(), 255);
}

TEST_F(DialogTest, PauseAddsItsTextAsTypedAndRefusesAnEmptyOne) {
    click(8);
    ASSERT_TRUE(Form7->isVisible());
    EXPECT_EQ(Form7->ComboBox1->currentText(), "00:00:01");
    EXPECT_EQ(Form7->ComboBox1->lineEdit()->cursorPosition(), 8);
    Form7->ComboBox1->setEditText("");
    Form7->Button1Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Le paramètre de temps ne peut pas être vide.");
    EXPECT_EQ(messages.shown[0].buttons, mbOK);
    EXPECT_TRUE(Form7->isVisible());
    Form7->ComboBox1->setEditText("Délai");  // a variable name, or anything else, is accepted
    Form7->Button1Click();
    EXPECT_EQ(rowTexts(), QStringList({"Pause|Délai"}));
    EXPECT_EQ(form->ListView1->icon(0), 6);
}

// Every shape of Pause row comes into the box whole and goes back unchanged:
// a time alone, an amount and its unit, a variable, with any separator.
TEST_F(DialogTest, PauseModifyKeepsEveryFieldOfTheRow) {
    const QString shapes[] = {"00:00:05", "5;Sec;", "500;MilliSec;", "2;Min;", "T",
                              "T;Sec;", "00:00:05;;", "00:00:05;reste;", "5|Sec|"};
    for (const QString& params : shapes) {
        settings().Separator = params.contains(u'|') ? u'|' : u';';
        setRows({{"Pause", params}, {"Variable", "T;x;Alpha;"}, {"Variable", "N;1;Numerique;"}});
        edit(0);
        EXPECT_EQ(Form7->ComboBox1->currentText(), params);
        Form7->Button1Click();
        EXPECT_FALSE(Form7->isVisible());
        EXPECT_EQ(form->ListView1->params(0), params);
    }
    settings().Separator = u';';
    EXPECT_TRUE(messages.shown.isEmpty());

    edit(0);
    EXPECT_EQ(Form7->ComboBox1->count(), 1);  // "Alpha" variables when shown
    dropDown(Form7->ComboBox1);
    EXPECT_EQ(Form7->ComboBox1->count(), 2);  // all of them when dropped down
    Form7->ComboBox1->setEditText("00:01:00");
    Form7->Button1Click();
    EXPECT_EQ(form->ListView1->params(0), "00:01:00");
}

TEST_F(DialogTest, PauseSpinStepsThePartUnderTheCaret) {
    struct Case {
        QString text;
        int caret;
        bool up;
        QString expected;
    };
    const Case cases[] = {
        {"00:10:05", 1, false, "23:10:05"}, {"00:00:59", 8, true, "00:00:00"}, {"23:59:59", 0, true, "00:59:59"},
        {"00:00:00", 4, false, "00:59:00"}, {"12:30:00", 5, true, "12:31:00"}, {"", 0, true, "00:00:01"},
        {"maVar", 2, true, "maVar"},
    };
    click(8);
    for (const Case& c : cases) {
        Form7->ComboBox1->setEditText(c.text);
        Form7->ComboBox1->lineEdit()->setCursorPosition(c.caret);
        Form7->UpDown1Click(c.up);
        EXPECT_EQ(Form7->ComboBox1->currentText(), c.expected) << c.text.toStdString();
        if (c.text.size() == 8) EXPECT_EQ(Form7->ComboBox1->lineEdit()->cursorPosition(), c.caret);
    }
}

TEST_F(DialogTest, PauseTimeValide) {
    const std::pair<QString, bool> cases[] = {
        {"00:00:01", true}, {"99:99:99", true}, {"0:00:001", false}, {"00-00-01", false},
        {"00:00:1", false}, {"aa:00:00", false}, {"", false}, {"00:00:01 ", false},
    };
    for (const auto& [text, ok] : cases) EXPECT_EQ(TForm7::TimeValide(text), ok) << text.toStdString();
}

TEST_F(DialogTest, PauseDialHandsTurnClockwiseFromTheTop) {
    const QPoint c(74, 70);
    EXPECT_EQ(TForm7::HandEnd(c, 0, 45), QPoint(74, 25));
    EXPECT_EQ(TForm7::HandEnd(c, 15, 35), QPoint(109, 70));
    EXPECT_EQ(TForm7::HandEnd(c, 30, 35), QPoint(74, 105));
    EXPECT_EQ(TForm7::HandEnd(c, 5, 20), QPoint(84, 53));

    // 13:30:00: the hour hand on 1 o'clock (value 5), not between 1 and 2.
    click(8);
    Form7->ComboBox1->setEditText("13:30:00");
    const QImage dial = Form7->Image1->pixmap().toImage();
    EXPECT_EQ(dial.pixelColor(83, 55), QColor(Qt::black));
    EXPECT_NE(dial.pixelColor(87, 57), QColor(Qt::black));
    EXPECT_EQ(dial.pixelColor(74, 30), QColor(255, 0, 0));  // seconds at 0: up, in red
    // A variable name leaves the dial as it was.
    Form7->ComboBox1->setEditText("maVar");
    EXPECT_EQ(Form7->Image1->pixmap().toImage(), dial);
}

TEST_F(DialogTest, HistoryGroupBracketsSeveralRows) {
    {
        THistoryGroup group;
        form->add_insert("Type", "a", 0);
        form->add_insert("Type", "b", 0);
    }
    { THistoryGroup inactive(false); }
    EXPECT_EQ(history(), QStringList({"Début d'actions groupées|0|", "Ajout|1|a", "Ajout|2|b",
                                      "Fin d'actions groupées|0|"}));
}

TEST(ParamLayouts, JoinAndTail) {
    EXPECT_EQ(JoinFields({"a", "", "b"}), "a;;b;");
    EXPECT_EQ(JoinFields({}), "");
    EXPECT_EQ(FieldsAfter(u"JScript;v;x = 1; y = 2", 2, u';'), "x = 1; y = 2");
    EXPECT_EQ(FieldsAfter(u"a;b", 0, u';'), "a;b");
    EXPECT_EQ(FieldsAfter(u"a;b", 2, u';'), "");
}

}  // namespace
