#include "player/mpv/stream_error.h"

#include <mpv/client.h>

#include <gtest/gtest.h>

namespace pellamo {
namespace {

// The engine's complaints, as its network and format layers word them, and
// the sentence the viewer reads instead.
TEST(StreamErrorTest, EngineComplaintsBecomeSentencesNamingTheAddress)
{
    struct Case {
        int engine_error;
        const char* complaint;
        const char* expected;
    };
    const Case cases[] = {
        { MPV_ERROR_LOADING_FAILED, "tcp: Connection to tcp://127.0.0.1:4 failed: Connection refused",
            "the server refused the connection." },
        { MPV_ERROR_LOADING_FAILED, "tcp: Connection to tcp://10.0.0.9:80 failed: Connection timed out",
            "the server did not answer in time." },
        { MPV_ERROR_LOADING_FAILED, "tcp: Failed to resolve hostname live.example: Name or service not known",
            "the server's name cannot be found." },
        { MPV_ERROR_LOADING_FAILED, "tcp: Connection to tcp://10.1.1.1:80 failed: Network is unreachable",
            "the server cannot be reached." },
        { MPV_ERROR_LOADING_FAILED, "http: HTTP error 404 Not Found", "the server has no stream at this address." },
        { MPV_ERROR_LOADING_FAILED, "http: HTTP error 403 Forbidden",
            "the server does not allow this stream to be played." },
        { MPV_ERROR_LOADING_FAILED, "http: HTTP error 503 Service Unavailable", "the server answered with an error." },
        // The example a viewer once saw word for word.
        { MPV_ERROR_UNKNOWN_FORMAT, "http: Stream ends prematurely at 0, should be 18446744073709551615",
            "the server sent no stream." },
        { MPV_ERROR_LOADING_FAILED, "Refusing to load potentially unsafe URL from a playlist.",
            "the stream leads to a file on this computer, which is not played." },
        // Without a complaint the engine's code decides.
        { MPV_ERROR_UNKNOWN_FORMAT, "", "this is not a stream the player knows." },
        { MPV_ERROR_NOTHING_TO_PLAY, "", "the stream holds no picture or sound." },
        { MPV_ERROR_LOADING_FAILED, "", "the stream cannot be opened." },
        { MPV_ERROR_LOADING_FAILED, "something new the engine says", "the stream cannot be opened." },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.complaint);
        EXPECT_EQ(std::string("Cannot play \"http://live.example/tv\": ") + c.expected,
            DescribeStreamError("http://live.example/tv", c.engine_error, c.complaint));
    }
}

TEST(StreamErrorTest, LongOrOddAddressesAreQuotedShortAndPrintable)
{
    std::string text = DescribeStreamError("http://h/" + std::string(500, 'a') + "\n", MPV_ERROR_LOADING_FAILED, "");
    EXPECT_LT(text.size(), 120u);
    EXPECT_EQ(std::string::npos, text.find('\n'));
}

}
}
