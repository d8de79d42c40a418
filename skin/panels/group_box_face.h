#pragma once

// The frame of a group box: a thin line in the border colour round the box,
// its top edge running through the middle of the caption's first line and
// broken for the caption, which stands at the top left (top right when the
// box reads right to left).

#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"

#include <string>

namespace pellamo {

struct GroupBoxFace {
    TColor border_color = 0;
    std::string caption; // GBK
    Font font;
    bool enabled = true;
    bool right_to_left = false;
};

// Over a background painted before.
void PaintGroupBoxFrame(Canvas& canvas, const Rect& client, const GroupBoxFace& face);

}
