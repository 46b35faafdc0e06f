#pragma once
// An in-memory desktop for logic tests. Every action (SetCursorPos,
// mouse_event, keybd_event, SetForegroundWindow, SetClipboardText,
// SendProgramMessage) is appended
// to `calls` as one line, e.g. "SetCursorPos 10 20", "mouse_event 0x2 0 0 0",
// "keybd_event 0x41 0 0x2"; queries are not recorded. Display-mode changes,
// power and session requests are recorded too and touch nothing real. The
// cursor, the keys that are down, the foreground window, the windows' places,
// states and titles, and the clipboard change as they would on a real desktop.
// Programs, documents and sounds are only recorded
// ("StartProgram /bin/prog|arg 1|arg2", "OpenWithDesktop target",
// "PlaySound file wait") and answer launchResult.

#include "platform/Platform.h"

#include <QColor>
#include <QMap>
#include <QSet>
#include <QSize>
#include <QStringList>

namespace platform {

struct FakeWindow {
    HWND handle = 0;
    QString className;
    QString text;
    QRect rect;
    HWND parent = 0;  // 0 = top-level
    qint64 pid = 0;
    bool visible = true;
    int show = SW_SHOWNORMAL;  // ShowCommand
    QRect normalRect;          // once maximised: the rect "shown normal" gives back
};

class FakePlatform : public Platform {
public:
    FakePlatform() = default;

    QStringList calls;
    QSize screenSize{1024, 768};
    QVector<QRect> monitors;         // none: one covering the screen
    QColor screenColour{Qt::black};  // what CaptureScreen returns
    QImage screenPicture;            // when set, what CaptureScreen returns instead (outside it: black)
    QVector<FakeWindow> windows;     // top-level ones in z-order, topmost first
    HWND foreground = 0;
    QString clipboard;
    POINT cursor;
    QSet<uint8_t> keysDown;  // generic VK_SHIFT/CONTROL/MENU are kept as the left key
    QSet<uint8_t> keysToggled;  // Caps Lock and friends that are on
    DisplayMode displayMode{1024, 768, 32};
    QVector<DisplayMode> displayModes{{800, 600, 32}, {1024, 768, 32}, {1280, 1024, 32}};

    bool SetCursorPos(int x, int y) override;
    POINT GetCursorPos() override { return cursor; }
    void mouse_event(uint32_t flags, int dx, int dy, int data) override;

    void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) override;
    bool IsKeyDown(uint8_t vk) override;
    // Recorded as "TypeCharacter é"; the character is appended to `typed`.
    bool TypeCharacter(char32_t c) override {
        const QString text = QString::fromUcs4(&c, 1);
        calls << QStringLiteral("TypeCharacter ") + text;
        typed += text;
        return true;
    }
    QString typed;
    bool IsKeyToggled(uint8_t vk) override { return keysToggled.contains(vk); }
    // Nice values asked are kept in nices, real-time requests counted;
    // answers niceError, and keeps what it accepted in scheduling.
    int SetProcessScheduling(const ProcessScheduling& s) override {
        if (s.realTime) ++realTimeRequests;
        else nices << s.nice;
        if (niceError == 0) scheduling = s;
        return niceError;
    }
    ProcessScheduling GetProcessScheduling() override { return scheduling; }
    QVector<int> nices;
    int realTimeRequests = 0;
    int niceError = 0;
    ProcessScheduling scheduling;
    // Recorded as "ChangeDisplayFrequency 60 test"; answers frequencyResult.
    int ChangeDisplayFrequency(int hertz, bool test) override {
        calls << QStringLiteral("ChangeDisplayFrequency %1%2").arg(hertz).arg(test ? QStringLiteral(" test") : QString());
        return frequencyResult;
    }
    int frequencyResult = 0;

    // "ChangeDisplaySettings 800x600x16 test" is recorded; the screen size follows.
    DisplayMode GetDisplayMode() override { return displayMode; }
    int ChangeDisplaySettings(const DisplayMode& mode, bool test) override;
    // Recorded as "SetSystemPowerState suspend force"; nothing happens.
    bool SetSystemPowerState(bool suspend, bool force) override;
    // Recorded as "ExitWindowsEx 1"; nothing happens; answers exitResult.
    bool ExitWindowsEx(unsigned flags) override;
    bool exitResult = true;

    QVector<HWND> EnumWindows() override;
    QVector<HWND> EnumChildWindows(HWND parent) override;
    QString GetClassName(HWND w) override;
    QString GetWindowText(HWND w) override;
    bool GetWindowRect(HWND w, QRect& rect) override;
    HWND GetParent(HWND w) override;
    qint64 GetWindowThreadProcessId(HWND w) override;
    HWND GetForegroundWindow() override { return foreground; }
    bool SetForegroundWindow(HWND w) override;
    bool IsWindow(HWND w) override { return find(w) != nullptr; }
    bool IsWindowVisible(HWND w) override;
    // The topmost visible window whose rectangle holds p, then its deepest such child.
    HWND WindowFromPoint(POINT p) override;

    // Top-level windows of that class, shown or not.
    QVector<HWND> FindProgramWindows(const QString& className) override;
    // Recorded as "SendProgramMessage 0x2a 9025 0 0 text"; true when the window exists.
    bool SendProgramMessage(HWND w, const ProgramMessage& message, int timeoutMs = 5000) override;
    void ReceiveProgramMessages(std::function<void(const ProgramMessage&)> handler) override {
        programMessageHandler = std::move(handler);
    }
    std::function<void(const ProgramMessage&)> programMessageHandler;
    bool IsIconic(HWND w) override;
    bool IsZoomed(HWND w) override;
    // Recorded as "ShowWindow 0x2a 2", "SetWindowPos 0x2a 10 20 300 200 0x1",
    // "SetWindowText 0x2a title", "PostMessage 0x2a 0x10". The window takes the
    // state, place and title asked for (SetWindowPos sets the whole rect, a
    // maximised window covers the screen); a posted WM_CLOSE or WM_QUIT
    // removes it.
    bool ShowWindow(HWND w, int command) override;
    bool SetWindowPos(HWND w, int x, int y, int cx, int cy, uint32_t flags) override;
    bool SetWindowText(HWND w, const QString& text) override;
    bool PostMessage(HWND w, unsigned message) override;

    int StartProgram(const QString& program, const QStringList& arguments) override;
    // Plays the program starting (when set and launchResult is LAUNCH_OK).
    std::function<void(const QString& program)> onStartProgram;
    int OpenWithDesktop(const QString& target) override;
    int PlaySound(const QString& file, const std::function<bool()>& whilePlaying = {}) override;
    int launchResult = LAUNCH_OK;

    int GetSystemMetrics(int index) override;
    QVector<QRect> GetMonitors() override;
    QImage CaptureScreen(const QRect& rect) override;

    QString GetClipboardText() override { return clipboard; }
    bool SetClipboardText(const QString& text) override;
    // The text is "text/plain;charset=utf-8" beside clipboardFormats, the
    // other formats. SetClipboardData is recorded with its MIME types, as
    // "SetClipboardData text/plain;charset=utf-8 image/png".
    QVector<ClipboardFormat> GetClipboardData() override;
    bool SetClipboardData(const QVector<ClipboardFormat>& formats) override;
    QVector<ClipboardFormat> clipboardFormats;

    // Recorded as "SetClipboardImage 1024x768"; kept in clipboardImage, and
    // offered as "image/png" like a real clipboard.
    bool SetClipboardImage(const QImage& image) override;
    QImage clipboardImage;

    // Hotkeys: recorded in hotKeyCalls (not in calls: the settings register
    // some at every load) as "RegisterHotKey 0x1 0x71" and "UnregisterHotKey
    // 0x1 0x71" (modifiers, key), kept by id. A combination in heldElsewhere
    // is another program's: registering it fails.
    QStringList hotKeyCalls;
    struct HotKey {
        unsigned modifiers = 0;
        uint8_t vk = 0;
        bool operator==(const HotKey&) const = default;
    };
    QMap<int, HotKey> hotKeys;
    QVector<HotKey> heldElsewhere;
    bool RegisterHotKey(int id, unsigned modifiers, uint8_t vk) override;
    bool UnregisterHotKey(int id) override;
    // Recorded as "WatchHotKey 0x0 0x2c"; pressed like a registered one, also
    // when heldElsewhere.
    bool WatchHotKey(int id, unsigned modifiers, uint8_t vk) override;
    // The user presses that combination: the handler gets the id registered
    // for it, at once. False when none is.
    bool PressHotKey(unsigned modifiers, uint8_t vk);

    // A black square of 8 by 8 pixels with its hot spot at (1, 1); none when cursorHidden.
    CursorImage GetCursorImage() override {
        if (cursorHidden) return {};
        QImage picture(8, 8, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::black);
        return {picture, QPoint(1, 1)};
    }
    bool cursorHidden = false;

    // Recorded as "PostClientMessage 0x2a 2259 0 0".
    bool PostClientMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) override;

    // Desktop events: the handler is kept; EmitDesktopEvent hands it one at
    // once (nothing when none watches). canWatchEvents answers both the
    // question and the watch.
    bool WatchDesktopEvents(std::function<void(const DesktopEvent&)> handler) override {
        desktopEventHandler = canWatchEvents ? std::move(handler) : nullptr;
        return canWatchEvents;
    }
    bool CanWatchDesktopEvents() override { return canWatchEvents; }
    void EmitDesktopEvent(const DesktopEvent& e) {
        if (desktopEventHandler) desktopEventHandler(e);
    }
    std::function<void(const DesktopEvent&)> desktopEventHandler;
    bool canWatchEvents = true;

private:
    const FakeWindow* find(HWND w) const;
    FakeWindow* find(HWND w);
    void moveTo(int x, int y);
};

}  // namespace platform
