#pragma once

#include "platform/gfx/color.h"

namespace pellamo {

// Pixels of this colour are left out where nine- and three-piece skin
// pictures are drawn.
constexpr TColor kSkinKeyColor = clFuchsia;

}
