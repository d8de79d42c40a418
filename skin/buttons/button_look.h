#pragma once

// What the push buttons of one style show, taken from the theme once per
// style or theme change: the three frames of the button strip
// (ThemeItem::ButtonImage: normal, also disabled; hover; pressed) and
// whether the strip has transparent parts (ButtonTransparentBool).

#include "platform/gfx/bitmap.h"

namespace pellamo {

class ThemeSource;

struct ButtonLook {
    Bitmap normal;
    Bitmap hover;
    Bitmap pressed;
    bool transparent = false;
};

// A frame the theme cannot give (a damaged picture in a theme file) stays
// empty, and the button is drawn without it.
ButtonLook ResolveButtonLook(const ThemeSource& theme);

// The frames of the push-button strip.
constexpr int kButtonStripFrames = 3;

}
