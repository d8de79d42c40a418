#include "skin/checks/check_face.h"

#include <algorithm>

namespace pellamo {

int CheckFrameIndex(bool checked, bool enabled)
{
    if (enabled)
        return checked ? 1 : 2;
    return checked ? 3 : 4;
}

Size CheckBoxAutoSize(Size picture, int caption_width, int text_height)
{
    return { picture.cx + caption_width + 8, std::max(text_height + 2, picture.cy) + 4 };
}

CheckBoxLayout LayOutCheckBox(Size client, Size picture, int text_height, bool right_to_left)
{
    CheckBoxLayout l;
    int ty = (client.cy - text_height) / 2;
    int py = (client.cy - picture.cy) / 2;
    if (right_to_left) {
        l.picture = { client.cx - picture.cx - 1, py };
        l.caption = { 0, ty, client.cx - picture.cx - 4, client.cy };
        l.caption_right_aligned = true;
        l.focus = { 0, ty, client.cx - picture.cx - 2, ty + text_height + 2 };
    } else {
        l.picture = { 1, py };
        l.caption = { picture.cx + 4, ty, client.cx, client.cy };
        l.focus = { picture.cx + 3, ty, client.cx, ty + text_height + 2 };
    }
    return l;
}

void PaintCheckBoxFace(Canvas& canvas, Size client, const Bitmap& picture, std::string_view caption, const Font& font,
    bool right_to_left, bool focused)
{
    canvas.font = font;
    canvas.brush.style = BrushStyle::Clear;
    int text_height = canvas.TextHeight("W");
    CheckBoxLayout l = LayOutCheckBox(client, { picture.Width(), picture.Height() }, text_height, right_to_left);
    if (!picture.Empty())
        canvas.Draw(l.picture.x, l.picture.y, picture);
    Rect r = l.caption;
    canvas.DrawText(caption, r, kTextSingleLine | (l.caption_right_aligned ? kTextRight : kTextLeft));
    if (focused) {
        canvas.brush.style = BrushStyle::Solid;
        canvas.DrawFocusRect(l.focus);
    }
}

}
