// The run engine against the real X server: injected keys and mouse moves,
// Esc during a long wait, the breakpoint caption of the real window.
#include "core/Settings.h"
#include "tests/desktop/DesktopRun.h"

#include "engine/mdlfnct.h"
#include "platform/VirtualKeys.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

using namespace desktoptest;

class RunDesktop : public DesktopRun {
protected:
    void SetUp() override {
        DesktopRun::SetUp();
        if (IsSkipped()) return;
        settings().CheckBeforeRun = false;  // no check before the runs
    }
    // The main window shown and given the keyboard.
    void showMainWindow() {
        form->show();
        const auto handle = platform::HWND(form->winId());
        ASSERT_TRUE(waitFor([&] { return desk().SetForegroundWindow(handle) && form->isActiveWindow(); }));
    }
    QString var(const QString& name) {
        QString v;
        form->ReadVariable("VAR", name, "?", v);
        return v;
    }
};

TEST_F(RunDesktop, InjectedKeysReachTheWindowAndAreReleased) {
    Probe probe({"--title", "Sonde injection"});
    ASSERT_NE(showProbe(desk(), probe, "Sonde injection"), 0u);
    mdlfnct::TypeVkScan(0x0141);  // Shift + A
    mdlfnct::TypeVkScan(0x0042);  // b
    mdlfnct::PressWithShift('C');
    EXPECT_TRUE(probe.waitForLine("text AbC")) << probe.lines().join('\n').toStdString();
    for (uint8_t vk : std::initializer_list<uint8_t>{platform::VK_SHIFT, platform::VK_CONTROL, platform::VK_MENU, 0x41, 0x42})
        EXPECT_FALSE(desk().IsKeyDown(vk)) << int(vk);
}

TEST_F(RunDesktop, AbsoluteMouseMoves) {
    ASSERT_TRUE(mdlfnct::MouseMoveAbsolute(200, 300));
    desk().Flush();
    EXPECT_TRUE(waitFor([&] {
        const platform::POINT p = desk().GetCursorPos();
        return std::abs(p.x - 200) <= 1 && std::abs(p.y - 300) <= 1;
    }));
}

TEST_F(RunDesktop, EscDuringALongPauseEndsTheRun) {
    showMainWindow();
    QTimer::singleShot(300, [&] {
        desk().keybd_event(platform::VK_ESCAPE, 0, 0);
        desk().keybd_event(platform::VK_ESCAPE, 0, platform::KEYEVENTF_KEYUP);
    });
    QElapsedTimer elapsed;
    elapsed.start();
    run({{"Pause", "60;Sec;"}, {"Variable", "A;1;Numerique;"}});
    EXPECT_LT(elapsed.elapsed(), 30000) << "the pause of a minute was cut short";
    EXPECT_EQ(var("A"), "?");
    EXPECT_EQ(RunState().ExecState, 0);
    EXPECT_FALSE(desk().IsKeyDown(platform::VK_ESCAPE));
}

TEST_F(RunDesktop, BreakpointCaptionOnTheRealWindow) {
    showMainWindow();
    setRows({{"Variable", "A;1;Numerique;"}});
    form->ListView1->setIcon(0, kBreakpointIcon);
    QString title, valueAtBreak;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (RunState().ExecState != 4) return;
        const QString real = desk().GetWindowText(platform::HWND(form->winId()));
        if (real != form->windowTitle()) return;  // the server has not got it yet
        poll.stop();
        title = real;
        valueAtBreak = var("A");
        form->Execute1Click();
    });
    poll.start(20);
    form->Execute(form, false, 0);
    EXPECT_EQ(title, "Nouvelle macro - Orvanel [Stoppé par Point d'arrêt]");
    EXPECT_EQ(valueAtBreak, "?");
    EXPECT_EQ(var("A"), "1");
}

// F9 pressed on the real keyboard at a breakpoint resumes the run from the
// breakpoint's row: the rows before it run once only.
TEST_F(RunDesktop, F9AtABreakpointGoesOnFromThatRow) {
    constexpr uint8_t kF9 = platform::VK_F1 + 8;
    showMainWindow();
    setRows({{"Variable", "N;0;Numerique;"}, {"Calcul", "N;+;1;"}, {"Variable", "A;1;Numerique;"}});
    form->ListView1->setIcon(2, kBreakpointIcon);
    int breaks = 0;
    bool pressed = false;  // F9 pressed at this stop
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (RunState().ExecState != 4) pressed = false;
        if (RunState().ExecState != 4 || pressed || !form->isActiveWindow()) return;
        pressed = true;
        if (++breaks > 1) {  // a second stop: the run began again
            form->Stop1Click();
            return;
        }
        desk().keybd_event(kF9, 0, 0);
        desk().keybd_event(kF9, 0, platform::KEYEVENTF_KEYUP);
        desk().Flush();
    });
    poll.start(50);
    form->Execute(form, false, 0);
    EXPECT_EQ(breaks, 1);
    EXPECT_EQ(var("N"), "1");
    EXPECT_EQ(var("A"), "1");
    EXPECT_FALSE(desk().IsKeyDown(kF9));
}

// Only tests modes: the private server keeps its own.
TEST_F(RunDesktop, DisplayModesOfThePrivateServer) {
    const platform::DisplayMode now = desk().GetDisplayMode();
    EXPECT_EQ(now.width, desk().GetSystemMetrics(platform::SM_CXSCREEN));
    EXPECT_EQ(now.bitsPerPixel, 32);
    EXPECT_EQ(desk().ChangeDisplaySettings(now, true), platform::DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(desk().ChangeDisplaySettings({now.width, now.height, 16}, true), platform::DISP_CHANGE_BADMODE);
    EXPECT_EQ(desk().ChangeDisplaySettings({123, 45, 32}, true), platform::DISP_CHANGE_BADMODE);
}

}  // namespace
