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

// The named colours every form designer offers.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
// "No colour" and "the control's default": never drawn as such; callers test
// for them before drawing.
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

}
