#include "skin/views/bound_bar_layout.h"

#include <algorithm>

namespace pellamo {

BoundBarsPlacement PlaceBoundBars(BoundViewKind kind, const Rect& view, const std::optional<BoundBar>& vertical,
    const std::optional<BoundBar>& horizontal, bool right_to_left)
{
    const bool tree = kind == BoundViewKind::Tree;
    const int l = view.left, t = view.top, w = view.Width(), h = view.Height();
    BoundBarsPlacement placed;

    if (horizontal) {
        const int bar_h = horizontal->bounds.Height();
        // The tree counts the vertical bar only while it shows.
        const bool beside = vertical && (!tree || vertical->visible);
        const int v_w = vertical ? vertical->bounds.Width() : 0;
        PlacedBar p;
        if (tree && h < bar_h) {
            p.bounds = Rect::FromSize(horizontal->bounds.left, t, horizontal->bounds.Width(), bar_h);
        } else {
            int left = right_to_left && vertical ? v_w + l + 1 : l + 1;
            int width;
            if (tree)
                width = beside ? w - v_w - 2 : w - 2;
            else if (right_to_left)
                width = vertical ? w - v_w - 2 : w - 2;
            else
                width = vertical ? w - v_w - 1 : w - 1;
            p.bounds = Rect::FromSize(left, t + h - bar_h - 2, std::max(0, width), bar_h);
            if (!tree)
                p.visible = h >= bar_h;
        }
        placed.horizontal = p;
    }

    if (vertical) {
        const int bar_w = vertical->bounds.Width();
        const bool below = horizontal && (!tree || horizontal->visible);
        const int h_h = horizontal ? horizontal->bounds.Height() : 0;
        PlacedBar p;
        if (tree && w < bar_w) {
            p.bounds = Rect::FromSize(l, vertical->bounds.top, bar_w, vertical->bounds.Height());
        } else {
            int left = right_to_left ? l + 2 : l + w - bar_w - 2;
            int height = below ? h - h_h - 2 : h - 2;
            p.bounds = Rect::FromSize(left, t + 1, bar_w, std::max(0, height));
            if (!tree)
                p.visible = w >= bar_w;
        }
        placed.vertical = p;
    }
    return placed;
}

}
