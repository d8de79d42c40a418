#pragma once

#include <string>

namespace pellamo {

// The RealMedia player control as the player host drives it. Like the media
// player: a non-empty source plays, the empty source stops and releases.
class RealPlayerControl {
public:
    virtual ~RealPlayerControl() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetSource(const std::u16string& source) = 0;
};

}
