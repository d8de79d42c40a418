#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"

#include <memory>

namespace pellamo {

enum class BrushStyle { Solid, Clear };

// A solid or clear brush; with a pattern, fills repeat the pattern's top-left
// 8 x 8 pixels aligned to the device origin, like a pattern brush of the
// platform (the colour is then unused).
struct Brush {
    TColor color = clWhite;
    BrushStyle style = BrushStyle::Solid;
    std::shared_ptr<const Bitmap> pattern;

    bool IsClear() const { return style == BrushStyle::Clear && !pattern; }
};

}
