#pragma once

// Painting a skinned frame's menu bar and its buttons: pure functions of
// the rectangle, the button's state and the look. In MacOS the bar is the
// pinstripe picture and a hot or pressed button the blue selection
// picture; in the other styles a hot or pressed button is a framed fill.
// Captions are one line, centred, with their access keys underlined.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"

#include <string>

namespace pellamo {

struct MenuBarLook {
    bool mac_os = false; // pictures instead of fills
    const Bitmap* bar_picture = nullptr; // MACOS_MENU_BAR
    const Bitmap* select_picture = nullptr; // MACOS_MENU_SELECT
    TColor selected_border = 0;
    TColor selected_fill = 0;
    TColor selected_font = 0;
    TColor font_color = 0; // of the other enabled captions
    Font font;
};

struct MenuBarButtonFace {
    std::string caption; // GBK, "&" marks the access key
    bool hot = false; // under the pointer or chosen from the keyboard
    bool pressed = false; // pressed, or its menu is down
    bool enabled = true;
};

// The bar's background; false when the look leaves it to the bar's colour.
bool PaintMenuBarBackground(Canvas& canvas, const Rect& rect, const MenuBarLook& look);
void PaintMenuBarButton(Canvas& canvas, Rect rect, const MenuBarButtonFace& face, const MenuBarLook& look);

}
