#include "skin/window/control_border.h"

#include "platform/components/controls/win_control.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/window_system.h"

namespace pellamo {

void DrawControlBorder(TWinControl& control, TColor border, TColor inner, bool draw_inner)
{
    if (!control.HandleAllocated())
        return;
    WindowSystem& ws = TControl::Windows();
    HWND hwnd = control.Handle();
    DeviceContext* dc = ws.GetWindowDC(hwnd);
    if (!dc)
        return;
    Rect window = ws.GetWindowRect(hwnd);
    Rect whole { 0, 0, window.Width(), window.Height() };
    dc->FrameRect(whole, SystemColors::Resolve(border));
    if (draw_inner)
        dc->FrameRect(whole.Inflate(-1, -1), SystemColors::Resolve(inner));
    ws.ReleaseDC(hwnd, dc);
}

}
