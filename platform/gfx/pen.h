#pragma once

#include "platform/gfx/color.h"

namespace pellamo {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };

// How pen pixels combine with what is there: copy, xor with the pen colour,
// or invert the destination (colour ignored).
enum class PenMode { Copy, Xor, Not };

struct Pen {
    TColor color = clBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
};

}
