// The fake desktop records what it is asked to do and keeps its cursor, keys,
// windows and clipboard as a real desktop would.
#include "platform/VirtualKeys.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FakePlatform, RecordsActionsOneLineEach) {
    FakePlatform fake;
    fake.windows = {{0x51, "Cls", "Titre", QRect(0, 0, 10, 10)}};
    fake.SetCursorPos(10, 20);
    fake.mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0);
    fake.mouse_event(MOUSEEVENTF_WHEEL, 0, 0, -120);
    fake.keybd_event('A', 0, KEYEVENTF_KEYUP);
    fake.SetForegroundWindow(0x51);
    fake.SetClipboardText("abc");
    fake.GetCursorPos();  // queries are not recorded
    EXPECT_EQ(fake.calls, QStringList({"SetCursorPos 10 20", "mouse_event 0x2 0 0 0",
                                       "mouse_event 0x800 0 0 -120", "keybd_event 0x41 0 0x2",
                                       "SetForegroundWindow 0x51", "SetClipboardText abc"}));
}

TEST(FakePlatform, CursorStaysOnTheScreen) {
    FakePlatform fake;
    fake.screenSize = QSize(800, 600);
    struct Step {
        bool setPos;
        uint32_t flags;
        int x, y;
        POINT expected;
    };
    const uint32_t absMove = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    const Step steps[] = {
        {true, 0, 10, 20, {10, 20}},
        {true, 0, 900, -4, {799, 0}},
        {false, absMove, 65535, 65535, {799, 599}},
        {false, absMove, 0, 32768, {0, 300}},
        {false, MOUSEEVENTF_MOVE, 25, -10, {25, 290}},
        {false, MOUSEEVENTF_MOVE, -100, 1000, {0, 599}},
        {false, MOUSEEVENTF_LEFTDOWN, 50, 50, {0, 599}},
    };
    for (const Step& s : steps) {
        if (s.setPos)
            fake.SetCursorPos(s.x, s.y);
        else
            fake.mouse_event(s.flags, s.x, s.y, 0);
        EXPECT_EQ(fake.GetCursorPos(), s.expected) << s.x << "," << s.y;
    }
}

TEST(FakePlatform, KeysAndButtonsAreDownUntilReleased) {
    FakePlatform fake;
    fake.keybd_event(VK_SHIFT, 0, 0);
    fake.keybd_event('A', 0, 0);
    fake.mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0);
    for (uint8_t vk : {uint8_t(VK_SHIFT), uint8_t(VK_LSHIFT), uint8_t('A'), uint8_t(VK_RBUTTON)})
        EXPECT_TRUE(fake.IsKeyDown(vk)) << int(vk);
    for (uint8_t vk : {uint8_t(VK_RSHIFT), uint8_t(VK_CONTROL), uint8_t('B'), uint8_t(VK_LBUTTON)})
        EXPECT_FALSE(fake.IsKeyDown(vk)) << int(vk);
    fake.keybd_event(VK_LSHIFT, 0, KEYEVENTF_KEYUP);
    fake.keybd_event('A', 0, KEYEVENTF_KEYUP);
    fake.mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0);
    EXPECT_TRUE(fake.keysDown.isEmpty());
}

TEST(FakePlatform, WindowsAndForeground) {
    FakePlatform fake;
    fake.windows = {{0x10, "Main", "Un", QRect(0, 0, 100, 50), 0, 42},
                    {0x11, "Edit", "", QRect(5, 5, 20, 10), 0x10},
                    {0x12, "Sub", "", QRect(6, 6, 2, 2), 0x11},
                    {0x20, "Main", "Deux", QRect(10, 10, 100, 50), 0, 43}};
    EXPECT_EQ(fake.EnumWindows(), QVector<HWND>({0x10, 0x20}));
    EXPECT_EQ(fake.EnumChildWindows(0x10), QVector<HWND>({0x11, 0x12}));
    EXPECT_EQ(fake.FindWindow("Main", "Deux"), 0x20u);
    EXPECT_EQ(fake.FindWindow("Main"), 0x10u);
    EXPECT_EQ(fake.GetParent(0x12), 0x11u);
    EXPECT_EQ(fake.GetWindowThreadProcessId(0x12), 42);
    QRect r;
    EXPECT_TRUE(fake.GetWindowRect(0x20, r));
    EXPECT_EQ(r, QRect(10, 10, 100, 50));
    EXPECT_FALSE(fake.GetWindowRect(0x99, r));
    EXPECT_TRUE(fake.SetForegroundWindow(0x12));  // a child brings its top-level forward
    EXPECT_EQ(fake.GetForegroundWindow(), 0x10u);
    EXPECT_FALSE(fake.SetForegroundWindow(0x99));
    EXPECT_EQ(fake.GetForegroundWindow(), 0x10u);
}

TEST(FakePlatform, ScreenAndClipboard) {
    FakePlatform fake;
    EXPECT_EQ(fake.GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(fake.GetSystemMetrics(SM_CYSCREEN), 768);
    fake.screenColour = Qt::red;
    const QImage shot = fake.CaptureScreen(QRect(5, 5, 30, 20));
    EXPECT_EQ(shot.size(), QSize(30, 20));
    EXPECT_EQ(shot.pixelColor(29, 19), QColor(Qt::red));
    fake.SetClipboardText("été");
    EXPECT_EQ(fake.GetClipboardText(), "été");
}

TEST(VirtualKeys, MapToKeysyms) {
    const struct { uint8_t vk; unsigned long keysym; } cases[] = {
        {'A', 0x61}, {'Z', 0x7a}, {'0', 0x30}, {'9', 0x39}, {VK_F1, 0xffbe}, {VK_F24, 0xffd5},
        {VK_NUMPAD0, 0xffb0}, {VK_NUMPAD9, 0xffb9}, {VK_RETURN, 0xff0d}, {VK_SHIFT, 0xffe1},
        {VK_RMENU, 0xffea}, {VK_LEFT, 0xff51}, {VK_OEM_1, ';'}, {VK_OEM_7, '\''}, {VK_OEM_4, '['},
        {VK_OEM_3, '`'}, {VK_LBUTTON, 0}, {VK_OEM_8, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(keysymForVirtualKey(c.vk), c.keysym) << int(c.vk);
}
