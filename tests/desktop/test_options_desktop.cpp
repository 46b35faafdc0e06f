// The options dialog's speed tests with the real mouse: closing the dialog
// ends the mouse test, and neither test touches a macro that runs.
#include "tests/desktop/DesktopRun.h"
#include "tools/Unit19.h"

#include <QElapsedTimer>
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
    EXPECT_FALSE(MacroRunning);
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
        runningAfterTests = MacroRunning;
        seen = messages.texts();
    });
    run({{"Pause", "00:00:02"}, {"Variable", "Fin;oui;Alpha;"}});
    EXPECT_EQ(seen.size(), 2);
    EXPECT_TRUE(runningAfterTests);
    EXPECT_FALSE(RunEndedInError);
    EXPECT_EQ(ExecutedCount, 2);
    EXPECT_FALSE(Form19->SpeedTestRunning);
}

}  // namespace
