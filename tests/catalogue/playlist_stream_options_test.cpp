#include "catalogue/my_channels.h"
#include "catalogue/playlist_reader.h"
#include "catalogue/playlist_stream_options.h"

#include <gtest/gtest.h>

#include <string>

namespace pellamo {
namespace {

using namespace std::string_literals;
using Fields = std::vector<std::pair<std::string, std::string>>;

struct Expected {
    const char* address;
    const char* user_agent;
    const char* referrer;
    Fields fields;
};

TEST(PlaylistStreamOptions, TagsAndSuffixesGoWithTheirChannelOnly)
{
    struct Case {
        const char* name;
        std::string input;
        std::vector<Expected> channels;
        int skipped = 0;
        int ignored = 0;
    };
    const Case cases[] = {
        { "vlc options between #EXTINF and the address",
            "#EXTM3U\n#EXTINF:-1,A\n#EXTVLCOPT:http-user-agent=Mozilla/5.0 (X11)\n"
            "#EXTVLCOPT:http-referrer=https://site/\n#EXTVLCOPT:network-caching=1000\nhttp://h/a\n"
            "#EXTINF:-1,B\nhttp://h/b\n",
            { { "http://h/a", "Mozilla/5.0 (X11)", "https://site/", {} }, { "http://h/b", "", "", {} } } },
        { "vlc options before #EXTINF, the older spelling of referrer",
            "#EXTVLCOPT:HTTP-REFERER=http://r/\n#EXTINF:-1,A\nhttp://h/a\n",
            { { "http://h/a", "", "http://r/", {} } } },
        { "EXTHTTP JSON with escapes and extra fields",
            "#EXTINF:-1,A\n#EXTHTTP:{\"User-Agent\": \"UA \\\"x\\\" \\u4e2d\", \"Referer\":\"http:\\/\\/r\\/\", "
            "\"Cookie\":\"k=v; s=\\ud83d\\ude00\"}\nhttp://h/a\n",
            { { "http://h/a", "UA \"x\" \xe4\xb8\xad", "http://r/", { { "Cookie", "k=v; s=\xf0\x9f\x98\x80" } } } } },
        { "the address suffix wins over the tags",
            "#EXTINF:-1,A\n#EXTVLCOPT:http-user-agent=Tag\nhttp://h/a|User-Agent=Suffix&Origin=http%3A%2F%2Fo\n",
            { { "http://h/a", "Suffix", "", { { "Origin", "http://o" } } } } },
        { "a bare address line with a suffix", "http://h/a|Referer=http://r/\nhttp://h/b\n",
            { { "http://h/a", "", "http://r/", {} }, { "http://h/b", "", "", {} } } },
        // Absurd or dangerous tags are ignored and counted; the channel plays
        // with what else it was given.
        { "JSON that is not a flat object of texts",
            "#EXTHTTP:[\"User-Agent\"]\n#EXTHTTP:{\"User-Agent\":{\"a\":\"b\"}}\n#EXTHTTP:{\"User-Agent\":5}\n"
            "#EXTHTTP:{\"User-Agent\":\"a\"} trailing\n#EXTHTTP:{\"User-Agent\":\"a\"\n#EXTHTTP:{\"a\":\"\\ud800\"}\n"
            "#EXTHTTP:\n#EXTINF:-1,A\nhttp://h/a\n",
            { { "http://h/a", "", "", {} } }, 0, 7 },
        { "JSON whose values would end the header line: all or nothing",
            "#EXTHTTP:{\"Referer\":\"http://r/\",\"User-Agent\":\"a\\r\\nHost: evil\"}\n"
            "#EXTHTTP:{\"Cookie\":\"a\\u0000b\"}\n#EXTHTTP:{\"Host\":\"other\"}\n#EXTVLCOPT:http-user-agent=a\x01"
            "b\n"
            "#EXTINF:-1,A\nhttp://h/a\n",
            { { "http://h/a", "", "", {} } }, 0, 4 },
        { "an address whose suffix would inject a header is not a channel",
            "#EXTINF:-1,A\nhttp://h/a|User-Agent=a%0D%0AX: y\n#EXTINF:-1,B\nhttp://h/b\n",
            { { "http://h/b", "", "", {} } }, 1, 0 },
        { "a broken entry drops the options gathered for it",
            "#EXTVLCOPT:http-user-agent=Lost\n#EXTINF:-1,A\nhttp://h/a\0x\nhttp://h/b\n"s,
            { { "http://h/b", "", "", {} } }, 1, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Playlist playlist = ReadPlaylist(c.input);
        EXPECT_EQ(c.skipped, playlist.skipped);
        EXPECT_EQ(c.ignored, playlist.ignored_options);
        ASSERT_EQ(c.channels.size(), playlist.channels.size());
        for (size_t i = 0; i < c.channels.size(); ++i) {
            const PlaylistChannel& got = playlist.channels[i];
            EXPECT_EQ(c.channels[i].address, got.address);
            EXPECT_EQ(c.channels[i].user_agent, got.options.user_agent);
            EXPECT_EQ(c.channels[i].referrer, got.options.referrer);
            EXPECT_EQ(c.channels[i].fields, got.options.fields);
        }
    }
}

TEST(PlaylistStreamOptions, TextObjectLimits)
{
    std::string many = "{";
    for (size_t i = 0; i <= kMaxHeaderFields; ++i)
        many += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":\"v\"";
    many += "}";
    EXPECT_FALSE(ParseTextObject(many));
    EXPECT_EQ(Fields {}, ParseTextObject(" { } "));
    EXPECT_EQ((Fields { { "a", "1" }, { "a", "2" } }), ParseTextObject("{\"a\":\"1\",\"a\":\"2\"}"));
    for (const char* bad : { "{\"a\":\"1\",}", "{,}", "{\"a\" \"1\"}", "{\"a\":\"\\x\"}", "{\"a\":\"tab\there\"}",
             "{\"a\":\"\\u12\"}", "{\"a\":\"\\udc00\"}", "{\"a\":\"1\"}}", "" })
        EXPECT_FALSE(ParseTextObject(bad)) << bad;
}

// The tree hands the player the address with the channel's fields, ready
// for the engine; a channel without fields keeps its plain address.
TEST(PlaylistStreamOptions, ChannelAddressCarriesItsFieldsToThePlayer)
{
    StoredPlaylist stored;
    stored.name = "tv";
    stored.playlist = ReadPlaylist("#EXTINF:-1,A\n#EXTHTTP:{\"User-Agent\":\"Mozilla/5.0 (X11; Linux)\","
                                   "\"Cookie\":\"a=b&c=d\"}\nhttp://h/a\n#EXTINF:-1,B\nhttp://h/b\n");
    MyChannels channels;
    channels.Set({ stored });
    ASSERT_EQ(3u, channels.Rows().size());
    EXPECT_EQ("http://h/a|User-Agent=Mozilla/5.0%20(X11;%20Linux)&Cookie=a%3Db%26c%3Dd", channels.Address(1));
    EXPECT_EQ("http://h/b", channels.Address(2));
    AddressWithOptions back = SplitStreamOptions(channels.Address(1));
    EXPECT_EQ(stored.playlist.channels[0].options, back.options);
}

}
}
