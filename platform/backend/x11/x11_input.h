#pragma once

// Xlib's pointer and key terms in the display contract's: modifier bits,
// virtual-key codes, mouse buttons and wheel steps.

#include "platform/backend/display_backend.h"

#include <X11/X.h>

#include <optional>

namespace pellamo {

// kModShift ... kModMiddleButton from an event's state field.
unsigned X11Modifiers(unsigned state);

// The virtual-key code of a key symbol (letters as upper case, the keypad's
// navigation keys as the main ones); 0 for keys the program has no use for.
unsigned X11VirtualKey(KeySym sym);

// Buttons 1 to 3; nullopt for the wheel and the rest.
struct X11Button {
    MouseButton button;
    unsigned modifier; // its kMod...Button bit
};
std::optional<X11Button> X11ButtonOf(unsigned x_button);

// Buttons 4 and 5 are the wheel: one notch up (120) or down (-120); 0 otherwise.
int X11WheelDelta(unsigned x_button);

}
