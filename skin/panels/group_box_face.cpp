#include "skin/panels/group_box_face.h"

#include <array>
#include <cstdlib>

namespace pellamo {

void PaintGroupBoxFrame(Canvas& canvas, const Rect& client, const GroupBoxFace& face)
{
    canvas.font = face.font;
    if (!face.enabled)
        canvas.font.color = 0x808080;
    int text_width = face.caption.empty() ? 0 : canvas.TextWidth(face.caption);
    const int l = client.left;
    const int r = client.right;
    const int b = client.bottom;
    const int y = client.top + std::abs(face.font.height) / 2 + 1;

    canvas.pen.color = face.border_color;
    canvas.pen.style = PenStyle::Solid;
    canvas.pen.width = 1;
    if (face.right_to_left) {
        int x = face.caption.empty() ? r - 1 : r - text_width - 7;
        std::array<Point, 6> line { Point { r - 3, y }, { r - 1, y }, { r - 1, b - 1 }, { l + 1, b - 1 }, { l + 1, y },
            { x, y } };
        canvas.Polyline(line);
    } else {
        int x = face.caption.empty() ? l : l + 6 + text_width;
        std::array<Point, 6> line { Point { l + 2, y }, { l, y }, { l, b - 1 }, { r - 1, b - 1 }, { r - 1, y },
            { x, y } };
        canvas.Polyline(line);
    }

    canvas.brush.style = BrushStyle::Clear;
    if (face.right_to_left)
        canvas.TextOut(r - text_width - 6, 0, face.caption);
    else
        canvas.TextOut(5, 0, face.caption);
}

}
