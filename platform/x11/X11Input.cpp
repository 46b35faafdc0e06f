// Cursor, mouse buttons and wheel, keys pressed and released through XTest.
#include "platform/x11/X11Internal.h"
#include "platform/x11/X11Platform.h"

#include "platform/VirtualKeys.h"

#include <algorithm>
#include <cmath>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace platform {

namespace {

// The keysyms a virtual key may be typed with, preferred first.
QVector<KeySym> keysymsFor(uint8_t vk) {
    switch (vk) {
    case VK_SHIFT: return {XK_Shift_L, XK_Shift_R};
    case VK_CONTROL: return {XK_Control_L, XK_Control_R};
    case VK_MENU: return {XK_Alt_L, XK_Alt_R};
    case VK_RMENU: return {XK_Alt_R, XK_ISO_Level3_Shift};  // AltGr
    default:
        if (KeySym ks = keysymForVirtualKey(vk)) return {ks};
        return {};
    }
}

}  // namespace

// ---- Injection: every event we inject is noted for the event watcher --------
// The server makes no event of a move to where the pointer is, nor of the
// release of a button or key that is up: those are not noted.

void X11Platform::fakeMotion(int x, int y) {
    if (injected_.watched && !(GetCursorPos() == POINT{x, y}))
        injected_.add(MotionNotify, unsigned(x) << 16 | unsigned(y));
    XTestFakeMotionEvent(dpy_, screen_, x, y, CurrentTime);
}

void X11Platform::fakeButton(unsigned button, bool down) {
    injected_.addPress(ButtonPress, button, down, [&] { return bool(buttonMask() & (Button1Mask << (button - 1))); });
    XTestFakeButtonEvent(dpy_, button, down, CurrentTime);
}

void X11Platform::fakeKey(unsigned char keycode, bool down) {
    injected_.addPress(KeyPress, keycode, down, [&] {
        char keys[32];
        XQueryKeymap(dpy_, keys);
        return bool((keys[keycode / 8] >> (keycode % 8)) & 1);
    });
    XTestFakeKeyEvent(dpy_, keycode, down, CurrentTime);
}

// ---- Mouse ----------------------------------------------------------------

bool X11Platform::SetCursorPos(int x, int y) {
    const QSize s = screenSize();
    fakeMotion(std::clamp(x, 0, s.width() - 1), std::clamp(y, 0, s.height() - 1));
    Flush();
    return true;
}

POINT X11Platform::GetCursorPos() {
    Window r, child;
    int rx = 0, ry = 0, wx, wy;
    unsigned mask;
    XQueryPointer(dpy_, root_, &r, &child, &rx, &ry, &wx, &wy, &mask);
    return {rx, ry};
}

void X11Platform::mouse_event(uint32_t flags, int dx, int dy, int data) {
    if (flags & MOUSEEVENTF_MOVE) {
        const QSize s = screenSize();
        int x, y;
        if (flags & MOUSEEVENTF_ABSOLUTE) {  // 0..65535 spans the first..last pixel
            x = int(std::lround(dx * (s.width() - 1) / 65535.0));
            y = int(std::lround(dy * (s.height() - 1) / 65535.0));
        } else {
            const POINT p = GetCursorPos();
            x = p.x + dx;
            y = p.y + dy;
        }
        fakeMotion(std::clamp(x, 0, s.width() - 1), std::clamp(y, 0, s.height() - 1));
    }
    const struct { uint32_t flag; unsigned button; bool down; } buttons[] = {
        {MOUSEEVENTF_LEFTDOWN, Button1, true},   {MOUSEEVENTF_LEFTUP, Button1, false},
        {MOUSEEVENTF_RIGHTDOWN, Button3, true},  {MOUSEEVENTF_RIGHTUP, Button3, false},
        {MOUSEEVENTF_MIDDLEDOWN, Button2, true}, {MOUSEEVENTF_MIDDLEUP, Button2, false},
    };
    unsigned wantDown = 0, wantUp = 0;  // button masks
    for (const auto& b : buttons) {
        if (!(flags & b.flag)) continue;
        fakeButton(b.button, b.down);
        const unsigned mask = Button1Mask << (b.button - 1);
        (b.down ? wantDown : wantUp) |= mask;
        (b.down ? wantUp : wantDown) &= ~mask;
    }
    if (flags & MOUSEEVENTF_WHEEL) {  // one click of button 4 (up) or 5 (down) per notch
        wheelRemainder_ += data;
        while (std::abs(wheelRemainder_) >= WHEEL_DELTA) {
            const bool up = wheelRemainder_ > 0;
            fakeButton(up ? Button4 : Button5, true);
            fakeButton(up ? Button4 : Button5, false);
            wheelRemainder_ += up ? -WHEEL_DELTA : WHEEL_DELTA;
        }
    }
    Flush();
    if (wantDown | wantUp)
        settle([&] {
            const unsigned mask = buttonMask();
            return (mask & wantDown) == wantDown && !(mask & wantUp);
        });
}

unsigned X11Platform::buttonMask() {
    Window r, child;
    int rx, ry, wx, wy;
    unsigned mask = 0;
    XQueryPointer(dpy_, root_, &r, &child, &rx, &ry, &wx, &wy, &mask);
    return mask;
}

// A client holding a synchronous grab (the window manager, for click-to-focus)
// freezes input until it lets go, so the server may apply an injected event a
// little later. Waits for that, briefly, so that what follows sees the new state.
void X11Platform::settle(const std::function<bool()>& done) {
    for (int waited = 0; waited < 250 && !done(); waited += 5) pause(5);
}

// ---- Keyboard -------------------------------------------------------------

namespace {
// Extended keys by their scan code, and the keycodes the server (evdev) gives them.
const QHash<uint8_t, unsigned char> kExtendedKeycodes = {
    {0x1C, 104}, {0x1D, 105}, {0x35, 106}, {0x38, 108}, {0x47, 110}, {0x48, 111}, {0x49, 112}, {0x4B, 113},
    {0x4D, 114}, {0x4F, 115}, {0x50, 116}, {0x51, 117}, {0x52, 118}, {0x53, 119}, {0x5B, 133}, {0x5C, 134},
    {0x5D, 135},
};
constexpr uint8_t kLastPlainScan = 0x58;  // F12

// The keycode of a physical key as the server's keycodes (evdev) number it:
// the scan code plus 8, extended keys by their own numbers.
unsigned char keycodeOfScan(uint8_t scan, bool extended) {
    if (!extended) return scan ? (unsigned char)(scan + 8) : 0;
    return kExtendedKeycodes.value(scan, 0);
}
}  // namespace

bool scanOfKeycode(unsigned char keycode, uint8_t& scan, bool& extended) {
    extended = true;
    for (auto it = kExtendedKeycodes.cbegin(); it != kExtendedKeycodes.cend(); ++it)
        if (it.value() == keycode) return scan = it.key(), true;
    extended = false;
    if (keycode <= 8 || keycode - 8 > kLastPlainScan) return false;
    scan = uint8_t(keycode - 8);
    return true;
}

void X11Platform::keybd_event(uint8_t vk, uint8_t scan, uint32_t flags) {
    const bool up = flags & KEYEVENTF_KEYUP;
    unsigned char kc = 0;
    if (flags & KEYEVENTF_SCANCODE) {
        kc = keycodeOfScan(scan, flags & KEYEVENTF_EXTENDEDKEY);
        if (!kc) return;
        if (up) scanPressed_.remove(kc);
        else scanPressed_.insert(kc);
    } else if (pressed_.contains(vk)) {  // released (or repeated) on the keycode it went down on
        kc = up ? pressed_.take(vk) : pressed_.value(vk);
    } else {
        const QVector<KeySym> syms = keysymsFor(vk);
        if (syms.isEmpty()) return;
        const int group = activeGroup();
        for (KeySym ks : syms)
            if (!kc) kc = findKeycode(ks, group, false);
        for (KeySym ks : syms)
            if (!kc && IsModifierKey(ks)) kc = findKeycode(ks, group, true);
        if (!kc && !up) kc = lendKeycode(syms.first());
        if (!kc) return;
        if (!up) pressed_.insert(vk, kc);
    }
    fakeKey(kc, !up);
    noteKeyEvent(kc, !up);
    Flush();
    settle([&] {
        char keys[32];
        XQueryKeymap(dpy_, keys);
        return bool((keys[kc / 8] >> (kc % 8)) & 1) != up;
    });
}

bool X11Platform::IsKeyDown(uint8_t vk) {
    if (vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON)
        return buttonMask() & (vk == VK_LBUTTON ? Button1Mask : vk == VK_RBUTTON ? Button3Mask : Button2Mask);
    const QVector<KeySym> syms = keysymsFor(vk);
    if (syms.isEmpty()) return false;
    char keys[32];
    XQueryKeymap(dpy_, keys);
    auto down = [&](int kc) { return (keys[kc / 8] >> (kc % 8)) & 1; };
    if (pressed_.contains(vk) && down(pressed_.value(vk))) return true;
    XkbDescPtr xkb = keymap();
    if (!xkb) {
        for (KeySym ks : syms)
            if (int kc = XKeysymToKeycode(dpy_, ks); kc && down(kc)) return true;
        return false;
    }
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
        if (!down(kc)) continue;
        for (int g = 0; g < XkbKeyNumGroups(xkb, kc); ++g)
            if (syms.contains(XkbKeySymEntry(xkb, kc, 0, g))) return true;
    }
    return false;
}

bool X11Platform::IsKeyToggled(uint8_t vk) {
    const KeySym ks = vk == VK_CAPITAL ? XK_Caps_Lock : vk == VK_NUMLOCK ? XK_Num_Lock
                    : vk == VK_SCROLL  ? XK_Scroll_Lock : NoSymbol;
    XkbStateRec state;
    if (ks == NoSymbol || XkbGetState(dpy_, XkbUseCoreKbd, &state) != Success) return false;
    const unsigned mask = ks == XK_Caps_Lock ? LockMask : XkbKeysymToModifiers(dpy_, ks);
    return mask && (state.locked_mods & mask);
}

}  // namespace platform
