#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"
#include "platform/gfx/geometry.h"

namespace pellamo::test {

// A picture whose every pixel tells where it came from: red = x mod 256,
// green = y, blue = 0x40 + x / 256 (never fuchsia, never the paper below).
inline Bitmap CoordinatePicture(int width, int height)
{
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(
                x, y, Rgb(static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(0x40 + x / 256)));
    return b;
}

inline Point SourceOf(TColor c) { return { RedOf(c) + (BlueOf(c) - 0x40) * 256, GreenOf(c) }; }

// The colour a canvas starts with in these tests.
constexpr TColor kPaper = Rgb(0x12, 0x34, 0xEE);

}
