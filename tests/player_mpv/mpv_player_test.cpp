#include "player/mpv/mpv_player.h"

#include "platform/text/gbk.h"
#include "player/mpv/mini_bar.h"
#include "tests/player_mpv/stream_server.h"
#include "tests/player_mpv/test_media.h"
#include "tests/support/files.h"
#include "tests/support/loopback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace pellamo {
namespace {

using namespace std::chrono_literals;
using test::ReadFile;
using test::UnusedPort;
using State = PlayerStatus::State;

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

bool AllBlack(const Bitmap& bitmap)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if ((bitmap.GetPixel(x, y) & 0xFFFFFF) != 0)
                return false;
    return true;
}

bool Reddish(TColor c) { return RedOf(c) > 150 && BlueOf(c) < 100; }
bool Bluish(TColor c) { return BlueOf(c) > 150 && RedOf(c) < 100; }

class MpvPlayerTest : public testing::Test {
protected:
    static constexpr int kSeconds = 20;

    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/pellamo_player_XXXXXX";
        s_dir = mkdtemp(pattern);
        ASSERT_TRUE(MakeTestMedia(s_dir, kSeconds)) << "ffmpeg could not make the test media";
        for (const char* colour : { "red", "blue" })
            ASSERT_TRUE(MakeColourMedia(s_dir, colour, kSeconds)) << "ffmpeg could not make " << colour;
    }

    static void TearDownTestSuite() { std::filesystem::remove_all(s_dir); }

    // Paced a little faster than it plays, like a live stream.
    static StreamServer::Options Live(const std::string& body, size_t drop_after = 0)
    {
        StreamServer::Options options;
        options.bytes_per_second = body.size() / kSeconds * 3 / 2;
        options.burst_bytes = 64 * 1024;
        options.drop_first_after = drop_after;
        return options;
    }

    bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s)
    {
        return loop.WaitUntil(done, timeout);
    }

    static inline std::filesystem::path s_dir;
    EventLoop loop;
};

TEST_F(MpvPlayerTest, PlaysVideoIntoTheBitmapAndStopsOnTheEmptyAddress)
{
    std::string body = ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body));
    MpvPlayer player(loop);
    player.SetVideoSize(463, 319);
    int frames_told = 0;
    player.OnFrame = [&] { ++frames_told; };

    player.SetAddress(U16(server.Url()));
    EXPECT_EQ(State::Connecting, player.Status().state);
    ASSERT_TRUE(WaitFor([&] { return player.FramesRendered() > 0 && !AllBlack(player.Frame()); }))
        << player.Status().Text();
    EXPECT_GT(frames_told, 0);
    EXPECT_FALSE(player.Status().audio_only);

    // The 4:3 picture in a wider area is letterboxed: black bars left and right.
    EXPECT_EQ(0u, player.Frame().GetPixel(2, 150) & 0xFFFFFF);
    EXPECT_EQ(0u, player.Frame().GetPixel(460, 150) & 0xFFFFFF);

    ASSERT_TRUE(WaitFor([&] { return player.Status().elapsed_seconds > 1.0; })) << player.Status().Text();
    EXPECT_EQ(State::Playing, player.Status().state);
    EXPECT_EQ("Playing 00:00:0", player.Status().Text().substr(0, 15));
    EXPECT_EQ(1, server.Open());

    player.SetAddress(u"");
    EXPECT_EQ(State::Idle, player.Status().state);
    EXPECT_TRUE(AllBlack(player.Frame()));
    EXPECT_TRUE(WaitFor([&] { return server.ClosedByClient() == 1 && server.Open() == 0; }, 5s));
    // Nothing more is drawn once stopped.
    uint64_t frames = player.FramesRendered();
    loop.WaitUntil([] { return false; }, 300ms);
    EXPECT_EQ(frames, player.FramesRendered());
    EXPECT_TRUE(AllBlack(player.Frame()));
}

// A resize draws the current picture again at the new size, also while
// paused, when no new frame would come to do it.
TEST_F(MpvPlayerTest, ResizeDrawsThePictureAgainEvenWhenPaused)
{
    std::string body = ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body));
    MpvPlayer player(loop);
    player.SetVideoSize(160, 120);
    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return player.FramesRendered() > 0; })) << player.Status().Text();
    EXPECT_EQ(160, player.Frame().Width());

    player.Pause();
    ASSERT_TRUE(WaitFor([&] { return player.Status().state == State::Paused; })) << player.Status().Text();
    player.SetVideoSize(320, 240);
    ASSERT_TRUE(WaitFor([&] { return player.Frame().Width() == 320; })) << player.Status().Text();
    EXPECT_EQ(240, player.Frame().Height());
    EXPECT_FALSE(AllBlack(player.Frame()));
    EXPECT_TRUE(player.HasPicture());
}

TEST_F(MpvPlayerTest, AudioOnlyStreamIsReportedForTheStatusDisplay)
{
    std::string body = ReadFile(s_dir / "audio.ts");
    StreamServer server(body, Live(body));
    MpvPlayer player(loop);
    player.SetVideoSize(463, 319);
    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return player.Status().elapsed_seconds > 0.5; })) << player.Status().Text();
    EXPECT_TRUE(player.Status().audio_only);
    EXPECT_EQ(State::Playing, player.Status().state);
    EXPECT_EQ(0u, player.FramesRendered());
}

// The viewer reads a sentence of ours naming the address; the engine's own
// words are kept for the log.
TEST_F(MpvPlayerTest, FailuresStayInsideThePlayer)
{
    struct Case {
        const char* name;
        std::string address;
        std::string error_part;
        std::string engine_url; // last address the engine was given
        bool engine_failed; // the engine, not our address check, refused it
    };
    int refused = UnusedPort();
    std::string host = "127.0.0.1:" + std::to_string(refused);
    StreamServer::Options plain_file;
    plain_file.close_at_end = true;
    plain_file.send_length = true;
    StreamServer not_media(std::string(64 * 1024, '\x5a'), plain_file);
    const Case cases[] = {
        { "unsupported format", not_media.Url("/page.html"), "not a stream the player knows",
            not_media.Url("/page.html"), true },
        { "unreachable http", "http://" + host + "/live", "the server refused the connection",
            "http://" + host + "/live", true },
        // MMS over HTTP first, then the TCP protocol.
        { "unreachable mms", "mms://" + host + "/live", "the server refused the connection", "mmst://" + host + "/live",
            true },
        // Catalogue addresses arrive as UTF-16 and reach the engine as UTF-8.
        { "non-ASCII path", "rtspt://" + host + "/\xe7\x94\xb5\xe8\xa7\x86", "",
            "rtsp://" + host + "/\xe7\x94\xb5\xe8\xa7\x86", true },
        { "scraped local file", "file:///etc/passwd", "not a network stream", "", false },
        { "engine protocol", "lavf://file:/etc/passwd", "not a network stream", "", false },
        { "bare text", "mms", "not a network stream address", "", false },
    };
    MpvPlayer player(loop);
    player.SetVideoSize(100, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        player.SetAddress(Utf8ToUtf16(c.address));
        ASSERT_TRUE(WaitFor([&] {
            return player.Status().state == State::Error
                && player.Status().Text().find(c.error_part) != std::string::npos;
        })) << player.Status().Text();
        const PlayerStatus& status = player.Status();
        EXPECT_EQ(0u, status.error.find("Cannot play \"" + c.address.substr(0, 20))) << status.error;
        EXPECT_EQ(c.engine_failed, !status.engine_text.empty()) << status.engine_text;
        EXPECT_EQ(c.engine_url, player.EngineUrl());
        // It stays an error: nothing retries behind the viewer's back.
        loop.WaitUntil([] { return false; }, 200ms);
        EXPECT_EQ(State::Error, player.Status().state);
        EXPECT_EQ(0u, player.FramesRendered());
    }
    // And the player still plays afterwards.
    std::string body = ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body));
    player.SetAddress(U16(server.Url()));
    EXPECT_TRUE(WaitFor([&] { return player.FramesRendered() > 0; })) << player.Status().Text();
}

TEST_F(MpvPlayerTest, RefusedAddressStopsWhatWasPlaying)
{
    std::string body = ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body));
    MpvPlayer player(loop);
    player.SetVideoSize(100, 100);
    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return player.FramesRendered() > 0; })) << player.Status().Text();
    player.SetAddress(u"file:///etc/passwd");
    EXPECT_EQ(State::Error, player.Status().state);
    EXPECT_TRUE(AllBlack(player.Frame()));
    EXPECT_TRUE(WaitFor([&] { return server.Open() == 0; }, 5s));
    EXPECT_EQ(1, server.Accepted());
}

// Clicks on the face's buttons, as the control passes them on.
TEST_F(MpvPlayerTest, FaceButtonsDriveTheStream)
{
    std::string body = ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body));
    MpvPlayer player(loop);
    MiniBar face(463, 343);
    player.SetVideoSize(face.Video().Width(), face.Video().Height());
    auto click = [&](Rect button) { player.Click(face.HitTest({ button.left + 2, button.top + 2 })); };

    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] {
        return player.Status().state == State::Playing && player.Status().elapsed_seconds > 0.5;
    })) << player.Status().Text();

    click(face.PlayPause());
    ASSERT_TRUE(WaitFor([&] { return player.Status().state == State::Paused; })) << player.Status().Text();
    EXPECT_EQ("Paused 00:00:0", player.Status().Text().substr(0, 14));
    loop.WaitUntil([] { return false; }, 100ms);
    double paused_at = player.Status().elapsed_seconds;
    loop.WaitUntil([] { return false; }, 400ms);
    EXPECT_EQ(paused_at, player.Status().elapsed_seconds);

    click(face.PlayPause());
    EXPECT_TRUE(WaitFor([&] {
        return player.Status().state == State::Playing && player.Status().elapsed_seconds > paused_at;
    })) << player.Status().Text();

    click(face.Stop());
    EXPECT_EQ("Stopped", player.Status().Text());
    EXPECT_TRUE(AllBlack(player.Frame()));
    EXPECT_TRUE(WaitFor([&] { return server.Open() == 0; }, 5s));

    // Play after Stop opens the same address again.
    click(face.PlayPause());
    EXPECT_TRUE(WaitFor([&] { return player.Status().state == State::Playing; })) << player.Status().Text();
    EXPECT_EQ(2, server.Accepted());

    click(face.Mute());
    EXPECT_TRUE(player.Muted());
    click(face.Mute());
    EXPECT_FALSE(player.Muted());
    player.Click(face.HitTest({ face.Volume().left, face.Volume().top + 5 }));
    EXPECT_EQ(0, player.Volume());
    player.Click(face.HitTest({ face.Volume().right - 1, face.Volume().top + 5 }));
    EXPECT_EQ(100, player.Volume());
    player.SetVolume(140);
    EXPECT_EQ(100, player.Volume());

    // A click on the picture belongs to the control (full screen), not here.
    click(face.Video());
    EXPECT_EQ(State::Playing, player.Status().state);
}

// The player host's two controls: the hidden one gets the empty address and
// must fall silent while the other plays.
TEST_F(MpvPlayerTest, SwitchingBetweenTwoPlayersLeavesOneStreamOpen)
{
    std::string video = ReadFile(s_dir / "av.ts");
    std::string audio = ReadFile(s_dir / "audio.ts");
    StreamServer media_server(video, Live(video));
    StreamServer real_server(audio, Live(audio));
    MpvPlayer media(loop);
    MpvPlayer real(loop);
    media.SetVideoSize(100, 100);
    real.SetVideoSize(100, 100);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        real.SetAddress(u"");
        media.SetAddress(U16(media_server.Url()));
        ASSERT_TRUE(WaitFor([&] { return media.Status().state == State::Playing && real_server.Open() == 0; }));
        EXPECT_EQ(State::Idle, real.Status().state);

        media.SetAddress(u"");
        real.SetAddress(U16(real_server.Url()));
        ASSERT_TRUE(WaitFor([&] { return real.Status().state == State::Playing && media_server.Open() == 0; }));
        EXPECT_EQ(State::Idle, media.Status().state);
        EXPECT_TRUE(AllBlack(media.Frame()));
    }
}

// After a switch the picture is blank, with the connecting status, until the
// new stream's first frame: never a frame of the previous stream, also when
// the new server is slow to answer. Frames of the old stream are in flight at
// each switch; several rounds give the races a chance.
TEST_F(MpvPlayerTest, NoPictureOfThePreviousStreamAfterASwitch)
{
    std::string red = ReadFile(s_dir / "red.ts");
    std::string blue = ReadFile(s_dir / "blue.ts");
    StreamServer red_server(red, Live(red));
    StreamServer blue_server(blue, Live(blue));
    StreamServer::Options slow = Live(blue);
    slow.reply_delay_ms = 1500;
    StreamServer slow_server(blue, slow);
    struct Case {
        const char* name;
        std::string to;
        int rounds;
    };
    const Case cases[] = { { "quick server", blue_server.Url(), 6 }, { "slow server", slow_server.Url(), 2 } };

    MpvPlayer player(loop);
    player.SetVideoSize(160, 120);
    auto centre = [&] { return player.Frame().GetPixel(80, 60); };
    bool switched = false;
    int pictures = 0, stale = 0;
    player.OnFrame = [&] {
        if (!switched || !player.HasPicture())
            return;
        ++pictures;
        if (!Bluish(centre()))
            ++stale;
    };
    for (const Case& c : cases) {
        for (int round = 0; round < c.rounds; ++round) {
            SCOPED_TRACE(std::string(c.name) + " round " + std::to_string(round));
            switched = false;
            player.SetAddress(U16(red_server.Url()));
            ASSERT_TRUE(WaitFor([&] { return player.HasPicture() && Reddish(centre()); })) << player.Status().Text();
            uint64_t red_frames = player.FramesRendered();
            ASSERT_TRUE(WaitFor([&] { return player.FramesRendered() > red_frames + 5; }));

            switched = true;
            pictures = stale = 0;
            player.SetAddress(U16(c.to));
            EXPECT_FALSE(player.HasPicture());
            EXPECT_EQ(State::Connecting, player.Status().state);
            if (c.to == slow_server.Url()) {
                loop.WaitUntil([] { return false; }, 1000ms);
                EXPECT_FALSE(player.HasPicture());
                EXPECT_EQ(State::Connecting, player.Status().state);
            }
            ASSERT_TRUE(WaitFor([&] { return pictures >= 5; })) << player.Status().Text();
            EXPECT_EQ(0, stale) << "pictures of the previous stream after the switch";
        }
    }
}

TEST_F(MpvPlayerTest, DroppedLiveStreamIsReconnected)
{
    std::string body = ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body, body.size() / 4));
    MpvPlayer player(loop);
    player.SetVideoSize(100, 100);
    bool saw_reconnecting = false;
    player.OnStatus = [&] { saw_reconnecting |= player.Status().state == State::Reconnecting; };
    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return server.Accepted() >= 2; }, 15s)) << player.Status().Text();
    ASSERT_TRUE(WaitFor([&] { return saw_reconnecting; })) << player.Status().Text();
    // The face goes back to playing by itself, and the picture never stopped.
    EXPECT_TRUE(WaitFor([&] { return player.Status().state == State::Playing; })) << player.Status().Text();
    uint64_t frames = player.FramesRendered();
    EXPECT_TRUE(WaitFor([&] { return player.FramesRendered() > frames + 10; })) << player.Status().Text();
    EXPECT_EQ(1, server.Open());
}

TEST_F(MpvPlayerTest, ServerThatKeepsClosingEndsInAnError)
{
    // The engine hears of reconnects from its network library's log, which
    // only the first engine alive is told; an engine that ended a moment
    // before must not have taken it along.
    for (bool after_another : { false, true }) {
        SCOPED_TRACE(after_another ? "right after another engine ended" : "the only engine");
        if (after_another) {
            std::string body = ReadFile(s_dir / "av.ts");
            StreamServer playing(body, Live(body));
            MpvPlayer first(loop);
            first.SetVideoSize(100, 100);
            first.SetAddress(U16(playing.Url()));
            ASSERT_TRUE(WaitFor([&] { return first.FramesRendered() > 0; })) << first.Status().Text();
        }
        // A short reply without a length, closed at once, again and again.
        StreamServer::Options options;
        options.close_at_end = true;
        StreamServer server(ReadFile(s_dir / "av.ts").substr(0, 2048), options);
        MpvPlayer player(loop);
        player.SetVideoSize(100, 100);
        player.SetAddress(U16(server.Url()));
        ASSERT_TRUE(WaitFor([&] { return player.Status().state == State::Error; })) << player.Status().Text();
        EXPECT_NE(std::string::npos, player.Status().error.find("keeps closing")) << player.Status().error;
        // The engine has ended the stream when the error is shown; the server's
        // thread may only be slow to take a connection made before that.
        loop.WaitUntil([] { return false; }, 200ms);
        int accepted = server.Accepted();
        EXPECT_LT(accepted, 20);
        loop.WaitUntil([] { return false; }, 500ms);
        EXPECT_EQ(accepted, server.Accepted()) << "no more attempts after giving up";
    }
}

// A page can point at a playlist; its entries must not reach local files.
TEST_F(MpvPlayerTest, NetworkPlaylistCannotOpenLocalFiles)
{
    std::string local = (s_dir / "av.ts").string();
    const std::string playlists[] = {
        "#EXTM3U\n" + local + "\n",
        "#EXTM3U\nfile://" + local + "\n",
        "[playlist]\nFile1=" + local + "\nNumberOfEntries=1\n",
    };
    for (const std::string& playlist : playlists) {
        SCOPED_TRACE(playlist);
        StreamServer::Options options;
        options.close_at_end = true;
        options.send_length = true;
        StreamServer server(playlist, options);
        MpvPlayer player(loop);
        player.SetVideoSize(100, 100);
        player.SetAddress(U16(server.Url("/list.m3u")));
        ASSERT_TRUE(WaitFor([&] { return server.Accepted() == 1 && server.Open() == 0; }));
        loop.WaitUntil([&] { return player.FramesRendered() > 0; }, 1500ms);
        EXPECT_EQ(0u, player.FramesRendered());
        EXPECT_NE(State::Playing, player.Status().state);
    }
}

// Stations often answer with a playlist pointing at the stream; its network
// entries are followed, and a dead entry ends in an error, not in waiting.
TEST_F(MpvPlayerTest, NetworkPlaylistLeadsToItsStream)
{
    std::string body = ReadFile(s_dir / "av.ts");
    StreamServer stream(body, Live(body));
    std::string dead = "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/live";
    struct Case {
        std::string entry;
        State expected;
    };
    const Case cases[] = { { stream.Url(), State::Playing }, { dead, State::Error } };
    MpvPlayer player(loop);
    player.SetVideoSize(100, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        StreamServer::Options options;
        options.close_at_end = true;
        options.send_length = true;
        StreamServer list("#EXTM3U\n" + c.entry + "\n", options);
        player.SetAddress(U16(list.Url("/live.m3u")));
        EXPECT_TRUE(WaitFor([&] { return player.Status().state == c.expected; })) << player.Status().Text();
    }
}

// The viewer's own mpv set-up (config, scripts, watch-later) is not ours to
// read or write.
TEST_F(MpvPlayerTest, IgnoresAndLeavesTheUsersMpvFiles)
{
    std::filesystem::path home = s_dir / "home";
    std::filesystem::path config = home / ".config" / "mpv";
    std::filesystem::create_directories(config / "scripts");
    std::ofstream(config / "mpv.conf") << "pause=yes\nmute=yes\nvolume=3\n";
    std::ofstream(config / "scripts" / "stop.lua")
        << "mp.register_event('file-loaded', function() mp.command('quit') end)\n";
    std::string old_home = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);

    // The sound system may keep its own files there; only mpv's count.
    auto mpv_files = [&] {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(home))
            if (entry.path().string().find("mpv") != std::string::npos)
                found.push_back(entry.path());
        std::sort(found.begin(), found.end());
        return found;
    };
    auto before = mpv_files();
    {
        std::string body = ReadFile(s_dir / "av.ts");
        StreamServer server(body, Live(body));
        MpvPlayer player(loop);
        player.SetVideoSize(100, 100);
        player.SetAddress(U16(server.Url()));
        EXPECT_TRUE(WaitFor([&] { return player.Status().elapsed_seconds > 0.5; })) << player.Status().Text();
        EXPECT_EQ(State::Playing, player.Status().state);
    }
    auto after = mpv_files();
    setenv("HOME", old_home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(before, after);
}

TEST_F(MpvPlayerTest, DestroyedWhilePlayingLeavesNoWorkBehind)
{
    std::string body = ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body));
    {
        MpvPlayer player(loop);
        player.SetVideoSize(100, 100);
        player.SetAddress(U16(server.Url()));
        ASSERT_TRUE(WaitFor([&] { return player.FramesRendered() > 0; }));
    }
    // Wake-ups queued by the engine before it went must find nothing to do.
    loop.WaitUntil([] { return false; }, 200ms);
    EXPECT_TRUE(WaitFor([&] { return server.Open() == 0; }, 5s));
}

// A server that answers only the user agent the playlist names; the fields
// an address carries go with its own requests and with no later stream's.
TEST_F(MpvPlayerTest, HeaderFieldsOfAnAddressReachItsServerOnly)
{
    std::string body = ReadFile(s_dir / "av.ts");
    StreamServer::Options picky = Live(body);
    picky.required_header = "User-Agent: PellamoTest/1.0 (X11, Linux)";
    StreamServer server(body, picky);
    StreamServer plain(body, Live(body));
    MpvPlayer player(loop);
    player.SetVideoSize(160, 120);

    auto header_lines = [](const std::string& request) {
        std::vector<std::string> lines;
        for (size_t at = request.find("\r\n"); at != std::string::npos;) {
            size_t end = request.find("\r\n", at + 2);
            if (end == std::string::npos)
                break;
            lines.push_back(request.substr(at + 2, end - at - 2));
            at = end;
        }
        return lines;
    };
    auto has_line = [&](const std::string& request, const std::string& line) {
        auto lines = header_lines(request);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };

    // Without the user agent: refused, and the player says it failed.
    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return player.Status().state == State::Error; })) << player.Status().Text();
    // The server counts the refusal after its reply went out.
    EXPECT_TRUE(WaitFor([&] { return server.Refused() >= 1; })) << server.Refused();

    player.SetAddress(U16(server.Url() + "|User-Agent=PellamoTest/1.0%20(X11,%20Linux)"
        + "&Referer=http%3A%2F%2Fportal.example%2Fwatch%3Fc%3D1&Cookie=session%3Dabc%2C%20lang%3Dzh&X-Forwarded-For=10."
          "0.0.1"));
    ASSERT_TRUE(WaitFor([&] { return player.FramesRendered() > 0 && player.Status().state == State::Playing; }))
        << player.Status().Text();
    std::string request = server.Requests().back();
    EXPECT_TRUE(has_line(request, "Referer: http://portal.example/watch?c=1")) << request;
    EXPECT_TRUE(has_line(request, "Cookie: session=abc, lang=zh")) << request;
    EXPECT_TRUE(has_line(request, "X-Forwarded-For: 10.0.0.1")) << request;

    // The next stream is asked for as the engine asks by itself.
    player.SetAddress(U16(plain.Url()));
    ASSERT_TRUE(WaitFor([&] {
        return plain.Accepted() > 0 && player.FramesRendered() > 0 && player.Status().state == State::Playing;
    })) << player.Status().Text();
    std::string next = plain.Requests().back();
    EXPECT_FALSE(has_line(next, "User-Agent: PellamoTest/1.0 (X11, Linux)")) << next;
    for (const std::string& line : header_lines(next)) {
        EXPECT_FALSE(line.starts_with("Referer:")) << next;
        EXPECT_FALSE(line.starts_with("Cookie:")) << next;
        EXPECT_FALSE(line.starts_with("X-Forwarded-For:")) << next;
    }
}
}
}
