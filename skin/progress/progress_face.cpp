#include "skin/progress/progress_face.h"

#include "platform/gfx/font.h"

namespace pellamo {

int64_t ProgressPercent(int32_t min, int32_t max, int32_t position)
{
    if (max == min)
        return 0;
    return (int64_t { position } - min) * 100 / (int64_t { max } - min);
}

std::string ProgressCaption(int32_t min, int32_t max, int32_t position)
{
    return std::to_string(ProgressPercent(min, max, position)) + "%";
}

int ProgressFilledLength(int32_t min, int32_t max, int32_t position, int length)
{
    if (max <= min || position <= min)
        return 0;
    if (position > max)
        return length;
    return static_cast<int>(int64_t { length } * (int64_t { position } - min) / (int64_t { max } - min));
}

void PaintProgressBar(Canvas& canvas, Size size, const ProgressFace& face)
{
    int w = size.cx;
    int h = size.cy;
    bool has_picture = face.picture && !face.picture->Empty();
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = face.color;
    if (!face.vertical) {
        int f = ProgressFilledLength(face.min, face.max, face.position, w - 1);
        if (f == 0)
            f = 1;
        if (has_picture)
            canvas.StretchDraw({ 1, 1, f, h - 1 }, *face.picture);
        canvas.FillRect({ f, 1, w - 1, h - 1 });
    } else {
        int y = (h - 1) - ProgressFilledLength(face.min, face.max, face.position, h - 1);
        if (y == 0)
            y = 1;
        // Rows y - 1 to h - 2, the picture's bottom row at the top.
        if (has_picture)
            canvas.CopyRect(
                { 1, h - 1, w - 1, y - 1 }, *face.picture, { 0, 0, face.picture->Width(), face.picture->Height() });
        canvas.FillRect({ 1, 1, w - 1, y });
    }
    if (!face.caption.empty()) {
        canvas.font = Font {};
        canvas.font.color = face.caption_color;
        canvas.brush.style = BrushStyle::Clear;
        Size text = canvas.TextExtent(face.caption);
        canvas.TextOut((w - text.cx) / 2, (h - text.cy) / 2, face.caption);
        canvas.brush.style = BrushStyle::Solid;
    }
    canvas.brush.color = face.border_color;
    canvas.FrameRect({ 0, 0, w, h });
}

}
