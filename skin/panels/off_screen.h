#pragma once

// Skinned controls paint into a bitmap of their own and copy it onto their
// canvas in one step.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"

#include <algorithm>

namespace pellamo {

template <class Paint> void PaintOffScreen(Canvas& target, Size size, Paint&& paint)
{
    Bitmap buffer(std::max(1, size.cx), std::max(1, size.cy));
    Canvas canvas(buffer);
    paint(canvas);
    target.Draw(0, 0, buffer);
}

}
