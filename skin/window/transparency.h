#pragma once

// Skinned controls paint into a bitmap of their own; to look transparent
// they first have their parent paint what it shows behind them.

#include "platform/gfx/canvas.h"

namespace pellamo {

class TControl;
class TWinControl;

// Paints into `canvas` (the control's own, its (0, 0) at the control's
// top left) what the control's parent shows there: the parent's
// background and its own painting, through WM_ERASEBKGND and WM_PAINT
// carrying a context on the canvas, clipped to the parent's client area.
// The canvas's state is kept. Does nothing without a parent, and nothing
// when called again for the same control while the parent paints.
void DoTrans(Canvas& canvas, TControl& control);

// Lets what is behind the control show through: clears csOpaque and gives
// its window the WS_EX_TRANSPARENT style (once it has a window).
void SetWinControlTransparent(TWinControl& control);

}
