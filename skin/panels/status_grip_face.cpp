#include "skin/panels/status_grip_face.h"

#include "platform/gfx/system_colors.h"

namespace pellamo {

void PaintStatusGrip(Canvas& canvas, Size size, TColor color, bool strokes, TColor stroke_color)
{
    const int w = size.cx;
    const int h = size.cy;
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color;
    canvas.FillRect({ w - 16, h - 16, w - 1, h - 1 });
    if (strokes) {
        const int l = w - 16;
        const int t = h - 15;
        const int r = w - 1;
        const int b = h - 1;
        canvas.pen.color = SystemColors::Resolve(stroke_color);
        canvas.pen.style = PenStyle::Solid;
        canvas.pen.width = 1;
        for (int k = 0; k < 4; ++k) {
            canvas.MoveTo(l + 1 + 4 * k, b);
            canvas.LineTo(r, t + 4 * k);
        }
    }
    if (h - 16 > 3)
        canvas.FillRect({ w - 16, 3, w - 1, h - 16 });
}

}
