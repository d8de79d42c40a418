#pragma once

// Player controls that write what they are told into a shared log, so a test
// can compare the order of steps across both controls.

#include "platform/text/gbk.h"
#include "player/media_player_control.h"
#include "player/real_player_control.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace pellamo {

using PlayerLog = std::vector<std::string>;

class MediaRecorder : public MediaPlayerControl {
public:
    explicit MediaRecorder(PlayerLog& log)
        : log_(log)
    {
    }
    void SetVisible(bool visible) override { log_.push_back(visible ? "media shown" : "media hidden"); }
    // "bad://" is refused, as a real control may refuse an address.
    void SetURL(const std::u16string& url) override
    {
        log_.push_back("media url " + Utf16ToUtf8(url));
        if (url == u"bad://")
            throw std::runtime_error("The control refused the address");
    }

private:
    PlayerLog& log_;
};

class RealRecorder : public RealPlayerControl {
public:
    explicit RealRecorder(PlayerLog& log)
        : log_(log)
    {
    }
    void SetVisible(bool visible) override { log_.push_back(visible ? "real shown" : "real hidden"); }
    void SetSource(const std::u16string& source) override { log_.push_back("real source " + Utf16ToUtf8(source)); }

private:
    PlayerLog& log_;
};

}
