#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/image_error.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pellamo {

// Windows BMP files: reads 1, 4, 8, 16, 24 and 32 bits per pixel (BI_RGB
// and BI_BITFIELDS; bottom-up and top-down), writes 4 and 8 bits per pixel
// (palettised; a picture of more colours than fit throws ImageError) and 24
// and 32 bits per pixel, bottom-up. Damaged input throws ImageError and is
// never read beyond its end.
class BmpCodec {
public:
    static constexpr size_t kDefaultMaxPixels = size_t { 1 } << 26;

    static Bitmap Read(std::span<const uint8_t> bytes, size_t max_pixels = kDefaultMaxPixels);
    static Bitmap ReadFile(const std::string& path);
    static std::vector<uint8_t> Write(const Bitmap& bitmap, int bits_per_pixel = 24);
    static void WriteFile(const std::string& path, const Bitmap& bitmap, int bits_per_pixel = 24);
};

}
