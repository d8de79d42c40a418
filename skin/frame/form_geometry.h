#pragma once

// The geometry of a skinned frame: the client area it leaves inside its
// window, and the window's shape.

#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/window/messages.h"

namespace pellamo {

struct FrameEdges {
    int border_width = 1; // BorderWidth
    int side_picture = 0; // width of a file theme's side border picture, 0 for none
    int bottom_picture = 0; // height of a file theme's bottom border picture, 0 for none
};

// The rectangle a frame hands on for the window's own 3-pixel frame to be
// taken off (any coordinates): the window rectangle, narrowed by
// (side picture - 2) on each side when there is a side picture, and its
// bottom raised by (bottom picture - 2), or by (border width - 2) unless
// the border is 3 wide. So a 1-pixel border leaves 2 rows at the bottom.
Rect FrameCalcRect(const Rect& window, const FrameEdges& edges);
// The same on a non-client size request (WM_NCCALCSIZE's wParam and
// lParam); with the valid-rectangles form both rectangles get it.
void ApplyFrameCalcRect(WPARAM wparam, LPARAM lparam, const FrameEdges& edges);

// The window's shape for its size: the top corners rounded by
// `round_corner`, the bottom ones by `round_corner_bottom` (-1 counts as
// 0), each half of the window a rounded rectangle squared off where the
// halves meet. Window coordinates.
Region FrameRegion(Size window, int round_corner, int round_corner_bottom);

// A maximised frame's place: the work area, 2 pixels wider on the left,
// top and right and 1 pixel shorter at the bottom.
Rect MaximisedFrameBounds(const Rect& work_area);

}
