#include "catalogue/playlist_reader.h"
#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pellamo;
using namespace std::string_literals;

namespace {

// A channel as "group|title|address", so a case reads as one line.
std::vector<std::string> Flat(const Playlist& playlist)
{
    std::vector<std::string> out;
    for (const PlaylistChannel& c : playlist.channels)
        out.push_back(c.group + "|" + c.title + "|" + c.address);
    return out;
}

struct Case {
    const char* name;
    std::string input;
    std::vector<std::string> channels;
    int skipped;
};

TEST(PlaylistReader, StylesBrokenLinesAndUnsafeEntries)
{
    const std::string huge_title(100000, 'x');
    const std::string long_title = std::string(300, 'a');
    // Two-byte characters: 255 bytes would end inside one.
    std::string accents;
    for (int i = 0; i < 200; ++i)
        accents += "\xC3\xA9";
    // The cut titles' entries, appended piece by piece: GCC 12 at -O3 takes
    // "|" + text.substr(...) + "|..." for an overlapping copy and stops.
    std::string long_entry = "|";
    long_entry.append(long_title, 0, 255).append("|http://a.example/l");
    std::string accents_entry = "|";
    accents_entry.append(accents, 0, 254).append("|http://a.example/c");
    const Case cases[] = {
        { "plain, LF", "#EXTM3U\n#EXTINF:-1,One\nhttp://a.example/1\n#EXTINF:-1,Two\nrtsp://b.example/2\n",
            { "|One|http://a.example/1", "|Two|rtsp://b.example/2" }, 0 },
        { "CR LF and a byte-order mark", "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:-1,One\r\nhttp://a.example/1\r\n",
            { "|One|http://a.example/1" }, 0 },
        { "old CR line ends, no header, no final newline",
            "#EXTINF:0,One\rhttp://a.example/1\r#EXTINF:0,Two\rhttp://a.example/2",
            { "|One|http://a.example/1", "|Two|http://a.example/2" }, 0 },
        { "bare addresses are titled by their address", "http://a.example/live\n\n   mms://b.example/x  \n",
            { "|http://a.example/live|http://a.example/live", "|mms://b.example/x|mms://b.example/x" }, 0 },
        { "attributes in any order, quoted commas, unquoted values",
            "#EXTINF:-1 group-title=\"News, World\" tvg-id=\"x.1\",CNN\nhttp://a.example/cnn\n"
            "#EXTINF:-1 tvg-logo=\"l.png\" group-title=Sport tvg-name=\"ESPN HD\",ESPN\nhttp://a.example/espn\n"
            "#extinf:-1 GROUP-TITLE='Kids',Toons\nhttp://a.example/toons\n",
            { "News, World|CNN|http://a.example/cnn", "Sport|ESPN|http://a.example/espn",
                "Kids|Toons|http://a.example/toons" },
            0 },
        { "no title: tvg-name, then the address",
            "#EXTINF:-1 tvg-name=\"Named\",\nhttp://a.example/1\n#EXTINF:-1\nhttp://a.example/2\n",
            { "|Named|http://a.example/1", "|http://a.example/2|http://a.example/2" }, 0 },
        { "an unterminated quote keeps the address", "#EXTINF:-1 group-title=\"Open,Title\nhttp://a.example/1\n",
            { "Open,Title|http://a.example/1|http://a.example/1" }, 0 },
        { "#EXTGRP applies to the next entry only; group-title wins",
            "#EXTGRP:Music\n#EXTINF:-1,A\nhttp://a.example/a\nhttp://a.example/b\n"
            "#EXTGRP:Music\n#EXTINF:-1 group-title=\"Film\",C\nhttp://a.example/c\n",
            { "Music|A|http://a.example/a", "|http://a.example/b|http://a.example/b", "Film|C|http://a.example/c" },
            0 },
        { "player options and other tags are neither channels nor faults",
            "#EXTM3U x-tvg-url=\"http://epg.example\"\n#EXTINF:-1,A\n#EXTVLCOPT:http-user-agent=x\n#KODIPROP:a=b\n"
            "http://a.example/a\n# a comment\n",
            { "|A|http://a.example/a" }, 0 },
        { "schemes the player must never open are skipped and counted",
            "#EXTINF:-1,Passwords\nfile:///etc/passwd\n#EXTINF:-1,Script\njavascript:alert(1)\n"
            "#EXTINF:-1,Data\ndata:text/plain,hi\n#EXTINF:-1,Relative\nstream.ts\n/abs/path.ts\n"
            "#EXTINF:-1,Good\nrtmp://a.example/live\n",
            { "|Good|rtmp://a.example/live" }, 5 },
        { "#EXTINF without an address, at the end and before another #EXTINF",
            "#EXTINF:-1,Lost\n#EXTINF:-1,Kept\nhttp://a.example/k\n#EXTINF:-1,Trailing\n",
            { "|Kept|http://a.example/k" }, 2 },
        { "NUL bytes make a line unusable, not the list",
            "#EXTINF:-1,A\nhttp://a.example/\0a\n#EXTINF:-1,B\0B\nhttp://a.example/b\n"s,
            { "|http://a.example/b|http://a.example/b" }, 2 },
        { "a huge line is refused; a long title is cut at a character boundary",
            "#EXTINF:-1," + huge_title + "\nhttp://a.example/h\n#EXTINF:-1," + long_title
                + "\nhttp://a.example/l\n"
                  "#EXTINF:-1,"
                + accents + "\nhttp://a.example/c\nhttp://a.example/" + huge_title + "\n",
            { "|http://a.example/h|http://a.example/h", long_entry, accents_entry }, 2 },
        { "control characters in titles become blanks",
            "#EXTINF:-1 group-title=\"G\tH\",A\x01"
            "B\nhttp://a.example/1\n",
            { "G H|A B|http://a.example/1" }, 0 },
        { "GBK text is read as GBK",
            "#EXTM3U\r\n" + Utf8ToGbk("#EXTINF:-1 group-title=\"央视\",中央一台\r\nhttp://a.example/1\r\n"),
            { "央视|中央一台|http://a.example/1" }, 0 },
        { "UTF-8 with a byte-order mark keeps good lines around broken bytes",
            "\xEF\xBB\xBF#EXTINF:-1,Caf\xE9\nhttp://a.example/1\n#EXTINF:-1,B\nhttp://a.example/\xFF\n",
            { "|Caf\xEF\xBF\xBD|http://a.example/1" }, 1 },
        { "empty input", "", {}, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Playlist playlist = ReadPlaylist(c.input);
        EXPECT_EQ(Flat(playlist), c.channels);
        EXPECT_EQ(playlist.skipped, c.skipped);
        EXPECT_FALSE(playlist.stream);
    }
}

TEST(PlaylistReader, LogosAreKeptAsWrittenOrDropped)
{
    const struct {
        const char* name;
        std::string extinf;
        std::string logo;
    } cases[] = {
        { "quoted", "#EXTINF:-1 tvg-logo=\"http://l.example/a.png\",A", "http://l.example/a.png" },
        { "unquoted, any case", "#EXTINF:-1 TVG-LOGO=https://l.example/b.jpg group-title=G,B",
            "https://l.example/b.jpg" },
        { "none", "#EXTINF:-1 group-title=G,C", "" },
        { "control characters dropped", "#EXTINF:-1 tvg-logo=\"http://l.example/\x01\x7F\tc.png\",C",
            "http://l.example/c.png" },
        { "too long to be real", "#EXTINF:-1 tvg-logo=\"http://l.example/" + std::string(3000, 'x') + "\",D", "" },
        // Only the fetcher decides which schemes it follows; the reader keeps what was written.
        { "other schemes kept for the fetcher to refuse", "#EXTINF:-1 tvg-logo=\"javascript:alert(1)\",E",
            "javascript:alert(1)" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Playlist playlist = ReadPlaylist(c.extinf + "\nhttp://a.example/1\n");
        ASSERT_EQ(playlist.channels.size(), 1u);
        EXPECT_EQ(playlist.channels[0].logo, c.logo);
    }
}

TEST(PlaylistReader, HlsPlaylistsAreStreamsNotChannelLists)
{
    const char* cases[] = {
        "#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:10\n#EXTINF:9.9,\nseg1.ts\n",
        "#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=800000\nhttp://a.example/low.m3u8\n",
        "#EXTM3U\n#ext-x-media-sequence:7\n#EXTINF:10,\nhttp://a.example/seg7.ts\n",
    };
    for (const char* input : cases) {
        SCOPED_TRACE(input);
        EXPECT_TRUE(ReadPlaylist(input).stream);
    }
}

TEST(PlaylistReader, RecordedSourceSurvivesAnyBytes)
{
    const std::string sources[] = {
        "https://lists.example/tv.m3u?user=a&pass=b c",
        "file:///home/viewer/电视/list.m3u",
        "http://a.example/%41\n#EXTINF:-1,Injected",
    };
    for (const std::string& source : sources) {
        SCOPED_TRACE(source);
        std::string stored = PlaylistSourceLine(source) + "#EXTM3U\n#EXTINF:-1,A\nhttp://a.example/a\n";
        Playlist playlist = ReadPlaylist(stored);
        EXPECT_EQ(playlist.source, source);
        EXPECT_EQ(Flat(playlist), (std::vector<std::string> { "|A|http://a.example/a" }));
        EXPECT_EQ(playlist.skipped, 0);
    }
}

TEST(PlaylistReader, TenThousandEntries)
{
    std::string input = "#EXTM3U\n";
    for (int i = 0; i < 10000; ++i)
        input += "#EXTINF:-1 tvg-id=\"c" + std::to_string(i) + "\" group-title=\"G" + std::to_string(i % 7)
            + "\",Channel " + std::to_string(i) + "\nhttp://s.example/live/" + std::to_string(i) + ".m3u8\n";
    Playlist playlist = ReadPlaylist(input);
    ASSERT_EQ(playlist.channels.size(), 10000u);
    EXPECT_EQ(playlist.skipped, 0);
    EXPECT_EQ(playlist.channels[9999].title, "Channel 9999");
    EXPECT_EQ(playlist.channels[9999].group, "G3");
    EXPECT_EQ(playlist.channels[9999].address, "http://s.example/live/9999.m3u8");
}

}

TEST(PlaylistReader, GuideAddressesAndChannelGuideNames)
{
    struct Case {
        const char* name;
        std::string header;
        std::vector<std::string> guides;
    } const cases[] = {
        { "url-tvg", "#EXTM3U url-tvg=\"http://epg.example/e.xml.gz\"", { "http://epg.example/e.xml.gz" } },
        { "x-tvg-url, a list with blanks, unquoted attribute too",
            "#EXTM3U x-tvg-url=\"https://a.example/1.xml, https://b.example/2.xml\" url-tvg=http://c.example/3.xml",
            { "http://c.example/3.xml", "https://a.example/1.xml", "https://b.example/2.xml" } },
        { "the same guide twice is one", "#EXTM3U url-tvg=\"http://a/g.xml\" x-tvg-url=\"http://a/g.xml\"",
            { "http://a/g.xml" } },
        { "local files and other schemes are not guides",
            "#EXTM3U url-tvg=\"file:///etc/passwd,/home/me/g.xml,ftp://a/g.xml\"", {} },
        { "a look-alike attribute", "#EXTM3U my-url-tvg=\"http://a/g.xml\"", {} },
        { "no header", "", {} },
    };
    for (const Case& c : cases) {
        Playlist list = ReadPlaylist(c.header + "\n#EXTINF:-1,A\nhttp://a.example/1\n");
        EXPECT_EQ(list.guides, c.guides) << c.name;
        EXPECT_EQ(list.channels.size(), 1u) << c.name;
    }

    Playlist list
        = ReadPlaylist("#EXTM3U\n"
                       "#EXTINF:-1 tvg-id=\"cctv1.cn\" tvg-name=\"CCTV-1 综合\",CCTV1 高清\nhttp://a.example/1\n"
                       "#EXTINF:-1 TVG-ID=hunan,湖南\nhttp://a.example/2\n"
                       "http://a.example/3\n");
    ASSERT_EQ(list.channels.size(), 3u);
    EXPECT_EQ(list.channels[0].tvg_id, "cctv1.cn");
    EXPECT_EQ(list.channels[0].tvg_name, "CCTV-1 综合");
    EXPECT_EQ(list.channels[0].title, "CCTV1 高清");
    EXPECT_EQ(list.channels[1].tvg_id, "hunan");
    EXPECT_EQ(list.channels[1].tvg_name, "");
    EXPECT_EQ(list.channels[2].tvg_id, "");
}
