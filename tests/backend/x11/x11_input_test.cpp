// GoogleTest first: Xlib's None and Bool macros would break its headers.
#include <gtest/gtest.h>

#include "platform/backend/x11/x11_input.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace pellamo {
namespace {

TEST(X11Input, KeySymbolsBecomeVirtualKeys)
{
    struct Case {
        KeySym sym;
        unsigned vk;
    } const cases[] = {
        { XK_a, 'A' },
        { XK_z, 'Z' },
        { XK_Q, 'Q' },
        { XK_0, '0' },
        { XK_9, '9' },
        { XK_F1, 0x70 },
        { XK_F10, 0x79 },
        { XK_F12, 0x7B },
        { XK_KP_0, 0x60 },
        { XK_KP_9, 0x69 },
        { XK_BackSpace, 0x08 },
        { XK_Tab, 0x09 },
        { XK_ISO_Left_Tab, 0x09 }, // Shift+Tab
        { XK_Return, 0x0D },
        { XK_KP_Enter, 0x0D },
        { XK_Shift_R, 0x10 },
        { XK_Control_L, 0x11 },
        { XK_Alt_R, 0x12 },
        { XK_Meta_L, 0x12 },
        { XK_Pause, 0x13 },
        { XK_Caps_Lock, 0x14 },
        { XK_Escape, 0x1B },
        { XK_space, 0x20 },
        { XK_Page_Up, 0x21 },
        { XK_KP_Page_Down, 0x22 },
        { XK_KP_End, 0x23 },
        { XK_Home, 0x24 },
        { XK_KP_Left, 0x25 },
        { XK_Up, 0x26 },
        { XK_Right, 0x27 },
        { XK_KP_Down, 0x28 },
        { XK_Insert, 0x2D },
        { XK_KP_Delete, 0x2E },
        { XK_Menu, 0x5D },
        // Keys the program has no use for.
        { XK_F13, 0 },
        { XK_eacute, 0 },
        { XK_Num_Lock, 0 },
        { NoSymbol, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(X11VirtualKey(c.sym), c.vk) << std::hex << c.sym;
}

TEST(X11Input, StateBitsAndButtons)
{
    struct Modifiers {
        unsigned state;
        unsigned expected;
    } const modifiers[] = {
        { 0, 0 },
        { ShiftMask | LockMask, kModShift }, // Caps Lock is no modifier here
        { ControlMask | Mod1Mask, kModControl | kModAlt },
        { Mod4Mask | Mod2Mask, 0 }, // the logo key and Num Lock neither
        { Button1Mask | Button3Mask, kModLeftButton | kModRightButton },
        { Button2Mask | ShiftMask, kModMiddleButton | kModShift },
    };
    for (const Modifiers& m : modifiers)
        EXPECT_EQ(X11Modifiers(m.state), m.expected) << m.state;

    struct Button {
        unsigned x_button;
        std::optional<MouseButton> button;
        unsigned modifier;
        int wheel;
    } const buttons[] = {
        { 1, MouseButton::Left, kModLeftButton, 0 },
        { 2, MouseButton::Middle, kModMiddleButton, 0 },
        { 3, MouseButton::Right, kModRightButton, 0 },
        { 4, std::nullopt, 0, 120 },
        { 5, std::nullopt, 0, -120 },
        { 6, std::nullopt, 0, 0 }, // sideways scrolling and extra buttons are not used
        { 8, std::nullopt, 0, 0 },
        { 0, std::nullopt, 0, 0 },
    };
    for (const Button& b : buttons) {
        std::optional<X11Button> got = X11ButtonOf(b.x_button);
        ASSERT_EQ(got.has_value(), b.button.has_value()) << b.x_button;
        if (got) {
            EXPECT_EQ(got->button, *b.button) << b.x_button;
            EXPECT_EQ(got->modifier, b.modifier) << b.x_button;
        }
        EXPECT_EQ(X11WheelDelta(b.x_button), b.wheel) << b.x_button;
    }
}

}
}
