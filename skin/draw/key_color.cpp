#include "skin/draw/key_color.h"

namespace pellamo {

void DrawSkinPicture(Canvas& canvas, int x, int y, const Bitmap& picture)
{
    if (picture.Transparent())
        canvas.Draw(x, y, picture);
    else
        canvas.DrawTransparent(x, y, picture, kSkinKeyColor);
}

void StretchDrawSkinPicture(Canvas& canvas, const Rect& rect, const Bitmap& picture)
{
    if (picture.Transparent())
        canvas.StretchDraw(rect, picture);
    else
        canvas.StretchDrawTransparent(rect, picture, kSkinKeyColor);
}

}
