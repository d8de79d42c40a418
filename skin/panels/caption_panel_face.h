#pragma once

// The picture of a caption panel: a white body with a 1-pixel border, the
// style's bar picture stretched along the top (its height is the bar's),
// the caption in the bar, and the push/pop button at the bar's right end.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"

#include <string>

namespace pellamo {

// The push/pop button strip has four frames: 1 expanded, 2 expanded under
// the mouse, 3 pushed, 4 pushed under the mouse.
constexpr int kPanelButtonFrames = 4;
int PanelButtonFrame(bool expanded, bool hot);

// Where the pointer counts as over the button (edges included). The
// picture itself stands one pixel further right.
Rect PanelButtonHotRect(int width, int bar_height, Size frame);
// Where the button's picture is drawn.
Point PanelButtonOrigin(int width, int bar_height, Size frame);

struct CaptionPanelFace {
    TColor color = clWhite;
    TColor border_color = 0;
    TColor caption_color = 0;
    const Bitmap* bar = nullptr; // the caption bar; null or empty: no bar
    std::string caption; // GBK
    Font font;
    bool right_to_left = false;
    // The button's strip, or null when no button is shown.
    const Bitmap* button_strip = nullptr;
    bool expanded = true;
    bool hot = false;
};

// Paints a panel of `size` (as wide as the panel, as high as it is when
// expanded) from (0, 0).
void PaintCaptionPanel(Canvas& canvas, Size size, const CaptionPanelFace& face);

// Just the button, over a picture painted before.
void PaintPanelButton(Canvas& canvas, int width, int bar_height, const Bitmap& strip, int frame);

}
