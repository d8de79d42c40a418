// Logos are pictures from any web server. Whatever the bytes, decoding
// ends with a picture of the size asked for, or nothing.
#include "viewer/logo_picture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::optional<pellamo::Bitmap> logo = pellamo::DecodeLogo({ data, size }, 16, 0xFFFFFF);
    if (logo && (logo->Width() != 16 || logo->Height() != 16))
        std::abort();
    return 0;
}
