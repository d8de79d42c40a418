#pragma once

#include "player/media_player_control.h"
#include "player/real_player_control.h"

#include <string_view>

namespace pellamo {

// Hands a play command to the two player controls, which share one rectangle:
// exactly one is shown, and the hidden one is given the empty address so that
// it falls silent. The host keeps no state; the controls are it.
class PlayerHost {
public:
    PlayerHost(MediaPlayerControl& media, RealPlayerControl& real);

    // Plays a GBK stream address in the media player control.
    void PlayStream(std::string_view address);
    // Plays a source in the Real player control.
    void PlayReal(std::u16string_view source);

private:
    MediaPlayerControl& media_;
    RealPlayerControl& real_;
};

}
