#include "skin/draw/rotate.h"

#include "platform/gfx/geometry.h"
#include "skin/draw/replace_pixels.h"

#include <functional>

namespace pellamo {

namespace {

// A new picture of the given size whose pixel `to(x, y)` is the old (x, y).
void Remap(Bitmap& bitmap, Size size, const std::function<Point(int, int)>& to)
{
    Bitmap turned(size.cx, size.cy);
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            Point p = to(x, y);
            turned.Row(p.y)[p.x] = row[x];
        }
    }
    ReplacePixels(bitmap, std::move(turned));
}

}

void RoundPicture(Bitmap& bitmap)
{
    const int w = bitmap.Width();
    Remap(bitmap, { bitmap.Height(), w }, [w](int x, int y) { return Point { y, w - 1 - x }; });
}

void RoundPicture2(Bitmap& bitmap)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    Remap(bitmap, { w, h }, [w, h](int x, int y) { return Point { w - 1 - x, h - 1 - y }; });
}

void RoundPicture3(Bitmap& bitmap)
{
    const int h = bitmap.Height();
    Remap(bitmap, { h, bitmap.Width() }, [h](int x, int y) { return Point { h - 1 - y, x }; });
}

}
