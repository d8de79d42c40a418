#pragma once

// What the window system's source files (window_system*.cpp) share.

#include "platform/gfx/geometry.h"
#include "platform/window/messages.h"

namespace pellamo::window_system_shared {

// Back buffers beyond this are refused by the bitmap type; a window that
// large shows only its top-left part.
constexpr int kMaxBufferSide = 8192;

inline LPARAM PackPoint(Point p) { return MAKELPARAM(p.x, p.y); }
inline Point UnpackPoint(LPARAM l) { return { GET_X_LPARAM(l), GET_Y_LPARAM(l) }; }

// Top-level pop-ups (menus, notifications) stay outside the window
// manager's control and are never activated.
inline bool IsPopupStyle(DWORD ex_style)
{
    return (ex_style & WS_EX_NOACTIVATE) || ((ex_style & WS_EX_TOOLWINDOW) && (ex_style & WS_EX_TOPMOST));
}

}
