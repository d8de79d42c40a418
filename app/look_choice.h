#pragma once

// The look the viewer chose, as one line of text to remember between runs:
// "" for the designed look, a built-in style's name ("WinXP"), or
// "file:" followed by a theme file's full path.

#include "app/player_options.h"

#include <string>
#include <string_view>

namespace pellamo {

std::string LookChoiceText(const PlayerLook& look);
// Text that names no look (an unknown style, "file:" alone) gives the
// designed look.
PlayerLook LookFromChoiceText(std::string_view text);

}
