// Keyboard and mouse injection through the desktop platform. Every key the
// engine presses it also releases.
#include "engine/mdlfnct.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"

using namespace platform;

namespace mdlfnct {

namespace {
constexpr uint8_t kScanPlaceholder = 69;  // what the classic calls pass as scan code

void tap(uint8_t vk) {
    desktop().keybd_event(vk, kScanPlaceholder, 0);
    desktop().keybd_event(vk, kScanPlaceholder, KEYEVENTF_KEYUP);
}

// Presses `modifier` around tap(vk).
void tapWith(uint8_t modifier, uint8_t vk) {
    KeyEvent(modifier, true);
    tap(vk);
    KeyEvent(modifier, false);
}

// Left Shift around the key when Caps Lock does not already give the capital.
void tapShifted(uint8_t vk, bool capsLock, bool viaKeyEvent) {
    if (!capsLock) KeyEvent(VK_LSHIFT, true);
    if (viaKeyEvent) {
        KeyEvent(vk, true);
        KeyEvent(vk, false);
    } else {
        tap(vk);
    }
    if (!capsLock) KeyEvent(VK_LSHIFT, false);
}
}  // namespace

void KeyEvent(uint8_t vk, bool down) {
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
        desktop().keybd_event(vk, 0, down ? 0 : KEYEVENTF_KEYUP);
        return;
    }
    const auto scan = uint8_t(MapVirtualKeyA(vk, 0));
    desktop().keybd_event(vk, scan, KEYEVENTF_EXTENDEDKEY | (down ? 0 : KEYEVENTF_KEYUP));
}

void PressNamedKey(const KeyNameEntry& key, bool down) {
    if (!key.extended && Platform::IsCharacterKey(key.scan))
        desktop().keybd_event(0, uint8_t(key.scan), KEYEVENTF_SCANCODE | (down ? 0 : KEYEVENTF_KEYUP));
    else if (key.code)
        KeyEvent(uint8_t(key.code), down);
}

void PressWithShift(uint8_t vk) { tapShifted(vk, desktop().IsKeyToggled(VK_CAPITAL), true); }
void PressWithCtrl(uint8_t vk) { tapWith(VK_CONTROL, vk); }
void PressWithAlt(uint8_t vk) { tapWith(VK_MENU, vk); }

void PressWithCtrlAlt(uint8_t vk) {
    KeyEvent(VK_CONTROL, true);
    PressWithAlt(vk);
    KeyEvent(VK_CONTROL, false);
}

void TypeVkScan(int16_t code) {
    const bool capsLock = desktop().IsKeyToggled(VK_CAPITAL);
    const auto vk = uint8_t(code & 0xFF);
    switch ((code >> 8) & 0xFF) {
    case 0:  // Caps Lock on: Shift brings the small letter back
        if (capsLock) tapShifted(vk, false, false);
        else tap(vk);
        break;
    case 1: tapShifted(vk, capsLock, true); break;
    case 2: PressWithCtrl(vk); break;
    case 4: PressWithAlt(vk); break;
    case 6: PressWithCtrlAlt(vk); break;
    default: break;
    }
}

bool MouseMoveAbsolute(int x, int y) {
    Platform& d = desktop();
    const int w = d.GetSystemMetrics(SM_CXSCREEN), h = d.GetSystemMetrics(SM_CYSCREEN);
    if (w <= 0 || h <= 0) return false;
    d.mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, int(qint64(x) * 65535 / w), int(qint64(y) * 65535 / h), 0);
    return true;
}

}  // namespace mdlfnct
