#include "skin/frame/menu_bar_painter.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr TColor kDisabledText = 0x808080;
constexpr unsigned kCaptionFlags = kTextSingleLine | kTextCenter | kTextVCenter;

}

bool PaintMenuBarBackground(Canvas& canvas, const Rect& rect, const MenuBarLook& look)
{
    if (!look.mac_os || !look.bar_picture || look.bar_picture->Empty())
        return false;
    canvas.StretchDraw(rect, *look.bar_picture);
    return true;
}

void PaintMenuBarButton(Canvas& canvas, Rect r, const MenuBarButtonFace& face, const MenuBarLook& look)
{
    int saved = canvas.SaveState();
    canvas.font = look.font;
    if ((face.hot || face.pressed) && look.mac_os) {
        Bitmap piece(std::max(1, r.Width()), std::max(1, r.Height()));
        Canvas c(piece);
        if (look.select_picture && !look.select_picture->Empty())
            c.StretchDraw({ 0, 0, piece.Width(), piece.Height() }, *look.select_picture);
        c.brush.style = BrushStyle::Clear;
        c.font = look.font;
        c.font.color = look.selected_font;
        Rect text { 0, 0, piece.Width(), piece.Height() + 2 };
        c.DrawText(face.caption, text, kCaptionFlags);
        canvas.Draw(r.left, r.top, piece);
    } else if (face.hot || face.pressed) {
        if (face.pressed)
            r.right -= 2;
        canvas.brush.style = BrushStyle::Solid;
        canvas.brush.color = look.selected_fill;
        canvas.FillRect(r);
        canvas.brush.color = look.selected_border;
        canvas.FrameRect(r);
        if (face.pressed)
            r.left += 2;
        r.top += 2;
        canvas.brush.style = BrushStyle::Clear;
        canvas.font.color = look.selected_font;
        canvas.DrawText(face.caption, r, kCaptionFlags);
    } else {
        canvas.brush.style = BrushStyle::Clear;
        r.top += 2;
        canvas.font.color = face.enabled ? look.font_color : kDisabledText;
        canvas.DrawText(face.caption, r, kCaptionFlags);
    }
    canvas.RestoreState(saved);
}

}
