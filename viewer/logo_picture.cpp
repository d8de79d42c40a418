#include "viewer/logo_picture.h"

#include "platform/gfx/jpeg_decoder.h"

#include <png.h>

#include <algorithm>
#include <vector>

namespace pellamo {

namespace {

// Premultiplied-free RGBA rows, as both decoders end up giving them.
struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // 4 bytes a pixel, top-down
};

std::optional<Rgba> ReadPng(std::span<const uint8_t> bytes)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return std::nullopt;
    if (image.width == 0 || image.height == 0 || image.width > kMaxLogoSide || image.height > kMaxLogoSide) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGBA;
    Rgba out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return out;
}

std::optional<Rgba> ReadJpeg(std::span<const uint8_t> bytes)
{
    try {
        Bitmap bitmap = JpegDecoder::Decode(bytes, static_cast<size_t>(kMaxLogoSide) * kMaxLogoSide);
        if (bitmap.Width() > kMaxLogoSide || bitmap.Height() > kMaxLogoSide || bitmap.Empty())
            return std::nullopt;
        Rgba out;
        out.width = bitmap.Width();
        out.height = bitmap.Height();
        out.pixels.reserve(static_cast<size_t>(out.width) * out.height * 4);
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x) {
                TColor c = bitmap.GetPixel(x, y);
                out.pixels.insert(out.pixels.end(),
                    { static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF),
                        static_cast<uint8_t>((c >> 16) & 0xFF), 255 });
            }
        return out;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}

std::optional<Bitmap> DecodeLogo(std::span<const uint8_t> bytes, int size, TColor background)
{
    if (bytes.empty() || bytes.size() > kMaxLogoBytes || size <= 0)
        return std::nullopt;
    std::optional<Rgba> picture;
    static constexpr uint8_t kPng[] = { 0x89, 'P', 'N', 'G' };
    if (bytes.size() >= 4 && std::equal(kPng, kPng + 4, bytes.begin()))
        picture = ReadPng(bytes);
    else if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        picture = ReadJpeg(bytes);
    if (!picture)
        return std::nullopt;

    // Fitted, proportions kept; each target pixel is the mean of the source
    // pixels it covers (a logo shrinks a lot), blended over the background.
    const int w = picture->width, h = picture->height;
    int fit_w = size, fit_h = size;
    if (w > h)
        fit_h = std::max(1, static_cast<int>(static_cast<int64_t>(size) * h / w));
    else
        fit_w = std::max(1, static_cast<int>(static_cast<int64_t>(size) * w / h));
    const int left = (size - fit_w) / 2, top = (size - fit_h) / 2;
    const int br = background & 0xFF, bg = (background >> 8) & 0xFF, bb = (background >> 16) & 0xFF;
    Bitmap out(size, size, background);
    for (int ty = 0; ty < fit_h; ++ty) {
        int y0 = static_cast<int>(static_cast<int64_t>(ty) * h / fit_h);
        int y1 = std::max(y0 + 1, static_cast<int>(static_cast<int64_t>(ty + 1) * h / fit_h));
        for (int tx = 0; tx < fit_w; ++tx) {
            int x0 = static_cast<int>(static_cast<int64_t>(tx) * w / fit_w);
            int x1 = std::max(x0 + 1, static_cast<int>(static_cast<int64_t>(tx + 1) * w / fit_w));
            uint64_t r = 0, g = 0, b = 0, count = 0;
            for (int y = y0; y < y1; ++y) {
                const uint8_t* p = picture->pixels.data() + (static_cast<size_t>(y) * w + x0) * 4;
                for (int x = x0; x < x1; ++x, p += 4) {
                    int a = p[3];
                    r += static_cast<uint64_t>((p[0] * a + br * (255 - a)) / 255);
                    g += static_cast<uint64_t>((p[1] * a + bg * (255 - a)) / 255);
                    b += static_cast<uint64_t>((p[2] * a + bb * (255 - a)) / 255);
                    ++count;
                }
            }
            out.SetPixel(left + tx, top + ty,
                Rgb(static_cast<uint8_t>(r / count), static_cast<uint8_t>(g / count), static_cast<uint8_t>(b / count)));
        }
    }
    return out;
}

}
