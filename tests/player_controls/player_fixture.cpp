#include "tests/player_controls/player_fixture.h"

#include "player/mpv/mpv_library.h"
#include "tests/player_mpv/test_media.h"
#include "tests/support/files.h"

#include <cstdlib>
#include <set>

namespace pellamo::test {

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

void PlayerFixture::SetUpTestSuite()
{
    char pattern[] = "/tmp/pellamo_controls_XXXXXX";
    s_dir = mkdtemp(pattern);
    ASSERT_TRUE(MakeTestMedia(s_dir, kSeconds)) << "ffmpeg could not make the test media";
    // Loaded before the tests, so an engine starts with the first address.
    ASSERT_TRUE(MpvLibrary::Shared().Load()) << MpvLibrary::Shared().Error();
}

void PlayerFixture::TearDownTestSuite() { std::filesystem::remove_all(s_dir); }

std::string PlayerFixture::Media(const std::string& name) { return ReadFile(s_dir / name); }

StreamServer::Options PlayerFixture::Live(const std::string& body)
{
    StreamServer::Options options;
    options.bytes_per_second = body.size() / kSeconds * 3 / 2;
    options.burst_bytes = 64 * 1024;
    return options;
}

bool PlayerFixture::WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    return loop.WaitUntil(done, timeout);
}

void PlayerFixture::Idle(std::chrono::milliseconds time)
{
    loop.WaitUntil([] { return false; }, time);
}

bool PlayerFixture::AllBlack(const Bitmap& bitmap, const Rect& area)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if ((bitmap.GetPixel(x, y) & 0xFFFFFF) != 0)
                return false;
    return true;
}

size_t PlayerFixture::Colours(const Bitmap& bitmap, const Rect& area)
{
    std::set<uint32_t> colours;
    for (int y = area.top; y < area.bottom; y += 2)
        for (int x = area.left; x < area.right; x += 2)
            colours.insert(bitmap.GetPixel(x, y) & 0xFFFFFF);
    return colours.size();
}

}
