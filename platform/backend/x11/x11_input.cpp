#include "platform/backend/x11/x11_input.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace pellamo {

unsigned X11Modifiers(unsigned state)
{
    unsigned m = 0;
    if (state & ShiftMask)
        m |= kModShift;
    if (state & ControlMask)
        m |= kModControl;
    if (state & Mod1Mask)
        m |= kModAlt;
    if (state & Button1Mask)
        m |= kModLeftButton;
    if (state & Button2Mask)
        m |= kModMiddleButton;
    if (state & Button3Mask)
        m |= kModRightButton;
    return m;
}

unsigned X11VirtualKey(KeySym sym)
{
    if (sym >= XK_a && sym <= XK_z)
        return static_cast<unsigned>('A' + (sym - XK_a));
    if (sym >= XK_A && sym <= XK_Z)
        return static_cast<unsigned>('A' + (sym - XK_A));
    if (sym >= XK_0 && sym <= XK_9)
        return static_cast<unsigned>('0' + (sym - XK_0));
    if (sym >= XK_F1 && sym <= XK_F12)
        return static_cast<unsigned>(0x70 + (sym - XK_F1));
    if (sym >= XK_KP_0 && sym <= XK_KP_9)
        return static_cast<unsigned>(0x60 + (sym - XK_KP_0));
    switch (sym) {
    case XK_BackSpace:
        return 0x08;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return 0x09;
    case XK_Return:
    case XK_KP_Enter:
        return 0x0D;
    case XK_Shift_L:
    case XK_Shift_R:
        return 0x10;
    case XK_Control_L:
    case XK_Control_R:
        return 0x11;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return 0x12;
    case XK_Pause:
        return 0x13;
    case XK_Caps_Lock:
        return 0x14;
    case XK_Escape:
        return 0x1B;
    case XK_space:
        return 0x20;
    case XK_Page_Up:
    case XK_KP_Page_Up:
        return 0x21;
    case XK_Page_Down:
    case XK_KP_Page_Down:
        return 0x22;
    case XK_End:
    case XK_KP_End:
        return 0x23;
    case XK_Home:
    case XK_KP_Home:
        return 0x24;
    case XK_Left:
    case XK_KP_Left:
        return 0x25;
    case XK_Up:
    case XK_KP_Up:
        return 0x26;
    case XK_Right:
    case XK_KP_Right:
        return 0x27;
    case XK_Down:
    case XK_KP_Down:
        return 0x28;
    case XK_Insert:
    case XK_KP_Insert:
        return 0x2D;
    case XK_Delete:
    case XK_KP_Delete:
        return 0x2E;
    case XK_Menu:
        return 0x5D;
    }
    return 0;
}

std::optional<X11Button> X11ButtonOf(unsigned x_button)
{
    switch (x_button) {
    case 1:
        return X11Button { MouseButton::Left, kModLeftButton };
    case 2:
        return X11Button { MouseButton::Middle, kModMiddleButton };
    case 3:
        return X11Button { MouseButton::Right, kModRightButton };
    }
    return std::nullopt;
}

int X11WheelDelta(unsigned x_button) { return x_button == 4 ? 120 : x_button == 5 ? -120 : 0; }

}
