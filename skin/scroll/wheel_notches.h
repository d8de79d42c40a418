#pragma once

// Whole wheel notches from WM_MOUSEWHEEL messages: fine-grained wheels
// send parts of a notch, which add up until a whole one is reached.

#include "platform/window/messages.h"

#include <cstdint>

namespace pellamo {

class WheelNotches {
public:
    // The whole notches this message completes; positive away from the user.
    int Add(WPARAM wparam)
    {
        rest_ += static_cast<int16_t>(HIWORD(wparam));
        int notches = rest_ / WHEEL_DELTA;
        rest_ -= notches * WHEEL_DELTA;
        return notches;
    }

private:
    int rest_ = 0;
};

}
