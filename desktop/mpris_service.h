#pragma once

#include "desktop/bus_thread.h"
#include "platform/loop/event_loop.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace pellamo {

// The player on the session bus as org.mpris.MediaPlayer2.<name>, the
// interface the desktop's media keys and media controls speak. Calls are
// answered on the bus thread from the last state the program published;
// commands run on the program's loop. Without a session bus it does
// nothing.
class MprisService {
public:
    struct State {
        enum class Playback { Stopped, Playing, Paused };
        Playback playback = Playback::Stopped;
        double volume = 1.0; // 0..1
        std::string title; // the channel (UTF-8)
        std::string programme; // what runs on it now, when the guide knows
        std::string art_url; // its logo (a file:// URL), when there is one
        bool operator==(const State&) const = default;
    };
    struct Commands {
        std::function<void()> play, pause, play_pause, stop, next, previous, raise, quit;
        std::function<void(double)> set_volume;
    };

    MprisService(EventLoop& loop, Commands commands, std::string name = "pellamo");
    ~MprisService();
    MprisService(const MprisService&) = delete;
    MprisService& operator=(const MprisService&) = delete;

    // Owns its bus name.
    bool Active() const { return registered_; }
    // Publishes the state; the bus hears of what changed.
    void Update(const State& state);

    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
    // The track id of a channel: an object path of its own, NoTrack when
    // nothing is tuned.
    static std::string TrackId(const std::string& title);

private:
    struct Glue;
    void Command(const std::function<void()>& command);

    EventLoop& loop_;
    Commands commands_;
    BusThread bus_;
    bool registered_ = false;
    unsigned root_id_ = 0;
    unsigned player_id_ = 0;
    std::mutex mutex_;
    State state_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
