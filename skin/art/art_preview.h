#pragma once

#include "platform/gfx/bitmap.h"
#include "skin/art/art_style.h"

namespace pellamo::skin_art {

// A small window put together from one style's pictures (title bar with its
// buttons, menu bar, caption panel, push buttons, check box and radio
// buttons, scroll bar, progress and track bar), the way the controls lay
// them out, so that the sheet shows how the pictures look together.
Bitmap MakeStylePreview(const ArtStyle& style);

}
