#pragma once

// Painting a title bar: a pure function of the bar's size and everything
// its picture depends on. The three section pictures are drawn from the
// window's corner (`section_offset` moves them out past the frame the bar
// sits in), then the buttons in their normal, mouse-over or pressed
// picture, the window-menu box or the application icon, and the caption,
// shortened with "..." when it does not fit.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "skin/frame/title_bar_layout.h"

#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

struct TitleBarButtonFace {
    const Bitmap* normal = nullptr;
    const Bitmap* mouse_on = nullptr;
    const Bitmap* mouse_down = nullptr;
    // The colour of the picture's bottom-left pixel is left out.
    bool transparent = false;
};

struct TitleBarFace {
    // Sections 0, 1 and 2: the left end, the right end, the stretched middle;
    // null for a missing one.
    const Bitmap* left = nullptr;
    const Bitmap* right = nullptr;
    const Bitmap* centre = nullptr;
    Point section_offset;
    std::vector<TitleBarButtonFace> buttons; // as the layout's
    TitleBarLayout layout;
    int hover = -1; // the button under the pointer
    bool pressed = false; // the left button is held on the bar
    const Bitmap* app_icon = nullptr; // drawn 16 x 16 instead of the box picture
    std::string caption; // GBK
    Font font;
    bool active = true; // else the caption takes the inactive caption colour
    bool right_to_left = false; // the caption is right-aligned before the buttons
    int button_height = 0; // of the style's button pictures; centres the caption
};

void PaintTitleBar(Canvas& canvas, Size size, const TitleBarFace& face);

// `caption` as drawn in `room` pixels: whole, or cut at the end (by whole
// GBK characters) until it fits with "..." after it, down to "..." alone.
std::string FitCaption(const Canvas& canvas, std::string_view caption, int room);

}
