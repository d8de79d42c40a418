#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/color.h"

namespace pellamo {

// Pixels of this colour are left out where nine- and three-piece skin
// pictures are drawn.
constexpr TColor kSkinKeyColor = clFuchsia;

// Draw a skin picture: in its own transparent mode when that is on;
// otherwise every pixel but those of the key colour, which marks what a
// skin picture leaves see-through and is never meant to be seen.
void DrawSkinPicture(Canvas& canvas, int x, int y, const Bitmap& picture);
void StretchDrawSkinPicture(Canvas& canvas, const Rect& rect, const Bitmap& picture);
// True when drawing `picture` must leave pixels out: it is not in its own
// transparent mode and holds the key colour. Most skin pictures hold none
// and are copied whole, which is several times faster.
bool LeavesOutKeyColor(const Bitmap& picture);

}
