#include "skin/draw/key_color.h"

namespace pellamo {

bool LeavesOutKeyColor(const Bitmap& picture)
{
    if (picture.Transparent())
        return false;
    const Pixel key = ColorToPixel(kSkinKeyColor) & 0xFFFFFFu;
    for (int y = 0; y < picture.Height(); ++y) {
        const Pixel* row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x)
            if ((row[x] & 0xFFFFFFu) == key)
                return true;
    }
    return false;
}

void DrawSkinPicture(Canvas& canvas, int x, int y, const Bitmap& picture)
{
    if (LeavesOutKeyColor(picture))
        canvas.DrawTransparent(x, y, picture, kSkinKeyColor);
    else
        canvas.Draw(x, y, picture);
}

void StretchDrawSkinPicture(Canvas& canvas, const Rect& rect, const Bitmap& picture)
{
    if (LeavesOutKeyColor(picture))
        canvas.StretchDrawTransparent(rect, picture, kSkinKeyColor);
    else
        canvas.StretchDraw(rect, picture);
}

}
