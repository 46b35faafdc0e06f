// Window objects: their rows, the search by criteria, the run-time "Objet"
// command with its wait, animation and choices, on the fake desktop.
#include "core/RunState.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "editors/Unit17.h"
#include "engine/ObjectSearch.h"
#include "engine/VisualEffect.h"
#include "platform/Platform.h"
#include "platform/ProgramMessages.h"
#include "platform/fake/FakePlatform.h"
#include "tests/support/TestServices.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <vector>

namespace {

platform::FakePlatform& fake() { return static_cast<platform::FakePlatform&>(platform::desktop()); }

// Two programs: a logo window with an inner child, and two terminal windows
// whose classes differ only after a colon, the second one with a child.
void addDesktop() {
    const qint64 own = QCoreApplication::applicationPid();
    fake().windows = {
        {100, "XLogo", "xlogo", QRect(10, 10, 200, 150), 0, own},
        {101, "", "", QRect(12, 30, 196, 128), 100, 0},
        {200, "XTerm:1", "bash", QRect(300, 10, 400, 300), 0, 0},
        {300, "XTerm:2", "bash", QRect(300, 400, 400, 300), 0, 0},
        {301, "Scroll", "", QRect(680, 400, 20, 300), 300, 0},
    };
}

TCmObjet criteria(quint16 flags) {
    TCmObjet o;
    o.SetCriteriaFlags(flags);
    return o;
}

TEST(ObjectRows, ParamsRoundTripAndCriteriaFlags) {
    const QString row = "100;0;xlogo;XLogo;le logo;200;150;1;3;N;2;254;";
    const TCmObjet o = ObjectFromParams(row, u';');
    EXPECT_EQ(o.Handle, 100);
    EXPECT_EQ(o.ClassName, "XLogo");
    EXPECT_EQ(o.Text, "le logo");
    EXPECT_EQ(o.Width, 200);
    EXPECT_EQ(o.SeveralAction, 3);
    EXPECT_EQ(o.CountVariable, "N");
    EXPECT_EQ(o.Choice, "2");
    EXPECT_TRUE(o.UseParent && o.UseApplication && o.UseClass && o.UseText && o.UseWidth && o.UseHeight);
    EXPECT_EQ(ObjectParams(o), row);
    EXPECT_EQ(ObjectFromParams("1;0;;;;0;0;1;1;;;128;", u';').CriteriaFlags(), 128);  // no criterion
    EXPECT_EQ(ObjectFromParams("1;0;;;;0;0;1;1;;;18;", u';').CriteriaFlags(), 128 | kUseClass | kUseHeight);

    for (const char* flags : {"65536", "-1", "abc"}) {
        bool inRange = true;
        ObjectFromParams(QString("1;0;;;;0;0;1;1;;;%1;").arg(flags), u';', &inRange);
        EXPECT_FALSE(inRange) << flags;
    }
}

// A separator inside a text or class cannot shift the fields after it.
TEST(ObjectRows, TheSeparatorInsideAValueKeepsTheFieldsInPlace) {
    TCmObjet o;
    o.Handle = 7;
    o.ClassName = "Classe;avec";
    o.Text = "a;b;c";
    o.Width = 40;
    const QString row = ObjectParams(o);
    EXPECT_EQ(row, "7;0;;Classe;a;40;0;1;1;;;128;");
    EXPECT_EQ(TForm1::GetParam(row).Count, 13);
}

class ObjectSearchTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        addDesktop();
    }
};

TEST_F(ObjectSearchTest, EachCriterionKeepsTheWindowsThatMeetIt) {
    struct Case {
        const char* name;
        TCmObjet object;
        QVector<quint64> found;
    };
    auto with = [](quint16 flags, auto set) {
        TCmObjet o = criteria(flags);
        set(o);
        return o;
    };
    const Case cases[] = {
        {"no criterion: every window and child, in the desktop's order", criteria(0), {100, 101, 200, 300, 301}},
        {"class cut at its colon", with(kUseClass, [](TCmObjet& o) { o.ClassName = "XTerm"; }), {200, 300}},
        {"a criterion with a colon compares before it",
         with(kUseClass, [](TCmObjet& o) { o.ClassName = "XTerm:9"; }), {200, 300}},
        {"case matters", with(kUseClass, [](TCmObjet& o) { o.ClassName = "xterm"; }), {}},
        {"no prefix match", with(kUseClass, [](TCmObjet& o) { o.ClassName = "XTer"; }), {}},
        {"text", with(kUseText, [](TCmObjet& o) { o.Text = "bash"; }), {200, 300}},
        {"width and height", with(kUseWidth | kUseHeight, [](TCmObjet& o) {
             o.Width = 400;
             o.Height = 300;
         }), {200, 300}},
        {"parent", with(kUseParent, [](TCmObjet& o) { o.ParentHandle = 300; }), {301}},
        {"top-level windows have no parent", with(kUseParent | kUseClass, [](TCmObjet& o) {
             o.ClassName = "XLogo";
             o.ParentHandle = 0;
         }), {100}},
        {"program: its windows and their children only",
         with(kUseApplication, [](TCmObjet& o) { o.Application = "unit_tests"; }), {100, 101}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const quint64 first = FindObjectWindow(c.object);
        // As vectors: Qt's own comparison hands memcmp a null pointer for an empty list.
        const auto asVector = [](const QVector<quint64>& v) { return std::vector<quint64>(v.begin(), v.end()); };
        EXPECT_EQ(asVector(ObjectCandidates), asVector(c.found));
        EXPECT_EQ(first, c.found.value(0));
    }
}

TEST_F(ObjectSearchTest, ACapturedWindowDescribesItselfWithEveryCriterion) {
    const TCmObjet o = DescribeWindow(301);
    EXPECT_EQ(o.Handle, 301);
    EXPECT_EQ(o.ParentHandle, 300);
    EXPECT_EQ(o.ClassName, "Scroll");
    EXPECT_EQ(o.Width, 20);
    EXPECT_EQ(o.Height, 300);
    EXPECT_EQ(o.CriteriaFlags(), 254);
    EXPECT_EQ(FindObjectWindow(o), 301u);
    EXPECT_EQ(DescribeWindow(100).Application, "unit_tests");
}

// ---- The visual effect ----

class VisualEffectTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        program = home.filePath(platform::kVisualEffectProgram);
    }
    // An executable file in the program folder; starting it shows the effect's window when `opens`.
    void installProgram(bool opens) {
        QFile f(program);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        fake().onStartProgram = [opens](const QString&) {
            if (opens) fake().windows << platform::FakeWindow{900, platform::kVisualEffectClass, "", QRect(), 0, 0, false};
        };
    }
    QStringList calls(const QString& prefix) {
        QStringList out = fake().calls;
        out.removeIf([&](const QString& c) { return !c.startsWith(prefix); });
        return out;
    }
    QString program;
};

TEST_F(VisualEffectTest, ShowingStartsTheProgramThenSendsPicturePositionStartAndText) {
    installProgram(true);
    VisualEffect::ShowVisualEffect("/p/searchObject.gif", 944, 668);
    VisualEffect::SetVisualEffectText("texte");
    VisualEffect::CloseVisualEffect();
    EXPECT_EQ(calls("StartProgram"), QStringList({"StartProgram " + program}));
    EXPECT_EQ(calls("SendProgramMessage"),
              QStringList({"SendProgramMessage 0x384 9025 0 0 /p/searchObject.gif", "SendProgramMessage 0x384 9031 944 668 ",
                           "SendProgramMessage 0x384 9027 0 0 ", "SendProgramMessage 0x384 9026 0 0 texte",
                           "SendProgramMessage 0x384 9029 0 0 "}));
}

TEST_F(VisualEffectTest, ClosingNeverStartsTheProgramAndAMissingOneIsSkippedSilently) {
    VisualEffect::CloseVisualEffect();  // no program, no window
    installProgram(false);              // a program that shows no window
    VisualEffect::CloseVisualEffect();
    EXPECT_TRUE(calls("StartProgram").isEmpty());
    VisualEffect::ShowVisualEffect("x.gif", 1, 2);
    VisualEffect::CloseVisualEffect();
    EXPECT_EQ(calls("StartProgram").size(), 1);
    EXPECT_TRUE(calls("SendProgramMessage").isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
}

// ---- "Objet" at run time ----

class ObjectRun : public VisualEffectTest {
protected:
    void SetUp() override {
        VisualEffectTest::SetUp();
        addDesktop();
        Variables().Clear();
        RunState().MacroRunning = RunState().RunEndedInError = false;
        RunState().ExecState = 0;
        settings().GeneralActive = false;
        settings().CheckBeforeRun = false;
    }
    void TearDown() override {
        if (TForm17* list = Form17.made()) list->close();
        MainWindowTest::TearDown();
    }
    void run() { form->Execute(form, false, 0); }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
    QString params(int row) { return form->ListView1->params(row); }
    // Adds a window after `ms` of the run.
    void openLater(int ms, platform::FakeWindow w) {
        QTimer::singleShot(ms, [w] { fake().windows << w; });
    }
};

TEST_F(ObjectRun, OneWindowFoundRenamesTheObjectEverywhere) {
    setRows({{"Variable", "N;0;Numerique;"},
             {"Objet", "55;0;;XLogo;;0;0;1;1;N;;16;"},
             {"Objet", "66;55;;;;0;0;1;1;;;64;"},
             {"Quitter", ""},
             {"Fonction", "V;Handle;Texte;55;"},
             {"Variable", "55;x;Alpha;"}});
    run();
    EXPECT_EQ(params(1), "100;0;;XLogo;;0;0;1;1;N;;16;");
    // The child's parent names the new handle, and so do the other rows naming the old one;
    // the child row then finds the logo's child through its parent.
    EXPECT_EQ(params(2), "101;100;;;;0;0;1;1;;;64;");
    EXPECT_EQ(params(4), "V;Handle;Texte;100;");
    EXPECT_EQ(params(5), "100;x;Alpha;");
    EXPECT_EQ(var("N"), "1");
    EXPECT_FALSE(RunState().RunEndedInError);
    EXPECT_TRUE(calls("StartProgram").isEmpty());  // found at once: no animation
}

// The count is that of this row's search (not the previous row's).
TEST_F(ObjectRun, TheCountVariableReceivesTheNumberFoundByItsOwnSearch) {
    setRows({{"Variable", "N;9;Numerique;"},
             {"Objet", "1;0;;XLogo;;0;0;2;2;N;;16;"},
             {"Objet", "2;0;;Absent;;0;0;2;2;N;;16;"},
             {"Variable", "M;9;Numerique;"},
             {"Objet", "1;0;;XTerm;;0;0;2;2;M;;16;"}});
    run();
    EXPECT_EQ(var("N"), "0");
    EXPECT_EQ(var("M"), "2");
    EXPECT_EQ(params(2), "2;0;;Absent;;0;0;2;2;N;;16;");  // none found, nothing to wait for: unchanged
}

TEST_F(ObjectRun, AWindowOpeningWithinTheFirstSecondIsTakenWithoutAnimation) {
    installProgram(true);
    openLater(300, {500, "Late", "", QRect(0, 0, 10, 10), 0, 0});
    setRows({{"Objet", "1;0;;Late;;0;0;1;1;;;16;"}});
    run();
    EXPECT_EQ(params(0), "500;0;;Late;;0;0;1;1;;;16;");
    EXPECT_TRUE(calls("StartProgram").isEmpty());
}

TEST_F(ObjectRun, TheWaitShowsTheAnimationWithItsTextAndClosesIt) {
    installProgram(true);
    settings().ObjectPosX = 944;
    settings().ObjectPosY = 668;
    openLater(2000, {500, "Late", "Titre", QRect(0, 0, 30, 10), 0, 0});
    setRows({{"Variable", "[OBJECT.TIMEOUT];0;Numerique;"}, {"Objet", "1;0;;Late;Titre;30;0;1;1;;;28;"}});
    run();
    EXPECT_EQ(params(1), "500;0;;Late;Titre;30;0;1;1;;;28;");
    const QString text = "Macro en attente de recherche d'objet :  \rClasse :Late\rTexte :Titre\rLongueur :30";
    EXPECT_EQ(calls("SendProgramMessage"),
              QStringList({"SendProgramMessage 0x384 9025 0 0 " + home.filePath("searchObject.gif"),
                           "SendProgramMessage 0x384 9031 944 668 ", "SendProgramMessage 0x384 9027 0 0 ",
                           "SendProgramMessage 0x384 9026 0 0 " + text, "SendProgramMessage 0x384 9029 0 0 "}));
}

TEST_F(ObjectRun, TheTimeoutIsARunTimeErrorThatMayBeRetried) {
    setRows({{"Variable", "[OBJECT.TIMEOUT];1;Numerique;"}, {"Objet", "1;0;;Absent;;0;0;1;1;;;16;"}});
    messages.answer = mrNo;
    run();
    const QString text = "Macro en attente de recherche d'objet :  \rClasse :Absent\r[OBJECT.TIMEOUT] a expiré.\r";
    EXPECT_EQ(var("[ERROR]"), text);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, text + " Confirmez la tentative de reprise. [Position 2]");
    EXPECT_EQ(params(1), "1;0;;Absent;;0;0;1;1;;;16;");
}

TEST_F(ObjectRun, StopEndsTheSearchWait) {
    setRows({{"Variable", "[OBJECT.TIMEOUT];0;Numerique;"}, {"Objet", "1;0;;Absent;;0;0;1;1;;;16;"},
             {"Variable", "APRES;1;Numerique;"}});
    QTimer::singleShot(400, [this] { form->Stop1Click(); });
    QElapsedTimer clock;
    clock.start();
    run();
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(var("APRES"), "?");
}

TEST_F(ObjectRun, SeveralWindowsFollowTheRowsBehaviour) {
    struct Case {
        const char* name;
        QString row;
        QString after;
    };
    const Case cases[] = {
        {"nothing", "1;0;;XTerm;;0;0;1;2;;;16;", "1;0;;XTerm;;0;0;1;2;;;16;"},
        {"the first from the end", "1;0;;XTerm;;0;0;1;3;;1;16;", "300;0;;XTerm;;0;0;1;3;;1;16;"},
        {"the second from the end", "1;0;;XTerm;;0;0;1;3;;2;16;", "200;0;;XTerm;;0;0;1;3;;2;16;"},
        {"a variable's value", "1;0;;XTerm;;0;0;1;3;;K;16;", "200;0;;XTerm;;0;0;1;3;;K;16;"},
        {"out of range", "1;0;;XTerm;;0;0;1;3;;3;16;", "1;0;;XTerm;;0;0;1;3;;3;16;"},
        {"the stored window is among them: no list", "300;0;;XTerm;;0;0;1;1;;;16;", "300;0;;XTerm;;0;0;1;1;;;16;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setRows({{"Variable", "K;2;Numerique;"}, {"Objet", c.row}});
        run();
        EXPECT_EQ(params(1), c.after);
        EXPECT_FALSE(Form17->isVisible());
    }
}

TEST_F(ObjectRun, ThePickListWritesTheWindowChosenIntoTheRowItWasOpenedFor) {
    setRows({{"Objet", "1;0;;XTerm;;0;0;1;1;;;16;"}, {"Objet", "2;1;;Scroll;;0;0;1;1;;;80;"}});
    QStringList listed;
    QTimer::singleShot(300, [&] {
        ASSERT_TRUE(Form17->isVisible());
        EXPECT_FALSE(Form17->Edit1->isVisible());
        for (int i = 0; i < Form17->ListView1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* r = Form17->ListView1->topLevelItem(i);
            listed << r->text(0) + "|" + r->text(1) + "|" + r->text(2);
        }
        Form17->ListView1->topLevelItem(1)->setSelected(true);
        Form17->Button1->click();
    });
    run();
    EXPECT_EQ(listed, QStringList({"200|XTerm:1|bash", "300|XTerm:2|bash"}));
    EXPECT_EQ(params(0), "300;0;;XTerm;;0;0;1;1;;;16;");
    EXPECT_EQ(params(1), "301;300;;Scroll;;0;0;1;1;;;80;");  // found through its new parent
    EXPECT_FALSE(Form17->isVisible());
    EXPECT_FALSE(RunState().RunEndedInError);
}

TEST_F(ObjectRun, EscapeStopAndCancelEndThePickListWait) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Esc", [] { QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                     QCoreApplication::sendEvent(Form17, &esc); }},
        {"Annuler", [] { Form17->Button2->click(); }},
        {"Stop", [this] { form->Stop1Click(); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        setRows({{"Objet", "1;0;;XTerm;;0;0;1;1;;;16;"}, {"Variable", "APRES;1;Numerique;"}});
        Variables().Clear();
        QTimer::singleShot(300, way);
        QElapsedTimer clock;
        clock.start();
        run();
        EXPECT_LT(clock.elapsed(), 3000);
        EXPECT_EQ(params(0), "1;0;;XTerm;;0;0;1;1;;;16;");
        EXPECT_EQ(var("APRES"), "?");
        EXPECT_FALSE(Form17->isVisible());
    }
}

TEST_F(ObjectRun, CriteriaOutOfRangeAreARunTimeError) {
    setRows({{"Objet", "1;0;;XTerm;;0;0;1;1;;;70000;"}});
    run();
    EXPECT_TRUE(RunState().RunEndedInError);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Objet : le paramètre 12 (critères) doit être un nombre de 0 à 65535."));
}

}  // namespace
