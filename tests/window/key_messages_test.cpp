#include "platform/backend/display_backend.h"
#include "platform/window/key_messages.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

constexpr LPARAM kAltBit = 1 << 29;
constexpr LPARAM kPrevious = 1 << 30;
constexpr LPARAM kReleased = static_cast<int32_t>(1u << 31);

TEST(KeyMessages, PressesAndReleasesBecomeKeyAndCharacterMessages)
{
    struct Case {
        const char* what;
        UINT vk;
        unsigned modifiers;
        bool down;
        bool repeat;
        UINT message;
        LPARAM lparam;
        UINT char_message;
        WPARAM ch;
    } const cases[] = {
        { "letter", 'A', 0, true, false, WM_KEYDOWN, 1, 0, 0 }, // its character comes as text
        { "held letter", 'A', 0, true, true, WM_KEYDOWN, 1 | kPrevious, 0, 0 },
        { "letter released", 'A', 0, false, false, WM_KEYUP, 1 | kPrevious | kReleased, 0, 0 },
        { "Enter", VK_RETURN, 0, true, false, WM_KEYDOWN, 1, WM_CHAR, '\r' },
        { "Esc", VK_ESCAPE, kModShift, true, false, WM_KEYDOWN, 1, WM_CHAR, 0x1B },
        { "Backspace", VK_BACK, 0, true, true, WM_KEYDOWN, 1 | kPrevious, WM_CHAR, '\b' },
        { "Tab", VK_TAB, 0, true, false, WM_KEYDOWN, 1, WM_CHAR, '\t' },
        { "Ctrl+Enter", VK_RETURN, kModControl, true, false, WM_KEYDOWN, 1, 0, 0 },
        { "Enter released", VK_RETURN, 0, false, false, WM_KEYUP, 1 | kPrevious | kReleased, 0, 0 },
        { "Alt+F", 'F', kModAlt, true, false, WM_SYSKEYDOWN, 1 | kAltBit, WM_SYSCHAR, 'f' },
        { "Alt+Shift+F", 'F', kModAlt | kModShift, true, false, WM_SYSKEYDOWN, 1 | kAltBit, WM_SYSCHAR, 'F' },
        { "Alt+5", '5', kModAlt, true, false, WM_SYSKEYDOWN, 1 | kAltBit, WM_SYSCHAR, '5' },
        { "Alt+Space", VK_SPACE, kModAlt, true, false, WM_SYSKEYDOWN, 1 | kAltBit, WM_SYSCHAR, ' ' },
        { "Alt+F4", VK_F4, kModAlt, true, false, WM_SYSKEYDOWN, 1 | kAltBit, 0, 0 },
        { "Alt+F released", 'F', kModAlt, false, false, WM_SYSKEYUP, 1 | kAltBit | kPrevious | kReleased, 0, 0 },
        { "Ctrl+Alt+A (AltGr)", 'A', kModControl | kModAlt, true, false, WM_KEYDOWN, 1 | kAltBit, 0, 0 },
        { "F10 alone", VK_F10, 0, true, false, WM_SYSKEYDOWN, 1, 0, 0 },
        { "Alt itself", VK_MENU, kModAlt, true, false, WM_SYSKEYDOWN, 1 | kAltBit, 0, 0 },
        { "Alt itself released", VK_MENU, 0, false, false, WM_SYSKEYUP, 1 | kPrevious | kReleased, 0, 0 },
    };
    for (const Case& c : cases) {
        KeyMessages k = TranslateKey(c.vk, c.modifiers, c.down, c.repeat);
        EXPECT_EQ(k.message, c.message) << c.what;
        EXPECT_EQ(k.lparam, c.lparam) << c.what;
        EXPECT_EQ(k.char_message, c.char_message) << c.what;
        EXPECT_EQ(k.ch, c.ch) << c.what;
    }
}

}
}
