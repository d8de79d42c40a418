#include "skin/toolbars/tool_button_face.h"

#include "platform/components/controls/image_list.h"
#include "platform/gfx/text_flags.h"
#include "platform/text/access_keys.h"

#include <array>

namespace pellamo {

namespace {

void DrawArrow(Canvas& canvas, const Rect& bounds)
{
    int right = bounds.right;
    // Centred down the button, also in the second and later rows.
    int yc = bounds.top + bounds.Height() / 2;
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = clBlack;
    canvas.pen.color = clBlack;
    std::array<Point, 3> outer { Point { right - 9, yc }, Point { right - 5, yc }, Point { right - 7, yc + 2 } };
    canvas.Polygon(outer);
    std::array<Point, 3> inner { Point { right - 8, yc }, Point { right - 6, yc }, Point { right - 7, yc + 1 } };
    canvas.Polygon(inner);
    canvas.MoveTo(right - kToolButtonArrowWidth, bounds.top);
    canvas.LineTo(right - kToolButtonArrowWidth, bounds.bottom);
}

}

void PaintToolButtonFace(Canvas& canvas, const Rect& bounds, const ToolButtonFace& face, const ToolButtonLook& look)
{
    const int L = bounds.left;
    const int T = bounds.top;
    const int R = bounds.right;
    const int B = bounds.bottom;
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = face.pressed ? look.down : look.face;
    canvas.FillRect(bounds);
    canvas.brush.color = look.border;
    canvas.FrameRect(bounds);

    const int r = face.drop_down ? R - kToolButtonArrowWidth : R;
    canvas.font = face.font;
    const int text_width = canvas.TextWidth(ScanAccessKeys(face.caption).shown);
    const int centred = (r - L - text_width) / 2;
    Rect text;
    if (face.images) {
        const int iw = face.images->Width();
        const int ih = face.images->Height();
        bool has_image = face.image_index >= 0 && face.image_index < face.images->Count();
        Point at = face.list ? Point { L + 5, T + 3 } : Point { L + (r - L - iw) / 2, T + 3 };
        if (has_image)
            face.images->Draw(canvas, at.x, at.y, face.image_index, true);
        text = face.list ? Rect { L + iw + 7, T + (ih - 16) / 2 + 4, R, B } : Rect { L + centred, T + ih + 4, R, B };
    } else {
        text = face.list ? Rect { L + 8, T + 3, R, B } : Rect { L + centred, T + (face.pressed ? 5 : 4), R, B };
    }
    if (!face.caption.empty()) {
        canvas.brush.style = BrushStyle::Clear;
        canvas.DrawText(face.caption, text, kTextLeft | kTextSingleLine);
        canvas.brush.style = BrushStyle::Solid;
    }
    if (face.arrow)
        DrawArrow(canvas, bounds);
}

}
