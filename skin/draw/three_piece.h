#pragma once

// Three-piece drawing of a skin picture (a bar, a border) along a
// rectangle: the picture is three frames of equal width; the first and the
// last are drawn unscaled at the two ends, the middle one is stretched
// between them.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/geometry.h"

namespace pellamo {

// The colour left out of the end frames: with `sample_key` the top-left
// (`sample_top`) or bottom-left pixel of the picture, else fuchsia.
TColor ThreePieceKey(const Bitmap& bitmap, bool sample_key, bool sample_top);

// Ends at (rect.left, rect.top) and (rect.right - frame width, rect.top),
// masked with the key, at the picture's own height; the middle frame
// stretched without transparency over the rectangle between them. A
// rectangle narrower than two frames gets its ends overlapping and no
// middle; a picture narrower than three pixels draws nothing.
void SpitDrawHorizontal(const Bitmap& bitmap, Canvas& canvas, const Rect& rect, bool sample_key, bool sample_top);

}
