#include "platform/components/controls/sub_menu_arrow.h"

namespace pellamo {

void DrawSubMenuArrow(Canvas& canvas, const Rect& item, TColor color, bool right_to_left)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color;
    int base = right_to_left ? item.left + kSubMenuArrowColumn / 2 + 1 : item.right - kSubMenuArrowColumn / 2 - 2;
    int y = item.top + item.Height() / 2;
    // Columns from the base (7 high) to the tip (1 high).
    for (int i = 0; i < 4; ++i) {
        int x = right_to_left ? base - i : base + i;
        canvas.FillRect({ x, y - 3 + i, x + 1, y + 4 - i });
    }
}

}
