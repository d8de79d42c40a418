#pragma once

#include "platform/gfx/bitmap.h"

namespace pellamo {

// Replaces the pixels of `target` with those of `picture` while `target`
// keeps its transparent mode and colour, as a picture that is resized and
// redrawn in place does.
void ReplacePixels(Bitmap& target, Bitmap picture);

}
