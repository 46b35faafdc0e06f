#pragma once
// Macros run by the whole program against the real X server: the main
// window and its dialogs with the X11 desktop, probe_client as the target.
#include "core/Unit1.h"
#include "core/Variables.h"
#include "editors/Unit4.h"
#include "core/RunState.h"
#include "platform/Platform.h"
#include "tests/desktop/DesktopSupport.h"
#include "tests/support/TestSupport.h"
#include "core/Settings.h"


class DesktopRun : public MainWindowTest {
protected:
    void SetUp() override {
        if (qgetenv("ORVANEL_PRIVATE_X") != "1") GTEST_SKIP() << "run through run-under-xvfb.sh";
        MainWindowTest::SetUp();
        useLayout("us");
        Variables().Clear();
        settings().GeneralActive = false;  // no delay between rows
        settings().TypeActive = false;     // no typing delay
    }
    void TearDown() override {
        if (!form) return;  // skipped
        platform::setDesktop(nullptr);  // gives lent keycodes back
        desktoptest::run("setxkbmap", {"us"});
        MainWindowTest::TearDown();
    }
    // Switches the server's layout and opens a fresh X11 desktop on it.
    void useLayout(const QString& layout) {
        platform::setDesktop(nullptr);
        ASSERT_TRUE(desktoptest::run("setxkbmap", {layout}));
        auto x11 = platform::openX11Platform();
        ASSERT_TRUE(x11) << "no X display";
        platform::setDesktop(std::move(x11));
        Form4->UpdateKeyBoard();
    }
    platform::Platform& desk() { return platform::desktop(); }
    void run(const QVector<QPair<QString, QString>>& rows) {
        setRows(rows);
        form->Execute(form, false, 0);
    }
};
