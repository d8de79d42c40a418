#include "desktop/mpris_service.h"

#include "tests/support/command_output.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace pellamo {
namespace {

using namespace std::chrono_literals;

// What `gdbus call` answers, both streams.
std::string Gdbus(const std::string& args)
{
    return test::CommandOutput("gdbus call --session --dest org.mpris.MediaPlayer2.pellamo_test "
                               "--object-path /org/mpris/MediaPlayer2 "
        + args + " 2>&1");
}

class MprisServiceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, std::getenv("DBUS_SESSION_BUS_ADDRESS")) << "run under dbus-run-session";
        MprisService::Commands c;
        c.play = [this] { calls.push_back("play"); };
        c.pause = [this] { calls.push_back("pause"); };
        c.play_pause = [this] { calls.push_back("play_pause"); };
        c.stop = [this] { calls.push_back("stop"); };
        c.next = [this] { calls.push_back("next"); };
        c.previous = [this] { calls.push_back("previous"); };
        c.raise = [this] { calls.push_back("raise"); };
        c.set_volume = [this](double v) { calls.push_back("volume " + std::to_string(v).substr(0, 4)); };
        service = std::make_unique<MprisService>(loop, c, "pellamo_test");
        ASSERT_TRUE(service->Active());
    }

    // gdbus has its answer before the command runs on our loop.
    bool Heard(size_t count)
    {
        return loop.WaitUntil([&] { return calls.size() >= count; }, 5s);
    }

    EventLoop loop;
    std::vector<std::string> calls;
    std::unique_ptr<MprisService> service;
};

TEST_F(MprisServiceTest, MediaKeysDriveThePlayer)
{
    const char* methods[][2] = {
        { "org.mpris.MediaPlayer2.Player.PlayPause", "play_pause" },
        { "org.mpris.MediaPlayer2.Player.Pause", "pause" },
        { "org.mpris.MediaPlayer2.Player.Play", "play" },
        { "org.mpris.MediaPlayer2.Player.Next", "next" },
        { "org.mpris.MediaPlayer2.Player.Previous", "previous" },
        { "org.mpris.MediaPlayer2.Player.Stop", "stop" },
        { "org.mpris.MediaPlayer2.Raise", "raise" },
    };
    for (auto [method, call] : methods) {
        SCOPED_TRACE(method);
        EXPECT_EQ("()\n", Gdbus(std::string("--method ") + method));
        ASSERT_TRUE(Heard(calls.size() + 1));
        EXPECT_EQ(call, calls.back());
    }
    EXPECT_EQ("()\n",
        Gdbus("--method org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Volume "
              "'<0.25>'"));
    ASSERT_TRUE(Heard(calls.size() + 1));
    EXPECT_EQ("volume 0.25", calls.back());
    // Out of range is held to the range.
    Gdbus("--method org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Volume '<7.0>'");
    ASSERT_TRUE(Heard(calls.size() + 1));
    EXPECT_EQ("volume 1.00", calls.back());
}

TEST_F(MprisServiceTest, StateIsReadBackAndWrongCallsGetErrors)
{
    MprisService::State state;
    state.playback = MprisService::State::Playback::Playing;
    state.volume = 0.5;
    state.title = "CCTV-1 综合";
    state.art_url = "file:///tmp/logo.png";
    service->Update(state);
    std::string get = "--method org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player ";
    EXPECT_EQ("(<'Playing'>,)\n", Gdbus(get + "PlaybackStatus"));
    EXPECT_EQ("(<0.5>,)\n", Gdbus(get + "Volume"));
    std::string metadata = Gdbus(get + "Metadata");
    EXPECT_NE(std::string::npos, metadata.find("'xesam:title': <'CCTV-1 综合'>")) << metadata;
    EXPECT_NE(std::string::npos, metadata.find("'mpris:artUrl': <'file:///tmp/logo.png'>")) << metadata;
    EXPECT_EQ(
        "(<'Pellamo'>,)\n", Gdbus("--method org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2 Identity"));

    // Wrong types, unknown members and what a live player cannot do: error
    // replies, and the service goes on.
    const char* wrong[] = {
        "--method org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Volume '<\"loud\">'",
        "--method org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player PlaybackStatus '<\"Playing\">'",
        "--method org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player Nothing",
        "--method org.mpris.MediaPlayer2.Player.Seek '\"ten\"'",
        "--method org.mpris.MediaPlayer2.Player.Seek 10",
        "--method org.mpris.MediaPlayer2.Player.PlayPause 1 2",
        "--method org.mpris.MediaPlayer2.Player.Explode",
    };
    for (const char* args : wrong) {
        SCOPED_TRACE(args);
        EXPECT_NE(std::string::npos, Gdbus(args).find("Error")) << Gdbus(args);
    }
    loop.WaitUntil([] { return false; }, 200ms);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ("(<'Playing'>,)\n", Gdbus(get + "PlaybackStatus"));
}

TEST(MprisServiceNoBus, WithoutASessionBusNothingHappens)
{
    std::string saved = std::getenv("DBUS_SESSION_BUS_ADDRESS") ? std::getenv("DBUS_SESSION_BUS_ADDRESS") : "";
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
    EventLoop loop;
    {
        MprisService service(loop, {}, "pellamo_nobus");
        EXPECT_FALSE(service.Active());
        service.Update({});
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", saved.c_str(), 1);
}

}
}
