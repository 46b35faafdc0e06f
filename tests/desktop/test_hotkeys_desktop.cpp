// Global hotkeys and plug-ins on the private X server: the program itself
// stopped by its hotkey whatever window has the focus, a hotkey another
// client holds, the lock keys, the sample plug-in run and edited, and a
// message from another program.
#include "engine/GestionCommande.h"
#include "engine/HotKeyManager.h"
#include "platform/ProgramMessages.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowMessages.h"
#include "plugins/OrvanelPlugin.h"
#include "tests/desktop/DesktopRun.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolButton>

namespace {

using namespace desktoptest;

// The Num Lock state of the server, as the test wants it.
void setNumLock(platform::Platform& desk, bool on) {
    if (desk.IsKeyToggled(platform::VK_NUMLOCK) != on) run("xdotool", {"key", "Num_Lock"});
    waitFor([&] { return desk.IsKeyToggled(platform::VK_NUMLOCK) == on; });
}

// "orvanel macro.mcr" in a program folder of its own, the report on.
class Program {
public:
    explicit Program(const QStringList& rows, const QString& moreSettings = QString()) {
        QFile config(home.filePath("config.ini"));
        config.open(QIODevice::WriteOnly);
        config.write(("[Control]\nRapport=True\nErreur Execution=True\n" + moreSettings).toUtf8());
        config.close();
        QProcess python;
        python.start("python3", {WRITE_MACRO, home.filePath("essai.mcr")});
        python.write(rows.join(u'\n').toUtf8());
        python.closeWriteChannel();
        python.waitForFinished(10000);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORVANEL_HOME", home.path());
        process.setProcessEnvironment(env);
        process.start(ORVANEL_PROGRAM, {home.filePath("essai.mcr")});
        process.waitForStarted(10000);
    }
    ~Program() {
        if (process.state() != QProcess::NotRunning) process.kill();
        process.waitForFinished(5000);
    }
    // The exit status once it ended by itself (-1 when it did not in time).
    int status(int ms = 20000) {
        const bool ended = process.waitForFinished(ms);
        errors += QString::fromLocal8Bit(process.readAllStandardError());
        return ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QString report() const {
        QFile f(home.filePath("rapport000001.doc"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }

    QTemporaryDir home;
    QProcess process;
    QString errors;
};

// Another client takes the combination for a moment: false while the program holds it.
bool freeFor(platform::Platform& other, unsigned modifiers, uint8_t vk) {
    const bool free = other.RegisterHotKey(1, modifiers, vk);
    if (free) other.UnregisterHotKey(1);
    return free;
}

class HotKeysDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        if (qgetenv("ORVANEL_PRIVATE_X") != "1") GTEST_SKIP() << "run through run-under-xvfb.sh";
        x11 = platform::openX11Platform();
        ASSERT_TRUE(x11);
    }
    void TearDown() override {
        if (x11) setNumLock(*x11, false);
    }
    std::unique_ptr<platform::Platform> x11;
};

TEST_F(HotKeysDesktop, StopHotKeyEndsAnUnattendedRunWhateverHasTheFocus) {
    for (bool numLock : {false, true}) {
        SCOPED_TRACE(numLock ? "Num Lock on" : "Num Lock off");
        setNumLock(*x11, numLock);
        Probe probe({"--title", "Sonde focus"});
        ASSERT_NE(showProbe(*x11, probe, "Sonde focus"), 0u);
        x11->SetCursorPos(0, 0);
        // The pointer's move says the run is under way.
        Program program({"Variable\tA;1;Numerique;", "Move Mouse\t333;222;Direct;", "Pause\t00:00:40",
                         "Variable\tB;2;Numerique;"});
        ASSERT_TRUE(waitFor([&] { return x11->GetCursorPos() == platform::POINT{333, 222}; }, 10000));
        EXPECT_FALSE(freeFor(*x11, platform::MOD_ALT, platform::VK_F1 + 1)) << "the program holds Alt+F2";
        EXPECT_EQ(x11->GetForegroundWindow(), x11->FindWindow("OrvanelProbe", "Sonde focus"));
        ASSERT_TRUE(run("xdotool", {"key", "alt+F2"}));
        EXPECT_EQ(program.status(10000), 1) << program.errors.toStdString();
        EXPECT_TRUE(program.errors.contains("Orvanel : arrêt demandé par le raccourci Alt+F2."))
            << program.errors.toStdString();
        EXPECT_TRUE(program.report().contains("Variable ")) << "the report is written";
        EXPECT_TRUE(program.report().contains("A;1;Numerique;"));
        EXPECT_FALSE(program.report().contains("B;2;Numerique;"));
        EXPECT_TRUE(freeFor(*x11, platform::MOD_ALT, platform::VK_F1 + 1)) << "given back at the end";
    }
}

TEST_F(HotKeysDesktop, AStopHotKeyAnotherClientHoldsIsSaidOnce) {
    ASSERT_TRUE(x11->RegisterHotKey(7, platform::MOD_ALT, platform::VK_F1 + 1));
    Program program({"Variable\tA;1;Numerique;"});
    EXPECT_EQ(program.status(), 0);
    EXPECT_EQ(program.errors.count("Le raccourci global Alt+F2 est déjà pris par un autre programme"), 1)
        << program.errors.toStdString();
    EXPECT_TRUE(x11->UnregisterHotKey(7));
}

// The editor holds the keys; a run started beside it (as the scheduler
// starts them) gets their presses from it: the pause question shows in the
// run, the stop ends it at once, and the idle editor asks nothing.
TEST_F(HotKeysDesktop, TheEditorPassesTheKeysToARunBesideIt) {
    QTemporaryDir editorHome;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVANEL_HOME", editorHome.path());
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.start(ORVANEL_PROGRAM, {});
    ASSERT_TRUE(waitFor([&] { return x11->FindWindow(platform::kOrvanelClass, "Nouvelle macro - Orvanel") != 0; }, 20000));
    ASSERT_TRUE(waitFor([&] { return !freeFor(*x11, platform::MOD_ALT, platform::VK_F1 + 1); })) << "the editor holds Alt+F2";
    x11->SetCursorPos(0, 0);
    Program program({"Variable\tA;1;Numerique;", "Move Mouse\t333;222;Direct;", "Pause\t00:00:40",
                     "Variable\tB;2;Numerique;"});
    ASSERT_TRUE(waitFor([&] { return x11->GetCursorPos() == platform::POINT{333, 222}; }, 10000));
    QThread::msleep(500);  // the next row, the pause, has begun: its countdown names the program
    // The windows a program shows (a run shows none of its own but its questions).
    auto shownBy = [&](const QProcess& p) {
        QVector<platform::HWND> shown;
        for (platform::HWND w : x11->EnumWindows())
            if (x11->GetWindowThreadProcessId(w) == p.processId() && x11->IsWindowVisible(w)) shown << w;
        return shown;
    };
    const qsizetype editorWindows = shownBy(editor).size();
    ASSERT_TRUE(run("xdotool", {"key", "alt+F1"}));
    ASSERT_TRUE(waitFor([&] { return shownBy(program.process).size() == 1; })) << "the run shows its pause question";
    const platform::HWND question = shownBy(program.process).first();
    EXPECT_TRUE(x11->GetWindowText(question).startsWith("Pause ")) << "titled as the program is while it pauses";
    x11->SetForegroundWindow(question);
    waitFor([&] { return x11->GetForegroundWindow() == question; }, 3000);
    ASSERT_TRUE(run("xdotool", {"key", "Return"}));
    ASSERT_TRUE(waitFor([&] { return shownBy(program.process).isEmpty(); }));
    ASSERT_TRUE(run("xdotool", {"key", "alt+F2"}));
    EXPECT_EQ(program.status(5000), 1) << program.errors.toStdString();
    EXPECT_TRUE(program.errors.contains("Orvanel : arrêt demandé par le raccourci Alt+F2.")) << program.errors.toStdString();
    EXPECT_FALSE(program.errors.contains("déjà pris")) << "the editor is ours: nothing to say";
    EXPECT_TRUE(program.report().contains("A;1;Numerique;"));
    EXPECT_FALSE(program.report().contains("B;2;Numerique;"));
    QThread::msleep(300);
    EXPECT_EQ(shownBy(editor).size(), editorWindows) << "the idle editor asks nothing";
    EXPECT_EQ(editor.state(), QProcess::Running);
    editor.terminate();
    EXPECT_TRUE(editor.waitForFinished(5000));
}

TEST_F(HotKeysDesktop, SamplePluginRunsAndAnIncompleteOneIsRefused) {
    Program program({"Variable\tA;x;Alpha;", "Exemple\tA;Bonjour;", "Variable\tB;2;Numerique;"},
                    QStringLiteral("[DynOrder]\n1=%1\n2=%2\n").arg(EXEMPLE_PLUGIN, SONDE_INCOMPLETE_PLUGIN));
    EXPECT_EQ(program.status(), 0) << program.errors.toStdString();
    EXPECT_TRUE(program.errors.contains("Orvanel : GetInfoFromOrvanel no found.\nOrvanel : ExecuteOrder no found.\n"))
        << program.errors.toStdString();
    EXPECT_TRUE(program.report().contains("Exemple : A = Bonjour")) << program.report().toStdString();
    EXPECT_TRUE(program.report().contains("B;2;Numerique;")) << "the run goes on";
}

// A plug-in that crashes in its row takes only its host program down: the
// program names it in the run-time error and ends as after any other.
TEST_F(HotKeysDesktop, APluginThatCrashesIsNamedAndTheProgramLives) {
    Program program({"Variable\tA;1;Numerique;", "Sonde\tcrash", "Variable\tB;2;Numerique;"},
                    QStringLiteral("[DynOrder]\n1=%1\n").arg(SONDE_PLUGIN));
    EXPECT_EQ(program.status(), 1) << program.errors.toStdString();
    EXPECT_TRUE(program.errors.contains("Le plug-in « Sonde » s'est arrêté brutalement (ExecuteOrder, signal 11)"))
        << program.errors.toStdString();
    EXPECT_TRUE(program.report().contains("A;1;Numerique;"));
    EXPECT_FALSE(program.report().contains("B;2;Numerique;"));
}

// The same in the editor, in this program: the main window on the real server.
class PluginsDesktop : public DesktopRun {
protected:
    void SetUp() override {
        DesktopRun::SetUp();
        if (IsSkipped()) return;
        settings().CheckBeforeRun = false;
        HotKeyManager1->ClearGlobalHotKeys();  // those of the fake desktop the fixture began with
    }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
};

struct LockListener : THotKeyListener {
    QVector<bool> states;
    void LockStateChanged(uint8_t vk, bool on) override {
        if (vk == platform::VK_NUMLOCK) states << on;
    }
};

TEST_F(PluginsDesktop, NumLockStillTogglesAndItsStateIsHeard) {
    Services().RegisterStartupHotKeys();
    ASSERT_TRUE(HotKeyManager1->Registered(platform::VK_NUMLOCK));
    LockListener listener;
    HotKeyManager1->AddListener(&listener);
    for (bool expected : {true, false}) {
        ASSERT_TRUE(desktoptest::run("xdotool", {"key", "Num_Lock"}));
        EXPECT_TRUE(waitFor([&] { return listener.states.size() == (expected ? 1 : 2); }));
        EXPECT_EQ(listener.states.value(expected ? 0 : 1, !expected), expected);
        EXPECT_EQ(desk().IsKeyToggled(platform::VK_NUMLOCK), expected);
    }
    HotKeyManager1->RemoveListener(&listener);
}

TEST_F(PluginsDesktop, SampleWindowEditsTheRowAndTheRowRuns) {
    ASSERT_EQ(LoadCommandPlugin(EXEMPLE_PLUGIN), 1);
    form->show();
    // Typed into the plug-in's own window, shown by its host program, as a person
    // would once it has the focus. Each step one xdotool command ("key ctrl+a",
    // "type NOM"). A window left open ends the wait: the test fails, it does not hang.
    const TPluginDeadlines before = PluginDeadlines();
    PluginDeadlines().personMs = 20000;
    auto typeWhenShown = [](const QStringList& steps) {
        QProcess::startDetached("timeout", {"15", "sh", "-c",
                                            "xdotool search --sync --onlyvisible --name '^Exemple$' windowfocus "
                                            "--sync && xdotool " + steps.join("; xdotool ")});
    };
    typeWhenShown({"key ctrl+a", "type NOM", "key Tab ctrl+a", "type Jean", "key Return"});
    DynamiqueOrders[1].Button->click();
    EXPECT_EQ(rowTexts(), QStringList{"Exemple|NOM;Jean;"});
    TForm1::Select_unique(form->ListView1, 0);
    typeWhenShown({"key Tab ctrl+a", "type Paul", "key Return"});
    form->Editer1Click();
    EXPECT_EQ(rowTexts(), QStringList{"Exemple|NOM;Paul;"});
    run({{"Exemple", "NOM;Paul;"}});
    EXPECT_EQ(var("NOM"), "Paul");
    PluginDeadlines() = before;
}

TEST_F(PluginsDesktop, AnotherProgramStopsTheRunByAClientMessage) {
    auto other = platform::openX11Platform();
    ASSERT_TRUE(other);
    const platform::HWND window = form->winId();
    QTimer::singleShot(300, [&] { EXPECT_TRUE(other->PostClientMessage(window, ORVANEL_STOP, 0, 0)); });
    QElapsedTimer took;
    took.start();
    run({{"Pause", "00:00:20"}, {"Variable", "A;1;Numerique;"}});
    EXPECT_LT(took.elapsed(), 5000);
    EXPECT_EQ(var("A"), "?");
}

}  // namespace
