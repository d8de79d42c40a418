#include "stream/stream_address.h"
#include "stream/stream_options.h"

#include <gtest/gtest.h>

#include <string>

namespace pellamo {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

TEST(StreamOptionsTest, AddressSuffixIsTakenApartIntoHeaderFields)
{
    struct Case {
        std::string text;
        const char* address;
        const char* user_agent;
        const char* referrer;
        Fields fields;
    };
    const Case cases[] = {
        { "http://h/live.m3u8", "http://h/live.m3u8", "", "", {} },
        { "http://h/a|User-Agent=VLC/3.0", "http://h/a", "VLC/3.0", "", {} },
        // Values as other players write them: percent-encoded, or not.
        { "http://h/a|User-Agent=Mozilla/5.0%20(X11)&Referer=https%3A%2F%2Fsite%2Fp%3Fa%3D1%26b%3D2", "http://h/a",
            "Mozilla/5.0 (X11)", "https://site/p?a=1&b=2", {} },
        { "http://h/a|user-agent=Mozilla/5.0 (X11)&REFERRER=http://r/", "http://h/a", "Mozilla/5.0 (X11)", "http://r/",
            {} },
        // Other names are header fields; a repeated one keeps its last value.
        { "http://h/a|Cookie=k%3Dv&Origin=http://o&cookie=k%3Dw", "http://h/a", "", "",
            { { "Cookie", "k=w" }, { "Origin", "http://o" } } },
        // Empty pairs are nothing; a value may hold '='.
        { "http://h/a|&X-Token=a=b&", "http://h/a", "", "", { { "X-Token", "a=b" } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        AddressWithOptions split = SplitStreamOptions(c.text);
        ASSERT_TRUE(split.valid);
        EXPECT_EQ(c.address, split.address);
        EXPECT_EQ(c.user_agent, split.options.user_agent);
        EXPECT_EQ(c.referrer, split.options.referrer);
        EXPECT_EQ(c.fields, split.options.fields);
        // The suffix made from the options reads back as the same options.
        std::string again = std::string(split.address) + StreamOptionsSuffix(split.options);
        EXPECT_EQ(split.options, SplitStreamOptions(again).options) << again;
        EXPECT_EQ(split.options.Empty(), again == split.address);
    }
}

// A header value that ends its line would let a playlist write requests of
// its own; such an address is refused whole, never played without it.
TEST(StreamOptionsTest, HeaderInjectionAndFramingFieldsAreRefused)
{
    const char* refused[] = {
        "http://h/a|User-Agent=x%0D%0AHost: evil",
        "http://h/a|Referer=x%0Ay",
        "http://h/a|Cookie=a%00b",
        "http://h/a|Cookie=a%1Bb",
        "http://h/a|Host=other",
        "http://h/a|Content-Length=5",
        "http://h/a|Transfer-Encoding=chunked",
        "http://h/a|Bad Name=x",
        "http://h/a|Bad:Name=x",
        "http://h/a|=x",
        "http://h/a|NoValue",
    };
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        AddressWithOptions split = SplitStreamOptions(text);
        EXPECT_FALSE(split.valid);
        EXPECT_TRUE(split.options.Empty());
        StreamAddress address = StreamAddress::Parse(text);
        EXPECT_FALSE(address.Allowed());
        EXPECT_EQ("", address.EngineUrl());
        EXPECT_NE(std::string::npos, address.Error().find("header fields")) << address.Error();
    }
    StreamOptions options;
    EXPECT_FALSE(options.Set("User-Agent", std::string(kMaxHeaderValue + 1, 'a')));
    for (size_t i = 0; i < kMaxHeaderFields; ++i)
        EXPECT_TRUE(options.Set("X-" + std::to_string(i), "v"));
    EXPECT_FALSE(options.Set("X-One-Too-Many", "v"));
    EXPECT_TRUE(options.Set("X-0", "replaced")) << "a known name is replaced, not added";
}

TEST(StreamOptionsTest, CheckedAddressCarriesItsFieldsButMessagesDoNotShowThem)
{
    StreamAddress address = StreamAddress::Parse(" rtspt://h/a|User-Agent=UA&Cookie=secret \r\n");
    ASSERT_TRUE(address.Allowed()) << address.Error();
    EXPECT_EQ("rtsp://h/a", address.EngineUrl());
    EXPECT_EQ("UA", address.Options().user_agent);
    EXPECT_EQ((Fields { { "Cookie", "secret" } }), address.Options().fields);

    StreamAddress refused = StreamAddress::Parse("file:///etc/passwd|Cookie=secret");
    EXPECT_FALSE(refused.Allowed());
    EXPECT_EQ(std::string::npos, refused.Error().find("secret")) << refused.Error();
    EXPECT_EQ("\"http://h/a\"", StreamAddress::Shown("http://h/a|Cookie=secret"));
}

}
}
