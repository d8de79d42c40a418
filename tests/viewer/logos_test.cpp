#include "viewer/logo_cache.h"
#include "viewer/logo_picture.h"

#include "platform/gfx/png_file.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <filesystem>

namespace pellamo {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::span<const uint8_t> Bytes(const std::string& s)
{
    return { reinterpret_cast<const uint8_t*>(s.data()), s.size() };
}

// A PNG file, left half red and right half blue.
std::string HalvesPng(const TempDir& dir, int width, int height)
{
    Bitmap bitmap(width, height, clRed);
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x)
            bitmap.SetPixel(x, y, clBlue);
    std::string path = dir.Path() + "/halves.png";
    WritePngFile(bitmap, path);
    return test::ReadFile(path);
}

// `png` claiming another size in its header, the checksum made to match.
std::string Resized(std::string png, uint32_t width, uint32_t height)
{
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            png[at + static_cast<size_t>(i)] = static_cast<char>(v >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
    put(29, static_cast<uint32_t>(crc));
    return png;
}

TEST(LogoPicture, PngAndJpegAreFittedWithTheirProportions)
{
    TempDir dir;
    std::optional<Bitmap> png = DecodeLogo(Bytes(HalvesPng(dir, 64, 32)), 16, clWhite);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->Width(), 16);
    EXPECT_EQ(png->Height(), 16);
    EXPECT_EQ(png->GetPixel(8, 1), clWhite); // above the picture: 16 x 8 in the middle
    EXPECT_EQ(png->GetPixel(2, 8), clRed);
    EXPECT_EQ(png->GetPixel(13, 8), clBlue);
    EXPECT_EQ(png->GetPixel(8, 14), clWhite);

    std::optional<Bitmap> jpeg = DecodeLogo(Bytes(test::ReadFile(test::GfxFixture("halves.jpg"))), 48, clWhite);
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->Width(), 48);
}

TEST(LogoPicture, BrokenHugeOrForeignPicturesGiveNothing)
{
    TempDir dir;
    std::string png = HalvesPng(dir, 8, 8);
    std::string jpeg = test::ReadFile(test::GfxFixture("halves.jpg"));
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        { "empty", "" },
        { "text", "<html>not found</html>" },
        { "PNG signature alone", png.substr(0, 8) },
        { "truncated PNG", png.substr(0, png.size() / 2) },
        { "PNG claiming 100000 pixels a side", Resized(png, 100000, 100000) },
        { "PNG claiming 2049 x 1", Resized(png, 2049, 1) },
        { "truncated JPEG", jpeg.substr(0, 20) },
        { "over the size limit", png + std::string(kMaxLogoBytes, '\0') },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(DecodeLogo(Bytes(c.bytes), 16, clWhite));
    }
}

TEST(LogoCache, KeepsByAddressAndPutsOutTheLeastRecentlyUsed)
{
    TempDir dir;
    LogoCache cache(fs::path(dir.Path()) / "logos", 1000);
    EXPECT_EQ(cache.Read("http://l.example/a.png"), std::nullopt);
    auto stored_at = [&](const char* address, int age_seconds) {
        cache.Store(address, std::string(300, address[17]));
        fs::last_write_time(
            cache.FileFor(address), fs::file_time_type::clock::now() - std::chrono::seconds(age_seconds));
    };
    stored_at("http://l.example/a.png", 40);
    stored_at("http://l.example/b.png", 30);
    stored_at("http://l.example/c.png", 20);
    EXPECT_EQ(cache.Size(), 900u);
    // Using the oldest makes it the newest.
    EXPECT_EQ(cache.Read("http://l.example/a.png"), std::string(300, 'a'));
    cache.Store("http://l.example/d.png", std::string(300, 'd'));
    EXPECT_LE(cache.Size(), 1000u);
    EXPECT_EQ(cache.Read("http://l.example/b.png"), std::nullopt);
    EXPECT_TRUE(cache.Read("http://l.example/a.png"));
    EXPECT_TRUE(cache.Read("http://l.example/c.png"));
    EXPECT_TRUE(cache.Read("http://l.example/d.png"));
    // Names tell nothing of the address, and files of others are left alone.
    EXPECT_EQ(cache.FileFor("http://l.example/../../etc/passwd").parent_path(), cache.Directory());
    EXPECT_NE(cache.FileFor("http://l.example/a.png"), cache.FileFor("http://l.example/b.png"));
    std::string mine = dir.Write("logos/notes.txt", std::string(5000, 'x'));
    cache.Evict();
    EXPECT_TRUE(fs::exists(mine));
}

TEST(LogoCache, DefaultDirectoryFollowsXdgCacheHome)
{
    const char* old = std::getenv("XDG_CACHE_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_CACHE_HOME", "/tmp/cache", 1);
    EXPECT_EQ(LogoCache::DefaultDirectory(), "/tmp/cache/pellamo/logos");
    if (old)
        setenv("XDG_CACHE_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CACHE_HOME");
}

}
}
