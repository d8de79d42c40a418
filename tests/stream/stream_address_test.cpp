#include "stream/stream_address.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

TEST(StreamAddressTest, NetworkSchemesAreMappedToWhatTheEngineOpens)
{
    struct Case {
        const char* address;
        const char* engine;
        const char* fallback;
    };
    const Case cases[] = {
        { "http://tv.example.com/live.asf", "http://tv.example.com/live.asf", "" },
        { "https://tv.example.com/a", "https://tv.example.com/a", "" },
        // The engine's mms is MMS over HTTP; the TCP protocol is the second try.
        { "mms://media.example.com/cctv1", "mms://media.example.com/cctv1", "mmst://media.example.com/cctv1" },
        { "mmsh://m.example.com/x", "mmsh://m.example.com/x", "" },
        { "mmst://m.example.com/x", "mmst://m.example.com/x", "" },
        // No UDP MMS in the engine.
        { "mmsu://m.example.com/x", "mmst://m.example.com/x", "" },
        { "rtsp://r.example.com:554/a.rm", "rtsp://r.example.com:554/a.rm", "" },
        // The engine's RTSP already runs over TCP.
        { "rtspt://r.example.com/a.rm", "rtsp://r.example.com/a.rm", "" },
        { "rtmp://f.example.com/live/s", "rtmp://f.example.com/live/s", "" },
        // Scheme case does not matter; the rest is passed untouched.
        { "MMS://Media.Example.com/Live", "mms://Media.Example.com/Live", "mmst://Media.Example.com/Live" },
        { "RtspT://h/A?b=C", "rtsp://h/A?b=C", "" },
        // Blanks and line ends a page cut leaves around the address.
        { "  http://h/x \r\n", "http://h/x", "" },
        { "\thttp://h/%E4%B8%AD ", "http://h/%E4%B8%AD", "" },
        { "http://h/\xe4\xb8\xad\xe6\x96\x87", "http://h/\xe4\xb8\xad\xe6\x96\x87", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        StreamAddress a = StreamAddress::Parse(c.address);
        ASSERT_TRUE(a.Allowed()) << a.Error();
        EXPECT_EQ(c.engine, a.EngineUrl());
        EXPECT_EQ(c.fallback, a.FallbackUrl());
        EXPECT_EQ("", a.Error());
    }
}

TEST(StreamAddressTest, AnythingButANetworkStreamIsRefused)
{
    struct Case {
        std::string address;
        const char* reason;
    };
    const Case cases[] = {
        // Local files and the engine's own protocols would read the disk.
        { "file:///etc/passwd", "scheme \"file\"" },
        { "FILE:///etc/passwd", "scheme \"file\"" },
        { "lavf://file:/etc/passwd", "scheme \"lavf\"" },
        { "av://lavfi:testsrc", "scheme \"av\"" },
        { "memory://secret", "scheme \"memory\"" },
        { "edl://%10%/etc/passwd", "scheme \"edl\"" },
        { "ffmpeg://file:/x", "scheme \"ffmpeg\"" },
        { "javascript:alert(1)", "scheme \"javascript\"" },
        { "ytdl://x", "scheme \"ytdl\"" },
        // No scheme: a path, a bare word, nothing.
        { "/etc/passwd", "not a network stream address" },
        { "mms", "not a network stream address" },
        { "mms:", "no server" },
        { "", "not a network stream address" },
        { " \r\n", "not a network stream address" },
        { "://host/x", "not a network stream address" },
        { "1http://host/x", "not a network stream address" },
        // A network scheme without a server.
        { "http:/etc/passwd", "no server" },
        { "http:///etc/passwd", "no server" },
        { "mms://", "no server" },
        // Control characters inside would end a line in the engine's log and
        // could carry a second address.
        { "http://h/a\nfile:///etc/passwd", "control characters" },
        { std::string("http://h/a\0b", 12), "control characters" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        StreamAddress a = StreamAddress::Parse(c.address);
        EXPECT_FALSE(a.Allowed());
        EXPECT_EQ("", a.EngineUrl());
        EXPECT_EQ("", a.FallbackUrl());
        EXPECT_NE(std::string::npos, a.Error().find(c.reason)) << a.Error();
        EXPECT_EQ(0u, a.Error().rfind("Cannot play ", 0)) << a.Error();
    }
}

TEST(StreamAddressTest, RefusalMessageShowsAShortPrintableAddress)
{
    std::string page(5000, 'x');
    for (std::string address : { "junk" + page, page + ":" + page }) {
        StreamAddress a = StreamAddress::Parse(address);
        EXPECT_LT(a.Error().size(), 200u);
        EXPECT_NE(std::string::npos, a.Error().find("...\""));
    }

    // Cut short between characters, never inside one (the face could not
    // draw the text).
    std::string chinese;
    for (int i = 0; i < 30; ++i)
        chinese += "\xe7\x94\xb5"; // 电
    std::string shown = StreamAddress::Shown("x" + chinese);
    EXPECT_EQ("\"x" + chinese.substr(0, 57) + "...\"", shown);

    StreamAddress b = StreamAddress::Parse("file:///a\x01\x7f");
    for (char c : b.Error())
        EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7F) << b.Error();
}

}
}
