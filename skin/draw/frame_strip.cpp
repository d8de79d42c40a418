#include "skin/draw/frame_strip.h"

#include "skin/draw/replace_pixels.h"

namespace pellamo {

Rect FrameRect(Size strip, int count, int index)
{
    if (count <= 0 || index < 1 || index > count || strip.cx <= 0 || strip.cy <= 0)
        return {};
    int w = strip.cx / count;
    if (w == 0)
        return {};
    return { (index - 1) * w, 0, index * w, strip.cy };
}

void SpitBitmap(const Bitmap& source, Bitmap& target, int count, int index)
{
    Rect frame = FrameRect({ source.Width(), source.Height() }, count, index);
    ReplacePixels(target, frame.IsEmpty() ? Bitmap() : source.Crop(frame));
}

}
