#pragma once

// Measuring and painting one item of a skinned drop-down menu: pure
// functions of the item, its rectangle, its state and the menu's look.

#include "platform/gfx/canvas.h"
#include "platform/gfx/image_list.h"
#include "skin/menus/menu_item_look.h"

namespace pellamo {

// Grey of a disabled item's caption.
constexpr TColor kMenuDisabledText = 0x808080;

// The item's size: `separator_height` or `item_height` high; as wide as
// its caption and shortcut in the canvas's current font, plus the bar and
// 40 pixels.
Size MeasureMenuItem(
    const Canvas& canvas, const MenuItemFace& item, int item_height, int separator_height, int bar_width);

// Paints the item into `rect`: background (picture or fills with the side
// bar), highlight, caption, shortcut, sub-menu arrow, check mark or boxed
// image. `images` is the user's list (may be null), `check_marks` holds
// the check mark at index 0. Right to left mirrors the bar, caption,
// shortcut, arrow and image.
// Leaves the canvas's font and brush as painting left them.
void PaintMenuItem(Canvas& canvas, const Rect& rect, const MenuItemFace& item, bool selected, bool right_to_left,
    const MenuItemLook& look, const ImageList* images, const ImageList* check_marks);

}
