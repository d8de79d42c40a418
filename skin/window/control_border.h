#pragma once

#include "platform/gfx/color.h"

namespace pellamo {

class TWinControl;

// Frames the whole window of the control, its non-client part included:
// a 1-pixel line of `border` along its outer edge and, with `draw_inner`,
// one of `inner` just inside it. System colours are resolved first.
// Nothing happens before the control has a window.
void DrawControlBorder(TWinControl& control, TColor border, TColor inner, bool draw_inner);

}
