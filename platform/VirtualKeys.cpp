#include "platform/VirtualKeys.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace platform {

unsigned long keysymForVirtualKey(uint8_t vk) {
    if (vk >= '0' && vk <= '9') return XK_0 + (vk - '0');
    if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return XK_KP_0 + (vk - VK_NUMPAD0);
    if (vk >= VK_F1 && vk <= VK_F24) return XK_F1 + (vk - VK_F1);

    switch (vk) {
    case VK_CANCEL: return XK_Break;
    case VK_BACK: return XK_BackSpace;
    case VK_TAB: return XK_Tab;
    case VK_CLEAR: return XK_Clear;
    case VK_RETURN: return XK_Return;
    case VK_SHIFT: return XK_Shift_L;
    case VK_CONTROL: return XK_Control_L;
    case VK_MENU: return XK_Alt_L;
    case VK_PAUSE: return XK_Pause;
    case VK_CAPITAL: return XK_Caps_Lock;
    case VK_ESCAPE: return XK_Escape;
    case VK_SPACE: return XK_space;
    case VK_PRIOR: return XK_Prior;
    case VK_NEXT: return XK_Next;
    case VK_END: return XK_End;
    case VK_HOME: return XK_Home;
    case VK_LEFT: return XK_Left;
    case VK_UP: return XK_Up;
    case VK_RIGHT: return XK_Right;
    case VK_DOWN: return XK_Down;
    case VK_SELECT: return XK_Select;
    case VK_PRINT: return XK_Print;
    case VK_EXECUTE: return XK_Execute;
    case VK_SNAPSHOT: return XK_Print;
    case VK_INSERT: return XK_Insert;
    case VK_DELETE: return XK_Delete;
    case VK_HELP: return XK_Help;
    case VK_LWIN: return XK_Super_L;
    case VK_RWIN: return XK_Super_R;
    case VK_APPS: return XK_Menu;
    case 0x5F: return XF86XK_Sleep;
    case VK_MULTIPLY: return XK_KP_Multiply;
    case VK_ADD: return XK_KP_Add;
    case VK_SEPARATOR: return XK_KP_Separator;
    case VK_SUBTRACT: return XK_KP_Subtract;
    case VK_DECIMAL: return XK_KP_Decimal;
    case VK_DIVIDE: return XK_KP_Divide;
    case VK_NUMLOCK: return XK_Num_Lock;
    case VK_SCROLL: return XK_Scroll_Lock;
    case VK_LSHIFT: return XK_Shift_L;
    case VK_RSHIFT: return XK_Shift_R;
    case VK_LCONTROL: return XK_Control_L;
    case VK_RCONTROL: return XK_Control_R;
    case VK_LMENU: return XK_Alt_L;
    case VK_RMENU: return XK_Alt_R;
    // Browser, volume, media and launcher keys (0xA6..0xB7).
    case 0xA6: return XF86XK_Back;
    case 0xA7: return XF86XK_Forward;
    case 0xA8: return XF86XK_Refresh;
    case 0xA9: return XF86XK_Stop;
    case 0xAA: return XF86XK_Search;
    case 0xAB: return XF86XK_Favorites;
    case 0xAC: return XF86XK_HomePage;
    case 0xAD: return XF86XK_AudioMute;
    case 0xAE: return XF86XK_AudioLowerVolume;
    case 0xAF: return XF86XK_AudioRaiseVolume;
    case 0xB0: return XF86XK_AudioNext;
    case 0xB1: return XF86XK_AudioPrev;
    case 0xB2: return XF86XK_AudioStop;
    case 0xB3: return XF86XK_AudioPlay;
    case 0xB4: return XF86XK_Mail;
    case 0xB5: return XF86XK_AudioMedia;
    case 0xB6: return XF86XK_MyComputer;
    case 0xB7: return XF86XK_Calculator;
    // Punctuation keys, with the meaning they have on a US keyboard.
    case VK_OEM_1: return XK_semicolon;
    case VK_OEM_PLUS: return XK_equal;
    case VK_OEM_COMMA: return XK_comma;
    case VK_OEM_MINUS: return XK_minus;
    case VK_OEM_PERIOD: return XK_period;
    case VK_OEM_2: return XK_slash;
    case VK_OEM_3: return XK_grave;
    case VK_OEM_4: return XK_bracketleft;
    case VK_OEM_5: return XK_backslash;
    case VK_OEM_6: return XK_bracketright;
    case VK_OEM_7: return XK_apostrophe;
    case VK_OEM_102: return XK_less;
    default: return 0;  // mouse buttons, VK_OEM_8 and unassigned codes
    }
}

}  // namespace platform
