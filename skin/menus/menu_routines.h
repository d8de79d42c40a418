#pragma once

// The drawing routines the skinned menus share, and that the skinned
// form's menu bar uses too. Rectangles are end-exclusive; frames lie one
// pixel inside their rectangle and lines leave out their end point.

#include "platform/components/event.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "platform/window/messages.h"

namespace pellamo {

class TMenuItem;
class WindowSystem;

using MenuMeasureHook = TEvent<TObject*, Canvas&, int&, int&>;
using MenuDrawHook = TEvent<TObject*, Canvas&, Rect, bool>;

// Gives `item` and all its sub-items, depth first in index order, the two
// item hooks.
void Menu_SetItemEvent(TMenuItem& item, const MenuMeasureHook& on_measure, const MenuDrawHook& on_draw);

// A 1-pixel frame around `rect`.
void Menu_DrawBorder(Canvas& canvas, const Rect& rect, TColor color);
void Menu_DrawBackGround(Canvas& canvas, const Rect& rect, TColor color);
// The separator line on the item's third row, leaving the side bar
// (`bar_width` wide, on the left or, right to left, on the right) and a
// margin free.
void Menu_DrawLineItem(Canvas& canvas, const Rect& rect, TColor color, bool left_to_right, int bar_width);

// The MacOS pinstripes stretched over `rect`: the top 12 rows of the menu
// bar picture for a separator, its top 20 rows for an item, the top 20 rows
// of the selection picture for the highlighted item.
void Menu_DrawMacOSLineItem(Canvas& canvas, const Rect& rect);
void Menu_DrawMacOSSelectedItem(Canvas& canvas, const Rect& rect);
void Menu_DrawMacOSNonSelectedItem(Canvas& canvas, const Rect& rect);

// The flat border of a menu window whose whole area is `window` (in the
// canvas's coordinates): an `outer` frame one row down, a white one inside
// it, and `line` along the bottom row, the right column and the top row.
void DrawFlatMenuBorder(Canvas& canvas, const Rect& window, TColor outer, TColor line);
// The same on the menu window itself, over the platform's plain border.
void Menu_DrawWindowBorder(WindowSystem& ws, HWND window, TColor outer, TColor line);

// Gives `font` the system's menu font, coloured as menu text.
void Menu_GetSystemFont(Font& font);

}
