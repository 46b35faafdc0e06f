// The X11 platform against a real X server: the private Xvfb + openbox of
// run-under-xvfb.sh, with probe_client as the application being driven.
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "platform/fake/FakePlatform.h"
#include "tests/desktop/DesktopSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <cmath>
#include <gtest/gtest.h>

using namespace platform;

namespace {

using namespace desktoptest;

class X11PlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (qgetenv("ORVANEL_PRIVATE_X") != "1") GTEST_SKIP() << "run through run-under-xvfb.sh";
        desk = openX11Platform();
        ASSERT_TRUE(desk) << "no X display";
    }

    HWND showProbe(Probe& probe, const QString& title) { return desktoptest::showProbe(*desk, probe, title); }

    void press(uint8_t vk) { desk->keybd_event(vk, 0, 0); }
    void release(uint8_t vk) { desk->keybd_event(vk, 0, KEYEVENTF_KEYUP); }

    std::unique_ptr<Platform> desk;
};

TEST_F(X11PlatformTest, ScreenSizeIsTheServers) {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(desk->GetSystemMetrics(SM_CXSCREEN), screen.width());
    EXPECT_EQ(desk->GetSystemMetrics(SM_CYSCREEN), screen.height());
}

// The same cursor moves on the real desktop and on the fake give the same
// positions.
TEST_F(X11PlatformTest, CursorMovesLikeTheFake) {
    const int w = desk->GetSystemMetrics(SM_CXSCREEN), h = desk->GetSystemMetrics(SM_CYSCREEN);
    FakePlatform fake;
    fake.screenSize = QSize(w, h);
    struct Step {
        bool setPos;
        uint32_t flags;
        int x, y;
        POINT expected;
    };
    const uint32_t absMove = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const POINT mid{int(std::lround(32768.0 * (w - 1) / 65535)), int(std::lround(16384.0 * (h - 1) / 65535))};
    const Step steps[] = {
        {true, 0, 10, 20, {10, 20}},
        {true, 0, 500, 400, {500, 400}},
        {true, 0, -30, 99999, {0, h - 1}},  // clamped to the screen
        {false, absMove, 0, 0, {0, 0}},
        {false, absMove, 65535, 65535, {w - 1, h - 1}},
        {false, absMove, 32768, 16384, mid},
        {false, MOUSEEVENTF_MOVE, 15, -7, {mid.x + 15, mid.y - 7}},
        {false, MOUSEEVENTF_MOVE, -5000, 5000, {0, h - 1}},
        {false, 0, 300, 300, {0, h - 1}},  // dx/dy without MOVE do nothing
    };
    for (const Step& s : steps) {
        for (Platform* p : {static_cast<Platform*>(desk.get()), static_cast<Platform*>(&fake)}) {
            if (s.setPos)
                p->SetCursorPos(s.x, s.y);
            else
                p->mouse_event(s.flags, s.x, s.y, 0);
            EXPECT_EQ(p->GetCursorPos(), s.expected) << (p == &fake ? "fake" : "x11") << " at " << s.x << "," << s.y;
        }
    }
}

TEST_F(X11PlatformTest, ClicksAndWheelReachTheClient) {
    Probe probe({"--title", "Sonde souris"});
    ASSERT_NE(showProbe(probe, "Sonde souris"), 0u);
    const QPoint at = areaPoint(probe);
    desk->SetCursorPos(at.x(), at.y());
    const QString xy = QStringLiteral(" %1 %2").arg(at.x()).arg(at.y());
    struct Case {
        uint32_t flags;
        int data;
        QStringList expected;
    };
    const Case cases[] = {
        {MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, {"press 1" + xy, "release 1" + xy}},
        {MOUSEEVENTF_MIDDLEDOWN | MOUSEEVENTF_MIDDLEUP, 0, {"press 2" + xy, "release 2" + xy}},
        {MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP, 0, {"press 3" + xy, "release 3" + xy}},
        {MOUSEEVENTF_WHEEL, WHEEL_DELTA, {"wheel up"}},
        {MOUSEEVENTF_WHEEL, -WHEEL_DELTA, {"wheel down"}},
        {MOUSEEVENTF_WHEEL, 2 * WHEEL_DELTA, {"wheel up", "wheel up"}},
    };
    for (const Case& c : cases) {
        const qsizetype before = probe.lines().size();
        desk->mouse_event(c.flags, 0, 0, c.data);
        waitFor([&] { return probe.linesAfter(before).size() >= c.expected.size(); });
        EXPECT_EQ(probe.linesAfter(before), c.expected) << "flags 0x" << std::hex << c.flags;
    }
}

// While a button or key is held the desktop reports it down, on the real
// desktop as on the fake.
TEST_F(X11PlatformTest, HeldKeysLikeTheFake) {
    Probe probe({"--title", "Sonde touches"});
    ASSERT_NE(showProbe(probe, "Sonde touches"), 0u);
    const QPoint at = areaPoint(probe);
    desk->SetCursorPos(at.x(), at.y());
    FakePlatform fake;
    struct Step {
        bool mouse;
        uint32_t flags;
        uint8_t vk;
        QVector<uint8_t> down;  // of the keys below, those down afterwards
    };
    const uint8_t numpad5 = VK_NUMPAD0 + 5;
    const QVector<uint8_t> watched = {VK_LBUTTON, VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, 'A', numpad5};
    const Step steps[] = {
        {true, MOUSEEVENTF_LEFTDOWN, 0, {VK_LBUTTON}},
        {false, 0, VK_SHIFT, {VK_LBUTTON, VK_SHIFT, VK_LSHIFT}},
        {true, MOUSEEVENTF_LEFTUP, 0, {VK_SHIFT, VK_LSHIFT}},
        {false, 0, 'A', {VK_SHIFT, VK_LSHIFT, 'A'}},
        {false, 0, VK_RSHIFT, {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, 'A'}},
        {false, KEYEVENTF_KEYUP, VK_SHIFT, {VK_SHIFT, VK_RSHIFT, 'A'}},
        {false, KEYEVENTF_KEYUP, VK_RSHIFT, {'A'}},
        {false, 0, numpad5, {'A', numpad5}},
        {false, KEYEVENTF_KEYUP, 'A', {numpad5}},
        {false, KEYEVENTF_KEYUP, numpad5, {}},
    };
    for (const Step& s : steps) {
        for (Platform* p : {static_cast<Platform*>(desk.get()), static_cast<Platform*>(&fake)}) {
            if (s.mouse)
                p->mouse_event(s.flags, 0, 0, 0);
            else
                p->keybd_event(s.vk, 0, s.flags);
            for (uint8_t vk : watched)
                EXPECT_EQ(p->IsKeyDown(vk), s.down.contains(vk))
                    << (p == &fake ? "fake" : "x11") << " vk 0x" << std::hex << int(vk) << " after vk 0x"
                    << int(s.vk) << " flags 0x" << s.flags;
        }
    }
}

// Whether some key gives '[' unshifted and '{' shifted.
bool keymapHasUsBracket() {
    QByteArray keymap;
    EXPECT_TRUE(run("xkbcomp", {"-xkb", qgetenv("DISPLAY"), "-"}, &keymap));
    return QString::fromUtf8(keymap).contains(QRegularExpression(R"(\[\s*bracketleft,\s*braceleft\s*\])"));
}

// The same virtual keys type the same text whatever the layout: keys the
// layout lacks (or has only behind AltGr/Shift) go through a borrowed keycode.
TEST_F(X11PlatformTest, TypesTheSameTextInEveryLayout) {
    const QVector<uint8_t> keys = {'B', '1', VK_OEM_4, VK_SPACE, VK_OEM_2, VK_OEM_PERIOD};
    const QString expected = "Ab1[ /.";
    struct BackToUs {
        ~BackToUs() { run("setxkbmap", {"us"}); }
    } backToUs;
    for (const QString layout : {"us", "fr", "ru"}) {
        SCOPED_TRACE(layout.toStdString());
        ASSERT_TRUE(run("setxkbmap", {layout}));
        desk = openX11Platform();  // a fresh one, to see it give borrowed keycodes back
        {
            const QString title = "Sonde clavier " + layout;
            Probe probe({"--title", title});
            ASSERT_NE(showProbe(probe, title), 0u);
            press(VK_SHIFT);
            press('A');
            EXPECT_TRUE(desk->IsKeyDown('A'));
            release('A');
            release(VK_SHIFT);
            for (uint8_t vk : keys) {
                press(vk);
                EXPECT_TRUE(desk->IsKeyDown(vk)) << int(vk);
                release(vk);
                EXPECT_FALSE(desk->IsKeyDown(vk)) << int(vk);
            }
            EXPECT_TRUE(probe.waitForLine("text " + expected)) << probe.lines().join('\n').toStdString();
        }
        // '[' is borrowed in the layouts that have it only behind AltGr or not at all,
        // and given back when the platform closes.
        const bool borrowed = layout != "us";
        EXPECT_EQ(keymapHasUsBracket(), true);  // the layout's own key, or the borrowed one
        desk.reset();
        EXPECT_EQ(keymapHasUsBracket(), !borrowed);
    }
}

TEST_F(X11PlatformTest, ListsAndDescribesARealWindow) {
    const QString title = "Sonde fenêtre";
    Probe probe({"--title", title});
    const HWND w = showProbe(probe, title);
    ASSERT_NE(w, 0u);
    EXPECT_TRUE(desk->EnumWindows().contains(w));
    EXPECT_EQ(desk->GetClassName(w), "OrvanelProbe");
    EXPECT_EQ(desk->GetWindowText(w), title);
    EXPECT_EQ(desk->GetWindowThreadProcessId(w), probe.pid());
    EXPECT_EQ(desk->GetParent(w), 0u);
    EXPECT_TRUE(desk->IsWindow(w));
    QRect rect;
    ASSERT_TRUE(desk->GetWindowRect(w, rect));
    EXPECT_TRUE(rect.contains(probe.geometry())) << "frame and client area";
    EXPECT_GT(rect.height(), probe.geometry().height()) << "the title bar is part of the window";
    for (HWND child : desk->EnumChildWindows(w)) {
        EXPECT_NE(desk->GetParent(child), 0u);
        EXPECT_EQ(desk->GetWindowThreadProcessId(child), probe.pid());
    }

    // Once the window is gone, questions about it are answered, not fatal.
    probe.process.kill();
    EXPECT_TRUE(waitFor([&] { return !desk->IsWindow(w); }));
    EXPECT_EQ(desk->GetClassName(w), "");
    EXPECT_EQ(desk->GetWindowText(w), "");
    EXPECT_FALSE(desk->GetWindowRect(w, rect));
    EXPECT_EQ(desk->GetWindowThreadProcessId(w), 0);
    EXPECT_FALSE(desk->SetForegroundWindow(w));
    EXPECT_TRUE(waitFor([&] { return !desk->EnumWindows().contains(w); }));
}

TEST_F(X11PlatformTest, ForegroundFollowsSetForegroundWindow) {
    Probe one({"--title", "Sonde un", "--pos", "50,50"}), two({"--title", "Sonde deux", "--pos", "600,400"});
    const HWND a = showProbe(one, "Sonde un"), b = showProbe(two, "Sonde deux");
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    for (HWND w : {a, b, a, b}) {
        EXPECT_TRUE(desk->SetForegroundWindow(w));
        EXPECT_EQ(desk->GetForegroundWindow(), w);
    }
    EXPECT_TRUE(waitFor([&] { return desk->EnumWindows().value(0) == b; })) << "the raised window is listed first";
}

TEST_F(X11PlatformTest, CaptureShowsTheColourOfAWindow) {
    const QColor colour("#20c040");
    Probe probe({"--title", "Sonde couleur", "--colour", colour.name()});
    ASSERT_NE(showProbe(probe, "Sonde couleur"), 0u);
    const QPoint at = areaPoint(probe);
    const QSize screen(desk->GetSystemMetrics(SM_CXSCREEN), desk->GetSystemMetrics(SM_CYSCREEN));

    QImage whole;
    EXPECT_TRUE(waitFor([&] {
        whole = desk->CaptureScreen(QRect(QPoint(0, 0), screen));
        return whole.pixelColor(at) == colour;
    })) << whole.pixelColor(at).name().toStdString();
    EXPECT_EQ(whole.size(), screen);

    const QImage part = desk->CaptureScreen(QRect(at - QPoint(5, 5), QSize(11, 11)));
    EXPECT_EQ(part.size(), QSize(11, 11));
    EXPECT_EQ(part.pixelColor(5, 5), colour);

    const QImage edge = desk->CaptureScreen(QRect(-10, -10, 20, 20));  // partly off screen
    EXPECT_EQ(edge.size(), QSize(20, 20));
    EXPECT_EQ(edge.pixelColor(0, 0), QColor(Qt::black));
}

TEST_F(X11PlatformTest, ClipboardHoldsText) {
    EXPECT_TRUE(desk->SetClipboardText("Presse-papiers é"));
    EXPECT_EQ(desk->GetClipboardText(), "Presse-papiers é");
}

// A picture put on the clipboard is read back by the program itself as a PNG.
TEST_F(X11PlatformTest, ClipboardHoldsAPictureTheProgramReadsBack) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(200, 20, 90));
    ASSERT_TRUE(desk->SetClipboardImage(picture));
    QImage read;
    for (const platform::ClipboardFormat& f : desk->GetClipboardData())
        if (f.mimeType == "image/png") read = QImage::fromData(f.data).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(read, picture);
}

}  // namespace
