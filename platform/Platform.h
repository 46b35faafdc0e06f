#pragma once
// The desktop as the rest of the program sees it. Calls are shaped after the
// classic desktop calls the program was designed around (same names, same
// meaning); one implementation talks to a real X server, another records the
// calls for logic tests. Nothing above platform/ includes an X11 header.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// A window handle is an X window id (0 = none).
using HWND = quint64;

struct POINT {
    int x = 0;
    int y = 0;
    bool operator==(const POINT&) const = default;
};

// mouse_event flags.
enum MouseFlags : uint32_t {
    MOUSEEVENTF_MOVE = 0x0001,
    MOUSEEVENTF_LEFTDOWN = 0x0002,
    MOUSEEVENTF_LEFTUP = 0x0004,
    MOUSEEVENTF_RIGHTDOWN = 0x0008,
    MOUSEEVENTF_RIGHTUP = 0x0010,
    MOUSEEVENTF_MIDDLEDOWN = 0x0020,
    MOUSEEVENTF_MIDDLEUP = 0x0040,
    MOUSEEVENTF_WHEEL = 0x0800,
    MOUSEEVENTF_ABSOLUTE = 0x8000,
};
constexpr int WHEEL_DELTA = 120;

// keybd_event flags. With KEYEVENTF_SCANCODE the key is the physical key of
// that scan code (set 1, extended with KEYEVENTF_EXTENDEDKEY) whatever it
// types in the active layout; the virtual key is not looked at.
enum KeyFlags : uint32_t {
    KEYEVENTF_EXTENDEDKEY = 0x0001,
    KEYEVENTF_KEYUP = 0x0002,
    KEYEVENTF_SCANCODE = 0x0008,
};

// GetSystemMetrics indexes.
enum SystemMetric : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
};

// ChangeDisplaySettings results.
enum DisplayChange : int {
    DISP_CHANGE_SUCCESSFUL = 0,
    DISP_CHANGE_RESTART = 1,
    DISP_CHANGE_FAILED = -1,
    DISP_CHANGE_BADMODE = -2,
};

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool operator==(const DisplayMode&) const = default;
};

// A message between our programs, shaped after the classic window messages
// they exchange: a number and two integers; a text travels beside it.
struct ProgramMessage {
    uint32_t message = 0;
    qint64 wParam = 0;
    qint64 lParam = 0;
    QString text;
    bool operator==(const ProgramMessage&) const = default;
};

// ShowWindow commands.
enum ShowCommand : int {
    SW_SHOWNORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
};

// SetWindowPos flags: keep the size, keep the position.
enum WindowPosFlags : uint32_t {
    SWP_NOSIZE = 0x0001,
    SWP_NOMOVE = 0x0002,
};

// Messages Platform::PostMessage carries to another program.
enum CloseMessage : unsigned {
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
};

// ExitWindowsEx actions.
enum ExitWindowsFlags : unsigned {
    EWX_LOGOFF = 0,
    EWX_SHUTDOWN = 1,
    EWX_REBOOT = 2,
};

// One format of the clipboard: its MIME type and its bytes.
struct ClipboardFormat {
    QString mimeType;
    QByteArray data;
    bool operator==(const ClipboardFormat&) const = default;
};

// How a start of a program, a document or a sound ended.
enum LaunchResult : int {
    LAUNCH_OK = 0,
    LAUNCH_NOT_FOUND = 1,   // no such file or program
    LAUNCH_DENIED = 2,      // not allowed to run or read it
    LAUNCH_NO_HANDLER = 3,  // no program opens that kind of document or address
    LAUNCH_FAILED = 4,      // it could not be started
};
// The system's text for a launch result, in French.
QString LaunchErrorText(int result);

// RegisterHotKey modifiers.
enum HotKeyModifiers : unsigned {
    MOD_ALT = 0x1,
    MOD_CONTROL = 0x2,
    MOD_SHIFT = 0x4,
    MOD_WIN = 0x8,
};

// Window message parameters: wide enough for a pointer of this process.
using WPARAM = quintptr;
using LPARAM = qintptr;

// One input event of the desktop, whichever program or device it came from.
struct DesktopEvent {
    enum Kind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp };
    enum Button { NoButton, Left, Right, Middle };
    Kind kind = MouseMove;
    POINT pos;                  // the cursor on the screen
    Button button = NoButton;   // ButtonDown, ButtonUp
    int wheel = 0;              // Wheel: WHEEL_DELTA per notch, positive away from the user
    uint8_t vk = 0;             // KeyDown, KeyUp: our virtual key (VirtualKeys.h), 0 when none
    int scanCode = 0;           // the key's scan code (set 1) and its extended flag
    bool extended = false;
    bool repeat = false;        // KeyDown of a key held down
    QString text;               // KeyDown: what the key types in the active layout with the
                                // modifiers held (Shift, AltGr, Caps Lock); empty for the others
    bool operator==(const DesktopEvent&) const = default;
};

// A keyboard layout installed on the desktop: its identifier ("fr",
// "us(intl)") and its name ("English (US, intl., with dead keys)").
struct KeyboardLayoutInfo {
    QString id;
    QString name;
    bool operator==(const KeyboardLayoutInfo&) const = default;
};

// The mouse cursor's picture and the point of it that is the mouse position.
struct CursorImage {
    QImage image;  // null when no cursor shows
    QPoint hotSpot;
};

struct WindowInfo {
    HWND handle = 0;
    QString className;  // WM_CLASS class part
    QString text;       // window title
};

// The scheduling of a process: the real-time class, or the normal class
// with a nice value from -20 (first) to 19 (last).
struct ProcessScheduling {
    bool realTime = false;
    int nice = 0;
    bool operator==(const ProcessScheduling&) const = default;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Cursor and mouse. Coordinates are screen pixels. mouse_event with
    // MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE takes dx/dy in 0..65535 units
    // of the screen, without ABSOLUTE they are relative pixels. For
    // MOUSEEVENTF_WHEEL, data is the signed wheel amount (WHEEL_DELTA per notch).
    virtual bool SetCursorPos(int x, int y) = 0;
    virtual POINT GetCursorPos() = 0;
    virtual void mouse_event(uint32_t flags, int dx, int dy, int data) = 0;

    // Keyboard, by our virtual-key codes (VirtualKeys.h).
    virtual void keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) = 0;
    // True while the key is physically (or synthetically) down.
    virtual bool IsKeyDown(uint8_t vk) = 0;

    // Windows. Top-level windows are the clients the window manager manages
    // (or the root's mapped children when none does).
    virtual QVector<HWND> EnumWindows() = 0;
    virtual QVector<HWND> EnumChildWindows(HWND parent) = 0;
    virtual QString GetClassName(HWND w) = 0;
    virtual QString GetWindowText(HWND w) = 0;
    // Screen coordinates of the window's outer rectangle, the window
    // manager's frame included.
    virtual bool GetWindowRect(HWND w, QRect& rect) = 0;
    virtual HWND GetParent(HWND w) = 0;
    virtual qint64 GetWindowThreadProcessId(HWND w) = 0;  // process id, 0 when unknown
    virtual HWND GetForegroundWindow() = 0;
    virtual bool SetForegroundWindow(HWND w) = 0;
    virtual bool IsWindow(HWND w) = 0;
    // The deepest window at that point of the screen; 0 when none.
    virtual HWND WindowFromPoint(POINT p) = 0;
    // Shown, or minimised by the window manager.
    virtual bool IsWindowVisible(HWND w) = 0;
    virtual bool IsIconic(HWND w) = 0;  // minimised
    virtual bool IsZoomed(HWND w) = 0;  // maximised
    // The window's show state: SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED.
    int GetWindowShowCmd(HWND w) {
        return IsIconic(w) ? SW_SHOWMINIMIZED : IsZoomed(w) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    }
    // Asks for the window normal, minimised or maximised (ShowCommand); a
    // window manager may take a moment to do it.
    virtual bool ShowWindow(HWND w, int command) = 0;
    // Places the window's outer rectangle, the window manager's frame
    // included, as GetWindowRect reads it: x, y its top-left corner on the
    // screen, cx, cy its size. SWP_NOMOVE and SWP_NOSIZE keep what they name.
    // Waits a moment for the window manager.
    virtual bool SetWindowPos(HWND w, int x, int y, int cx, int cy, uint32_t flags) = 0;
    virtual bool SetWindowText(HWND w, const QString& text) = 0;
    // WM_CLOSE asks the window's program to close it; WM_QUIT ends that program.
    virtual bool PostMessage(HWND w, unsigned message) = 0;
    // Top-level windows whose class (and title, when not empty) match exactly.
    HWND FindWindow(const QString& className, const QString& title = QString());

    // Messages between our programs. The top-level windows of those of them
    // that have that class, shown or not (a program may have several); the
    // first of them, 0 when none.
    virtual QVector<HWND> FindProgramWindows(const QString& className) = 0;
    HWND FindProgramWindow(const QString& className) { return FindProgramWindows(className).value(0); }
    // Sends a message to a window of another program of ours and waits until
    // that program has handled it, at most timeoutMs: false when it did not.
    virtual bool SendProgramMessage(HWND w, const ProgramMessage& message, int timeoutMs = 5000) = 0;
    // The messages sent to this program's windows go to handler from now on
    // (null: no longer anywhere). The handler runs while the events are processed.
    virtual void ReceiveProgramMessages(std::function<void(const ProgramMessage&)> handler) = 0;

    // Screen.
    virtual int GetSystemMetrics(int index) = 0;
    // The monitors' rectangles on the screen; one covering the screen when
    // the desktop tells none.
    virtual QVector<QRect> GetMonitors();
    virtual QImage CaptureScreen(const QRect& rect) = 0;

    // Clipboard text.
    virtual QString GetClipboardText() = 0;
    virtual bool SetClipboardText(const QString& text) = 0;
    // Every format the clipboard offers, each read now.
    virtual QVector<ClipboardFormat> GetClipboardData() = 0;
    // Takes the clipboard with exactly these formats (none empties it); the
    // program serves them until another client takes the clipboard.
    virtual bool SetClipboardData(const QVector<ClipboardFormat>& formats) = 0;

    // The lock state of a toggle key (Caps Lock, Num Lock, Scroll Lock).
    virtual bool IsKeyToggled(uint8_t vk) = 0;

    // Display mode of the screen. ChangeDisplaySettings answers a
    // DisplayChange; with test true it only says whether the mode would apply.
    virtual DisplayMode GetDisplayMode() = 0;
    virtual int ChangeDisplaySettings(const DisplayMode& mode, bool test) = 0;
    // The same for the refresh rate of the display mode in use, in hertz.
    // Desktops that cannot change it pass a test and fail to apply.
    virtual int ChangeDisplayFrequency(int hertz, bool test);

    // Suspend (or hibernate when suspend is false) the machine.
    virtual bool SetSystemPowerState(bool suspend, bool force) = 0;
    // Ends the session, shuts the machine down or restarts it (ExitWindowsFlags);
    // false when the system refused.
    virtual bool ExitWindowsEx(unsigned flags) = 0;

    // Gives every thread of the program's process that scheduling: 0, or
    // the errno of the refusal (a raise without the privilege).
    virtual int SetProcessScheduling(const ProcessScheduling& scheduling);
    // The scheduling of the program's main thread.
    virtual ProcessScheduling GetProcessScheduling();

    // Programs, documents and sounds (platform/Launch.cpp); no shell reads
    // any of these texts. Each answers a LaunchResult.
    // Starts a program (a path, or a name looked for in PATH) with its
    // arguments; it runs on its own.
    virtual int StartProgram(const QString& program, const QStringList& arguments);
    // Opens a document, a folder or an address with the desktop's handler.
    virtual int OpenWithDesktop(const QString& target);
    // Plays a sound file. With whilePlaying, waits until the sound ends,
    // asking it every few milliseconds whether to go on waiting.
    virtual int PlaySound(const QString& file, const std::function<bool()>& whilePlaying = {});

    // Typing and key names.
    // Types one character with the key and modifiers that give it in the
    // active keyboard layout, or with a spare keycode lent to it for the
    // moment; every key pressed is released again. "\r", "\n" and "\t" type
    // Return and Tab. False when the character cannot be typed.
    virtual bool TypeCharacter(char32_t c) = 0;
    // Types `text` as TypeCharacter does, one character after the other.
    // `before(i)`, when given, runs before the i-th character (a code point)
    // and stops the typing by answering false. A real desktop lends keycodes
    // to all the characters its layout lacks before the first of them is
    // typed. False when a character could not be typed or the typing stopped.
    virtual bool TypeText(const QString& text, const std::function<bool(qsizetype)>& before = {});
    // GetKeyNameText: a character key is named by the character it types in
    // the active layout (upper case), any other key by its name in the
    // language of the keyboard chosen with LoadKeyboardLayout. Empty when the
    // key has no name.
    virtual QString GetKeyNameText(int scanCode, bool extended);
    // A key of the main block that types a character (letters, digits,
    // punctuation), by its scan code; the keys that name an action are not.
    static bool IsCharacterKey(int scanCode);
    // MapVirtualKey: type 0 virtual key -> scan code, type 1 scan code ->
    // virtual key (letters and digits as the active layout places them); 0 when none.
    virtual unsigned MapVirtualKey(unsigned code, unsigned mapType);
    // The keyboard whose language names the keys: "fr" (French names) unless
    // an English one ("us", "gb", "en...") is chosen. A real desktop then
    // reads the character keys' names from that layout (an identifier of
    // KeyboardLayouts()); the session's keyboard stays as it is.
    virtual void LoadKeyboardLayout(const QString& layout) { keyboardLayout_ = layout; }
    QString KeyboardLayout() const { return keyboardLayout_; }
    // The keyboard layouts installed; without a desktop, French and English.
    virtual QVector<KeyboardLayoutInfo> KeyboardLayouts();

    // Push queued requests to the server.
    virtual void Flush() {}

    // Global hotkeys: a key with modifiers (HotKeyModifiers) taken from every
    // other client, whatever lock keys (Caps, Num, Scroll Lock) are on; the
    // key still does what it does (a lock key still toggles its lock). False
    // when another program holds the combination, when this one registered it
    // already, or when the keyboard has no such key. Each press calls the
    // hotkey handler with the id on the user-interface thread, at the next
    // event pumped.
    virtual bool RegisterHotKey(int id, unsigned modifiers, uint8_t vk);
    virtual bool UnregisterHotKey(int id);
    void SetHotKeyHandler(std::function<void(int id)> handler) { hotKeyHandler_ = std::move(handler); }
    // For a combination another client holds: its presses are reported
    // through the hotkey handler as well, the other client still getting
    // them. UnregisterHotKey ends it. False when the desktop cannot tell them.
    virtual bool WatchHotKey(int id, unsigned modifiers, uint8_t vk);

    // The same message as SendProgramMessage, numbers only, without waiting
    // for an answer (message, wParam, lParam as 32-bit values). False when it
    // could not be sent.
    virtual bool PostClientMessage(HWND window, unsigned message, WPARAM wParam, LPARAM lParam);

    // Global atoms: a number for a name that every program of the desktop
    // reads back (0 for an empty name or on failure), and the name of a number.
    virtual quint32 GlobalAddAtom(const QString& name);
    virtual QString GlobalGetAtomName(quint32 atom);

    // Puts a picture on the clipboard.
    virtual bool SetClipboardImage(const QImage& image);

    // The input events of the whole desktop (pointer, buttons, wheel, keys)
    // go to handler from now on, on the user-interface thread, in their
    // order; those this program injects are left out. Null stops. False when
    // the desktop cannot report them.
    virtual bool WatchDesktopEvents(std::function<void(const DesktopEvent&)> handler);
    // The desktop can report its input events.
    virtual bool CanWatchDesktopEvents() { return false; }
    // The mouse cursor as it shows now; none without a desktop.
    virtual CursorImage GetCursorImage() { return {}; }

protected:
    // Called by the implementations for a press of the hotkey of that id.
    void HotKeyPressed(int id) {
        if (hotKeyHandler_) hotKeyHandler_(id);
    }
    // The character a character key types without modifiers in a standard
    // layout of KeyboardLayout() (0 for other keys); real desktops ask their keymap.
    virtual char32_t KeyCharacter(int scanCode);

private:
    QString keyboardLayout_ = QStringLiteral("fr");
    std::function<void(int)> hotKeyHandler_;
    QStringList atoms_;  // GlobalAddAtom without a desktop to share them: atom = index + 0xC000
};

// The platform in use. The program installs the X11 one at start-up; tests
// install the fake.
Platform& desktop();
void setDesktop(std::unique_ptr<Platform> p);
// The real X11 platform on $DISPLAY, or null when no display can be opened.
std::unique_ptr<Platform> openX11Platform();

}  // namespace platform
