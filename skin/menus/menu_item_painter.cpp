#include "skin/menus/menu_item_painter.h"

#include "platform/components/controls/sub_menu_arrow.h"
#include "skin/menus/menu_routines.h"

namespace pellamo {

namespace {

bool IsSeparator(const MenuItemFace& item) { return item.caption == "-"; }

// The side bar and the rest of a plainly filled item.
void PaintBarAndFill(Canvas& canvas, const Rect& r, bool right_to_left, const MenuItemLook& look)
{
    int bar = look.bar_width;
    if (bar > 0)
        Menu_DrawBackGround(canvas,
            right_to_left ? Rect { r.right - bar, r.top, r.right, r.bottom }
                          : Rect { r.left, r.top, r.left + bar, r.bottom },
            look.bar_color);
    Menu_DrawBackGround(canvas,
        right_to_left ? Rect { r.left, r.top, r.right - bar, r.bottom }
                      : Rect { r.left + bar, r.top, r.right, r.bottom },
        look.color);
}

}

Size MeasureMenuItem(
    const Canvas& canvas, const MenuItemFace& item, int item_height, int separator_height, int bar_width)
{
    int height = IsSeparator(item) ? separator_height : item_height;
    int width = canvas.TextWidth(item.caption) + (item.shortcut.empty() ? 0 : canvas.TextWidth(item.shortcut))
        + bar_width + 40;
    return { width, height };
}

void PaintMenuItem(Canvas& canvas, const Rect& rect, const MenuItemFace& item, bool selected, bool right_to_left,
    const MenuItemLook& look, const ImageList* images, const ImageList* check_marks)
{
    const Rect& r = rect;
    if (IsSeparator(item)) {
        if (look.mac_os) {
            Menu_DrawMacOSLineItem(canvas, r);
            return;
        }
        PaintBarAndFill(canvas, r, right_to_left, look);
        Menu_DrawLineItem(canvas, r, look.separator_color, !right_to_left, look.bar_width);
        return;
    }

    // A disabled item is never highlighted.
    bool highlighted = selected && item.enabled;
    if (highlighted) {
        if (look.mac_os) {
            Menu_DrawMacOSSelectedItem(canvas, r);
        } else {
            Menu_DrawBackGround(canvas, r, look.selected_color);
            Menu_DrawBorder(canvas, r, look.selected_border_color);
        }
    } else if (look.mac_os) {
        Menu_DrawMacOSNonSelectedItem(canvas, r);
    } else {
        PaintBarAndFill(canvas, r, right_to_left, look);
    }

    canvas.font = look.font;
    canvas.brush.style = BrushStyle::Clear;
    canvas.font.color = !item.enabled ? kMenuDisabledText : selected ? look.selected_font_color : look.font_color;
    if (item.is_default)
        canvas.font.bold = true;

    int bar = look.bar_width;
    Rect text = right_to_left ? Rect { r.left, r.top + 4, r.right - bar - 4, r.bottom }
                              : Rect { r.left + bar + 4, r.top + 4, r.right, r.bottom };
    canvas.DrawText(item.caption, text, kTextSingleLine | (right_to_left ? kTextRight : kTextLeft));
    if (!item.shortcut.empty()) {
        int x = right_to_left ? r.left + 16 : r.right - canvas.TextWidth(item.shortcut) - 16;
        canvas.TextOut(x, r.top + 4, item.shortcut);
    }
    // In the caption's colour, as the platform's own menus draw it.
    if (item.opens_sub_menu)
        DrawSubMenuArrow(canvas, r, canvas.font.color, right_to_left);

    int x = right_to_left ? r.right - 20 : r.left + 4;
    bool has_image = images && item.image_index >= 0 && item.image_index < images->Count();
    if (item.checked) {
        if (has_image) {
            Menu_DrawBorder(canvas, { x - 2, r.top + 1, x + 17, r.top + 20 }, clBlack);
            Menu_DrawBackGround(canvas, { x - 1, r.top + 2, x + 16, r.top + 19 }, look.selected_color);
        } else if (check_marks) {
            check_marks->Draw(canvas, x, r.top + 3, 0, item.enabled);
        }
    }
    if (has_image)
        images->Draw(canvas, x, r.top + 3, item.image_index, item.enabled);
}

}
