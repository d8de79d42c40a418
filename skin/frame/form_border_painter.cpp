#include "skin/frame/form_border_painter.h"

#include "skin/draw/three_piece.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr int kFrame = 3; // the window's own frame on the left, top and right
constexpr int kTopRows = 3;
constexpr int kArcCorner = 11; // the rounding whose corner arcs are drawn

void Fill(Canvas& canvas, TColor color, const Rect& r)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = color;
    canvas.FillRect(r);
}

// A piece of the frame made from a picture: `paint` draws into a bitmap of
// `size`, which is then copied to `at`. Pieces of no width or height (a
// border as wide as the frame leaves none) are skipped.
template <class Paint> void Piece(Canvas& canvas, Size size, Point at, Paint&& paint)
{
    if (size.cx <= 0 || size.cy <= 0)
        return;
    Bitmap piece(size.cx, size.cy);
    Canvas c(piece);
    paint(c);
    canvas.Draw(at.x, at.y, piece);
}

// The right end picture in a piece of `width`: its last columns, or the
// whole picture stretched over the piece when it is narrower than `narrow`.
void RightEnd(Canvas& c, const Bitmap& right, int width, int height, int x, int narrow)
{
    if (right.Width() < narrow)
        c.StretchDraw({ 0, 0, width, height }, right);
    else
        c.Draw(x, 0, right);
}

void PaintPlain(Canvas& canvas, const FormBorderFace& f)
{
    int w = f.window.cx;
    int h = f.window.cy;
    int bw = f.border_width;
    int t = f.title_visible ? f.title_height : 0;
    Fill(canvas, f.border_color, { 0, 0, bw, h });
    Fill(canvas, f.border_color, { 0, h - bw, w, h });
    Fill(canvas, f.border_color, { w - bw, 0, w, h });
    if (bw >= 4)
        return;
    Fill(canvas, f.color, { bw, t, kFrame, h - bw });
    Fill(canvas, f.color, { bw, h - kFrame, w - bw, h - bw });
    Fill(canvas, f.color, { w - kFrame, t, w - bw, h - bw });
    if (f.menu_bar) {
        int top = f.title_height + kFrame;
        Fill(canvas, f.menu_bar_color, { bw, top, kFrame, top + f.menu_bar_height });
        Fill(canvas, f.menu_bar_color, { w - kFrame, top, w - bw, top + f.menu_bar_height });
    }
    if (!f.title_visible) {
        Fill(canvas, f.border_color, { 0, 0, w, 1 });
        Fill(canvas, f.color, { bw, 1, w - bw, kTopRows });
        return;
    }
    if (!f.title_left || !f.title_right || !f.title_centre)
        return;
    const Bitmap& l = *f.title_left;
    const Bitmap& r = *f.title_right;
    const Bitmap& c = *f.title_centre;
    Size corner { kFrame - bw, l.Height() };
    Piece(canvas, corner, { bw, 0 }, [&](Canvas& p) { p.Draw(0, 0, l); });
    Piece(canvas, corner, { w - kFrame, 0 },
        [&](Canvas& p) { RightEnd(p, r, corner.cx, corner.cy, 2 - r.Width(), kFrame); });
    int strip = w - 5;
    Piece(canvas, { strip, kTopRows }, { 2, 0 }, [&](Canvas& p) {
        int right_at = strip - r.Width() + kFrame;
        p.Draw(-2, 0, l);
        p.Draw(right_at, 0, r);
        if (!c.Empty())
            p.StretchDraw({ l.Width() - 2, 0, right_at, c.Height() }, c);
    });
    if (bw == 1 && f.round_corner == kArcCorner && !f.designing) {
        int rc = f.round_corner;
        canvas.pen.color = f.border_color;
        canvas.Arc({ w - 2 * rc + 1, -1, w + 1, 2 * rc - 1 }, { w + 1, rc - 1 }, { w - rc + 1, -1 });
        canvas.Arc({ -1, -1, 2 * rc - 1, 2 * rc - 1 }, { rc - 1, -1 }, { -1, rc - 1 });
    }
}

void PaintPictured(Canvas& canvas, const FormBorderFace& f)
{
    int w = f.window.cx;
    int h = f.window.cy;
    int lw = f.left_border->Width();
    int th = f.title_visible ? f.title_height : 0;
    int bh = 0;
    if (f.bottom_border && !f.bottom_border->Empty()) {
        bh = f.bottom_border->Height();
        SpitDrawHorizontal(*f.bottom_border, canvas, { 0, h - bh, w, h }, false, false);
    }
    canvas.StretchDraw({ 0, th, lw, h - bh }, *f.left_border);
    if (f.right_border)
        canvas.StretchDraw({ w - lw, th, w, h - bh }, *f.right_border);
    Fill(canvas, f.color, { lw, th, lw + 1, h - bh });
    Fill(canvas, f.color, { lw + 1, h - bh - 1, w - lw - 1, h - bh });
    Fill(canvas, f.color, { w - lw - 1, th, w - lw, h - bh });
    if (f.menu_bar) {
        Fill(canvas, f.menu_bar_color, { lw, th, lw + 1, th + f.menu_bar_height + kFrame });
        Fill(canvas, f.menu_bar_color, { w - lw - 1, th + kFrame, w - lw, th + kFrame + f.menu_bar_height });
    }
    if (f.title_visible && f.title_left && f.title_right && f.title_centre) {
        const Bitmap& l = *f.title_left;
        const Bitmap& r = *f.title_right;
        const Bitmap& c = *f.title_centre;
        Size corner { lw + 2, l.Height() };
        Piece(canvas, corner, { 0, 0 }, [&](Canvas& p) { p.Draw(0, 0, l); });
        Piece(canvas, corner, { w - lw - 2, 0 },
            [&](Canvas& p) { RightEnd(p, r, corner.cx, corner.cy, corner.cx - r.Width(), corner.cx); });
        int strip = w - 2 * lw;
        Piece(canvas, { strip, kTopRows }, { lw, 0 }, [&](Canvas& p) {
            int right_at = strip - r.Width() + lw;
            p.Draw(1 - lw, 0, l);
            p.Draw(right_at, 0, r);
            if (!c.Empty())
                p.StretchDraw({ l.Width() - lw, 0, right_at, c.Height() }, c);
        });
    } else {
        Fill(canvas, f.has_menu_bar ? f.menu_bar_color : f.form_color, { lw, 0, w - lw, kTopRows });
    }
}

}

void PaintFormBorder(Canvas& canvas, const FormBorderFace& face)
{
    int saved = canvas.SaveState();
    if (face.left_border && !face.left_border->Empty())
        PaintPictured(canvas, face);
    else
        PaintPlain(canvas, face);
    canvas.RestoreState(saved);
}

}
