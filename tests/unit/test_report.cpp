// Run-time errors, the execution report and its files, the progress window.
#include "core/Settings.h"
#include "core/MacroFile.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "core/Rtf.h"
#include "core/RunState.h"
#include "core/Unit29.h"
#include "engine/mdlfnct.h"
#include "tools/Unit19.h"

#include "tests/support/TestSupport.h"
#include "tests/unit/HandlerSwap.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>

namespace {


int calls = 0;
int carriedOn = 0;
int errorCode = 0;
// A "Commentaire" that fails on its first run.
CommandResult failingOnce(CommandCall&) {
    if (++calls == 1) return RunError("boom", errorCode);
    ++carriedOn;
    return Done();
}

class Report : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Variables().Clear();
        calls = carriedOn = 0;
        RunState().MacroRunning = RunState().RunEndedInError = false;
        settings().GeneralActive = false;
        settings().CheckBeforeRun = false;
        settings().ReportFile = home.filePath("rapport.doc");
    }
    void TearDown() override {
        RunState().SubMacroList = nullptr;
        MainWindowTest::TearDown();
    }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
    QStringList reportLines() const { return form->RichEdit1->toPlainText().split(u'\n'); }
    void run() { form->Execute(form, false, 0); }
};

TEST_F(Report, ErrorReactions) {
    struct Case {
        QString adaptator;  // "" = not declared
        int code;
        int answer;
        QString box;  // "" = no box
        bool stopped;
        int calls;
    };
    const std::vector<Case> cases = {
        {"", 0, mrOk, "boom Arrêt de la macro. [Position 2]", true, 1},
        {"", 1, mrOk, "boom Arrêt de la macro inévitable. [Position 2]", true, 1},
        {"1", 0, mrOk, "boom Arrêt de la macro. [Position 2]", true, 1},
        {"abc", 0, mrOk, "boom Arrêt de la macro. [Position 2]", true, 1},
        {"4", 0, mrNone, "", false, 1},
        {"", 5, mrNone, "", false, 1},
        {"3", 0, mrYes, "boom Confirmez la poursuite de l'exécution. [Position 2]", false, 1},
        {"3", 0, mrNo, "boom Confirmez la poursuite de l'exécution. [Position 2]", true, 1},
        {"", 2, mrNo, "boom Confirmez la tentative de reprise. [Position 2]", false, 1},
        {"2", 0, mrYes, "boom Confirmez la tentative de reprise. [Position 2]", false, 2},
    };
    HandlerSwap failing(15, failingOnce);
    for (const Case& c : cases) {
        SCOPED_TRACE((c.adaptator + " " + QString::number(c.code)).toStdString());
        calls = carriedOn = 0;
        errorCode = c.code;
        messages.shown.clear();
        messages.answer = c.answer;
        QVector<QPair<QString, QString>> rows;
        rows << QPair<QString, QString>{"Variable", "[ERROR.ADAPTATOR];" + c.adaptator + ";Numerique;"};
        if (c.adaptator.isEmpty()) rows[0] = {"Label", "début"};
        rows << QPair<QString, QString>{"Commentaire", "x"} << QPair<QString, QString>{"Variable", "A;1;Numerique;"};
        setRows(rows);
        run();
        EXPECT_EQ(messages.shown.size(), c.box.isEmpty() ? 0 : 1);
        if (!c.box.isEmpty() && !messages.shown.isEmpty()) EXPECT_EQ(messages.shown[0].text, c.box);
        EXPECT_EQ(var("A"), c.stopped ? "?" : "1");
        EXPECT_EQ(RunState().RunEndedInError, c.stopped);
        EXPECT_EQ(var("[ERROR]"), "boom");
        EXPECT_TRUE(form->RichEdit1->toPlainText().contains("boom"));
        EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet2);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(carriedOn, c.calls - 1);  // a failed handler has ended; a retry runs it again
    }
}

TEST_F(Report, ErrorLineIsRed) {
    form->RaiseExecError("rouge", 4);
    const QTextBlock last = form->RichEdit1->document()->lastBlock();
    EXPECT_EQ(last.text(), "rouge");
    EXPECT_EQ(last.begin().fragment().charFormat().foreground().color(), QColor(255, 0, 0));
}

TEST_F(Report, PositionInsideASubMacro) {
    TMacroDocument sub;
    for (int i = 0; i < 4; ++i) sub.add({"Commentaire", "x", 15});
    RunState().SubMacroList = &sub;
    RunState().SubMacroRow = 2;
    RunState().CurrentOrderIndex = 4;
    form->RaiseExecError("boom", 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.endsWith("[Position 5.3]"));
}

TEST_F(Report, UnattendedStopShowsNoBox) {
    RunState().AutoRun = StartMode().commandLineRun = true;
    setRows({{"Commentaire", "x"}});
    HandlerSwap failing(15, failingOnce);
    errorCode = 1;
    form->ListView1->hide();
    run();
    RunState().AutoRun = StartMode().commandLineRun = false;
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(RunState().RunEndedInError);
}

// A report that cannot be written is said, and an unattended run ends with status 1.
TEST_F(Report, AnUnwritableReportFailsTheUnattendedRun) {
    settings().Report = true;
    ASSERT_TRUE(QDir(home.path()).mkdir("rapport000001.doc"));  // the file cannot take its place
    RunState().AutoRun = StartMode().commandLineRun = true;
    setRows({{"Commentaire", "x"}});
    form->ListView1->hide();
    ::testing::internal::CaptureStderr();
    run();
    const std::string err = ::testing::internal::GetCapturedStderr();
    RunState().AutoRun = StartMode().commandLineRun = false;
    EXPECT_TRUE(RunState().RunEndedInError);
    EXPECT_NE(err.find(("Orvanel : Impossible d'écrire le rapport " + home.filePath("rapport000001.doc")).toStdString()),
              std::string::npos)
        << err;
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(Report, LinesOfARun) {
    form->CheckBox3->setChecked(true);
    setRows({{"Variable", "A;5;Numerique;"},
             {"Variable", "T;abc;Alpha;"},
             {"Variable", "[PASSWORD];secret;Alpha;"},
             {"Goto", "Fin"},
             {"Label", "Fin"},
             {"Commentaire", "A T [PASSWORD]"},
             {"Examine", "A;=;T;"}});
    run();
    const QStringList lines = reportLines();
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines[0], "Fichier " + home.filePath("rapport000001.doc"));
    EXPECT_EQ(lines[1], "Variable A;5;Numerique;  A=0");
    EXPECT_EQ(lines[2], "Variable T;abc;Alpha;  T=''");
    EXPECT_EQ(lines[3], "Variable [PASSWORD];secret;Alpha;  [PASSWORD]=********");
    EXPECT_EQ(lines[4], "Goto Fin ");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "Commentaire A T [PASSWORD] ");  // the run goes on after the label row
    EXPECT_EQ(lines[7], "Examine A;=;T;  A=5 T='abc'");
}

TEST_F(Report, ExpandParamValuesHidesThePassword) {
    setRows({{"Variable", "[PASSWORD];secret;Alpha;"}, {"Variable", "N;1;Numerique;"}, {"Calcul", "N;+;[PASSWORD];"},
             {"Calcul évolué", "N = N + 1"}});
    form->WriteVariable("VAR", "[PASSWORD]", "secret");
    form->WriteVariable("VAR", "N", "7");
    QVector<ParamValue> pairs;
    form->ExpandParamValues(form->ListView1, 2, pairs);
    ASSERT_EQ(pairs.size(), 2);
    EXPECT_EQ(pairs[0].value, "7");
    EXPECT_EQ(pairs[1].value, "********");
    form->ExpandParamValues(form->ListView1, 3, pairs);
    ASSERT_EQ(pairs.size(), 1);
    EXPECT_EQ(pairs[0].name, "N");
}

TEST_F(Report, ProcedureDefinitionsAreNotReported) {
    form->AddToRapport("Procedure", "maProc");
    form->AddToRapport("Procedure", "END");
    EXPECT_TRUE(form->RichEdit1->toPlainText().isEmpty());
    form->AddToRapport("Procedure", "CALL maProc");
    EXPECT_EQ(form->RichEdit1->toPlainText(), "Procedure CALL maProc ");
}

TEST_F(Report, RollOverPast80000Characters) {
    for (bool files : {false, true}) {
        SCOPED_TRACE(files);
        settings().Report = files;
        QFile::remove(home.filePath("rapport000001.doc"));
        Runner->Report().Start();
        QFile::remove(home.filePath("rapport000001.doc"));
        form->RichEdit1->setPlainText(QString(80001, u'x'));
        form->AddToRapport("Commentaire", "suite");
        EXPECT_EQ(form->ComboBox1->count(), 2);
        EXPECT_EQ(form->ComboBox1->currentText(), "000002");
        EXPECT_EQ(reportLines(), QStringList({"Fichier " + home.filePath("rapport000002.doc"), "Commentaire suite "}));
        EXPECT_EQ(QFile::exists(home.filePath("rapport000001.doc")), files);
    }
}

// A file that could not be written when the report rolled over fails the end
// of the run, though the last files are written.
TEST_F(Report, AFailedRollOverWriteFailsTheEnd) {
    settings().Report = true;
    Runner->Report().Start();
    ASSERT_TRUE(QDir(home.path()).mkdir("rapport000001.doc"));  // no file can take its place
    form->RichEdit1->setPlainText(QString(80001, u'x'));
    form->AddToRapport("Commentaire", "suite");
    QString error;
    EXPECT_FALSE(Runner->Report().End(&error));
    EXPECT_TRUE(error.contains(home.filePath("rapport000001.doc"))) << error.toStdString();
    EXPECT_TRUE(QFile::exists(home.filePath("rapport000002.doc")));
}

TEST_F(Report, FilesAtTheEndOfARun) {
    settings().Report = true;
    setRows({{"Variable", "A;{1};Alpha;"}});
    form->RichEdit1->setPlainText(QString(80001, u'x'));  // a last run that reached number 000002
    form->AddToRapport("Commentaire", "x");
    ASSERT_EQ(form->ComboBox1->count(), 2);
    QFile stale(home.filePath("rapport000002.doc"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    run();
    EXPECT_FALSE(QFile::exists(home.filePath("rapport000002.doc")));  // numbers of the last run are gone
    for (const QString name : {"rapport.doc", "rapport000001.doc"}) {
        QFile f(home.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray rtf = f.readAll();
        EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
        EXPECT_TRUE(rtf.contains(" A;\\{1\\};Alpha; "));
        QTextDocument doc;
        QTextCursor c(&doc);
        rtf::insert(c, rtf);
        EXPECT_EQ(doc.toPlainText(), form->RichEdit1->toPlainText());
    }
}

TEST_F(Report, SeveralNumbersLeaveTheirListInTheBaseFile) {
    settings().Report = true;
    form->CheckBox3->setChecked(true);
    setRows({{"Commentaire", QString(200, u'y')}});
    // The row runs again until a third report number starts.
    HandlerSwap filler(15, [](CommandCall& c) {
        if (Form1->ComboBox1->count() < 3) {
            c.index = 0;
            c.moved = true;
        }
        return Done();
    });
    run();
    ASSERT_EQ(form->ComboBox1->count(), 3);
    const QStringList lines = reportLines();
    EXPECT_EQ(lines[0], "Retrouvez l'ensemble des fichiers rapports dans les fichiers suivants :");
    EXPECT_EQ(lines.mid(1), QStringList({home.filePath("rapport000001.doc"), home.filePath("rapport000002.doc"),
                                         home.filePath("rapport000003.doc")}));
    for (const QString n : {"000001", "000002", "000003"}) EXPECT_TRUE(QFile::exists(home.filePath("rapport" + n + ".doc")));
    form->ComboBox1->setCurrentIndex(1);
    form->ComboBox1Change();
    EXPECT_TRUE(form->RichEdit1->toPlainText().startsWith("Fichier " + home.filePath("rapport000002.doc")));
}

TEST_F(Report, MissingReportFile) {
    form->ComboBox1->addItem("000007");
    form->ComboBox1->setCurrentIndex(form->ComboBox1->count() - 1);
    form->ComboBox1Change();
    EXPECT_EQ(form->RichEdit1->toPlainText(), "Report file is not found !");
}

TEST_F(Report, ReportCheckBoxFollowsTheOption) {
    form->CheckBox3->setChecked(true);
    form->CheckBox3Click();
    EXPECT_TRUE(settings().Report);
    form->CheckBox3->setChecked(false);
    form->CheckBox3Click();
    EXPECT_FALSE(settings().Report);
}

TEST_F(Report, StrToNumber) {
    const std::vector<std::pair<QString, double>> cases = {
        {"3,5", 3.5}, {"3.5", 3.5}, {"-2", -2}, {"$10", 16}, {"1e3", 1000}, {"abc", 0}, {"", 0},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_DOUBLE_EQ(form->StrToNumber(text), value);
    }
    EXPECT_TRUE(form->RichEdit1->toPlainText().contains("abc n'est pas une valeur numérique valide."));
}

TEST(Rtf, MakeRtfLineEscapesAndStaysValid) {
    const QString line = mdlfnct::MakeRtfLine("a{b}c\\d é €");
    EXPECT_TRUE(line.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl"));
    EXPECT_TRUE(line.contains("\\fs24 a\\{b\\}c\\\\d \\'e9 \\'80\\highlight0\\par \\pard\\cf0\\f1\\fs16\\par }"));
    int depth = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'\\') ++i;
        else if (line[i] == u'{') ++depth;
        else if (line[i] == u'}') --depth;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
    QTextDocument doc;
    QTextCursor c(&doc);
    rtf::insert(c, line.toLatin1());
    EXPECT_EQ(doc.toPlainText(), "a{b}c\\d é €\n\n");
    EXPECT_EQ(doc.firstBlock().begin().fragment().charFormat().foreground().color(), QColor(255, 255, 255));
}

TEST(Rtf, RoundTripKeepsTextAndStyle) {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(0, 0, 255));
    bold.setFontPointSize(14);
    c.insertText("Gras {}", bold);
    c.insertBlock();
    c.insertText("ligne 2 \\ Ω", QTextCharFormat());
    QTextDocument back;
    QTextCursor b(&back);
    rtf::insert(b, rtf::fromDocument(doc));
    EXPECT_EQ(back.toPlainText(), "Gras {}\nligne 2 \\ Ω");
    const QTextCharFormat f = back.firstBlock().begin().fragment().charFormat();
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_EQ(f.foreground().color(), QColor(0, 0, 255));
    EXPECT_DOUBLE_EQ(f.fontPointSize(), 14);
}

TEST_F(Report, ProgressWindowEscCancels) {
    RunState().MacroRunning = true;
    Form29->Label1->setText("Copie");
    Form29->show();
    EXPECT_FALSE(Form29->Cancelled);
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(Form29, &other);
    EXPECT_TRUE(RunState().MacroRunning);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(Form29, &esc);
    EXPECT_TRUE(Form29->Cancelled);
    EXPECT_FALSE(RunState().MacroRunning);
    EXPECT_FALSE(Form29->isVisible());
    bool listed = false;
    for (int i = 0; i < form->ListView2->topLevelItemCount(); ++i)
        for (int col = 0; col < form->ListView2->columnCount(); ++col)
            listed |= form->ListView2->topLevelItem(i)->text(col) == "Progression \"Copie\" stoppé par l'utilisateur.";
    EXPECT_TRUE(listed);
    Form29->show();
    EXPECT_FALSE(Form29->Cancelled);
    Form29->hide();
}

}  // namespace
