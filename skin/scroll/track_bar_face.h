#pragma once

// A track bar's picture apart from the component: the bar stretched once
// to the track's length (the buffer), then at each paint the buffer, the
// focus rectangle and the tick marks over a background the caller has
// painted (its colour, or the parent behind it). The slider is a child
// control and paints itself.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"

#include <vector>

namespace pellamo {

// The bar picture (three frames: start, stretched middle, end; fuchsia
// corners left out) drawn `length` long on `color`, turned a quarter
// counter-clockwise for a vertical bar. Empty without a picture.
Bitmap BuildTrackBarBuffer(const Bitmap& bar_picture, int length, TColor color, bool vertical);

struct TrackBarFace {
    bool vertical = false;
    const Bitmap* bar = nullptr; // the buffer; may be empty
    int bar_thickness = 0; // the bar picture's height
    bool focus_rect = false;
    std::vector<int> ticks; // offsets along the track
};

// The buffer centred across the control, then the dotted focus rectangle
// round the whole control, then 3-pixel black ticks: at the bottom edge of
// a horizontal bar, at both side edges of a vertical one.
void PaintTrackBarFace(Canvas& canvas, Size size, const TrackBarFace& face);

}
