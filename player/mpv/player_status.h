#pragma once

#include <string>

namespace pellamo {

// What a player is doing, as its face shows it.
struct PlayerStatus {
    enum class State { Idle, Connecting, Buffering, Playing, Paused, Stopped, Reconnecting, Error };

    State state = State::Idle;
    int buffering_percent = 0;
    double elapsed_seconds = 0;
    // What failed, for the viewer: a sentence of ours naming the address.
    std::string error;
    // The engine's own words about it, for the log; empty for failures of
    // ours (a refused address).
    std::string engine_text;
    // No picture in the stream: the face shows the station status instead.
    bool audio_only = false;

    // "Connecting...", "Buffering 42%", "Playing 00:01:23", ...
    std::string Text() const;
    bool operator==(const PlayerStatus&) const = default;
};

}
