#include "platform/window/double_click.h"

#include <cstdlib>

namespace pellamo {

bool DoubleClickDetector::Press(HWND hwnd, UINT message, Point screen, Clock::time_point time, bool class_wants_double)
{
    bool dbl = class_wants_double && m_last.hwnd == hwnd && m_last.message == message && time - m_last.time <= kTime
        && std::abs(screen.x - m_last.screen.x) <= kSlop && std::abs(screen.y - m_last.screen.y) <= kSlop;
    if (dbl)
        m_last = {};
    else
        m_last = { hwnd, message, screen, time };
    return dbl;
}

void DoubleClickDetector::Forget(HWND hwnd)
{
    if (m_last.hwnd == hwnd)
        m_last = {};
}

}
