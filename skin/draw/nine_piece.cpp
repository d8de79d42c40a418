#include "skin/draw/nine_piece.h"

#include "skin/draw/key_color.h"

#include <algorithm>

namespace pellamo {

namespace {

struct Corner {
    NinePiece::Kind kind;
    Rect source;
    Size slot;
    bool right;
    bool bottom;
};

// A corner cut down to what its slot holds, keeping its outer side; placed
// against the edges it belongs to. Empty target when it does not fit.
NinePiece PlaceCorner(const Corner& c, const Rect& bounds, const Rect& rect)
{
    Rect source = c.source.Intersect(bounds);
    int w = std::max(0, std::min(source.Width(), c.slot.cx));
    int h = std::max(0, std::min(source.Height(), c.slot.cy));
    int x = c.right ? rect.right - w : 0;
    int y = c.bottom ? rect.bottom - h : 0;
    if (w == 0 || h == 0) {
        // Nothing drawn: an empty rectangle at the corner's place.
        x = c.right ? rect.right : 0;
        y = c.bottom ? rect.bottom : 0;
        return { c.kind, {}, { x, y, x, y } };
    }
    int sx = c.right ? source.right - w : source.left;
    int sy = c.bottom ? source.bottom - h : source.top;
    return { c.kind, Rect::FromSize(sx, sy, w, h), Rect::FromSize(x, y, w, h) };
}

// A span [from, to) inside [0, limit); an empty one becomes the one pixel
// where it starts. False when nothing is left.
bool FitSpan(int& from, int& to, int limit)
{
    from = std::clamp(from, 0, limit);
    to = std::clamp(to, 0, limit);
    if (to <= from) {
        from = std::min(from, limit - 1);
        to = from + 1;
    }
    return limit > 0;
}

}

std::vector<NinePiece> NinePieceLayout(Size picture, const Rect& rect)
{
    std::vector<NinePiece> pieces;
    const int bw = picture.cx, bh = picture.cy;
    if (bw <= 0 || bh <= 0)
        return pieces;
    const int hw = bw / 2, hh = bh / 2;
    const int HW = rect.Width() / 2, HH = rect.Height() / 2;
    const Rect bounds { 0, 0, bw, bh };

    NinePiece tl = PlaceCorner({ NinePiece::TopLeft, { 0, 0, hw, hh }, { HW, HH }, false, false }, bounds, rect);
    NinePiece bl
        = PlaceCorner({ NinePiece::BottomLeft, { 0, bh - hh + 1, hw, bh }, { HW, HH - 1 }, false, true }, bounds, rect);
    NinePiece tr
        = PlaceCorner({ NinePiece::TopRight, { bw - hw + 1, 0, bw, hh }, { HW - 1, HH }, true, false }, bounds, rect);
    NinePiece br = PlaceCorner(
        { NinePiece::BottomRight, { bw - hw + 1, bh - hh + 1, bw, bh }, { HW - 1, HH - 1 }, true, true }, bounds, rect);
    const Rect TL = tl.target, BL = bl.target, TR = tr.target, BR = br.target;

    // A stretched piece: its source narrowed (left/right edges) or shortened
    // (top/bottom edges) to the target's size, keeping the outer side.
    enum Keep { KeepAll, KeepLeft, KeepRight, KeepTop, KeepBottom };
    auto stretched = [&](NinePiece::Kind kind, Rect source, const Rect& target, Keep keep) {
        int w = target.Width(), h = target.Height();
        if (w <= 0 || h <= 0)
            return;
        if (keep == KeepLeft && source.Width() > w)
            source.right = source.left + w;
        if (keep == KeepRight && source.Width() > w)
            source.left = source.right - w;
        if (keep == KeepTop && source.Height() > h)
            source.bottom = source.top + h;
        if (keep == KeepBottom && source.Height() > h)
            source.top = source.bottom - h;
        if (!FitSpan(source.left, source.right, bw) || !FitSpan(source.top, source.bottom, bh))
            return;
        pieces.push_back({ kind, source, target });
    };
    auto corner = [&](const NinePiece& piece) {
        if (!piece.target.IsEmpty())
            pieces.push_back(piece);
    };

    corner(tl);
    corner(bl);
    stretched(NinePiece::LeftEdge, { 0, hh, hw, bh - hh }, { 0, TL.bottom, TL.right, BL.top }, KeepLeft);
    corner(tr);
    corner(br);
    stretched(NinePiece::RightEdge, { bw - hw + 1, bh - hh, bw, hh + 2 }, { TR.left, TR.bottom, TR.right, BR.top },
        KeepRight);
    stretched(NinePiece::TopEdge, { hw, 0, bw - hw + 1, hh }, { TL.right, 0, TR.left, TL.bottom }, KeepTop);
    stretched(
        NinePiece::Centre, { hw, hh, bw - hw + 1, bh - hh }, { TL.right, TL.bottom, TR.left, BR.top - 1 }, KeepAll);
    stretched(NinePiece::BottomEdge, { hw, bh - hh, bw - hw + 1, bh }, { TL.right - 1, BL.top - 1, BR.left, BR.bottom },
        KeepBottom);
    return pieces;
}

void SpitDraw(const Bitmap& bitmap, Canvas& canvas, const Rect& rect, bool transparent)
{
    for (const NinePiece& piece : NinePieceLayout({ bitmap.Width(), bitmap.Height() }, rect)) {
        Bitmap part = bitmap.Crop(piece.source);
        if (!piece.Corner())
            canvas.StretchDrawTransparent(piece.target, part, kSkinKeyColor);
        else if (transparent)
            canvas.DrawTransparent(piece.target.left, piece.target.top, part, kSkinKeyColor);
        else
            canvas.Draw(piece.target.left, piece.target.top, part);
    }
}

}
