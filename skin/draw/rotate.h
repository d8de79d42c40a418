#pragma once

// Quarter and half turns of a skin picture in place (vertical scroll bars
// and track bars reuse the horizontal pictures).

#include "platform/gfx/bitmap.h"

namespace pellamo {

// 90 degrees counter-clockwise: W x H becomes H x W, (x, y) goes to (y, W - 1 - x).
void RoundPicture(Bitmap& bitmap);
// 180 degrees: (x, y) goes to (W - 1 - x, H - 1 - y).
void RoundPicture2(Bitmap& bitmap);
// 90 degrees clockwise: W x H becomes H x W, (x, y) goes to (H - 1 - y, x).
void RoundPicture3(Bitmap& bitmap);

}
