#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/geometry.h"

namespace pellamo {

// Repeats `picture` unscaled from the canvas origin (0, 0), not from the
// rectangle's corner, at (i * pw, j * ph) for every x < pw + rect width and
// y < ph + rect height: one tile more than the rectangle in each direction,
// the canvas clips the rest. Columns outer, rows inner. An empty picture
// draws nothing. Each tile is drawn as DrawSkinPicture draws (key_color.h).
void TileDraw(Canvas& canvas, const Bitmap& picture, const Rect& rect);

}
