#pragma once

// PNG files of bitmaps, for screenshots and picture sheets (Cairo's codec).

#include "platform/gfx/bitmap.h"

#include <string>

namespace pellamo {

// Writes the bitmap as an opaque PNG file; throws std::runtime_error
// naming the file when it cannot be written.
void WritePngFile(const Bitmap& bitmap, const std::string& path);

// Reads a PNG file (transparency is dropped); throws std::runtime_error
// naming the file when it is missing or no PNG.
Bitmap ReadPngFile(const std::string& path);

}
