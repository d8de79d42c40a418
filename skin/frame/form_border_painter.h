#pragma once

// Painting a skinned frame's border into the whole window (window
// coordinates): a pure function of the window's size and what the border
// shows. The window keeps a 3-pixel frame on the left, top and right that
// this fills: border lines, the background colour between them and the
// client area, the menu bar's colour beside the menu bar, and the first
// three rows of the title bar's pictures above the title bar. A file theme
// with side border pictures paints those instead of the lines.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"

namespace pellamo {

struct FormBorderFace {
    Size window;
    int border_width = 1;
    TColor border_color = 0;
    TColor color = 0; // the frame's background
    bool title_visible = true;
    int title_height = 0; // of the title bar, even while it is hidden
    // The title bar's left, right and middle pictures; null when the bar
    // does not have all three.
    const Bitmap* title_left = nullptr;
    const Bitmap* title_right = nullptr;
    const Bitmap* title_centre = nullptr;
    int round_corner = 0; // the title bar's
    bool designing = false;
    bool menu_bar = false; // exists and is shown
    bool has_menu_bar = false; // exists
    int menu_bar_height = 0;
    TColor menu_bar_color = 0;
    TColor form_color = 0; // the window's own colour
    // A file theme's side pictures (the right one is the left one turned
    // round) and bottom picture; null when the theme has none.
    const Bitmap* left_border = nullptr;
    const Bitmap* right_border = nullptr;
    const Bitmap* bottom_border = nullptr;
};

void PaintFormBorder(Canvas& canvas, const FormBorderFace& face);

}
