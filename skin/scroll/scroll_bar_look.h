#pragma once

// What a scroll bar of one style shows, taken from the theme once per
// style, theme or orientation change: the track colour
// (ScrollBarBackgroundColor), the arrow buttons (ScrollBarButtonImage: up
// arrow normal, hover, pressed, then the same for the down arrow, drawn for
// a vertical bar) and the three pieces of the slider (ScrollBarSliderImage:
// start cap, middle, end cap, drawn for a horizontal bar).
// Each picture comes already turned for the bar's orientation.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"

#include <array>

namespace pellamo {

class ThemeSource;

struct ScrollBarLook {
    TColor track_color = 0;
    // Decrement button normal, hover, pressed; increment button the same.
    std::array<Bitmap, 6> arrows;
    Bitmap slider_start;
    Bitmap slider_middle;
    Bitmap slider_end;
};

ScrollBarLook ResolveScrollBarLook(const ThemeSource& theme, bool vertical);

// The slider of a scroll bar `length` long: the start cap at the start,
// the end cap at the far end and the middle piece stretched between them,
// as thick as the start cap (its width on a vertical bar, its height on a
// horizontal one).
Bitmap ComposeScrollSlider(const ScrollBarLook& look, int length, bool vertical);

}
