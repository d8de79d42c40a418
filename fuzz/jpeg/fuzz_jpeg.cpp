// Pictures may come from theme files: any bytes must give a bitmap or an
// ImageError, never a process exit or an out-of-bounds access.
#include "platform/gfx/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace pellamo;
    try {
        JpegDecoder::Decode(std::span(data, size), size_t { 1 } << 20);
    } catch (const ImageError&) {
    }
    return 0;
}
