// The viewer's playlists over a real store in a temporary folder and real
// downloads from loopback servers.
#include "app/viewer_playlists.h"
#include "tests/net/test_servers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace pellamo {
namespace {

using test::ScriptedServer;
using test::Send;
using test::TempDir;

struct RecordingHost : ViewerPlaylists::Host {
    void PlaylistsChanged(const std::string& added) override { changes.push_back(added); }
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void Play(const std::string& name, const std::string& address) override { played.push_back(name + "=" + address); }

    std::vector<std::string> changes, statuses, errors, played;
};

const std::string kList = "#EXTM3U\n#EXTINF:-1 group-title=\"News\",One\nhttp://a.example/1\nbad line\n"
                          "#EXTINF:-1,Two\nhttp://a.example/2\n";

std::string Reply(const std::string& status, const std::string& body)
{
    return "HTTP/1.0 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

class ViewerPlaylistsTest : public ::testing::Test {
protected:
    void RunUntil(const std::function<bool()>& done)
    {
        EventLoop& loop = EventLoop::Main();
        EventLoop::Id tick = loop.StartTimer(std::chrono::milliseconds(5), [] {});
        loop.WaitUntil(done, std::chrono::seconds(10));
        loop.StopTimer(tick);
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const StoredPlaylist& p : playlists.Channels().Playlists())
            names.push_back(p.name + ":" + std::to_string(p.playlist.channels.size()));
        return names;
    }
    OpenTarget Target(const std::string& text, bool playlist = false)
    {
        return ClassifyOpenTarget(text, playlist, files.Path());
    }

    TempDir files;
    TempDir config;
    RecordingHost host;
    ViewerPlaylists playlists { host, PlaylistStore(config.Path() + "/playlists") };
};

TEST_F(ViewerPlaylistsTest, FilesAreAddedAndCounted)
{
    files.Write("sport.m3u", kList);
    files.Write("junk.m3u", "<html>not a playlist</html>\n");
    files.Write("hls.m3u8", "#EXTM3U\n#EXT-X-TARGETDURATION:6\nseg.ts\n");

    playlists.Open(Target("sport.m3u"));
    EXPECT_EQ(host.changes, (std::vector<std::string> { "sport" }));
    EXPECT_EQ(host.statuses.back(), "已添加播放列表“sport”：2 个频道，1 行无法使用");
    EXPECT_EQ(Names(), (std::vector<std::string> { "sport:2" }));

    const char* refused[] = { "junk.m3u", "hls.m3u8", "missing.m3u" };
    for (const char* name : refused) {
        SCOPED_TRACE(name);
        host.errors.clear();
        playlists.Open(Target(name));
        ASSERT_EQ(host.errors.size(), 1u);
        EXPECT_NE(host.errors[0].find(name), std::string::npos) << host.errors[0];
    }
    EXPECT_EQ(Names(), (std::vector<std::string> { "sport:2" }));
    EXPECT_TRUE(host.played.empty());

    // The store is what counts: a second object reads the same.
    RecordingHost other;
    ViewerPlaylists again(other, PlaylistStore(config.Path() + "/playlists"));
    again.Reload(true);
    EXPECT_EQ(other.statuses, (std::vector<std::string> { "我的频道：2 个频道，1 行无法使用" }));
}

TEST_F(ViewerPlaylistsTest, StreamsPlayAndBadAddressesSayWhy)
{
    playlists.Open(Target("rtsp://live.example/ch1"));
    playlists.Open(Target("javascript:alert(1)"));
    playlists.Open(Target("ftp://lists.example/a.m3u", true));
    EXPECT_EQ(host.played, (std::vector<std::string> { "rtsp://live.example/ch1=rtsp://live.example/ch1" }));
    ASSERT_EQ(host.errors.size(), 2u);
    EXPECT_TRUE(host.changes.empty());
}

TEST_F(ViewerPlaylistsTest, DownloadsKeepThePreviousCopyUntilANewOneReads)
{
    ScriptedServer server({
        { Send(Reply("200 OK", kList)) },
        { Send(Reply("404 Not Found", "<html>gone</html>")) },
        { Send(Reply("200 OK", "<html>a login page</html>")) },
        { Send(Reply("200 OK", "#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=1\nlow.m3u8\n")) },
        { Send(Reply("200 OK", "#EXTINF:-1,Only\nhttp://a.example/only\n")) },
    });
    std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/tv/web.m3u";
    auto next = [&](size_t requests) {
        playlists.Open(Target(url));
        EXPECT_TRUE(playlists.Downloading(url));
        RunUntil([&] { return !playlists.Downloading(url) && server.Requests().size() == requests; });
    };

    next(1);
    EXPECT_EQ(Names(), (std::vector<std::string> { "web:2" }));
    EXPECT_EQ(host.statuses.front(), "正在下载播放列表 web ...");
    EXPECT_EQ(host.statuses.back(), "已添加播放列表“web”：2 个频道，1 行无法使用");
    ASSERT_TRUE(playlists.CanRefresh(0));

    // Failures: a 404 and a page that is no playlist leave the copy alone.
    playlists.Refresh(0);
    RunUntil([&] { return !playlists.Downloading(url); });
    next(3);
    ASSERT_EQ(host.errors.size(), 2u);
    EXPECT_NE(host.errors[0].find("Cannot download the playlist " + url + ": the server answered HTTP 404"),
        std::string::npos)
        << host.errors[0];
    EXPECT_NE(host.errors[1].find("no channel"), std::string::npos) << host.errors[1];
    EXPECT_EQ(Names(), (std::vector<std::string> { "web:2" }));

    // An HLS stream behind a playlist's address is played, not kept.
    next(4);
    EXPECT_EQ(host.played, (std::vector<std::string> { url + "=" + url }));
    EXPECT_EQ(Names(), (std::vector<std::string> { "web:2" }));

    next(5);
    EXPECT_EQ(Names(), (std::vector<std::string> { "web:1" }));
    EXPECT_EQ(server.Requests().size(), 5u);
}

TEST_F(ViewerPlaylistsTest, OneDownloadPerAddressAtATime)
{
    ScriptedServer server({ { test::Pause(300), Send(Reply("200 OK", kList)) } });
    std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/a.m3u";
    playlists.Open(Target(url));
    playlists.Open(Target(url));
    EXPECT_EQ(host.statuses.back(), "播放列表 a 正在下载");
    RunUntil([&] { return !playlists.Downloading(url); });
    EXPECT_EQ(server.Accepted(), 1);
    EXPECT_EQ(Names(), (std::vector<std::string> { "a:2" }));
}

TEST_F(ViewerPlaylistsTest, SavedAddressesAndRemoval)
{
    playlists.SaveAndPlay("http://a.example/live", "My live");
    playlists.SaveAndPlay("mms://b.example/x", "");
    EXPECT_EQ(host.played,
        (std::vector<std::string> { "My live=http://a.example/live", "mms://b.example/x=mms://b.example/x" }));
    EXPECT_EQ(host.changes.back(), "收藏");
    EXPECT_EQ(Names(), (std::vector<std::string> { "收藏:2" }));
    EXPECT_FALSE(playlists.CanRefresh(0));

    files.Write("b.m3u", kList);
    playlists.Open(Target(files.Path() + "/b.m3u"));
    // The favourites come first, and are no playlist to remove.
    EXPECT_EQ(Names(), (std::vector<std::string> { "收藏:2", "b:2" }));
    playlists.Remove(0);
    EXPECT_EQ(Names(), (std::vector<std::string> { "收藏:2", "b:2" }));
    playlists.Remove(1);
    EXPECT_EQ(Names(), (std::vector<std::string> { "收藏:2" }));
    EXPECT_EQ(host.statuses.back(), "已删除播放列表“b”");
    EXPECT_FALSE(std::filesystem::exists(config.Path() + "/playlists/b.m3u"));
    playlists.Remove(7); // no such playlist: nothing happens
    EXPECT_EQ(Names(), (std::vector<std::string> { "收藏:2" }));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(ViewerPlaylistsTest, FavouritesFromAnyTreeAndTheOldSavedAddresses)
{
    // What an earlier version kept as the playlist of saved addresses.
    std::filesystem::create_directories(config.Path() + "/playlists");
    std::string old = config.Path() + "/playlists/收藏.m3u";
    files.Write("old.m3u", "#EXTM3U\n#EXTINF:-1,Saved\nhttp://a.example/saved\n");
    std::filesystem::copy_file(files.Path() + "/old.m3u", old);
    files.Write("b.m3u", kList);
    playlists.Open(Target(files.Path() + "/b.m3u"));
    EXPECT_EQ(Names(), (std::vector<std::string> { "收藏:1", "b:2" }));
    EXPECT_FALSE(std::filesystem::exists(old));
    EXPECT_TRUE(std::filesystem::exists(config.Path() + "/playlists/favourites.m3u"));

    ChannelRef cctv { ChannelTree::Television, "中央一台", "精选频道", "", "" };
    playlists.ToggleFavourite(cctv);
    EXPECT_EQ(host.statuses.back(), "已加入收藏“中央一台”");
    EXPECT_TRUE(playlists.IsFavourite(cctv));
    std::optional<ChannelRef> two = playlists.ChannelAt(playlists.Channels().Rows().size() - 1);
    ASSERT_TRUE(two);
    EXPECT_EQ(two->address, "http://a.example/2");
    playlists.ToggleFavourite(*two);
    EXPECT_EQ(Names(), (std::vector<std::string> { "收藏:3", "b:2" }));

    // Read again, as at the next start: rows 1..3 are the favourites, in order.
    ViewerPlaylists again { host, PlaylistStore(config.Path() + "/playlists") };
    again.Reload();
    std::vector<std::string> favourites;
    for (size_t row = 0; row < again.Channels().Rows().size(); ++row)
        if (again.Channels().Rows()[row].playlist == 0)
            if (std::optional<ChannelRef> c = again.ChannelAt(row))
                favourites.push_back(std::string(TreeKey(c->tree)) + ":" + c->name);
    EXPECT_EQ(favourites, (std::vector<std::string> { "mine:Saved", "television:中央一台", "mine:Two" }));
    EXPECT_TRUE(again.IsFavourites(0));
    EXPECT_FALSE(again.CanRefresh(0));

    again.ToggleFavourite(cctv);
    again.ToggleFavourite(*two);
    again.ToggleFavourite(*again.ChannelAt(1));
    EXPECT_EQ(Names(), (std::vector<std::string> { "收藏:3", "b:2" })); // the first object read nothing new
    std::vector<std::string> names;
    for (const StoredPlaylist& p : again.Channels().Playlists())
        names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string> { "b" }));
    EXPECT_TRUE(host.errors.empty());
}

TEST(OpenTargets, PlaylistsStreamsAndRefusals)
{
    using K = OpenTarget::Kind;
    const char* home = std::getenv("HOME");
    std::string saved_home = home ? home : "";
    setenv("HOME", "/home/viewer", 1);
    struct Case {
        const char* text;
        bool playlist_wanted;
        K kind;
        const char* value;
    } cases[] = {
        { "/tmp/a.m3u", false, K::PlaylistFile, "/tmp/a.m3u" },
        { "  lists/../b.m3u\n", false, K::PlaylistFile, "/cwd/b.m3u" },
        { "~/tv.m3u8", false, K::PlaylistFile, "/home/viewer/tv.m3u8" },
        { "file:///home/viewer/tv%20list.m3u", false, K::PlaylistFile, "/home/viewer/tv list.m3u" },
        { "file://localhost/x.m3u", false, K::PlaylistFile, "/x.m3u" },
        { "file://elsewhere/x.m3u", false, K::Invalid, "" },
        { "http://lists.example/tv.M3U?key=1", false, K::PlaylistAddress, "http://lists.example/tv.M3U?key=1" },
        { "https://lists.example/get.php?type=m3u", true, K::PlaylistAddress,
            "https://lists.example/get.php?type=m3u" },
        { "https://live.example/stream/index", false, K::Stream, "https://live.example/stream/index" },
        { "rtspt://live.example/ch", false, K::Stream, "rtspt://live.example/ch" },
        { "rtsp://live.example/ch", true, K::Invalid, "" },
        { "javascript:alert(1)", false, K::Invalid, "" },
        { "data:text/plain,x", false, K::Invalid, "" },
        { "smb://host/share/a.m3u", false, K::Invalid, "" },
        { "", false, K::Invalid, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        OpenTarget target = ClassifyOpenTarget(c.text, c.playlist_wanted, "/cwd");
        EXPECT_EQ(target.kind, c.kind) << target.error;
        EXPECT_EQ(target.value, c.value);
        EXPECT_EQ(target.error.empty(), c.kind != K::Invalid);
    }
    if (home)
        setenv("HOME", saved_home.c_str(), 1);
    else
        unsetenv("HOME");
}

}
}
