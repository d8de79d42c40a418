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

TEST(Resources, CachedBitmapsAreDecodedOnceAndFollowANewRegistration)
{
    auto first = Resources::CachedBitmap("test_mono");
    EXPECT_EQ(first, Resources::CachedBitmap("TEST_MONO"));
    EXPECT_EQ(*first, Resources::LoadBitmap("TEST_MONO"));
    EXPECT_THROW(Resources::CachedBitmap("NO_SUCH_RESOURCE"), ResourceError);

    static const std::vector<uint8_t> replacement = BmpCodec::Write(Bitmap(2, 3, clRed));
    Resources::Register("TEST_CACHE_SWAP", replacement.data(), replacement.size());
    auto before = Resources::CachedBitmap("TEST_CACHE_SWAP");
    static const std::vector<uint8_t> other = BmpCodec::Write(Bitmap(4, 1, clBlue));
    Resources::Register("test_cache_swap", other.data(), other.size());
    auto after = Resources::CachedBitmap("TEST_CACHE_SWAP");
    EXPECT_EQ(after->Width(), 4);
    // Whoever held the old picture still has it whole.
    EXPECT_EQ(before->Width(), 2);
    EXPECT_EQ(before->GetPixel(1, 2), clRed);
}

}
}
