#include "platform/x11/X11KeyMap.h"

#include <X11/keysym.h>

#include "platform/Cp1252.h"
#include "platform/DisplayKeys.h"

std::uint16_t VirtualKeyFromKeySym(unsigned long keySym)
{
    if (keySym >= XK_a && keySym <= XK_z)
        return static_cast<std::uint16_t>('A' + (keySym - XK_a));
    if (keySym >= XK_A && keySym <= XK_Z)
        return static_cast<std::uint16_t>(keySym);
    if (keySym >= XK_0 && keySym <= XK_9)
        return static_cast<std::uint16_t>(keySym);
    if (keySym >= XK_KP_0 && keySym <= XK_KP_9)
        return static_cast<std::uint16_t>(vkNumpad0 + (keySym - XK_KP_0));
    if (keySym >= XK_F1 && keySym <= XK_F24)
        return static_cast<std::uint16_t>(vkF1 + (keySym - XK_F1));
    switch (keySym) {
    case XK_BackSpace: return vkBack;
    case XK_Tab:
    case XK_ISO_Left_Tab: return vkTab;
    case XK_Return:
    case XK_KP_Enter: return vkReturn;
    case XK_Shift_L:
    case XK_Shift_R: return vkShift;
    case XK_Control_L:
    case XK_Control_R: return vkControl;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R: return vkMenu;
    case XK_Pause: return vkPause;
    case XK_Caps_Lock: return vkCapital;
    case XK_Escape: return vkEscape;
    case XK_space: return vkSpace;
    case XK_Prior:
    case XK_KP_Prior: return vkPrior;
    case XK_Next:
    case XK_KP_Next: return vkNext;
    case XK_End:
    case XK_KP_End: return vkEnd;
    case XK_Home:
    case XK_KP_Home: return vkHome;
    case XK_Left:
    case XK_KP_Left: return vkLeft;
    case XK_Up:
    case XK_KP_Up: return vkUp;
    case XK_Right:
    case XK_KP_Right: return vkRight;
    case XK_Down:
    case XK_KP_Down: return vkDown;
    case XK_Print: return vkSnapshot;
    case XK_Insert:
    case XK_KP_Insert: return vkInsert;
    case XK_Delete:
    case XK_KP_Delete: return vkDelete;
    case XK_Super_L: return vkLWin;
    case XK_Super_R: return vkRWin;
    case XK_Menu: return vkApps;
    case XK_KP_Multiply: return vkMultiply;
    case XK_KP_Add: return vkAdd;
    case XK_KP_Subtract: return vkSubtract;
    case XK_KP_Decimal: return vkDecimal;
    case XK_KP_Divide: return vkDivide;
    case XK_Num_Lock: return vkNumLock;
    case XK_Scroll_Lock: return vkScroll;
    case XK_semicolon: return vkOemSemicolon;
    case XK_equal: return vkOemPlus;
    case XK_comma: return vkOemComma;
    case XK_minus: return vkOemMinus;
    case XK_period: return vkOemPeriod;
    case XK_slash: return vkOemSlash;
    case XK_grave: return vkOemGrave;
    case XK_bracketleft: return vkOemOpenBracket;
    case XK_backslash: return vkOemBackslash;
    case XK_bracketright: return vkOemCloseBracket;
    case XK_apostrophe: return vkOemQuote;
    default: return 0;
    }
}

std::uint32_t CodePointFromKeySym(unsigned long keySym)
{
    // Latin-1 keysyms are their code points; 0x01000000 + U is Unicode U.
    if ((keySym >= 0x20 && keySym <= 0x7E) || (keySym >= 0xA0 && keySym <= 0xFF))
        return static_cast<std::uint32_t>(keySym);
    if (keySym >= 0x01000100 && keySym <= 0x0110FFFF)
        return static_cast<std::uint32_t>(keySym - 0x01000000);
    if (keySym == XK_EuroSign)
        return 0x20AC;
    return 0;
}

unsigned char Cp1252FromCodePoint(std::uint32_t codePoint)
{
    // NUL, Delete and the C1 controls type nothing.
    if (codePoint == 0 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint < 0xA0))
        return 0;
    return UnicodeToCp1252(codePoint).value_or(0);
}
