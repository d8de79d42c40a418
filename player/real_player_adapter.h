#pragma once

#include "player/real_audio.h"
#include "player/real_player_control.h"

namespace pellamo {

// Lets the player host drive the RealMedia player control of the form.
class RealPlayerAdapter : public RealPlayerControl {
public:
    explicit RealPlayerAdapter(TRealAudio& control)
        : control_(control)
    {
    }
    void SetVisible(bool visible) override { control_.SetVisible(visible); }
    void SetSource(const std::u16string& source) override { control_.SetSource(source); }

private:
    TRealAudio& control_;
};

}
