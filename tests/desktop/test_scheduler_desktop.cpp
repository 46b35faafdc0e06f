// The scheduler "OrvanelLaunch" on the private X server: a timed trigger and
// a keyboard shortcut each start "orvanel <macro>", and a trigger the options
// add is taken without restarting it.
#include "platform/LaunchFile.h"
#include "platform/ProgramMessages.h"
#include "platform/VirtualKeys.h"
#include "tests/desktop/UnattendedRun.h"

#include <QFileInfo>

#include <limits>

using namespace platform;

namespace {

class SchedulerTest : public desktoptest::Unattended {
protected:
    void TearDown() override {
        TearDownScheduler();
        desktoptest::Unattended::TearDown();
    }
    void TearDownScheduler() {
        if (scheduler.state() == QProcess::NotRunning) return;
        scheduler.terminate();
        if (!scheduler.waitForFinished(5000)) scheduler.kill();
        scheduler.waitForFinished(5000);
    }
    // A macro that writes "fait" into the file done.
    QString macroWritingDone() {
        done = home->filePath("fait.txt");
        return writeMacro({"Ecrire\t" + done + ";fait;;"});
    }
    void writeLaunches(const TLaunchList& records) {
        ASSERT_TRUE(WriteLaunchRecords(home->filePath("Launch.dat"), records));
    }
    void startScheduler() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORVANEL_HOME", home->path());
        env.insert("QT_QPA_PLATFORM", "xcb");
        scheduler.setProcessEnvironment(env);
        scheduler.start(QFileInfo(ORVANEL_PROGRAM).dir().filePath("OrvanelLaunch"), {});
        ASSERT_TRUE(scheduler.waitForStarted(10000));
        ASSERT_TRUE(desktoptest::waitFor([this] { return desk().FindProgramWindow(kLaunchClass) != 0; }, 10000));
    }
    bool ranWithin(int ms) {
        return desktoptest::waitFor([this] { return QFileInfo(done).size() > 0; }, ms);
    }
    void tell() {
        const HWND window = desk().FindProgramWindow(kLaunchClass);
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(desk().PostClientMessage(window, WM_LAUNCHCHANGED, 0, 0));
        desk().Flush();
    }

    QProcess scheduler;
    QString done;
};

TLaunchRecord timedIn(const QString& macro, int ms) {
    const QDateTime when = QDateTime::currentDateTime().addMSecs(ms);
    TLaunchRecord r;
    r.setPath(macro);
    r.setKind(LaunchAtTime);
    r.setFrequency(LaunchOnce);
    r.setStartDate(toLaunchTime(when.date()));
    r.setTimeOfDay(when.time().msecsSinceStartOfDay() / 86400000.0);
    return r;
}

// Beside a damaged record (a start date that is no number), which is said and left out.
TEST_F(SchedulerTest, TimedTriggerRunsItsMacro) {
    newHome();
    const QString macro = macroWritingDone();
    TLaunchRecord damaged = timedIn(macro, 1000);
    damaged.setStartDate(std::numeric_limits<double>::quiet_NaN());
    writeLaunches({damaged, timedIn(macro, 2000)});
    startScheduler();
    EXPECT_FALSE(QFile::exists(done));
    const bool ran = ranWithin(20000);
    const QString said = QString::fromLocal8Bit(scheduler.readAllStandardError());
    EXPECT_TRUE(ran) << said.toStdString();
    EXPECT_TRUE(said.contains("OrvanelLaunch : « " + home->filePath("Launch.dat") +
                              " » : 1 enregistrement(s) abîmé(s) (date impossible) laissé(s) de côté."))
        << said.toStdString();
}

TEST_F(SchedulerTest, ShortcutsRunTheirMacroWithNumLockOnAndOff) {
    const std::pair<quint32, const char*> shortcuts[] = {{0x8041, "alt+a"}, {0x14041, "super+ctrl+a"}};
    for (const auto& [shortcut, keys] : shortcuts) {
        SCOPED_TRACE(keys);
        newHome();
        TLaunchRecord r;
        r.setPath(macroWritingDone());
        r.setKind(LaunchOnShortcut);
        r.setShortcut(shortcut);
        writeLaunches({r});
        startScheduler();
        for (const bool numLock : {false, true}) {
            if (desk().IsKeyToggled(VK_NUMLOCK) != numLock) desktoptest::run("xdotool", {"key", "Num_Lock"});
            QFile::remove(done);
            ASSERT_TRUE(desktoptest::run("xdotool", {"key", keys}));
            EXPECT_TRUE(ranWithin(20000)) << "Num Lock " << numLock << scheduler.readAllStandardError().toStdString();
        }
        if (desk().IsKeyToggled(VK_NUMLOCK)) desktoptest::run("xdotool", {"key", "Num_Lock"});
        TearDownScheduler();
    }
}

// A second scheduler leaves at once: each macro starts once.
TEST_F(SchedulerTest, ASecondSchedulerLeavesTheFirstAlone) {
    newHome();
    writeLaunches({});
    startScheduler();
    QProcess second;
    second.setProcessEnvironment(scheduler.processEnvironment());
    second.start(scheduler.program(), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(scheduler.state(), QProcess::Running);
}

TEST_F(SchedulerTest, TriggerAddedLaterIsTakenWithoutRestartAndNoHalfFileIsSeen) {
    newHome();
    const QString macro = macroWritingDone();
    writeLaunches({});
    startScheduler();
    // Rewritten over and over while the scheduler reads it at each message.
    TLaunchList many;
    for (int i = 0; i < 200; ++i) many.append(timedIn(home->filePath("aucune.mcr"), -3600000));
    for (int i = 0; i < 40; ++i) {
        writeLaunches(many.mid(0, 1 + i * 5));
        tell();
    }
    writeLaunches(many.mid(0, 3) + TLaunchList{timedIn(macro, 2000)});
    tell();
    EXPECT_TRUE(ranWithin(20000));
    EXPECT_FALSE(scheduler.readAllStandardError().contains("incomplet"));
}

}  // namespace
