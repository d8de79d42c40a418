#pragma once

// The four pictures of the gallery's image button, drawn here: a round
// "play" button, plain, lit under the pointer, pressed in and greyed. The
// white corners are the transparent colour (the top-left pixel).

#include "platform/gfx/bitmap.h"

namespace pellamo {

enum class PlayButtonState { Normal, MouseOn, MouseDown, Disabled };

Bitmap PlayButtonPicture(PlayButtonState state);

}
