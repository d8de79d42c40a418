#pragma once

// The corner of a skinned status bar: the platform's own size grip is
// covered with the bar's colour and four thin diagonal strokes are drawn in
// its place; the strip above the corner is covered too.

#include "platform/gfx/canvas.h"

namespace pellamo {

// `size` is the bar's; `strokes` in `stroke_color` when the grip is shown.
void PaintStatusGrip(Canvas& canvas, Size size, TColor color, bool strokes, TColor stroke_color);

}
