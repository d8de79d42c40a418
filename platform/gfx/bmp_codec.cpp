#include "platform/gfx/bmp_codec.h"

#include <bit>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>

namespace pellamo {

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

uint16_t U16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
uint32_t U32(std::span<const uint8_t> b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

[[noreturn]] void Fail(const std::string& what) { throw ImageError("Invalid BMP file: " + what); }

// One colour channel of a BI_BITFIELDS pixel, scaled to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m)
        : mask(m)
    {
        if (m == 0)
            return;
        shift = std::countr_zero(m);
        max = m >> shift;
        // A mask with holes counts only its lowest run of bits.
        max = (max & (max + 1)) == 0 ? max : (1u << std::countr_one(max)) - 1;
    }
    uint8_t Of(uint32_t pixel) const
    {
        if (max == 0)
            return 0;
        uint64_t v = (pixel >> shift) & max;
        return static_cast<uint8_t>(v * 255 / max);
    }
};

}

Bitmap BmpCodec::Read(std::span<const uint8_t> bytes, size_t max_pixels)
{
    if (bytes.size() < kFileHeaderSize + 4)
        Fail("file is too short");
    if (bytes[0] != 'B' || bytes[1] != 'M')
        Fail("missing \"BM\" signature");
    uint32_t pixel_offset = U32(bytes, 10);
    uint32_t header_size = U32(bytes, 14);
    bool core = header_size == 12;
    if (!core && header_size != 40 && header_size != 52 && header_size != 56 && header_size != 108
        && header_size != 124)
        Fail("unsupported header size " + std::to_string(header_size));
    if (kFileHeaderSize + header_size > bytes.size())
        Fail("header is truncated");

    int64_t width, height;
    int bpp;
    uint32_t compression = kBiRgb;
    uint32_t colors_used = 0;
    if (core) {
        width = U16(bytes, 18);
        height = U16(bytes, 20);
        bpp = U16(bytes, 24);
    } else {
        width = static_cast<int32_t>(U32(bytes, 18));
        height = static_cast<int32_t>(U32(bytes, 22));
        bpp = U16(bytes, 28);
        compression = U32(bytes, 30);
        colors_used = U32(bytes, 46);
    }
    bool top_down = height < 0;
    if (top_down)
        height = -height;
    if (width <= 0 || height <= 0)
        Fail("image has no pixels");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        Fail("unsupported bit depth " + std::to_string(bpp));
    if (compression == kBiRle4 || compression == kBiRle8)
        throw ImageError("Unsupported BMP file: RLE compression is not supported");
    if (compression != kBiRgb && !(compression == kBiBitfields && (bpp == 16 || bpp == 32)))
        Fail("unsupported compression " + std::to_string(compression));
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > max_pixels
        || width > std::numeric_limits<int>::max() / 32 || height > std::numeric_limits<int>::max() / 4)
        Fail("image of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is too large");

    // Masks: in the header from version 2 on, else right after it.
    uint32_t masks[3] = { 0x00FF0000, 0x0000FF00, 0x000000FF };
    size_t after_header = kFileHeaderSize + header_size;
    if (bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    if (compression == kBiBitfields) {
        size_t at = kFileHeaderSize + 40;
        if (header_size == 40) {
            if (after_header + 12 > bytes.size())
                Fail("colour masks are truncated");
            after_header += 12;
        }
        for (int i = 0; i < 3; ++i)
            masks[i] = U32(bytes, at + 4 * i);
    }
    Channel red(masks[0]), green(masks[1]), blue(masks[2]);

    std::vector<TColor> palette;
    if (bpp <= 8) {
        size_t max_colors = size_t { 1 } << bpp;
        size_t count = colors_used ? colors_used : max_colors;
        if (count > max_colors)
            Fail("palette has " + std::to_string(count) + " colours");
        size_t entry = core ? 3 : 4;
        if (after_header + count * entry > bytes.size())
            Fail("palette is truncated");
        for (size_t i = 0; i < count; ++i) {
            size_t at = after_header + i * entry;
            palette.push_back(Rgb(bytes[at + 2], bytes[at + 1], bytes[at]));
        }
    }

    uint64_t row_bytes = (static_cast<uint64_t>(width) * bpp + 7) / 8;
    uint64_t stride = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
    // The last row's padding may be missing; its pixels may not.
    if (pixel_offset > bytes.size() || stride * (height - 1) + row_bytes > bytes.size() - pixel_offset)
        Fail("pixel data is truncated");

    Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* src = bytes.data() + pixel_offset + row * stride;
        int y = static_cast<int>(top_down ? row : height - 1 - row);
        Pixel* dst = bitmap.Row(y);
        for (int64_t x = 0; x < width; ++x) {
            TColor c = 0;
            switch (bpp) {
            case 1:
            case 4:
            case 8: {
                size_t bit = static_cast<size_t>(x) * bpp;
                unsigned index = (src[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                c = index < palette.size() ? palette[index] : 0;
                break;
            }
            case 16: {
                uint32_t v = src[x * 2] | (src[x * 2 + 1] << 8);
                c = Rgb(red.Of(v), green.Of(v), blue.Of(v));
                break;
            }
            case 24:
                c = Rgb(src[x * 3 + 2], src[x * 3 + 1], src[x * 3]);
                break;
            case 32: {
                const uint8_t* p = src + x * 4;
                uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
                c = Rgb(red.Of(v), green.Of(v), blue.Of(v));
                break;
            }
            }
            dst[x] = ColorToPixel(c);
        }
    }
    return bitmap;
}

Bitmap BmpCodec::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ImageError("Cannot open picture file " + path);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Read(bytes);
}

std::vector<uint8_t> BmpCodec::Write(const Bitmap& bitmap, int bits_per_pixel)
{
    if (bits_per_pixel != 4 && bits_per_pixel != 8 && bits_per_pixel != 24 && bits_per_pixel != 32)
        throw ImageError("BMP files are written with 4, 8, 24 or 32 bits per pixel");
    // Palettised files list the colours in the order they first appear, so
    // the same picture always gives the same bytes.
    std::vector<Pixel> palette;
    std::map<Pixel, uint8_t> index_of;
    if (bits_per_pixel <= 8) {
        size_t limit = size_t { 1 } << bits_per_pixel;
        for (int y = bitmap.Height() - 1; y >= 0; --y) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                Pixel p = bitmap.Row(y)[x] & 0xFFFFFF;
                if (index_of.contains(p))
                    continue;
                if (palette.size() == limit)
                    throw ImageError("A picture of more than " + std::to_string(limit)
                        + " colours cannot be written with " + std::to_string(bits_per_pixel) + " bits per pixel");
                index_of[p] = static_cast<uint8_t>(palette.size());
                palette.push_back(p);
            }
        }
    }
    uint32_t stride = (static_cast<uint32_t>(bitmap.Width()) * bits_per_pixel + 31) / 32 * 4;
    uint32_t image_size = stride * static_cast<uint32_t>(bitmap.Height());
    uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * static_cast<uint32_t>(palette.size());
    std::vector<uint8_t> out;
    out.reserve(offset + image_size);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + image_size);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(bitmap.Width()));
    Put32(out, static_cast<uint32_t>(bitmap.Height()));
    Put16(out, 1);
    Put16(out, static_cast<uint16_t>(bits_per_pixel));
    Put32(out, kBiRgb);
    Put32(out, image_size);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(palette.size()));
    Put32(out, 0);
    for (Pixel p : palette)
        Put32(out, p);
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        const Pixel* row = bitmap.Row(y);
        size_t start = out.size();
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bits_per_pixel == 8) {
                out.push_back(index_of[row[x] & 0xFFFFFF]);
            } else if (bits_per_pixel == 4) {
                uint8_t nibble = index_of[row[x] & 0xFFFFFF];
                if (x % 2 == 0)
                    out.push_back(static_cast<uint8_t>(nibble << 4));
                else
                    out.back() |= nibble;
            } else {
                out.push_back(static_cast<uint8_t>(row[x]));
                out.push_back(static_cast<uint8_t>(row[x] >> 8));
                out.push_back(static_cast<uint8_t>(row[x] >> 16));
                if (bits_per_pixel == 32)
                    out.push_back(0);
            }
        }
        out.resize(start + stride, 0);
    }
    return out;
}

void BmpCodec::WriteFile(const std::string& path, const Bitmap& bitmap, int bits_per_pixel)
{
    std::vector<uint8_t> bytes = Write(bitmap, bits_per_pixel);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw ImageError("Cannot write picture file " + path);
}

}
