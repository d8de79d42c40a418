#pragma once

// What a key press or release becomes, as the platform translates it: a key
// message, and for some presses a character message after it.

#include "platform/window/messages.h"

namespace pellamo {

struct KeyMessages {
    // WM_KEYDOWN/WM_KEYUP, or WM_SYSKEYDOWN/WM_SYSKEYUP with Alt (without
    // Ctrl), for F10 and for the Alt key itself.
    UINT message = 0;
    // Repeat count 1; bit 29 with Alt; bit 30 for a repeat or a release;
    // bit 31 for a release. The character message carries the same value.
    LPARAM lparam = 0;
    // After a press: WM_CHAR for Enter, Esc, Backspace and Tab (not with
    // Ctrl; other characters come from the text input), WM_SYSCHAR for Alt
    // with a letter (lower case unless Shift), a digit or Space. 0: none.
    UINT char_message = 0;
    WPARAM ch = 0;
};

// `modifiers` are DisplayModifier bits (kModShift, kModControl, kModAlt).
KeyMessages TranslateKey(UINT vk, unsigned modifiers, bool down, bool repeat);

}
