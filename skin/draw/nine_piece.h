#pragma once

// Nine-piece drawing of a skin picture (a button face, a frame) over a
// rectangle of any size: the four corners unscaled, the edges and the
// centre stretched. The picture's middle row and column are what stretch.
//
// Corners sit at x = 0 and y = 0 on the left and top and against
// rect.right and rect.bottom on the right and bottom; rect.left and
// rect.top only enter through the width and height (callers pass their
// client rectangle, which starts at (0, 0)).

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/geometry.h"

#include <vector>

namespace pellamo {

struct NinePiece {
    enum Kind { TopLeft, BottomLeft, LeftEdge, TopRight, BottomRight, RightEdge, TopEdge, Centre, BottomEdge };
    Kind kind;
    Rect source; // in the picture
    Rect target; // on the canvas
    bool Corner() const { return kind == TopLeft || kind == BottomLeft || kind == TopRight || kind == BottomRight; }
};

// The pieces in drawing order, leaving out those with nothing to draw (a
// corner whose slot or source is empty, an edge whose target is empty). A
// corner that is left out leaves an empty rectangle at its place for its
// neighbours. A stretched piece whose source has no rows or columns (the
// middle of an even-sized picture) takes the one row or column where it
// starts; an empty picture has no pieces.
std::vector<NinePiece> NinePieceLayout(Size picture, const Rect& rect);

// Draws the pieces. Fuchsia pixels of the edges and the centre are always
// left out; those of the corners only when `transparent` is true.
void SpitDraw(const Bitmap& bitmap, Canvas& canvas, const Rect& rect, bool transparent);

}
