// The "ScriptEval" dialog: its live value, and the row it writes.
#include "core/Unit1.h"
#include "editors/Unit25.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class ScriptDialog : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->show();
        testServices().openedUrls.clear();
    }
    void openForAdd() {
        form->PaletteButton(37)->click();
        ASSERT_TRUE(Form25->isVisible());
    }
};

TEST_F(ScriptDialog, ThePaletteButtonWorksWithTheEngine) { EXPECT_TRUE(form->PaletteButton(37)->isEnabled()); }

TEST_F(ScriptDialog, ShowsTheValueWhileTyping) {
    setRows({{"Variable", "N;20;Numerique;"}, {"Variable", "T;a\"b;Alpha;"}});
    openForAdd();
    EXPECT_EQ(Form25->ComboBox1->currentText(), "JScript");
    struct Case {
        QString language;
        QString expression;
        QString value;
        QString caption;  // Label2
        bool resultEnabled;
    };
    const Case cases[] = {
        {"JScript", "1+1", "2", "Expression", true},
        {"JScript", "1<2", "True", "Expression Booléenne", false},
        {"VBScript", "1<2", "True", "Expression Booléenne", false},
        {"JScript", "N / 4 + T.length", "8", "Expression", true},  // initial values stand for the variables
        {"VBScript", "N \\ 3 & T", "6a\"b", "Expression", true},
        {"VBScript", "1 +", "Erreur de syntaxe code [1002].", "Expression invalide", true},
        {"JScript", "while(true){}", "Le script ne s'est pas terminé en 200 ms : il a été interrompu code [0].",
         "Expression invalide", true},
        {"JScript", "", "", "Expression", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.language + " " + c.expression).toStdString());
        Form25->ComboBox1->setCurrentText(c.language);
        Form25->Edit1->setText(c.expression);
        EXPECT_EQ(Form25->Label4->text(), c.value);
        EXPECT_EQ(Form25->Label2->text(), c.caption);
        EXPECT_EQ(Form25->ComboBox2->isEnabled(), c.resultEnabled);
        EXPECT_EQ(Form25->Label3->isEnabled(), c.resultEnabled);
    }
}

TEST_F(ScriptDialog, WritesAndReadsTheRow) {
    setRows({{"Variable", "R;;Alpha;"}});
    openForAdd();
    Form25->ComboBox1->setCurrentText("VBScript");
    Form25->ComboBox2->setEditText("R");
    Form25->Edit1->setText("Len(\"a;b\") * 2");
    Form25->Button1->click();
    EXPECT_FALSE(Form25->isVisible());
    EXPECT_EQ(rowTexts().last(), "ScriptEval|VBScript;R;Len(\"a;b\") * 2");
    EXPECT_EQ(form->ListView1->icon(1), 27);

    TForm1::Select_unique(form->ListView1, 1);
    form->ListView1DblClick();
    ASSERT_TRUE(Form25->Modifying());
    EXPECT_EQ(Form25->ComboBox1->currentText(), "VBScript");
    EXPECT_EQ(Form25->ComboBox2->currentText(), "R");
    EXPECT_EQ(Form25->Edit1->text(), "Len(\"a;b\") * 2");
    EXPECT_EQ(Form25->Label4->text(), "6");
    Form25->Edit1->setText("3 > 2");
    Form25->Button1->click();
    EXPECT_EQ(rowTexts().last(), "ScriptEval|VBScript;R;3 > 2");

    // Any language other than VBScript reads as JScript.
    setRows({{"ScriptEval", "jscript;R;1"}});
    TForm1::Select_unique(form->ListView1, 0);
    form->ListView1DblClick();
    EXPECT_EQ(Form25->ComboBox1->currentText(), "JScript");
}

TEST_F(ScriptDialog, OpensTheReferenceOfTheLanguage) {
    openForAdd();
    Form25->SpeedButton1->click();
    Form25->ComboBox1->setCurrentText("VBScript");
    Form25->SpeedButton1->click();
    ASSERT_EQ(testServices().openedUrls.size(), 2);
    EXPECT_TRUE(testServices().openedUrls[0].toString().contains("JavaScript"));
    EXPECT_TRUE(testServices().openedUrls[1].toString().contains("d1wf56tt"));
}

}  // namespace
