#pragma once

#include <string>

namespace pellamo {

// The media player control as the player host drives it. Setting a non-empty
// URL makes the control open and play it by itself; the empty URL stops it and
// releases what it was playing. A failure to take the URL is thrown.
class MediaPlayerControl {
public:
    virtual ~MediaPlayerControl() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetURL(const std::u16string& url) = 0;
};

}
