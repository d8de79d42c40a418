#include "desktop/mpris_service.h"

#include "tests/support/command_output.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>

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

// What a desktop's control hears: the players' PropertiesChanged signals,
// printed, on a connection of its own.
class Listener {
public:
    Listener()
    {
        bus_.RunThere([&] {
            id_ = g_dbus_connection_signal_subscribe(bus_.Connection(), nullptr, "org.freedesktop.DBus.Properties",
                "PropertiesChanged", MprisService::kObjectPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE, &Heard, this,
                nullptr);
        });
        // The match rule is in place once a round trip to the bus is over.
        bus_.RunThere([&] {
            g_dbus_connection_call_sync(bus_.Connection(), "org.freedesktop.DBus", "/org/freedesktop/DBus",
                "org.freedesktop.DBus", "GetId", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
        });
    }
    ~Listener()
    {
        bus_.RunThere([&] { g_dbus_connection_signal_unsubscribe(bus_.Connection(), id_); });
    }
    // The signals heard so far, once `count` have come (or `wait` passed).
    std::vector<std::string> Signals(size_t count, std::chrono::milliseconds wait = 5s)
    {
        for (auto end = std::chrono::steady_clock::now() + wait; std::chrono::steady_clock::now() < end;) {
            {
                std::lock_guard lock(mutex_);
                if (heard_.size() >= count)
                    return heard_;
            }
            std::this_thread::sleep_for(50ms);
        }
        std::lock_guard lock(mutex_);
        return heard_;
    }

private:
    static void Heard(
        GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters, gpointer data)
    {
        auto* self = static_cast<Listener*>(data);
        gchar* text = g_variant_print(parameters, FALSE);
        std::lock_guard lock(self->mutex_);
        self->heard_.push_back(text);
        g_free(text);
    }

    BusThread bus_;
    unsigned id_ = 0;
    std::mutex mutex_;
    std::vector<std::string> heard_;
};

TEST_F(MprisServiceTest, MetadataShowsChannelProgrammeAndLogoAndTellsOfChanges)
{
    Listener listener;
    MprisService::State state;
    state.playback = MprisService::State::Playback::Playing;
    state.title = "CCTV-1";
    state.programme = "新闻联播";
    state.art_url = "file:///tmp/logos/ab%20c.logo";
    service->Update(state);
    std::string get = "--method org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player Metadata";
    std::string metadata = Gdbus(get);
    EXPECT_NE(std::string::npos, metadata.find("'xesam:title': <'CCTV-1'>")) << metadata;
    EXPECT_NE(std::string::npos, metadata.find("'xesam:artist': <['新闻联播']>")) << metadata;
    EXPECT_NE(std::string::npos, metadata.find("'mpris:artUrl': <'file:///tmp/logos/ab%20c.logo'>")) << metadata;
    EXPECT_NE(std::string::npos, metadata.find("'mpris:trackid': <objectpath '" + MprisService::TrackId("CCTV-1")))
        << metadata;

    // The programme turns over, then the logo arrives: each is told at once.
    state.programme = "焦点访谈";
    service->Update(state);
    state.art_url = "file:///tmp/logos/other.logo";
    service->Update(state);
    // Nothing changed: nothing is sent.
    service->Update(state);
    std::vector<std::string> heard = listener.Signals(3);
    ASSERT_GE(heard.size(), 3u);
    EXPECT_NE(std::string::npos, heard[1].find("'xesam:artist': <['焦点访谈']>")) << heard[1];
    EXPECT_NE(std::string::npos, heard[2].find("'mpris:artUrl': <'file:///tmp/logos/other.logo'>")) << heard[2];
    EXPECT_EQ(3u, listener.Signals(4, 500ms).size());

    // Off the guide: no artist left over from the channel before.
    state.title = "Beta Sport";
    state.programme.clear();
    state.art_url.clear();
    service->Update(state);
    metadata = Gdbus(get);
    EXPECT_EQ(std::string::npos, metadata.find("xesam:artist")) << metadata;
    EXPECT_EQ(std::string::npos, metadata.find("mpris:artUrl")) << metadata;
}

TEST(MprisTrackId, EachChannelHasAValidPathOfItsOwn)
{
    std::vector<std::string> titles = { "CCTV-1", "CCTV-1 综合", "cctv-1", "a/b c", std::string("x\0y", 3) };
    std::set<std::string> paths;
    for (const std::string& title : titles) {
        std::string path = MprisService::TrackId(title);
        EXPECT_TRUE(g_variant_is_object_path(path.c_str())) << path;
        EXPECT_FALSE(path.starts_with("/org/mpris/")) << path; // reserved for the interface's own
        EXPECT_EQ(path, MprisService::TrackId(title));
        paths.insert(path);
    }
    EXPECT_EQ(titles.size(), paths.size());
    EXPECT_EQ("/org/mpris/MediaPlayer2/TrackList/NoTrack", MprisService::TrackId(""));
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
