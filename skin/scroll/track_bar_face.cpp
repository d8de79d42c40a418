#include "skin/scroll/track_bar_face.h"

#include "skin/draw/rotate.h"
#include "skin/draw/three_piece.h"

namespace pellamo {

Bitmap BuildTrackBarBuffer(const Bitmap& bar_picture, int length, TColor color, bool vertical)
{
    if (bar_picture.Empty() || length <= 0)
        return Bitmap();
    Bitmap buffer(length, bar_picture.Height());
    Canvas canvas(buffer);
    canvas.brush.color = color;
    canvas.brush.style = BrushStyle::Solid;
    canvas.FillRect({ 0, 0, length, bar_picture.Height() });
    SpitDrawHorizontal(bar_picture, canvas, { 0, 0, length, bar_picture.Height() }, false, false);
    if (vertical)
        RoundPicture(buffer);
    return buffer;
}

void PaintTrackBarFace(Canvas& canvas, Size size, const TrackBarFace& face)
{
    if (face.bar && !face.bar->Empty()) {
        if (face.vertical)
            canvas.Draw((size.cx - face.bar_thickness) / 2, 0, *face.bar);
        else
            canvas.Draw(0, (size.cy - face.bar_thickness) / 2, *face.bar);
    }
    if (face.focus_rect) {
        canvas.brush.style = BrushStyle::Solid;
        canvas.DrawFocusRect({ 0, 0, size.cx, size.cy });
    }
    canvas.pen = Pen {};
    for (int at : face.ticks) {
        if (face.vertical) {
            canvas.MoveTo(0, at);
            canvas.LineTo(3, at);
            canvas.MoveTo(size.cx - 3, at);
            canvas.LineTo(size.cx, at);
        } else {
            canvas.MoveTo(at, size.cy - 3);
            canvas.LineTo(at, size.cy);
        }
    }
}

}
