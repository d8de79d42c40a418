#pragma once

#include "platform/gfx/color.h"
#include "platform/gfx/font.h"

#include <string>

namespace pellamo {

// What painting a skinned menu item takes from its menu: the appearance
// the style gave it (or the stored values that replaced those) and the
// caption font.
struct MenuItemLook {
    bool mac_os = false; // pinstripe pictures instead of fills
    int bar_width = 26; // the image column; 0 or less: none
    TColor bar_color = 0;
    TColor color = 0;
    TColor separator_color = 0;
    TColor selected_border_color = 0;
    TColor selected_color = 0; // also behind the image of a checked item
    TColor selected_font_color = 0;
    TColor font_color = 0;
    Font font;
};

// One item as it is painted.
struct MenuItemFace {
    std::string caption; // "-" is a separator; "&" marks the access key
    std::string shortcut; // the shortcut's text, empty for none
    bool enabled = true;
    bool checked = false;
    bool is_default = false; // bold
    int image_index = -1;
    bool opens_sub_menu = false; // marked with an arrow
};

}
