#pragma once

// Tells a double click from two single ones: a press is the second of a
// double click when it is on the same window, of the same button and area
// (the same button-down message), within 500 ms and 2 pixels of the press
// before, and the window's class asks for double clicks (CS_DBLCLKS). The
// press that completes a double click starts no new one.

#include "platform/gfx/geometry.h"
#include "platform/window/messages.h"

#include <chrono>

namespace pellamo {

class DoubleClickDetector {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kTime = std::chrono::milliseconds(500);
    static constexpr int kSlop = 2;

    // A button-down `message` on `hwnd`; true when it completes a double click.
    bool Press(HWND hwnd, UINT message, Point screen, Clock::time_point time, bool class_wants_double);
    // A window that goes away takes its first click with it.
    void Forget(HWND hwnd);

private:
    struct Click {
        HWND hwnd = nullptr;
        UINT message = 0;
        Point screen;
        Clock::time_point time;
    };
    Click m_last;
};

}
