// The options dialog on the real desktop: closing the dialog ends the mouse
// test, neither speed test touches a macro that runs, and "Valider" hands a
// new trigger to the running scheduler.
#include "core/MacroFileRecord.h"
#include "platform/ProgramMessages.h"
#include "platform/VirtualKeys.h"
#include "tests/desktop/DesktopRun.h"
#include "tools/Unit19.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace {

class OptionsDesktop : public DesktopRun {
protected:
    static QByteArray mouseLocation() {
        QByteArray out;
        desktoptest::run("xdotool", {"getmouselocation"}, &out);
        return out;
    }
    static void pumpFor(int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
};

TEST_F(OptionsDesktop, ClosingTheDialogEndsTheMouseTest) {
    Form19->show();
    Form19->PageControl1->setCurrentWidget(Form19->TabSheet2);
    const QByteArray start = mouseLocation();
    QTimer::singleShot(1500, Form19, [] { Form19->close(); });
    Form19->Button8Click();  // the test runs until the dialog closes
    EXPECT_NE(mouseLocation(), start);  // it did move the mouse
    EXPECT_FALSE(Form19->SpeedTestRunning);
    EXPECT_FALSE(RunState().MacroRunning);
    const QByteArray closed = mouseLocation();
    pumpFor(2000);
    EXPECT_EQ(mouseLocation(), closed);
}

TEST_F(OptionsDesktop, TestsAreRefusedDuringAPauseAndTheRunEndsNormally) {
    Form19->show();
    QStringList seen;
    bool runningAfterTests = false;
    QTimer::singleShot(500, Form19, [&] {
        Form19->Button8->click();
        Form19->Button9->click();
        runningAfterTests = RunState().MacroRunning;
        seen = messages.texts();
    });
    run({{"Pause", "00:00:02"}, {"Variable", "Fin;oui;Alpha;"}});
    EXPECT_EQ(seen.size(), 2);
    EXPECT_TRUE(runningAfterTests);
    EXPECT_FALSE(RunState().RunEndedInError);
    EXPECT_EQ(RunState().ExecutedCount, 2);
    EXPECT_FALSE(Form19->SpeedTestRunning);
}

// Ctrl+Shift+F9 typed into the stop field, then "Annuler": the stored keys
// are held again, nothing else, and Alt+F2 stops a run.
TEST_F(OptionsDesktop, ACancelledHotkeyEditLeavesTheStoredKeysAndAlt2Stops) {
    Form19->LoadOptions(QString());  // the keys taken on this desktop
    auto other = platform::openX11Platform();
    ASSERT_TRUE(other);
    auto held = [&other](unsigned modifiers, int key) {
        const bool free = other->RegisterHotKey(1, modifiers, uint8_t(key));
        if (free) other->UnregisterHotKey(1);
        return !free;
    };
    using namespace platform;
    Form19->show();
    Form19->PageControl1->setCurrentWidget(Form19->TabSheet4);
    ASSERT_TRUE(desktoptest::waitFor([] { return Form19->isActiveWindow(); }));
    Form19->HotKey2->setFocus();
    pumpFor(300);
    ASSERT_TRUE(desktoptest::run("xdotool", {"key", "ctrl+shift+F9"}));
    pumpFor(1500);  // the field ends its sequence after a second
    ASSERT_TRUE(desktoptest::run("xdotool", {"key", "Tab"}));
    pumpFor(300);
    EXPECT_TRUE(held(MOD_CONTROL | MOD_SHIFT, VK_F1 + 8)) << "in force once the field is left";
    Form19->Button2->click();
    pumpFor(300);
    EXPECT_TRUE(held(MOD_ALT, VK_F1));
    EXPECT_TRUE(held(MOD_ALT, VK_F1 + 1));
    EXPECT_FALSE(held(MOD_CONTROL | MOD_SHIFT, VK_F1 + 8));

    QTimer::singleShot(1000, form, [] { desktoptest::run("xdotool", {"key", "alt+F2"}); });
    QElapsedTimer elapsed;
    elapsed.start();
    run({{"Pause", "00:00:20"}, {"Variable", "Fin;oui;Alpha;"}});
    EXPECT_LT(elapsed.elapsed(), 15000);
    EXPECT_TRUE(messages.texts().contains("Souhaitez-vous réellement stopper l'exécution?")) << messages.texts().join(u'\n').toStdString();
    EXPECT_LT(RunState().ExecutedCount, 2);
}

}  // namespace

namespace {

// A trigger added in the options reaches the running scheduler at "Valider".
TEST_F(OptionsDesktop, ATriggerAddedByValiderIsTakenByTheRunningScheduler) {
    const QString done = home.filePath("fait.txt");
    const QString macro = home.filePath("raccourci.mcr");
    QFile file(macro);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(TMacroFileRecord{"Ecrire", done + ";fait;;"}.toBytes());
    file.close();
    QProcess scheduler;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVANEL_HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "xcb");
    scheduler.setProcessEnvironment(env);
    scheduler.start(QFileInfo(ORVANEL_PROGRAM).dir().filePath("OrvanelLaunch"), {});
    ASSERT_TRUE(scheduler.waitForStarted(10000));
    ASSERT_TRUE(desktoptest::waitFor([this] { return desk().FindProgramWindow(platform::kLaunchClass) != 0; }, 10000));

    form->StatusPanel[0]->setText(macro);
    Form19->LoadOptions(QString());
    Form19->RadioButton3->setChecked(true);
    Form19->HotKey3->setKeySequence(QKeySequence("Alt+B"));
    Form19->Button12Click();
    Form19->Button1Click();
    pumpFor(500);  // the scheduler reads the file again
    ASSERT_TRUE(desktoptest::run("xdotool", {"key", "alt+b"}));
    EXPECT_TRUE(desktoptest::waitFor([&] { return QFileInfo(done).size() > 0; }, 20000))
        << scheduler.readAllStandardError().toStdString();
    scheduler.terminate();
    if (!scheduler.waitForFinished(5000)) scheduler.kill();
    scheduler.waitForFinished(5000);
}

}  // namespace
