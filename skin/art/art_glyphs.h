#pragma once

#include "skin/art/art_canvas.h"

namespace pellamo::skin_art {

// The small symbols of the skin pictures, drawn from lines and polygons (no
// fonts), centred in `box` and scaled to it.
enum class Glyph {
    Close, // x
    Minimize, // a bar at the bottom
    Maximize, // a window outline
    Restore, // two overlapping windows
    Help, // a question mark
    WindowMenu, // a small window with its title bar
    ArrowUp,
    ArrowDown,
    ArrowLeft,
    ArrowRight,
    Tick,
    ChevronUp,
    ChevronDown,
};

// `weight` is the stroke width in pixels for the line glyphs.
void DrawGlyph(ArtCanvas& canvas, Glyph glyph, const RectF& box, double weight, const Shade& shade);

}
