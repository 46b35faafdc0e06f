// Mouse, keyboard, procedure and question commands run on the fake desktop.
#include "editors/Unit4.h"
#include "tests/unit/HandlerSwap.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "core/Variables.h"
#include "engine/Handlers.h"
#include "core/RunState.h"
#include "engine/Unit10.h"
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "platform/fake/FakePlatform.h"
#include "tools/Unit19.h"

#include "tests/unit/RunTest.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <cmath>

namespace {

class Commands : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        Variables().Clear();
        RunState().MacroRunning = RunState().BreakpointWait = RunState().RunEndedInError = false;
        RunState().ExecState = 0;
        settings().TypeActive = false;  // no typing delay
    }
    QStringList callsStartingWith(const QString& prefix) const {
        QStringList out;
        for (const QString& c : fake().calls)
            if (c.startsWith(prefix)) out << c.mid(prefix.size());
        return out;
    }
    // "vk down|up" for each keybd_event call.
    // "0x41 down" by virtual key, "scan 30 down" by place on the keyboard.
    QStringList keyEvents() const {
        QStringList out;
        for (const QString& c : callsStartingWith("keybd_event ")) {
            const QStringList f = c.split(' ');
            const uint flags = f[2].toUInt(nullptr, 16);
            out << (flags & platform::KEYEVENTF_SCANCODE ? "scan " + f[1] : f[0]) +
                       (flags & platform::KEYEVENTF_KEYUP ? " up" : " down");
        }
        return out;
    }
    QString lastError() const { return messages.shown.isEmpty() ? QString() : messages.shown.last().text; }
};

TEST_F(Commands, MoveMouseDirectAndIndirect) {
    fake().cursor = {0, 0};
    run({{"Move Mouse", "100;50;Indirect;;"}});
    const QStringList moves = callsStartingWith("SetCursorPos ");
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_EQ(moves.last(), "100 50");
    EXPECT_EQ(fake().cursor, (platform::POINT{100, 50}));
    for (const QString& m : moves) {  // x-major along y = x / 2, one pixel at a time
        const int x = m.section(' ', 0, 0).toInt(), y = m.section(' ', 1, 1).toInt();
        EXPECT_EQ(y, int(std::lround(x * 0.5))) << m.toStdString();
    }
    EXPECT_EQ(moves.size(), 101);

    run({{"Variable", "X;640;Numerique;"}, {"Move Mouse", "X;7;Direct;;"}});
    EXPECT_EQ(callsStartingWith("SetCursorPos "), QStringList({"640 7"}));
    fake().cursor = {300, 10};
    run({{"Move Mouse", "290;200;Indirect;;"}});  // y-major, going down
    EXPECT_EQ(fake().cursor, (platform::POINT{290, 200}));
}

TEST_F(Commands, MoveMousePausesWhenTheUserMovesTheMouse) {
    settings().SpeedMouse = 5;
    settings().PauseMouse = "30";
    fake().cursor = {0, 0};
    QTimer::singleShot(0, [] { fake().cursor = {80, 10}; });  // during the first rest
    run({{"Move Mouse", "100;50;Indirect;;"}});
    const QStringList moves = callsStartingWith("SetCursorPos ");
    EXPECT_TRUE(moves.contains("80 10")) << "goes on from where the user left the cursor";
    EXPECT_TRUE(moves.contains("81 41")) << "along the same line";
    EXPECT_EQ(moves.last(), "100 50");
}

TEST_F(Commands, BadCoordinatesAreRunTimeErrors) {
    settings().CheckCommands = false;  // the checker would refuse the rows before the run
    run({{"Move Mouse", "abc;5;Direct;;"}});
    EXPECT_EQ(lastError(), "La valeur de X n'est pas un numérique.[abc] Arrêt de la macro. [Position 1]");
    run({{"Move Mouse", "5;1.5;Indirect;;"}});
    EXPECT_TRUE(lastError().startsWith("La valeur de Y n'est pas un numérique.[1.5]"));
    EXPECT_TRUE(callsStartingWith("SetCursorPos ").isEmpty());
}

TEST_F(Commands, ClickActionsAndWheel) {
    using namespace platform;
    auto hex = [](uint32_t f) { return QStringLiteral("0x%1 0 0 ").arg(f, 0, 16); };
    run({{"Click", "Left click;Right double-click;Whell Down;3;Middle Down;Middle Up;"}});
    const QStringList expected = {
        hex(MOUSEEVENTF_LEFTDOWN) + "0",   hex(MOUSEEVENTF_LEFTUP) + "0",     hex(MOUSEEVENTF_RIGHTDOWN) + "0",
        hex(MOUSEEVENTF_RIGHTUP) + "0",    hex(MOUSEEVENTF_RIGHTDOWN) + "0",  hex(MOUSEEVENTF_RIGHTUP) + "0",
        hex(MOUSEEVENTF_WHEEL) + "-120",   hex(MOUSEEVENTF_WHEEL) + "-120",   hex(MOUSEEVENTF_WHEEL) + "-120",
        hex(MOUSEEVENTF_MIDDLEDOWN) + "0", hex(MOUSEEVENTF_MIDDLEUP) + "0",
    };
    EXPECT_EQ(callsStartingWith("mouse_event "), expected);
    run({{"Click", "Whell Up;2;left click;"}});
    EXPECT_EQ(callsStartingWith("mouse_event "), QStringList({hex(MOUSEEVENTF_WHEEL) + "120", hex(MOUSEEVENTF_WHEEL) + "120"}))
        << "names are case-sensitive";
    run({{"Click", "Whell Up;deux;"}});
    EXPECT_TRUE(lastError().startsWith("Le nombre de crans de la molette n'est pas un entier.[deux]"));
    EXPECT_TRUE(callsStartingWith("mouse_event ").isEmpty());
}

TEST_F(Commands, TypeTypesEveryCharacter) {
    run({{"Variable", "V;Été à 5€ @home;Alpha;"}, {"Type", "V"}, {"Type", "[VK_ENTER]"}});
    EXPECT_EQ(fake().typed, "Été à 5€ @home[VK_ENTER]") << "a system variable's name is a literal here";
}

TEST_F(Commands, TypeStopsBetweenCharactersWhenStopped) {
    settings().TypeActive = true;
    settings().TypeTime = "20";
    const QString text(200, u'x');
    QTimer stopper;  // Stop once the first character is out, however long the run takes to start
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (!fake().typed.isEmpty()) form->Stop1Click();
    });
    stopper.start(5);
    run({{"Type", text}});
    EXPECT_FALSE(fake().typed.isEmpty());
    EXPECT_LT(fake().typed.size(), text.size());
}

TEST_F(Commands, TypeWithAltHeldUsesTheKeypad) {
    RunState().MacroRunning = true;
    fake().keysDown.insert(platform::VK_LMENU);
    fake().calls.clear();
    RunRow("Type", "0233");
    EXPECT_EQ(keyEvents(), QStringList({"0x60 down", "0x60 up", "0x62 down", "0x62 up", "0x63 down", "0x63 up",
                                        "0x63 down", "0x63 up"}));
    EXPECT_TRUE(fake().typed.isEmpty());
}

TEST_F(Commands, TypeSpecialPressesAndReleasesInOrder) {
    run({{"Type Special", "Ctrl;Alt;Suppr;"}});
    EXPECT_EQ(keyEvents(), QStringList({"0x11 down", "0x12 down", "0x2e down", "0x2e up", "0x12 up", "0x11 up"}));
    RunState().MacroRunning = true;  // in one run, so that the end of the run releases nothing
    fake().calls.clear();
    RunRow("Type Special", "Maj;A;[KeyDown];");
    EXPECT_EQ(keyEvents(), QStringList({"0x10 down", "scan 16 down"}));  // "A" is where the French layout has it
    fake().calls.clear();
    RunRow("Type Special", "Maj;A;[KeyUp];");
    EXPECT_EQ(keyEvents(), QStringList({"scan 16 up", "0x10 up"}));
    // The empty field is the separator's own key: ";" is the key right of "," in the French layout.
    run({{"Type Special", "Ctrl;;"}});
    EXPECT_EQ(keyEvents(), QStringList({"0x11 down", "scan 51 down", "scan 51 up", "0x11 up"}));
    fake().LoadKeyboardLayout("us");
    Form4->UpdateKeyBoard();
    run({{"Type Special", "Ctrl;;"}});
    EXPECT_EQ(keyEvents(), QStringList({"0x11 down", "scan 39 down", "scan 39 up", "0x11 up"}));
}

TEST_F(Commands, TypeSpecialWorksOutsideARunToo) {
    mdlfnct::KeyNameTable.clear();
    fake().calls.clear();
    RunRow("Type Special", "Ctrl;C;");
    EXPECT_EQ(keyEvents(), QStringList({"0x11 down", "scan 46 down", "scan 46 up", "0x11 up"}));
}

TEST_F(Commands, MousePathVisitsEachCompletePoint) {
    fake().cursor = {0, 0};
    run({{"Parcours souris", "10;20;30;40;50"}});
    const QStringList moves = callsStartingWith("SetCursorPos ");
    EXPECT_TRUE(moves.contains("10 20"));
    EXPECT_EQ(moves.last(), "30 40") << "a point without its closing separator is not moved to";
    // A coordinate may be a variable, as in a "Move Mouse" row.
    run({{"Variable", "PX;70;Numerique;"}, {"Parcours souris", "PX;80;"}});
    EXPECT_EQ(callsStartingWith("SetCursorPos ").last(), "70 80");
}

TEST_F(Commands, ProceduresNestAndReturn) {
    run({{"Variable", "T;;Alpha;"},
         {"Procedure", "CALL P1"},
         {"Calcul", "T;+;e;"},
         {"Goto", "Fin"},
         {"Procedure", "P1"},
         {"Calcul", "T;+;a;"},
         {"Procedure", "CALL P2"},
         {"Calcul", "T;+;c;"},
         {"Procedure", "END"},
         {"Procedure", "P2"},
         {"Calcul", "T;+;b;"},
         {"Procedure", "END"},
         {"Label", "Fin"}});
    EXPECT_EQ(var("T"), "abce");
    EXPECT_FALSE(RunState().RunEndedInError);
    EXPECT_TRUE(RunState().ProcReturnStack.isEmpty());

    // A definition reached without CALL is passed over.
    run({{"Variable", "T;;Alpha;"}, {"Procedure", "P"}, {"Calcul", "T;+;x;"}, {"Procedure", "END"},
         {"Calcul", "T;+;y;"}});
    EXPECT_EQ(var("T"), "y");
}

// Stored macros end their procedures with "END" followed by more text.
TEST_F(Commands, ProceduresEndedByENDAndMoreText) {
    settings().CheckBeforeRun = true;
    run({{"Variable", "T;;Alpha;"},
         {"Procedure", "CALL P1"},
         {"Procedure", "CALL P2"},
         {"Goto", "Fin"},
         {"Procedure", "P1"},
         {"Calcul", "T;+;a;"},
         {"Procedure", "ENDP1"},
         {"Procedure", "P2"},
         {"Calcul", "T;+;b;"},
         {"Procedure", "END P2"},
         {"Label", "Fin"}});
    EXPECT_EQ(var("T"), "ab");
    EXPECT_FALSE(RunState().RunEndedInError);
    EXPECT_TRUE(RunState().ProcReturnStack.isEmpty());
}

TEST_F(Commands, ProcedureErrors) {
    settings().CheckCommands = false;
    run({{"Procedure", "END"}, {"Commentaire", "jamais"}});
    EXPECT_TRUE(lastError().startsWith("Une erreur a été généré lors du retour de fin de procédure."));
    EXPECT_TRUE(RunState().RunEndedInError);
    run({{"Procedure", "CALL Absente"}});
    EXPECT_TRUE(lastError().startsWith("La procédure nommée Absente n'existe pas."));
}

TEST_F(Commands, MessageAndQuestion) {
    run({{"Message", "Titre;Bonjour;"}});
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Bonjour");
    EXPECT_EQ(messages.shown[0].caption, "Titre");

    QTimer::singleShot(50, [] {
        EXPECT_TRUE(Form10->isVisible());
        EXPECT_EQ(Form10->Edit1->text(), "avant");
        EXPECT_EQ(Form10->Edit1->echoMode(), QLineEdit::Normal);
        Form10->Edit1->setText("réponse");
        Form10->Button1->click();
    });
    run({{"Variable", "R;avant;Alpha;"}, {"Question", "Titre;Votre nom ?;R;"}, {"Calcul", "R;+;!;"}});
    EXPECT_EQ(var("R"), "réponse!");
    EXPECT_FALSE(Form10->isVisible());
}

TEST_F(Commands, QuestionCancelledEndsTheListBeingRun) {
    RunState().MacroRunning = true;
    RunState().CurrentOrderIndex = 0;
    TListView sub;
    sub.add({"Question", "T;M;[PASSWORD];"});
    sub.add({"Commentaire", "a"});
    sub.add({"Commentaire", "b"});
    TActiveOrder flags(3, true);
    int row = 0;
    QTimer::singleShot(50, [] {
        EXPECT_EQ(Form10->Edit1->echoMode(), QLineEdit::Password);
        Form10->Button2->click();
    });
    form->Execute_commande(&sub, row, flags);
    EXPECT_EQ(row, 3) << "that list ends";
    EXPECT_EQ(RunState().CurrentOrderIndex, 0) << "the main list's row does not move";
}

TEST(QuestionText, LongMessagesAreWrapped) {
    QString words;
    while (words.size() < 200) words += "mot ";
    words = words.left(200);
    const QStringList lines = TForm10::WrapText(words).split('\n');
    EXPECT_EQ(lines.size(), 3);
    EXPECT_EQ(TForm10::WrapText("court"), "court");
    EXPECT_EQ(TForm10::WrapText(QString(100, u'a') + "\rb"), QString(100, u'a') + "\rb");
}

}  // namespace
