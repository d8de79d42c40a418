#pragma once

#include "player/player_control.h"

#include <string>

namespace pellamo {

// The media player of the main window: picture with a slim bar under it
// (play/pause, stop, volume, status), playing whatever URL it is given.
class TWindowsMediaPlayer : public TPlayerControl {
public:
    explicit TWindowsMediaPlayer(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    const std::u16string& URL() const { return Address(); }
    void SetURL(const std::u16string& url) { SetAddress(url); }

    // The published URL: the same value as UTF-8, the form property strings
    // take.
    std::string URLText() const;
    void SetURLText(const std::string& url);
};

}
