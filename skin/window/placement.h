#pragma once

#include "platform/gfx/geometry.h"

namespace pellamo {

class TControl;

// Whether the point lies in the rectangle with all four edges counted
// inside (unlike Rect::Contains, the right and bottom edges too).
bool InRect(Point p, const Rect& rect);
bool InRect(int x, int y, const Rect& rect);

// Moves the control's top left to the point, keeping its size.
void PlaceControl(TControl& control, Point p);
// Gives the control the rectangle's place and size.
void PlaceControl(TControl& control, const Rect& rect);

// The screen's work area (the screen less panels and task bars); empty
// when there is no window system.
Rect GetWorkAreaRect();

}
