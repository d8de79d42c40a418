#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"
#include "platform/window/messages.h"

namespace pellamo {

// Shapes the window to the pixels of `bitmap` whose colour differs from
// `key` (the bitmap's (0, 0) at the window's), row by row, and redraws it.
// A bitmap all of the key colour leaves the window an empty shape.
void SetBitmapWindow(HWND window, const Bitmap& bitmap, TColor key);

}
