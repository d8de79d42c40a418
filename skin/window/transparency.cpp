#include "skin/window/transparency.h"

#include "platform/components/controls/win_control.h"
#include "platform/window/device_context.h"
#include "platform/window/window_system.h"

#include <algorithm>
#include <vector>

namespace pellamo {

namespace {

// The controls whose parents are painting behind them right now: a
// windowless control would otherwise be painted by its parent again, and
// ask again, without end.
std::vector<const TControl*>& Painting()
{
    static std::vector<const TControl*> controls;
    return controls;
}

LRESULT Send(TWinControl& to, UINT msg, WPARAM wparam)
{
    if (to.HandleAllocated())
        return TControl::Windows().SendMessage(to.Handle(), msg, wparam, 0);
    return to.Perform(msg, wparam, 0);
}

}

void DoTrans(Canvas& canvas, TControl& control)
{
    TWinControl* parent = control.Parent();
    auto& painting = Painting();
    if (!parent || std::find(painting.begin(), painting.end(), &control) != painting.end())
        return;
    painting.push_back(&control);
    int saved = canvas.SaveState();
    try {
        canvas.OffsetViewportOrigin(-control.Left(), -control.Top());
        Rect client = parent->ClientRect();
        canvas.IntersectClipRect({ 0, 0, client.Width(), client.Height() });
        DeviceContext dc = DeviceContext::Over(canvas);
        Send(*parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc));
        Send(*parent, WM_PAINT, reinterpret_cast<WPARAM>(&dc));
    } catch (...) {
        canvas.RestoreState(saved);
        painting.pop_back();
        throw;
    }
    canvas.RestoreState(saved);
    painting.pop_back();
}

void SetWinControlTransparent(TWinControl& control)
{
    TControlStyle style = control.ControlStyle();
    style.Exclude(csOpaque);
    control.SetControlStyle(style);
    if (control.HandleAllocated()) {
        WindowSystem& ws = TControl::Windows();
        ws.SetExStyle(control.Handle(), ws.GetExStyle(control.Handle()) | WS_EX_TRANSPARENT);
    }
}

}
