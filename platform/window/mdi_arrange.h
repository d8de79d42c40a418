#pragma once

// Where the client window of an MDI frame puts its children when asked to
// cascade or tile them, and where minimised children lie. Pure geometry:
// sizes are never negative, however small the client is.

#include "platform/gfx/geometry.h"

#include <vector>

namespace pellamo {

class MdiArrange {
public:
    // The caption of a minimised child, side by side along the client's bottom.
    static constexpr int kIconWidth = 160;
    static constexpr int kIconHeight = 24;
    // The step between cascaded children: a caption and its frame.
    static constexpr int kCascadeStep = 24;

    // `count` windows, the first is the front one: it gets the largest offset.
    static std::vector<Rect> Cascade(Size client, int count);
    // `count` windows in rows (horizontal) or columns (vertical) of equal
    // size, the first at the top (left).
    static std::vector<Rect> Tile(Size client, int count, bool vertical);
    // Slot `index` of the minimised children, counted from the bottom left.
    static Rect Icon(Size client, int index);
};

}
