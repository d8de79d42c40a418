#include "skin/draw/replace_pixels.h"

namespace pellamo {

void ReplacePixels(Bitmap& target, Bitmap picture)
{
    picture.SetTransparent(target.Transparent());
    if (target.HasTransparentColor())
        picture.SetTransparentColor(target.TransparentColor());
    else
        picture.ClearTransparentColor();
    target = std::move(picture);
}

}
