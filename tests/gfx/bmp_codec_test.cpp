#include "platform/gfx/bmp_codec.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace pellamo {
namespace {

void Put(std::vector<uint8_t>& b, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A BMP file with a 40-byte header (or `header_size` bytes, zero padded),
// optional masks after it, a palette of 0x00RRGGBB entries and raw rows
// (each already padded as the file wants it).
struct BmpFields {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bpp = 24;
    uint32_t compression = 0;
    uint32_t colors_used = 0;
    std::vector<uint32_t> masks;
    std::vector<uint32_t> palette;
    std::vector<uint8_t> pixels;
    uint32_t header_size = 40;
};

std::vector<uint8_t> Build(const BmpFields& s)
{
    std::vector<uint8_t> b;
    uint32_t offset = 14 + s.header_size + 4 * static_cast<uint32_t>(s.masks.size() + s.palette.size());
    b.push_back('B');
    b.push_back('M');
    Put(b, offset + static_cast<uint32_t>(s.pixels.size()), 4);
    Put(b, 0, 4);
    Put(b, offset, 4);
    Put(b, s.header_size, 4);
    Put(b, static_cast<uint32_t>(s.width), 4);
    Put(b, static_cast<uint32_t>(s.height), 4);
    Put(b, 1, 2);
    Put(b, s.bpp, 2);
    Put(b, s.compression, 4);
    Put(b, 0, 4);
    Put(b, 0, 4);
    Put(b, 0, 4);
    Put(b, s.colors_used, 4);
    Put(b, 0, 4);
    b.resize(14 + s.header_size, 0);
    for (uint32_t m : s.masks)
        Put(b, m, 4);
    for (uint32_t c : s.palette)
        Put(b, c, 4);
    b.insert(b.end(), s.pixels.begin(), s.pixels.end());
    return b;
}

TEST(BmpRoundTrip, WrittenFilesReadBackIdentically)
{
    std::mt19937 rng(7);
    for (int bpp : { 24, 32 }) {
        for (auto [w, h] : { std::pair { 1, 1 }, std::pair { 3, 2 }, std::pair { 5, 7 }, std::pair { 64, 3 } }) {
            Bitmap bmp(w, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    bmp.SetPixel(x, y, static_cast<TColor>(rng() & 0xFFFFFF));
            std::vector<uint8_t> file = BmpCodec::Write(bmp, bpp);
            // Rows are padded to 4 bytes, bottom-up.
            size_t stride = (static_cast<size_t>(w) * bpp / 8 + 3) / 4 * 4;
            EXPECT_EQ(file.size(), 54 + stride * h);
            EXPECT_TRUE(BmpCodec::Read(file) == bmp) << bpp << " bpp " << w << "x" << h;
        }
    }
    EXPECT_THROW(BmpCodec::Write(Bitmap(1, 1), 16), ImageError);
}

TEST(BmpRoundTrip, PalettisedFilesKeepEveryColourAndPackRows)
{
    // As many colours as the depth holds, odd widths so that 4-bit rows end
    // in half a byte and every row needs padding.
    for (int bpp : { 4, 8 }) {
        int colours = 1 << bpp;
        for (auto [w, h] : { std::pair { 1, 1 }, std::pair { 3, 2 }, std::pair { 17, 16 }, std::pair { 5, 7 } }) {
            Bitmap bmp(w, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    bmp.SetPixel(x, y, Rgb(static_cast<uint8_t>((y * w + x) % colours), 0x40, 0x80));
            std::vector<uint8_t> file = BmpCodec::Write(bmp, bpp);
            size_t used = std::min(static_cast<size_t>(w) * h, static_cast<size_t>(colours));
            size_t stride = (static_cast<size_t>(w) * bpp + 31) / 32 * 4;
            EXPECT_EQ(file.size(), 54 + 4 * used + stride * h) << bpp << " bpp " << w << "x" << h;
            EXPECT_EQ(file[28], bpp);
            EXPECT_TRUE(BmpCodec::Read(file) == bmp) << bpp << " bpp " << w << "x" << h;
        }
    }
}

TEST(BmpRoundTrip, PalettisedWriteRefusesMoreColoursThanTheDepthHolds)
{
    Bitmap bmp(17, 1);
    for (int x = 0; x < 17; ++x)
        bmp.SetPixel(x, 0, Rgb(static_cast<uint8_t>(x), 0, 0));
    EXPECT_THROW(BmpCodec::Write(bmp, 4), ImageError);
    EXPECT_NO_THROW(BmpCodec::Write(bmp, 8));
}

TEST(BmpRead, IndexedDepthsBothRowOrders)
{
    // 3 x 2 pixels: palette indices 0 1 2 / 2 1 0.
    const std::vector<uint32_t> palette = { 0xFF0000, 0x00FF00, 0x0000FF };
    const TColor colours[] = { clRed, clLime, clBlue };
    struct Case {
        uint16_t bpp;
        std::vector<uint8_t> top_row, bottom_row; // padded rows
    } cases[] = {
        { 8, { 0, 1, 2, 0 }, { 2, 1, 0, 0 } },
        { 4, { 0x01, 0x20, 0, 0 }, { 0x21, 0x00, 0, 0 } },
    };
    for (const Case& c : cases) {
        for (bool top_down : { false, true }) {
            BmpFields s;
            s.width = 3;
            s.height = top_down ? -2 : 2;
            s.bpp = c.bpp;
            s.palette = palette;
            s.colors_used = 3;
            s.pixels = top_down ? c.top_row : c.bottom_row;
            const auto& second = top_down ? c.bottom_row : c.top_row;
            s.pixels.insert(s.pixels.end(), second.begin(), second.end());
            Bitmap b = BmpCodec::Read(Build(s));
            ASSERT_EQ(b.Width(), 3);
            ASSERT_EQ(b.Height(), 2);
            const int top[] = { 0, 1, 2 }, bottom[] = { 2, 1, 0 };
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(b.GetPixel(x, 0), colours[top[x]]) << c.bpp << " " << top_down << " x" << x;
                EXPECT_EQ(b.GetPixel(x, 1), colours[bottom[x]]) << c.bpp << " " << top_down << " x" << x;
            }
        }
    }
}

TEST(BmpRead, FilesFromAnotherEncoder)
{
    // Written by ImageMagick: 4 bpp, 3 x 2, white with red at (0,0) and
    // blue at (2,1); 1 bpp, 10 x 3, white with black at (0,0) and (9,2).
    Bitmap p = BmpCodec::Read(test::ReadBytes(test::GfxFixture("palette4.bmp")));
    ASSERT_EQ(p.Width(), 3);
    EXPECT_EQ(p.GetPixel(0, 0), clRed);
    EXPECT_EQ(p.GetPixel(2, 1), clBlue);
    EXPECT_EQ(p.GetPixel(1, 0), clWhite);

    Bitmap m = BmpCodec::Read(test::ReadBytes(test::GfxFixture("mono.bmp")));
    ASSERT_EQ(m.Width(), 10);
    ASSERT_EQ(m.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(m.GetPixel(x, y), (x == 0 && y == 0) || (x == 9 && y == 2) ? clBlack : clWhite) << x << "," << y;

    // The program's icon, 8 bpp.
    Bitmap icon = BmpCodec::ReadFile(test::SourcePath("resources/pictures/icon.bmp"));
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);
}

TEST(BmpRead, SixteenAndThirtyTwoBitsWithAndWithoutMasks)
{
    struct Case {
        const char* name;
        uint16_t bpp;
        uint32_t compression;
        std::vector<uint32_t> masks;
        std::vector<uint8_t> pixel; // one pixel, padded
        TColor expected;
    } cases[] = {
        { "555", 16, 0, {}, { 0x1F, 0x7C, 0, 0 }, Rgb(255, 0, 255) }, // 0x7C1F
        { "565", 16, 3, { 0xF800, 0x07E0, 0x001F }, { 0xE0, 0x07, 0, 0 }, Rgb(0, 255, 0) }, // 0x07E0
        { "bgrx", 32, 0, {}, { 0x10, 0x20, 0x30, 0x99 }, Rgb(0x30, 0x20, 0x10) },
        { "rgba masks", 32, 3, { 0x000000FF, 0x0000FF00, 0x00FF0000 }, { 0x10, 0x20, 0x30, 0x00 },
            Rgb(0x10, 0x20, 0x30) },
    };
    for (const Case& c : cases) {
        BmpFields s;
        s.bpp = c.bpp;
        s.compression = c.compression;
        s.masks = c.masks;
        s.pixels = c.pixel;
        EXPECT_EQ(BmpCodec::Read(Build(s)).GetPixel(0, 0), c.expected) << c.name;
    }
}

TEST(BmpRead, DamagedFilesAreRefusedWithAClearError)
{
    BmpFields good;
    good.width = 2;
    good.height = 2;
    good.pixels.assign(16, 0x80);
    std::vector<uint8_t> valid = Build(good);
    ASSERT_NO_THROW(BmpCodec::Read(valid));

    auto with = [&](auto change) {
        BmpFields s = good;
        change(s);
        return Build(s);
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        { "empty", {}, "too short" },
        { "bad signature",
            [&] {
                auto b = valid;
                b[0] = 'X';
                return b;
            }(),
            "signature" },
        { "zero width", with([](BmpFields& s) { s.width = 0; }), "no pixels" },
        { "negative width", with([](BmpFields& s) { s.width = -2; }), "no pixels" },
        { "huge size", with([](BmpFields& s) {
             s.width = 1 << 20;
             s.height = 1 << 20;
         }),
            "too large" },
        { "truncated pixels", with([](BmpFields& s) { s.pixels.resize(9); }), "truncated" },
        { "bit depth 2", with([](BmpFields& s) { s.bpp = 2; }), "bit depth" },
        { "rle", with([](BmpFields& s) {
             s.bpp = 8;
             s.compression = 1;
         }),
            "RLE" },
        { "jpeg inside", with([](BmpFields& s) { s.compression = 4; }), "compression" },
        { "bitfields on 24 bpp", with([](BmpFields& s) { s.compression = 3; }), "compression" },
        { "palette too big", with([](BmpFields& s) {
             s.bpp = 4;
             s.colors_used = 17;
         }),
            "palette" },
        { "palette truncated", with([](BmpFields& s) {
             s.bpp = 8;
             s.colors_used = 200;
             s.pixels.clear();
         }),
            "truncated" },
        { "odd header", with([](BmpFields& s) { s.header_size = 44; }), "header size" },
    };
    for (const Case& c : cases) {
        try {
            BmpCodec::Read(c.bytes);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const ImageError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.name << ": " << e.what();
        }
    }
    // Every shorter prefix of a valid file is refused (and never over-read).
    for (size_t n = 0; n + 2 < valid.size(); ++n)
        EXPECT_THROW(BmpCodec::Read(std::span(valid.data(), n)), ImageError) << n;
    EXPECT_THROW(BmpCodec::ReadFile("/nonexistent/picture.bmp"), ImageError);
}

}
}
