#pragma once

#include <cstdint>

namespace pellamo {

// Colours at the API are 0x00BBGGRR (red in the low byte). Negative values
// (high bit set) name system colours; see system_colors.h.
using TColor = int32_t;

// Pixels in memory are native 32-bit words 0xXXRRGGBB, the layout Cairo
// (RGB24), X11 ZPixmap and libmpv's "bgr0" share on little-endian machines.
using Pixel = uint32_t;

constexpr uint8_t RedOf(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GreenOf(TColor c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t BlueOf(TColor c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }
constexpr TColor Rgb(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (b << 16); }

constexpr Pixel ColorToPixel(TColor c)
{
    return 0xFF000000u | (static_cast<Pixel>(RedOf(c)) << 16) | (static_cast<Pixel>(GreenOf(c)) << 8) | BlueOf(c);
}

constexpr TColor PixelToColor(Pixel p)
{
    return Rgb(static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p));
}

}
