#pragma once

// Where a scrolled view puts the skinned bars bound to it: each one over
// the place of the view's own window scroll bar, inside the view's 2-pixel
// border (one pixel of the border shows round a bar). A tree view leaves
// the bars' visibility to the scroll state and, when it is too small for a
// bar, moves that bar only along one side; a memo shows a bar exactly when
// it fits. All in the parent's coordinates.

#include "platform/gfx/geometry.h"

#include <optional>

namespace pellamo {

enum class BoundViewKind { Tree, Memo };

struct BoundBar {
    Rect bounds; // where the bar is now
    bool visible = false;
};

struct PlacedBar {
    Rect bounds;
    std::optional<bool> visible; // left alone when empty
};

struct BoundBarsPlacement {
    std::optional<PlacedBar> vertical;
    std::optional<PlacedBar> horizontal;
};

// `view` is the view's bounds; a bar that is not bound is empty.
BoundBarsPlacement PlaceBoundBars(BoundViewKind kind, const Rect& view, const std::optional<BoundBar>& vertical,
    const std::optional<BoundBar>& horizontal, bool right_to_left);

}
