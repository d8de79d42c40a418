#include "catalogue/playlist_store.h"
#include "viewer/channel_list_file.h"
#include "viewer/favourites.h"
#include "viewer/recent_channels.h"

#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pellamo {
namespace {

using test::ReadFile;
using test::TempDir;
namespace fs = std::filesystem;

ChannelRef BuiltIn(ChannelTree tree, std::string name, std::string group = "")
{
    ChannelRef c;
    c.tree = tree;
    c.name = std::move(name);
    c.group = std::move(group);
    return c;
}

ChannelRef Mine(std::string name, std::string address, std::string group = "", std::string logo = "")
{
    return ChannelRef { ChannelTree::Mine, std::move(name), std::move(group), std::move(address), std::move(logo) };
}

// "tree|group|name|address|logo", so a case reads as one line.
std::vector<std::string> Flat(const std::vector<ChannelRef>& channels)
{
    std::vector<std::string> out;
    for (const ChannelRef& c : channels)
        out.push_back(std::string(TreeKey(c.tree)) + "|" + c.group + "|" + c.name + "|" + c.address + "|" + c.logo);
    return out;
}

TEST(ChannelListFile, RoundTripOfEveryKindOfChannel)
{
    std::vector<ChannelRef> channels = {
        BuiltIn(ChannelTree::Television, "中央一台", "精选频道"),
        BuiltIn(ChannelTree::Radio, "Radio / 100% \"live\"", "音乐"),
        Mine("News, World", "http://tv.example/a.m3u8?x=1&y=2", "Group \"A\"", "http://l.example/a.png"),
        Mine("Plain", "rtsp://tv.example/b"),
    };
    std::string text = WriteChannelList(channels);
    EXPECT_EQ(text.substr(0, 8), "#EXTM3U\n");
    // Other players read the playlist channels as they are.
    EXPECT_NE(text.find("#EXTINF:-1 tvg-logo=\"http://l.example/a.png\" group-title=\"Group 'A'\",News, World\n"
                        "http://tv.example/a.m3u8?x=1&y=2\n"),
        std::string::npos)
        << text;
    EXPECT_EQ(Flat(ReadChannelList(text)),
        (std::vector<std::string> {
            "television|精选频道|中央一台||",
            "radio|音乐|Radio / 100% \"live\"||",
            "mine|Group 'A'|News, World|http://tv.example/a.m3u8?x=1&y=2|http://l.example/a.png",
            "mine||Plain|rtsp://tv.example/b|",
        }));
}

TEST(ChannelListFile, HostileOrForeignLinesAreLeftOutOrCleaned)
{
    const struct {
        const char* name;
        std::string input;
        std::vector<std::string> channels;
    } cases[] = {
        { "a local file or a script is no channel",
            "#EXTINF:-1,A\nfile:///etc/passwd\n#EXTINF:-1,B\njavascript:alert(1)\n#EXTINF:-1,C\n/home/x.ts\n", {} },
        { "a built-in line of an unknown tree, or without a name",
            "pellamo:cinema/X\npellamo:television/\npellamo:mine/X\npellamo:television\n", {} },
        { "a built-in name with control characters", "pellamo:television/A%0A%5Bplayer%5D\n", {} },
        { "a built-in channel keeps the name its line carries",
            "#EXTINF:-1 pellamo-tree=\"radio\",Someone else\npellamo:television/%E4%B8%80\n", { "television||一||" } },
        { "control characters and a 10,000-character title",
            "#EXTINF:-1 group-title=\"G\x01\x02\",\x1b[31m" + std::string(10000, 'x') + "\nhttp://a.example/1\n",
            { "mine|G|[31m" + std::string(250, 'x') + "|http://a.example/1|" } },
        { "a line too long to be real drops its entry",
            "#EXTINF:-1,Long\nhttp://a.example/" + std::string(20000, 'a') + "\nhttp://a.example/2\n",
            { "mine||http://a.example/2|http://a.example/2|" } },
        { "CR line ends, a byte-order mark, no final newline",
            "\xEF\xBB\xBF#EXTM3U\r#EXTINF:-1,One\rhttp://a.example/1", { "mine||One|http://a.example/1|" } },
        { "broken UTF-8 in a title", "#EXTINF:-1,Caf\xE9\nhttp://a.example/1\n",
            { "mine||Caf\xEF\xBF\xBD|http://a.example/1|" } },
        { "nothing", "", {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Flat(ReadChannelList(c.input)), c.channels);
    }
}

TEST(Favourites, SurviveARestartAndToggle)
{
    TempDir dir;
    {
        Favourites favourites(dir.Path());
        EXPECT_EQ(favourites.Load(), "");
        EXPECT_TRUE(favourites.Channels().empty());
        EXPECT_TRUE(favourites.Toggle(BuiltIn(ChannelTree::Television, "中央一台", "精选频道")));
        EXPECT_TRUE(favourites.Toggle(Mine("A", "http://a.example/1")));
        favourites.Add(Mine("A again", "http://a.example/1")); // the same address: once
        EXPECT_TRUE(favourites.Toggle(BuiltIn(ChannelTree::Radio, "中央一台")));
    }
    Favourites favourites(dir.Path());
    EXPECT_EQ(favourites.Load(), "");
    EXPECT_EQ(Flat(favourites.Channels()),
        (std::vector<std::string> {
            "television|精选频道|中央一台||", "mine||A|http://a.example/1|", "radio||中央一台||" }));
    EXPECT_TRUE(favourites.Contains(BuiltIn(ChannelTree::Television, "中央一台")));
    EXPECT_FALSE(favourites.Toggle(BuiltIn(ChannelTree::Television, "中央一台")));

    Favourites again(dir.Path());
    again.Load();
    EXPECT_EQ(
        Flat(again.Channels()), (std::vector<std::string> { "mine||A|http://a.example/1|", "radio||中央一台||" }));
    EXPECT_EQ(again.File(), fs::path(dir.Path()) / "favourites.m3u");
}

TEST(Favourites, AnUnreadableFileIsNeverOverwritten)
{
    TempDir dir;
    fs::create_directories(fs::path(dir.Path()) / "favourites.m3u");
    Favourites favourites(dir.Path());
    EXPECT_NE(favourites.Load(), "");
    EXPECT_THROW(favourites.Add(Mine("A", "http://a.example/1")), std::runtime_error);
    EXPECT_TRUE(favourites.Channels().empty());
    EXPECT_TRUE(fs::is_directory(fs::path(dir.Path()) / "favourites.m3u"));
}

TEST(Favourites, TheOldSavedAddressesBecomeFavouritesOnce)
{
    TempDir dir;
    PlaylistStore store(dir.Path());
    store.AppendChannel(Favourites::kOldPlaylistName, "Saved one", "http://a.example/1");
    store.AppendChannel(Favourites::kOldPlaylistName, "Saved two", "http://a.example/2");

    Favourites favourites(dir.Path());
    favourites.Load();
    favourites.Add(Mine("Already", "http://a.example/2"));
    std::vector<StoredPlaylist> playlists = store.Load();
    ASSERT_EQ(playlists.size(), 2u); // the old list, and favourites.m3u read as any playlist
    const StoredPlaylist* old = nullptr;
    for (const StoredPlaylist& p : playlists)
        if (p.name == Favourites::kOldPlaylistName)
            old = &p;
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(favourites.TakeOver(*old), 1u);
    EXPECT_FALSE(fs::exists(old->file));
    EXPECT_TRUE(fs::exists(old->file.string() + ".old"));

    Favourites after(dir.Path());
    after.Load();
    EXPECT_EQ(Flat(after.Channels()),
        (std::vector<std::string> { "mine||Already|http://a.example/2|", "mine||Saved one|http://a.example/1|" }));
    // Read once: the store no longer lists it.
    for (const StoredPlaylist& p : store.Load())
        EXPECT_NE(p.name, Favourites::kOldPlaylistName);
}

TEST(RecentChannels, NewestFirstOnceEachAtMostTwentyAcrossRuns)
{
    TempDir dir;
    fs::path file = fs::path(dir.Path()) / "recent.m3u";
    {
        RecentChannels recent(file);
        EXPECT_EQ(recent.Load(), "");
        for (int i = 0; i < 25; ++i) {
            // Appended rather than "C" + ...: GCC 12 -O3 sees a false overlap there.
            std::string name = "C", address = "http://a.example/";
            name += std::to_string(i);
            address += std::to_string(i);
            recent.Watched(Mine(name, address));
        }
        recent.Watched(Mine("C20 renamed", "http://a.example/20"));
        recent.Watched(BuiltIn(ChannelTree::Television, "中央一台"));
    }
    RecentChannels recent(file);
    EXPECT_EQ(recent.Load(), "");
    ASSERT_EQ(recent.Channels().size(), RecentChannels::kMax);
    EXPECT_EQ(recent.Channels()[0].name, "中央一台");
    EXPECT_EQ(recent.Channels()[1].name, "C20 renamed");
    EXPECT_EQ(recent.Channels()[2].name, "C24");
    EXPECT_EQ(recent.Channels()[19].name, "C6");
}

TEST(RecentChannels, AFileEditedByHandIsBroughtBackToTheRules)
{
    TempDir dir;
    std::string text = "#EXTM3U\n";
    for (int i = 0; i < 30; ++i)
        text += "http://a.example/" + std::to_string(i % 25) + "\n";
    RecentChannels recent(dir.Write("recent.m3u", text));
    EXPECT_EQ(recent.Load(), "");
    EXPECT_EQ(recent.Channels().size(), RecentChannels::kMax);
    EXPECT_EQ(recent.Channels()[0].address, "http://a.example/0");
}

}
}
