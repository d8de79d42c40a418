#pragma once

// Skin pictures that hold several frames of equal width side by side: frame
// k of n (counted from 1) covers the columns (k - 1) * w to k * w - 1, with
// w = width / n truncated; columns beyond n * w are never used.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"

namespace pellamo {

// The columns of frame `index` of `count` in a strip of the given size; an
// empty rectangle when there is no such frame (count <= 0, index outside
// 1..count).
Rect FrameRect(Size strip, int count, int index);

// Cuts that frame out of `source` into `target` (w x source height); the
// target keeps its transparent mode. With no such frame the target becomes
// empty.
void SpitBitmap(const Bitmap& source, Bitmap& target, int count, int index);

}
