#pragma once
// The desktop of a real X server: input through XTest, windows through EWMH
// and the window tree, pixels through shared memory (XGetImage without it). Xlib types stay in the .cpp
// files, one per concern: X11Platform.cpp (the connection and its events),
// X11Input.cpp (cursor, mouse, keys), X11Keymap.cpp (the keymap and lent
// keycodes), X11Typing.cpp (characters), X11Windows.cpp (windows),
// X11WindowActions.cpp (window states, places, titles, closing),
// X11Display.cpp (metrics, display modes), X11Power.cpp (power and session
// through logind), X11Screen.cpp (capture, clipboard), X11HotKeys.cpp (global
// hotkeys), X11Messages.cpp (messages between our programs, atoms),
// X11Record.cpp (the desktop's input events).
// One thread at a time; the clipboard calls go through the GUI thread, which
// must be running its event loop when they come from another thread.

#include "platform/Platform.h"
#include "platform/x11/X11Internal.h"

#include <QHash>
#include <QSet>

#include <functional>
#include <initializer_list>
#include <memory>

struct _XDisplay;
struct _XImage;
struct _XkbDesc;

namespace platform {

class X11HotKeys;
class X11Record;

class X11Platform : public Platform {
public:
    explicit X11Platform(_XDisplay* display);  // takes ownership of the connection
    ~X11Platform() override;
    X11Platform(const X11Platform&) = delete;
    X11Platform& operator=(const X11Platform&) = delete;

    bool SetCursorPos(int x, int y) override;
    POINT GetCursorPos() override;
    void mouse_event(uint32_t flags, int dx, int dy, int data) override;

    void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) override;
    bool IsKeyDown(uint8_t vk) override;
    bool IsKeyToggled(uint8_t vk) override;

    DisplayMode GetDisplayMode() override;
    int ChangeDisplaySettings(const DisplayMode& mode, bool test) override;
    int ChangeDisplayFrequency(int hertz, bool test) override;
    bool SetSystemPowerState(bool suspend, bool force) override;
    bool ExitWindowsEx(unsigned flags) override;

    QVector<HWND> EnumWindows() override;
    QVector<HWND> EnumChildWindows(HWND parent) override;
    QString GetClassName(HWND w) override;
    QString GetWindowText(HWND w) override;
    bool GetWindowRect(HWND w, QRect& rect) override;
    HWND GetParent(HWND w) override;
    qint64 GetWindowThreadProcessId(HWND w) override;
    HWND GetForegroundWindow() override;
    bool SetForegroundWindow(HWND w) override;
    bool IsWindow(HWND w) override;
    bool IsWindowVisible(HWND w) override;
    bool IsIconic(HWND w) override;
    bool IsZoomed(HWND w) override;
    bool ShowWindow(HWND w, int command) override;
    bool SetWindowPos(HWND w, int x, int y, int cx, int cy, uint32_t flags) override;
    bool SetWindowText(HWND w, const QString& text) override;
    bool PostMessage(HWND w, unsigned message) override;
    HWND WindowFromPoint(POINT p) override;

    // X11Messages.cpp
    QVector<HWND> FindProgramWindows(const QString& className) override;
    bool SendProgramMessage(HWND w, const ProgramMessage& message, int timeoutMs = 5000) override;
    void ReceiveProgramMessages(std::function<void(const ProgramMessage&)> handler) override;

    int GetSystemMetrics(int index) override;
    QVector<QRect> GetMonitors() override;  // X11Display.cpp
    QImage CaptureScreen(const QRect& rect) override;

    QString GetClipboardText() override;
    bool SetClipboardText(const QString& text) override;
    QVector<ClipboardFormat> GetClipboardData() override;
    bool SetClipboardData(const QVector<ClipboardFormat>& formats) override;

    void Flush() override;

    bool RegisterHotKey(int id, unsigned modifiers, uint8_t vk) override;  // X11HotKeys.cpp
    bool UnregisterHotKey(int id) override;
    bool WatchHotKey(int id, unsigned modifiers, uint8_t vk) override;
    // X11Messages.cpp
    bool PostClientMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam) override;
    quint32 GlobalAddAtom(const QString& name) override;
    QString GlobalGetAtomName(quint32 atom) override;
    bool SetClipboardImage(const QImage& image) override;  // X11Screen.cpp

    bool WatchDesktopEvents(std::function<void(const DesktopEvent&)> handler) override;  // X11Record.cpp
    bool CanWatchDesktopEvents() override;

    bool TypeCharacter(char32_t c) override;
    bool TypeText(const QString& text, const std::function<bool(qsizetype)>& before = {}) override;

    // X11Layouts.cpp
    void LoadKeyboardLayout(const QString& layout) override;
    QVector<KeyboardLayoutInfo> KeyboardLayouts() override;
    QString GetKeyNameText(int scanCode, bool extended) override;
    CursorImage GetCursorImage() override;

protected:
    char32_t KeyCharacter(int scanCode) override;

private:
    using XID = unsigned long;

    // A keycode that had no symbols and that we lent to a keysym.
    struct LentKey {
        XID keysym = 0;
        bool down = false;
        quint64 lastUse = 0;
    };

    void drainEvents();
    // Injection through XTest (X11Input.cpp), noted in injected_.
    void fakeMotion(int x, int y);
    void fakeButton(unsigned button, bool down);
    void fakeKey(unsigned char keycode, bool down);
    // Keymap and lent keycodes (X11Keymap.cpp).
    _XkbDesc* keymap();
    void forgetKeymap();
    int activeGroup();
    unsigned char findKeycode(XID keysym, int group, bool anyLevel);
    void checkLentKeys();
    int lendableKeycodes();
    QVector<unsigned char> lendKeycodes(const QVector<XID>& keysyms, const QSet<unsigned char>& keep);
    unsigned char lendKeycode(XID keysym);
    void restoreLentKeys();
    void changeKeymap(_XkbDesc* xkb, int first, int last);
    void waitForQuietKeymap();
    void noteKeyEvent(unsigned char keycode, bool down);
    // Typing (X11Typing.cpp): the keycode and modifier mask that give a keysym.
    struct Stroke {
        unsigned char keycode = 0;
        unsigned mods = 0;
    };
    struct KeyState {
        unsigned locked = 0;  // locked modifiers
        int group = 0;        // effective group
    };
    KeyState keyState();
    bool findStroke(XID keysym, char32_t c, const KeyState& state, Stroke& stroke);
    bool strokeFor(char32_t c, const KeyState& state, Stroke& stroke);
    unsigned char modifierKeycode(int modIndex);
    qsizetype lendAhead(const QList<uint>& text, qsizetype from);
    bool typeOne(char32_t c);
    QSize screenSize();
    // Capture (X11Screen.cpp): one shared-memory segment, kept for the next
    // captures; null when the server cannot share memory with us.
    struct SharedSegment;
    struct SharedSegmentFree {
        void operator()(SharedSegment* s) const;
    };
    _XImage* sharedCapture(const QRect& part);
    std::unique_ptr<SharedSegment, SharedSegmentFree> shared_;
    bool sharingFailed_ = false;
    unsigned buttonMask();
    void settle(const std::function<bool()>& done);
    XID parentOf(XID w);
    XID topLevelOf(XID w);
    XID focusedTopLevel();
    bool isClient(XID w);
    bool longProperty(XID w, XID property, XID type, QVector<XID>& out);
    bool byteProperty(XID w, XID property, XID type, QByteArray& out);
    void addDescendants(XID w, QVector<HWND>& out);
    // Messages between our programs (X11Messages.cpp).
    class MessageFilter;
    void findProgramWindows(XID under, const QString& className, QVector<HWND>& found);
    XID messageWindow();
    void handleProgramMessage(HWND to, const uint32_t data[5]);
    void watchProgramMessages(bool on);
    // Window actions (X11WindowActions.cpp).
    bool netSupports(XID atom);
    bool sendClientMessage(XID to, long mask, XID window, XID type, std::initializer_list<long> data);
    // A request to the window manager about `window`.
    void sendToRoot(XID window, XID type, std::initializer_list<long> data);
    void changeNetState(XID client, bool add, XID state1, XID state2);
    bool hasNetState(XID client, XID state);
    long wmStateOf(XID client);
    QRect ownRect(XID w);
    // The window manager's frame around a client (_NET_FRAME_EXTENTS); none
    // for other windows.
    QMargins frameOf(XID w);
    QRect outerRect(XID w);

    _XDisplay* dpy_;
    XID root_ = 0;
    int screen_ = 0;
    int xkbEventBase_ = -1;
    _XkbDesc* keymap_ = nullptr;
    _XkbDesc* namesKeymap_ = nullptr;  // the layout chosen to name the keys, never installed
    QHash<unsigned char, LentKey> lent_;
    quint64 useCounter_ = 0;
    // Clients read a changed keymap when they handle the change notice, or
    // even at the next key event, and translate key events with what they
    // read then. Until this time (ms on the steady clock) one of them may
    // still do so: the keymap must not change again before it.
    qint64 keymapBusyUntil_ = 0;
    bool changedSinceKeyEvent_ = false;
    QHash<uint8_t, unsigned char> pressed_;  // vk -> keycode we pressed for it
    QSet<unsigned char> scanPressed_;       // keycodes pressed by their scan code
    int wheelRemainder_ = 0;
    QString clipboard_;  // when there is no QGuiApplication
    // Messages between our programs: the unmapped window that sends them and
    // holds their texts, and what receives them.
    XID messageWindow_ = 0;
    uint32_t messageSerial_ = 0;
    std::function<void(const ProgramMessage&)> messageHandler_;
    std::unique_ptr<X11HotKeys> hotKeys_;
    InjectedEvents injected_;
    std::unique_ptr<X11Record> record_;

    struct Atoms {
        XID clientList, clientListStacking, activeWindow, supported, wmName, utf8String, wmPid,
            frameExtents, wmState, netWmState, maximizedVert, maximizedHorz, hidden, moveResize, wmProtocols,
            deleteWindow, programMessage, programMessageDone, programMessageText;
    } atoms_{};
};

}  // namespace platform
