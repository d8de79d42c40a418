#include "skin/window/placement.h"

#include "platform/components/controls/control.h"
#include "platform/window/window_system.h"

namespace pellamo {

bool InRect(Point p, const Rect& rect) { return InRect(p.x, p.y, rect); }

bool InRect(int x, int y, const Rect& rect)
{
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

void PlaceControl(TControl& control, Point p) { control.SetBounds(p.x, p.y, control.Width(), control.Height()); }

void PlaceControl(TControl& control, const Rect& rect) { control.SetBoundsRect(rect); }

Rect GetWorkAreaRect()
{
    WindowSystem* ws = WindowSystem::Current();
    return ws ? ws->GetWorkArea() : Rect {};
}

}
