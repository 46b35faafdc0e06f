#pragma once
// A shown main window driven with the real mouse and keyboard of the private X server.
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "tests/desktop/DesktopSupport.h"
#include "tests/support/TestSupport.h"

#include "core/Unit1.h"

#include <QWidget>

class DesktopWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        if (qgetenv("ORVANEL_PRIVATE_X") != "1") GTEST_SKIP() << "run through run-under-xvfb.sh";
        x11 = platform::openX11Platform();
        ASSERT_TRUE(x11);
        MainWindowTest::SetUp();
        form->show();
        ASSERT_TRUE(desktoptest::waitFor([this] { return form->isActiveWindow(); }));
    }
    void clickAt(QWidget* w, QPoint local, int times = 1) {
        const QPoint p = w->mapToGlobal(local);
        x11->SetCursorPos(p.x(), p.y());
        for (int i = 0; i < times; ++i) {
            x11->mouse_event(platform::MOUSEEVENTF_LEFTDOWN, 0, 0, 0);
            x11->mouse_event(platform::MOUSEEVENTF_LEFTUP, 0, 0, 0);
        }
        x11->Flush();
    }
    void key(uint8_t vk) {
        x11->keybd_event(vk, 0, 0);
        x11->keybd_event(vk, 0, platform::KEYEVENTF_KEYUP);
        x11->Flush();
    }
    std::unique_ptr<platform::Platform> x11;
};

// The same with every window styled as the start styles them, the cursor away from all of them.
class StyledDesktopWindowTest : public DesktopWindowTest {
protected:
    void SetUp() override {
        DesktopWindowTest::SetUp();
        if (!form) return;
        form->ReadWindowPositions();
        x11->SetCursorPos(0, 0);
    }
};
