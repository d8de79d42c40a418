#include "skin/menus/menu_routines.h"

#include "platform/components/controls/menu_item.h"
#include "platform/gfx/resources.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/system_fonts.h"
#include "platform/window/window_system.h"
#include "skin/theme_data/named_pictures.h"

#include <algorithm>
#include <array>
#include <memory>

namespace pellamo {

namespace {

// The top `rows` rows of a 1-pixel-wide picture, stretched over `rect`.
// The pictures are decoded once, not on every item painted.
void StretchTopRows(Canvas& canvas, const Rect& rect, const char* picture, int rows)
{
    std::shared_ptr<const Bitmap> stripes = Resources::CachedBitmap(picture);
    canvas.CopyRect(rect, *stripes, { 0, 0, stripes->Width(), std::min(rows, stripes->Height()) });
}

}

void Menu_SetItemEvent(TMenuItem& item, const MenuMeasureHook& on_measure, const MenuDrawHook& on_draw)
{
    item.OnMeasureItem = on_measure;
    item.OnDrawItem = on_draw;
    for (int i = 0; i < item.Count(); ++i)
        Menu_SetItemEvent(*item.Items(i), on_measure, on_draw);
}

void Menu_DrawBorder(Canvas& canvas, const Rect& rect, TColor color)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color;
    canvas.FrameRect(rect);
}

void Menu_DrawBackGround(Canvas& canvas, const Rect& rect, TColor color)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color;
    canvas.FillRect(rect);
}

void Menu_DrawLineItem(Canvas& canvas, const Rect& rect, TColor color, bool left_to_right, int bar_width)
{
    canvas.pen = Pen { color };
    int y = rect.top + 2;
    if (left_to_right) {
        canvas.MoveTo(rect.left + bar_width + 4, y);
        canvas.LineTo(rect.right - 2, y);
    } else {
        canvas.MoveTo(rect.left + 2, y);
        canvas.LineTo(rect.right - bar_width - 4, y);
    }
}

void Menu_DrawMacOSLineItem(Canvas& canvas, const Rect& rect) { StretchTopRows(canvas, rect, kMacOSMenuBar, 12); }

void Menu_DrawMacOSSelectedItem(Canvas& canvas, const Rect& rect)
{
    StretchTopRows(canvas, rect, kMacOSMenuSelect, 20);
}

void Menu_DrawMacOSNonSelectedItem(Canvas& canvas, const Rect& rect)
{
    StretchTopRows(canvas, rect, kMacOSMenuBar, 20);
}

void DrawFlatMenuBorder(Canvas& canvas, const Rect& window, TColor outer, TColor line)
{
    const int l = window.left, t = window.top, r = window.right, b = window.bottom;
    Menu_DrawBorder(canvas, { l, t + 1, r - 1, b - 1 }, outer);
    Menu_DrawBorder(canvas, { l + 1, t + 2, r - 2, b - 2 }, Rgb(255, 255, 255));
    canvas.pen = Pen { line };
    const std::array<Point, 5> edge { { { l, b - 1 }, { r - 1, b - 1 }, { r - 1, t }, { r, t }, { l, t } } };
    canvas.Polyline(edge);
}

void Menu_DrawWindowBorder(WindowSystem& ws, HWND window, TColor outer, TColor line)
{
    DeviceContext* dc = ws.GetWindowDC(window);
    if (!dc)
        return;
    Rect r = ws.GetWindowRect(window);
    DrawFlatMenuBorder(dc->GetCanvas(), { 0, 0, r.Width(), r.Height() }, outer, line);
    ws.ReleaseDC(window, dc);
}

void Menu_GetSystemFont(Font& font)
{
    font = SystemFonts::Menu();
    font.color = clMenuText;
}

}
