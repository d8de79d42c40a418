#include "skin/draw/tile.h"

#include "skin/draw/key_color.h"

namespace pellamo {

void TileDraw(Canvas& canvas, const Bitmap& picture, const Rect& rect)
{
    const int pw = picture.Width(), ph = picture.Height();
    if (pw <= 0 || ph <= 0)
        return;
    // 64-bit sums: a huge rectangle must not wrap around.
    const long long right = static_cast<long long>(pw) + rect.Width();
    const long long bottom = static_cast<long long>(ph) + rect.Height();
    // One look at the picture for all its copies.
    const bool keyed = LeavesOutKeyColor(picture);
    for (long long x = 0; x < right; x += pw)
        for (long long y = 0; y < bottom; y += ph) {
            if (keyed)
                canvas.DrawTransparent(static_cast<int>(x), static_cast<int>(y), picture, kSkinKeyColor);
            else
                canvas.Draw(static_cast<int>(x), static_cast<int>(y), picture);
        }
}

}
