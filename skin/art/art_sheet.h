#pragma once

#include "platform/gfx/bitmap.h"
#include "skin/art/art_picture.h"

#include <span>
#include <string>

namespace pellamo::skin_art {

// Every picture of the catalogue with its name and size, grouped by style
// and enlarged `scale` times, so that a person can judge the art at a
// glance. Key-coloured pixels show as a light chequer (they are transparent
// where the pictures are used) and frames stand a little apart.
Bitmap MakeArtSheet(int scale);

// The five styles put together (see MakeStylePreview), side by side.
Bitmap MakeStylePreviews(int scale);

// The given pictures side by side, `scale` times enlarged.
Bitmap MakeEnlargement(std::span<const ArtPicture* const> pictures, int scale);

}
