#pragma once

#include "player/media_player_control.h"
#include "player/windows_media_player.h"

namespace pellamo {

// Lets the player host drive the media player control of the form.
class MediaPlayerAdapter : public MediaPlayerControl {
public:
    explicit MediaPlayerAdapter(TWindowsMediaPlayer& control)
        : control_(control)
    {
    }
    void SetVisible(bool visible) override { control_.SetVisible(visible); }
    void SetURL(const std::u16string& url) override { control_.SetURL(url); }

private:
    TWindowsMediaPlayer& control_;
};

}
