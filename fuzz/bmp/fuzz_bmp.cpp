// BMP files come from theme files and stored window descriptions: any bytes
// must give a bitmap or an ImageError, and a bitmap must survive a round trip.
#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/region.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace pellamo;
    Bitmap bitmap;
    try {
        bitmap = BmpCodec::Read(std::span(data, size), size_t { 1 } << 20);
    } catch (const ImageError&) {
        return 0;
    }
    if (!(BmpCodec::Read(BmpCodec::Write(bitmap, 32)) == bitmap))
        std::abort();
    Region::FromBitmap(bitmap, bitmap.GetPixel(0, 0));
    return 0;
}
