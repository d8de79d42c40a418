#include "skin/draw/three_piece.h"

#include "skin/draw/frame_strip.h"
#include "skin/draw/key_color.h"

namespace pellamo {

TColor ThreePieceKey(const Bitmap& bitmap, bool sample_key, bool sample_top)
{
    if (!sample_key)
        return kSkinKeyColor;
    return bitmap.GetPixel(0, sample_top ? 0 : bitmap.Height() - 1);
}

void SpitDrawHorizontal(const Bitmap& bitmap, Canvas& canvas, const Rect& rect, bool sample_key, bool sample_top)
{
    Bitmap first, middle, last;
    SpitBitmap(bitmap, first, 3, 1);
    if (first.Empty())
        return;
    SpitBitmap(bitmap, middle, 3, 2);
    SpitBitmap(bitmap, last, 3, 3);
    TColor key = ThreePieceKey(bitmap, sample_key, sample_top);
    int fw = first.Width();
    canvas.DrawTransparent(rect.left, rect.top, first, key);
    canvas.DrawTransparent(rect.right - fw, rect.top, last, key);
    // The middle keeps every pixel as the picture has it, key colour too.
    Rect between { rect.left + fw, rect.top, rect.right - fw, rect.bottom };
    if (!between.IsEmpty())
        canvas.StretchDraw(between, middle);
}

}
