// Recording the running stream, pictures of it, and its sound tracks: the
// real engine against a loopback server.
#include "player/mpv/media_files.h"
#include "player/mpv/mpv_player.h"

#include "tests/player_mpv/stream_server.h"
#include "tests/player_mpv/test_media.h"
#include "tests/support/command_output.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace pellamo {
namespace {

using namespace std::chrono_literals;
using State = PlayerStatus::State;

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST(MediaFiles, NamesStayInsideTheFolderWhateverTheChannelIsCalled)
{
    std::tm when {};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 11;
    when.tm_hour = 7;
    when.tm_min = 5;
    when.tm_isdst = -1;
    auto at = std::chrono::system_clock::from_time_t(std::mktime(&when));
    struct Case {
        std::string channel;
        const char* name;
    };
    const Case cases[] = {
        { "CCTV-1 综合", "CCTV-1 综合 2026-12-11 07-05.ts" },
        { "../../etc/passwd", "_.._etc_passwd 2026-12-11 07-05.ts" },
        { "..", "Pellamo 2026-12-11 07-05.ts" },
        { ".hidden", "hidden 2026-12-11 07-05.ts" },
        { "a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j 2026-12-11 07-05.ts" },
        { std::string("new\nline\ttab\0nul", 16), "new_line_tab_nul 2026-12-11 07-05.ts" },
        { "", "Pellamo 2026-12-11 07-05.ts" },
        { "bad \xff utf8", "bad \xef\xbf\xbd utf8 2026-12-11 07-05.ts" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        std::string name = MediaFileName(c.channel, at, ".ts");
        EXPECT_EQ(c.name, name);
        std::filesystem::path file = std::filesystem::path("/videos") / name;
        EXPECT_EQ("/videos", file.parent_path());
    }
    std::string name = MediaFileName(std::string(500, 'x') + "中", at, ".ts");
    EXPECT_LE(name.size(), 120u + 20u);
}

TEST(MediaFiles, FoldersFollowTheDesktopsUserDirectories)
{
    char pattern[] = "/tmp/pellamo_dirs_XXXXXX";
    std::filesystem::path dir = mkdtemp(pattern);
    std::filesystem::path dirs = dir / "user-dirs.dirs";
    std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/tmp";
    std::ofstream(dirs) << "# written by xdg-user-dirs-update\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n"
                           "XDG_VIDEOS_DIR=\"/srv/videos\"\nXDG_MUSIC_DIR=\"$HOME\"\n";
    unsetenv("XDG_TEST_DIR");
    EXPECT_EQ(std::filesystem::path(home) / "Bilder", UserDirectory("XDG_PICTURES_DIR", dirs, "Pictures"));
    EXPECT_EQ("/srv/videos", UserDirectory("XDG_VIDEOS_DIR", dirs, "Videos"));
    // The home folder itself is no place for our files.
    EXPECT_EQ(std::filesystem::path(home) / "Music", UserDirectory("XDG_MUSIC_DIR", dirs, "Music"));
    EXPECT_EQ(std::filesystem::path(home) / "Videos", UserDirectory("XDG_VIDEOS_DIR", dir / "missing", "Videos"));
    setenv("XDG_TEST_DIR", "/from/env", 1);
    EXPECT_EQ("/from/env", UserDirectory("XDG_TEST_DIR", dirs, "Test"));
    setenv("XDG_TEST_DIR", "relative", 1);
    EXPECT_EQ(std::filesystem::path(home) / "Test", UserDirectory("XDG_TEST_DIR", dirs, "Test"));
    unsetenv("XDG_TEST_DIR");

    std::ofstream(dir / "a.ts") << "x";
    std::ofstream(dir / "a (2).ts") << "x";
    EXPECT_EQ(dir / "a (3).ts", FreeFileIn(dir, "a.ts"));
    EXPECT_EQ(dir / "b.ts", FreeFileIn(dir, "b.ts"));
    std::filesystem::remove_all(dir);
}

class RecordingTest : public testing::Test {
protected:
    static constexpr int kSeconds = 20;

    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/pellamo_recording_XXXXXX";
        s_dir = mkdtemp(pattern);
        ASSERT_TRUE(MakeTestMedia(s_dir, kSeconds)) << "ffmpeg could not make the test media";
        std::string two_languages = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
                                    "testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440:sample_rate=44100 "
                                    "-f lavfi -i sine=frequency=880:sample_rate=48000 -t 20 -map 0 -map 1 -map 2 "
                                    "-c:v mpeg4 -q:v 6 -c:a:0 mp2 -c:a:1 aac -metadata:s:a:0 language=eng "
                                    "-metadata:s:a:1 language=chi -f mpegts "
            + (s_dir / "two_languages.ts").string();
        ASSERT_EQ(0, std::system(two_languages.c_str()));
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(s_dir); }

    static StreamServer::Options Live(const std::string& body)
    {
        StreamServer::Options options;
        options.bytes_per_second = body.size() / kSeconds * 3 / 2;
        options.burst_bytes = 64 * 1024;
        return options;
    }

    bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s)
    {
        return loop.WaitUntil(done, timeout);
    }
    // Nothing wakes the loop when only time passes.
    void Spend(std::chrono::milliseconds time)
    {
        loop.WaitUntil([] { return false; }, time);
    }

    static double ProbedSeconds(const std::filesystem::path& file)
    {
        std::string out
            = test::CommandOutput("ffprobe -v error -show_entries format=duration -of csv=p=0 '" + file.string() + "'");
        return out.empty() ? 0 : std::atof(out.c_str());
    }

    static inline std::filesystem::path s_dir;
    EventLoop loop;
};

// The server cuts the first connection: the engine reconnects, and the
// recording runs on in the same file, which plays from end to end.
TEST_F(RecordingTest, RecordingRunsAcrossAReconnectIntoOnePlayableFile)
{
    std::string body = test::ReadFile(s_dir / "av.ts");
    StreamServer::Options options = Live(body);
    options.drop_first_after = body.size() / 4 / 188 * 188;
    options.resume_after_drop = true;
    StreamServer server(body, options);
    MpvPlayer player(loop);
    player.SetVideoSize(160, 120);
    int told = 0;
    player.OnRecording = [&] { ++told; };
    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return player.Status().state == State::Playing; })) << player.Status().Text();

    std::filesystem::path file = s_dir / "rec" / "channel.ts";
    ASSERT_TRUE(player.StartRecording(file)) << player.RecordingError();
    EXPECT_TRUE(player.Recording());
    EXPECT_EQ(1, told);
    ASSERT_TRUE(WaitFor([&] { return server.Accepted() >= 2; }, 15s)) << "the server never cut the stream";
    double reconnected_at = player.Status().elapsed_seconds;
    ASSERT_TRUE(WaitFor([&] { return player.Status().elapsed_seconds > reconnected_at + 3; }, 15s))
        << player.Status().Text();
    EXPECT_TRUE(player.Recording());
    player.StopRecording();
    EXPECT_FALSE(player.Recording());
    EXPECT_EQ("", player.RecordingError());
    EXPECT_EQ(2, told);
    // Whole: what was played while recording is in the file, across the cut.
    double recorded = ProbedSeconds(file);
    EXPECT_GT(recorded, 4.0);
    std::string errors = test::CommandOutput("ffmpeg -nostdin -v error -i '" + file.string() + "' -f null - 2>&1");
    EXPECT_EQ(std::string::npos, errors.find("Invalid data")) << errors;

    // A new address ends a recording, and the file stays as it was.
    ASSERT_TRUE(player.StartRecording(s_dir / "rec" / "second.ts")) << player.RecordingError();
    player.SetAddress(U16(server.Url("/other.ts")));
    EXPECT_FALSE(player.Recording());
    EXPECT_EQ(4, told);
}

TEST_F(RecordingTest, AFolderThatCannotBeWrittenIsToldAtOnce)
{
    std::string body = test::ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body));
    MpvPlayer player(loop);
    EXPECT_FALSE(player.StartRecording(s_dir / "nothing_plays.ts"));
    EXPECT_NE("", player.RecordingError());

    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return player.Status().state == State::Playing; })) << player.Status().Text();
    std::ofstream(s_dir / "a_file") << "x";
    EXPECT_FALSE(player.StartRecording(s_dir / "a_file" / "sub" / "x.ts"));
    EXPECT_NE(std::string::npos, player.RecordingError().find("Cannot record to")) << player.RecordingError();
    EXPECT_FALSE(player.Recording());
    EXPECT_EQ(State::Playing, player.Status().state) << "playback goes on";
}

// A file that cannot grow (the disk is full) ends the recording with a
// message; what was written still plays.
TEST_F(RecordingTest, AFullDiskStopsTheRecordingAndKeepsWhatWasWritten)
{
    std::string body = test::ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body));
    MpvPlayer player(loop);
    player.SetVideoSize(160, 120);
    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return player.Status().state == State::Playing; })) << player.Status().Text();

    // Files of this process stop growing at 200 KB, as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 200 * 1024;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    std::filesystem::path file = s_dir / "full.ts";
    ASSERT_TRUE(player.StartRecording(file)) << player.RecordingError();
    bool stopped = WaitFor([&] { return !player.Recording(); }, 20s);
    setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_TRUE(stopped) << "the recording never noticed";
    EXPECT_NE("", player.RecordingError());
    EXPECT_EQ(State::Playing, player.Status().state) << "playback goes on";
    EXPECT_GT(ProbedSeconds(file), 0.5);
}

TEST_F(RecordingTest, SoundTracksAreListedAndSwitched)
{
    std::string body = test::ReadFile(s_dir / "two_languages.ts");
    StreamServer server(body, Live(body));
    MpvPlayer player(loop);
    player.SetVideoSize(160, 120);
    EXPECT_TRUE(player.AudioTracks().empty());
    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return player.Status().state == State::Playing; })) << player.Status().Text();
    std::vector<MpvPlayer::AudioTrack> tracks = player.AudioTracks();
    ASSERT_EQ(2u, tracks.size());
    EXPECT_EQ("eng", tracks[0].language);
    EXPECT_EQ("mp2", tracks[0].codec);
    EXPECT_EQ("chi", tracks[1].language);
    EXPECT_EQ("aac", tracks[1].codec);
    EXPECT_TRUE(tracks[0].selected);
    EXPECT_FALSE(tracks[1].selected);

    player.SelectAudioTrack(tracks[1].id);
    ASSERT_TRUE(WaitFor(
        [&] {
            auto now = player.AudioTracks();
            return now.size() == 2 && now[1].selected && !now[0].selected;
        },
        5s));
    EXPECT_NE(State::Error, player.Status().state);
}

TEST_F(RecordingTest, ScreenshotIsAPngOfTheStreamsOwnSize)
{
    std::string body = test::ReadFile(s_dir / "av.ts");
    StreamServer server(body, Live(body));
    MpvPlayer player(loop);
    player.SetVideoSize(463, 319);
    std::filesystem::path file = s_dir / "pictures" / "shot.png";
    EXPECT_FALSE(player.SaveScreenshot(file)) << "no picture yet";
    player.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return player.HasPicture(); })) << player.Status().Text();
    ASSERT_TRUE(player.SaveScreenshot(file));
    for (int i = 0; i < 50 && !(std::filesystem::exists(file) && std::filesystem::file_size(file) > 0); ++i)
        Spend(100ms);
    std::string size = test::CommandOutput(
        "ffprobe -v error -show_entries stream=codec_name,width,height -of csv=p=0 '" + file.string() + "'");
    EXPECT_EQ("png,320,240", size.substr(0, size.find_last_not_of("\r\n ") + 1));
}

}
}
