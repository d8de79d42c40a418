#include "platform/gfx/jpeg_decoder.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

using test::GfxFixture;

// JPEG is lossy: colours are compared with a tolerance.
void ExpectNear(TColor actual, TColor expected, const std::string& where)
{
    EXPECT_NEAR(RedOf(actual), RedOf(expected), 24) << where;
    EXPECT_NEAR(GreenOf(actual), GreenOf(expected), 24) << where;
    EXPECT_NEAR(BlueOf(actual), BlueOf(expected), 24) << where;
}

TEST(JpegDecode, ColourGreyProgressiveAndCmykPictures)
{
    // 16 x 16: top-left quarter red, top-right blue, bottom half lime.
    struct Case {
        const char* file;
        bool grey;
    } cases[] = { { "halves.jpg", false }, { "progressive.jpg", false }, { "cmyk.jpg", false }, { "gray.jpg", true } };
    for (const Case& c : cases) {
        Bitmap b = JpegDecoder::DecodeFile(GfxFixture(c.file));
        ASSERT_EQ(b.Width(), 16) << c.file;
        ASSERT_EQ(b.Height(), 16) << c.file;
        if (c.grey) {
            TColor p = b.GetPixel(2, 2);
            EXPECT_EQ(RedOf(p), GreenOf(p)) << c.file;
            EXPECT_EQ(GreenOf(p), BlueOf(p)) << c.file;
            continue;
        }
        ExpectNear(b.GetPixel(2, 2), clRed, std::string(c.file) + " red");
        ExpectNear(b.GetPixel(13, 2), clBlue, std::string(c.file) + " blue");
        ExpectNear(b.GetPixel(8, 13), clLime, std::string(c.file) + " lime");
    }
}

TEST(JpegDecode, TheProgramsOwnPictures)
{
    std::string pictures = test::SourcePath("resources/pictures/");
    struct Case {
        const char* file;
        int width, height;
    } cases[] = { { "load.jpg", 400, 200 }, { "logo.jpg", 64, 64 } };
    for (const Case& c : cases) {
        Bitmap b = JpegDecoder::DecodeFile(pictures + c.file);
        EXPECT_EQ(b.Width(), c.width) << c.file;
        EXPECT_EQ(b.Height(), c.height) << c.file;
    }
}

TEST(JpegDecode, DamagedOrOversizedInputThrows)
{
    std::vector<uint8_t> good = test::ReadBytes(GfxFixture("halves.jpg"));
    ASSERT_GT(good.size(), 100u);
    EXPECT_THROW(JpegDecoder::Decode({}), ImageError);
    EXPECT_THROW(JpegDecoder::Decode(std::span(good.data(), 2)), ImageError);
    // A file cut inside its header is an error, not a process exit.
    EXPECT_THROW(JpegDecoder::Decode(std::span(good.data(), 40)), ImageError);
    std::vector<uint8_t> not_jpeg(200, 0x42);
    EXPECT_THROW(JpegDecoder::Decode(not_jpeg), ImageError);
    try {
        JpegDecoder::Decode(good, 255);
        ADD_FAILURE() << "oversized picture accepted";
    } catch (const ImageError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
    EXPECT_THROW(JpegDecoder::DecodeFile("/nonexistent/picture.jpg"), ImageError);
    // Every prefix either decodes (libjpeg pads missing scan data) or throws.
    for (size_t n = 0; n < good.size(); ++n) {
        try {
            JpegDecoder::Decode(std::span(good.data(), n));
        } catch (const ImageError&) {
        }
    }
}

}
}
