#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/image_error.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace pellamo {

// JPEG pictures through libjpeg. Damaged input throws ImageError (libjpeg's
// own message) instead of ending the process; pictures larger than
// max_pixels are refused before any pixel memory is taken.
class JpegDecoder {
public:
    static constexpr size_t kDefaultMaxPixels = size_t { 1 } << 26;

    static Bitmap Decode(std::span<const uint8_t> bytes, size_t max_pixels = kDefaultMaxPixels);
    static Bitmap DecodeFile(const std::string& path);
};

}
