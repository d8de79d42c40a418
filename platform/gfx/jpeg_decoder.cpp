#include "platform/gfx/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace pellamo {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return.
// We jump back to Decode, which cleans up and throws: an exception must not
// travel through libjpeg's C frames.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (for example corrupt data that libjpeg can skip) are not fatal
// and must not be printed to stderr.
void EmitMessage(j_common_ptr, int) { }

uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Decodes into `out`; returns false with err.message set on failure. Kept free
// of objects with destructors between setjmp and the calls that may jump.
bool DecodeInto(
    std::span<const uint8_t> bytes, size_t max_pixels, Bitmap& out, ErrorManager& err, std::string& limit_error)
{
    jpeg_decompress_struct cinfo {};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = ErrorExit;
    err.base.emit_message = EmitMessage;
    std::vector<JSAMPLE>* row_buffer = new std::vector<JSAMPLE>();
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete row_buffer;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    // Bounds libjpeg's own working memory (progressive files keep all
    // coefficients).
    cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (static_cast<uint64_t>(cinfo.image_width) * cinfo.image_height > max_pixels) {
        limit_error = "Invalid JPEG file: image of " + std::to_string(cinfo.image_width) + " x "
            + std::to_string(cinfo.image_height) + " pixels is too large";
        jpeg_destroy_decompress(&cinfo);
        delete row_buffer;
        return false;
    }
    bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.Resize(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
    row_buffer->resize(static_cast<size_t>(cinfo.output_width) * cinfo.output_components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = row_buffer->data();
        int y = static_cast<int>(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, &row, 1);
        Pixel* dst = out.Row(y);
        const JSAMPLE* src = row_buffer->data();
        for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
            if (cmyk) {
                // Adobe writes CMYK inverted: the values are already 255 - ink.
                const JSAMPLE* p = src + x * 4;
                int k = p[3];
                dst[x] = ColorToPixel(Rgb(Clamp(p[0] * k / 255), Clamp(p[1] * k / 255), Clamp(p[2] * k / 255)));
            } else {
                const JSAMPLE* p = src + x * 3;
                dst[x] = ColorToPixel(Rgb(p[0], p[1], p[2]));
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    delete row_buffer;
    return true;
}

}

Bitmap JpegDecoder::Decode(std::span<const uint8_t> bytes, size_t max_pixels)
{
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        throw ImageError("Invalid JPEG file: missing start-of-image marker");
    Bitmap out;
    ErrorManager err {};
    std::string limit_error;
    if (!DecodeInto(bytes, max_pixels, out, err, limit_error))
        throw ImageError(limit_error.empty() ? std::string("Invalid JPEG file: ") + err.message : limit_error);
    return out;
}

Bitmap JpegDecoder::DecodeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ImageError("Cannot open picture file " + path);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Decode(bytes);
}

}
