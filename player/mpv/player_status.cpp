#include "player/mpv/player_status.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pellamo {

namespace {

std::string Clock(double seconds)
{
    // Live streams can report odd times (negative after a reset, NaN before
    // the first packet); the face shows zero rather than garbage.
    if (!std::isfinite(seconds) || seconds < 0)
        seconds = 0;
    long long total = static_cast<long long>(std::min(seconds, 359999.0));
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
    return text;
}

}

std::string PlayerStatus::Text() const
{
    switch (state) {
    case State::Idle:
        return "Ready";
    case State::Connecting:
        return "Connecting...";
    case State::Buffering:
        return "Buffering " + std::to_string(std::clamp(buffering_percent, 0, 100)) + "%";
    case State::Playing:
        return "Playing " + Clock(elapsed_seconds);
    case State::Paused:
        return "Paused " + Clock(elapsed_seconds);
    case State::Stopped:
        return "Stopped";
    case State::Reconnecting:
        return "Reconnecting...";
    case State::Error:
        return error.empty() ? std::string("Error") : error;
    }
    return {};
}

}
