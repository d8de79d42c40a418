#include "player/mpv/player_status.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pellamo {
namespace {

using State = PlayerStatus::State;

TEST(PlayerStatusTest, TextOfEveryState)
{
    struct Case {
        State state;
        int percent;
        double elapsed;
        const char* error;
        const char* text;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        { State::Idle, 0, 0, "", "Ready" },
        { State::Connecting, 0, 0, "", "Connecting..." },
        { State::Buffering, 42, 0, "", "Buffering 42%" },
        { State::Buffering, -5, 0, "", "Buffering 0%" },
        { State::Buffering, 250, 0, "", "Buffering 100%" },
        { State::Playing, 0, 83.9, "", "Playing 00:01:23" },
        { State::Playing, 0, 3600, "", "Playing 01:00:00" },
        { State::Playing, 0, 0.2, "", "Playing 00:00:00" },
        // Long-running live streams, and nonsense from a broken stream.
        { State::Playing, 0, 100 * 3600 + 1, "", "Playing 99:59:59" },
        { State::Playing, 0, 1e300, "", "Playing 99:59:59" },
        { State::Playing, 0, -3, "", "Playing 00:00:00" },
        { State::Playing, 0, nan, "", "Playing 00:00:00" },
        { State::Playing, 0, inf, "", "Playing 00:00:00" },
        { State::Paused, 0, 61, "", "Paused 00:01:01" },
        { State::Stopped, 0, 61, "", "Stopped" },
        { State::Reconnecting, 0, 61, "", "Reconnecting..." },
        { State::Error, 0, 0, "Loading failed: Connection refused", "Loading failed: Connection refused" },
        { State::Error, 0, 0, "", "Error" },
    };
    for (const Case& c : cases) {
        PlayerStatus status;
        status.state = c.state;
        status.buffering_percent = c.percent;
        status.elapsed_seconds = c.elapsed;
        status.error = c.error;
        EXPECT_EQ(c.text, status.Text());
    }
}

}
}
