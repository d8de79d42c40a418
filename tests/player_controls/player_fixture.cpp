#include "tests/player_controls/player_fixture.h"

#include "player/mpv/mpv_library.h"
#include "tests/player_mpv/test_media.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace pellamo::test {

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

PlayerFixture::PlayerFixture()
{
    app.MessageBoxFunction = [this](const std::string& text, const std::string&, UINT) {
        boxes.push_back(text);
        return IDOK;
    };
}

void PlayerFixture::SetUpTestSuite()
{
    char pattern[] = "/tmp/pellamo_controls_XXXXXX";
    s_dir = mkdtemp(pattern);
    ASSERT_TRUE(MakeTestMedia(s_dir, kSeconds)) << "ffmpeg could not make the test media";
    // Loaded before the tests, so an engine starts with the first address.
    ASSERT_TRUE(MpvLibrary::Shared().Load()) << MpvLibrary::Shared().Error();
}

void PlayerFixture::TearDownTestSuite() { std::filesystem::remove_all(s_dir); }

std::string PlayerFixture::Media(const std::string& name)
{
    std::ifstream in(s_dir / name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

StreamServer::Options PlayerFixture::Live(const std::string& body)
{
    StreamServer::Options options;
    options.bytes_per_second = body.size() / kSeconds * 3 / 2;
    options.burst_bytes = 64 * 1024;
    return options;
}

int PlayerFixture::RefusedPort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

bool PlayerFixture::WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    return loop.WaitUntil(done, timeout);
}

void PlayerFixture::Idle(std::chrono::milliseconds time)
{
    loop.WaitUntil([] { return false; }, time);
}

void PlayerFixture::Pump()
{
    for (int i = 0; i < 10 && loop.ProcessMessages(); ++i) {
    }
    loop.ProcessMessages();
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
