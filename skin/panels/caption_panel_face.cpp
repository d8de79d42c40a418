#include "skin/panels/caption_panel_face.h"

#include "skin/draw/frame_strip.h"

namespace pellamo {

int PanelButtonFrame(bool expanded, bool hot) { return expanded ? (hot ? 2 : 1) : (hot ? 4 : 3); }

Rect PanelButtonHotRect(int width, int bar_height, Size frame)
{
    int left = width - 1 - frame.cx - 4;
    int top = (bar_height - frame.cy) / 2;
    return { left, top, left + frame.cx, top + frame.cy };
}

Point PanelButtonOrigin(int width, int bar_height, Size frame)
{
    int top = (bar_height - frame.cy) / 2;
    return { width - frame.cx - 4, top / 2 + 2 };
}

void PaintPanelButton(Canvas& canvas, int width, int bar_height, const Bitmap& strip, int frame)
{
    Bitmap picture;
    SpitBitmap(strip, picture, kPanelButtonFrames, frame);
    if (picture.Empty())
        return;
    Point at = PanelButtonOrigin(width, bar_height, { picture.Width(), picture.Height() });
    canvas.Draw(at.x, at.y, picture);
}

void PaintCaptionPanel(Canvas& canvas, Size size, const CaptionPanelFace& face)
{
    Rect client { 0, 0, size.cx, size.cy };
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = face.color;
    canvas.FillRect(client);
    canvas.brush.color = face.border_color;
    canvas.FrameRect(client);

    int bar_height = face.bar ? face.bar->Height() : 0;
    if (bar_height > 0 && !face.bar->Empty())
        canvas.StretchDraw({ 1, 0, size.cx - 1, bar_height }, *face.bar);

    canvas.font = face.font;
    canvas.font.color = face.caption_color;
    canvas.brush.style = BrushStyle::Clear;
    if (face.right_to_left) {
        int right = size.cx - (face.button_strip ? 21 : 11);
        Rect r { 1, 0, right, bar_height };
        canvas.DrawText(face.caption, r, kTextSingleLine | kTextVCenter | kTextRight);
    } else {
        Rect r { 10, 0, size.cx - 1, bar_height };
        canvas.DrawText(face.caption, r, kTextSingleLine | kTextVCenter | kTextLeft);
    }

    if (face.button_strip)
        PaintPanelButton(canvas, size.cx, bar_height, *face.button_strip, PanelButtonFrame(face.expanded, face.hot));
}

}
