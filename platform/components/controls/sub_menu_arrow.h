#pragma once

#include "platform/gfx/canvas.h"

namespace pellamo {

// Room an item keeps at its far end for the sub-menu arrow.
constexpr int kSubMenuArrowColumn = 20;

// The mark of an item that opens a sub-menu: a small solid triangle, 4
// pixels deep and 7 high, pointing away from the caption, centred in the
// item's arrow column (at the right end, or at the left end for a menu
// read right to left, where it points left).
void DrawSubMenuArrow(Canvas& canvas, const Rect& item, TColor color, bool right_to_left = false);

}
