#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/jpeg_decoder.h"
#include "platform/gfx/resources.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

TEST(Resources, CompiledInFilesAreFoundByNameWithoutCase)
{
    auto bmp = Resources::Find("test_palette4");
    ASSERT_TRUE(bmp.has_value());
    std::vector<uint8_t> file = test::ReadBytes(test::GfxFixture("palette4.bmp"));
    EXPECT_TRUE(std::equal(bmp->begin(), bmp->end(), file.begin(), file.end()));
    EXPECT_EQ(Resources::LoadBitmap("Test_Palette4").Width(), 3);

    EXPECT_EQ(Resources::LoadBitmap("TEST_MONO").Width(), 10);

    auto jpeg = Resources::Get("TEST_HALVES_JPEG");
    EXPECT_EQ(jpeg.size(), test::ReadBytes(test::GfxFixture("halves.jpg")).size());
    EXPECT_EQ(JpegDecoder::Decode(jpeg).Width(), 16);
}

TEST(Resources, MissingNamesAreReported)
{
    EXPECT_FALSE(Resources::Find("NO_SUCH_RESOURCE").has_value());
    try {
        Resources::LoadBitmap("MACOS_NOTHING");
        ADD_FAILURE() << "no error";
    } catch (const ResourceError& e) {
        EXPECT_STREQ(e.what(), "Resource MACOS_NOTHING not found");
    }
    // A resource that is not a BMP file fails as a picture.
    EXPECT_THROW(Resources::LoadBitmap("TEST_HALVES_JPEG"), ImageError);
}

}
}
