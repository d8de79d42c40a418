#pragma once

// What a caption panel takes from its style or file theme: the caption
// bar (SideChannelBarImage), the border (ControlBorderColor) and the
// caption's colour. With a file theme the caption is black over the few
// dark-on-light ControlFontColor values that the style files use, white
// otherwise; built in, it is black in MacOS and MenuSelectedFontColor in
// the other styles.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"

namespace pellamo {

class ThemeSource;

struct CaptionPanelLook {
    Bitmap bar;
    TColor border_color = 0;
    TColor caption_color = 0;
};

// A file theme without a bar picture leaves `current_bar` in place.
CaptionPanelLook ResolveCaptionPanelLook(const ThemeSource& theme, const Bitmap& current_bar);

}
