#include "player/player_host.h"
#include "tests/player/recording_players.h"

#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace pellamo;

namespace {

using Log = PlayerLog;

TEST(PlayerHost, SwitchesControlsBeforeHandingOverTheAddress)
{
    using Step = std::function<void(PlayerHost&)>;
    struct Case {
        const char* what;
        std::vector<Step> steps;
        Log expected;
    };
    const Case cases[] = {
        { "stream: the Real player is hidden and silenced first", { [](PlayerHost& h) { h.PlayStream("mms://a/b"); } },
            { "real hidden", "media shown", "real source ", "media url mms://a/b" } },
        { "Real: the media player is hidden and silenced first",
            { [](PlayerHost& h) { h.PlayReal(u"rtsp://r/x.rm"); } },
            { "media hidden", "real shown", "media url ", "real source rtsp://r/x.rm" } },
        { "two streams in a row: the Real player is silenced each time",
            { [](PlayerHost& h) { h.PlayStream("mms://one"); }, [](PlayerHost& h) { h.PlayStream("mms://two"); } },
            { "real hidden", "media shown", "real source ", "media url mms://one", "real hidden", "media shown",
                "real source ", "media url mms://two" } },
        { "stream after Real",
            { [](PlayerHost& h) { h.PlayReal(u"rtsp://r"); }, [](PlayerHost& h) { h.PlayStream("http://s"); } },
            { "media hidden", "real shown", "media url ", "real source rtsp://r", "real hidden", "media shown",
                "real source ", "media url http://s" } },
        { "GBK in the address arrives as the same characters",
            { [](PlayerHost& h) { h.PlayStream("mms://x/\xD6\xB1\xB2\xA5 a|b%3F"); } },
            { "real hidden", "media shown", "real source ", "media url mms://x/直播 a|b%3F" } },
        { "Real source passed as it is", { [](PlayerHost& h) { h.PlayReal(u"rtsp://r/电台"); } },
            { "media hidden", "real shown", "media url ", "real source rtsp://r/电台" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Log log;
        MediaRecorder media(log);
        RealRecorder real(log);
        PlayerHost host(media, real);
        for (const Step& step : c.steps)
            step(host);
        EXPECT_EQ(log, c.expected);
    }
}

TEST(PlayerHost, RefusedAddressIsThrownWithTheControlsAlreadySwitched)
{
    Log log;
    MediaRecorder media(log);
    RealRecorder real(log);
    PlayerHost host(media, real);
    EXPECT_THROW(host.PlayStream("bad://"), std::runtime_error);
    EXPECT_EQ(log, (Log { "real hidden", "media shown", "real source ", "media url bad://" }));
}

}
