#pragma once

#include "platform/gfx/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace pellamo {

// A channel logo from the bytes of a PNG (libpng) or JPEG (libjpeg) file,
// fitted into a square of `size` pixels on `background`, its proportions
// kept and its transparency blended. Damaged pictures, other kinds of
// file, files over kMaxLogoBytes and pictures over kMaxLogoSide pixels a
// side give nothing; no picture can end the program or take much memory.
// Safe to call from any thread.
std::optional<Bitmap> DecodeLogo(std::span<const uint8_t> bytes, int size, TColor background);

constexpr size_t kMaxLogoBytes = 2 * 1024 * 1024;
constexpr int kMaxLogoSide = 2048;

}
