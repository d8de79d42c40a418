// HLS and DASH as real services send them: master playlists with variants,
// live playlists whose window slides, DASH manifests, servers that insist on
// a user agent. The media is made by ffmpeg on the spot and served on
// loopback.
#include "player/mpv/mpv_player.h"

#include "tests/player_mpv/file_server.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

extern char** environ;

namespace pellamo {
namespace {

using namespace std::chrono_literals;
using State = PlayerStatus::State;

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

const std::string kFfmpeg = "ffmpeg -nostdin -hide_banner -loglevel error -y ";
const std::string kSource
    = "-f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440:sample_rate=44100 ";

bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }

size_t CountRequests(const std::vector<std::string>& requests, const std::string& path)
{
    return static_cast<size_t>(std::count_if(
        requests.begin(), requests.end(), [&](const std::string& r) { return r.starts_with("GET " + path + " "); }));
}

size_t CountRequestsEnding(const std::vector<std::string>& requests, const std::string& ending)
{
    return static_cast<size_t>(std::count_if(requests.begin(), requests.end(), [&](const std::string& r) {
        std::string line = r.substr(0, r.find(" HTTP/"));
        return line.ends_with(ending);
    }));
}

class AdaptiveStreamTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/pellamo_adaptive_XXXXXX";
        dir_ = mkdtemp(pattern);
    }
    void TearDown() override
    {
        if (live_ > 0) {
            kill(live_, SIGTERM);
            waitpid(live_, nullptr, 0);
        }
        std::filesystem::remove_all(dir_);
    }

    bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 15s)
    {
        return loop_.WaitUntil(done, timeout);
    }

    // ffmpeg writing a live HLS playlist in real time: three segments of a
    // second in the window, older segments deleted.
    bool StartLive()
    {
        std::string out = (dir_ / "live").string();
        std::filesystem::create_directories(out);
        std::vector<std::string> args = { "ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-re", "-f",
            "lavfi", "-i", "testsrc=size=320x240:rate=25", "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100",
            "-t", "60", "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "25", "-c:a", "mp2",
            "-f", "hls", "-hls_time", "1", "-hls_list_size", "3", "-hls_flags", "delete_segments+temp_file",
            out + "/live.m3u8" };
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        return posix_spawnp(&live_, "ffmpeg", nullptr, nullptr, argv.data(), environ) == 0;
    }

    std::filesystem::path dir_;
    pid_t live_ = 0;
    EventLoop loop_;
};

// The master playlist, a variant's playlist and its segments are asked for
// with the user agent the address names; without it the server refuses and
// the player says the stream failed.
TEST_F(AdaptiveStreamTest, MasterPlaylistWithVariantsPlaysWithTheUserAgentItNeeds)
{
    for (auto [name, size] : { std::pair { "low", "160x120" }, std::pair { "high", "320x240" } }) {
        std::filesystem::create_directories(dir_ / name);
        ASSERT_TRUE(RunCommand(kFfmpeg + kSource + "-t 8 -s " + size
            + " -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 25 -c:a mp2 -f hls -hls_time 1 "
            + "-hls_playlist_type vod " + (dir_ / name / "index.m3u8").string()))
            << "ffmpeg could not make the " << name << " variant";
    }
    std::ofstream(dir_ / "master.m3u8") << "#EXTM3U\n"
                                           "#EXT-X-STREAM-INF:BANDWIDTH=200000,RESOLUTION=160x120\nlow/index.m3u8\n"
                                           "#EXT-X-STREAM-INF:BANDWIDTH=800000,RESOLUTION=320x240\nhigh/index.m3u8\n";
    FileServer server(dir_, "User-Agent: Mozilla/5.0 (PellamoTest)");
    MpvPlayer player(loop_);
    player.SetVideoSize(320, 240);

    player.SetAddress(U16(server.Url("/master.m3u8")));
    ASSERT_TRUE(WaitFor([&] { return player.Status().state == State::Error; })) << player.Status().Text();
    EXPECT_GE(server.Refused(), 1);

    size_t before = server.Requests().size();
    player.SetAddress(U16(server.Url("/master.m3u8") + "|User-Agent=Mozilla/5.0%20(PellamoTest)"));
    ASSERT_TRUE(WaitFor([&] { return player.FramesRendered() > 0 && player.Status().elapsed_seconds > 1.5; }))
        << player.Status().Text() << " frames " << player.FramesRendered() << " at " << player.Status().elapsed_seconds;
    std::vector<std::string> requests = server.Requests();
    requests.erase(requests.begin(), requests.begin() + static_cast<long>(before));
    EXPECT_GE(CountRequests(requests, "/master.m3u8"), 1u);
    EXPECT_GE(CountRequests(requests, "/low/index.m3u8") + CountRequests(requests, "/high/index.m3u8"), 1u);
    EXPECT_GE(CountRequestsEnding(requests, ".ts"), 2u);
    for (const std::string& r : requests)
        EXPECT_NE(std::string::npos, r.find("\r\nUser-Agent: Mozilla/5.0 (PellamoTest)\r\n")) << r;
}

// A live playlist keeps three seconds in its window; playing on well past
// them means the player follows the window as it slides.
TEST_F(AdaptiveStreamTest, LivePlaylistWithASlidingWindowPlaysOn)
{
    ASSERT_TRUE(StartLive());
    std::filesystem::path playlist = dir_ / "live" / "live.m3u8";
    // Nothing of the loop's wakes it for a file: look every tenth of a second.
    auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!(std::filesystem::exists(playlist) && test::ReadFile(playlist).find("live2.ts") != std::string::npos)) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "ffmpeg made no live playlist";
        std::this_thread::sleep_for(100ms);
    }
    FileServer server(dir_);
    MpvPlayer player(loop_);
    player.SetVideoSize(320, 240);
    player.SetAddress(U16(server.Url("/live/live.m3u8")));
    ASSERT_TRUE(WaitFor([&] { return player.Status().elapsed_seconds > 6.0; }, 30s)) << player.Status().Text();
    EXPECT_TRUE(player.Status().state == State::Playing || player.Status().state == State::Buffering)
        << player.Status().Text();
    EXPECT_GT(player.FramesRendered(), 25u);
    std::vector<std::string> requests = server.Requests();
    EXPECT_GE(CountRequests(requests, "/live/live.m3u8"), 3u) << "the playlist is read again as it slides";
    EXPECT_EQ(std::string::npos, test::ReadFile(playlist).find("live0.ts")) << "the window did not slide";
}

TEST_F(AdaptiveStreamTest, DashManifestPlays)
{
    std::filesystem::create_directories(dir_ / "dash");
    ASSERT_TRUE(RunCommand(kFfmpeg + kSource
        + "-t 8 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -g 25 -c:a aac -f dash -seg_duration 1 "
        + (dir_ / "dash" / "manifest.mpd").string()))
        << "ffmpeg could not make the DASH stream";
    FileServer server(dir_);
    MpvPlayer player(loop_);
    player.SetVideoSize(320, 240);
    player.SetAddress(U16(server.Url("/dash/manifest.mpd")));
    ASSERT_TRUE(WaitFor([&] { return player.FramesRendered() > 0 && player.Status().elapsed_seconds > 1.5; }))
        << player.Status().Text();
    EXPECT_FALSE(player.Status().audio_only);
    EXPECT_GE(CountRequestsEnding(server.Requests(), ".m4s"), 2u);
}

}
}
