#pragma once

// How a skinned tool bar paints a button the pointer is over, that is
// pressed, or that stays down: a flat face in the style's colours with a
// 1-pixel frame, the button's image and its caption.

#include "platform/components/controls/tool_bar.h"
#include "platform/gfx/canvas.h"

#include <string>

namespace pellamo {

class TImageList;

struct ToolButtonLook {
    TColor face = 0xEFEFEF; // under the pointer
    TColor down = 0xD8D8D8; // pressed
    TColor border = 0x474747; // the frame of both
};

struct ToolButtonFace {
    bool pressed = false; // the pressed face, else the hot one
    bool drop_down = false; // keeps room for the arrow at the right
    bool arrow = false; // draws the drop-down arrow and its divider
    // The image, always in its enabled look; none without a list or with
    // an index outside it.
    const TImageList* images = nullptr;
    int image_index = -1;
    bool list = false; // the image left of the caption, else above it
    // Drawn with "&" marking the access key; empty: none.
    std::string caption;
    Font font;
};

void PaintToolButtonFace(Canvas& canvas, const Rect& bounds, const ToolButtonFace& face, const ToolButtonLook& look);

}
