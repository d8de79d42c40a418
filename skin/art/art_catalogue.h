#pragma once

#include "platform/gfx/bitmap.h"
#include "skin/art/art_picture.h"

#include <span>
#include <string_view>

namespace pellamo::skin_art {

// Every built-in skin picture, one row each; the build embeds them under
// their names, and the tests read their sizes and frames from here.
std::span<const ArtPicture> ArtCatalogue();
// nullptr when there is no such picture.
const ArtPicture* FindArtPicture(std::string_view name);

// Paints the picture frame by frame into a bitmap of its size.
Bitmap RenderArtPicture(const ArtPicture& picture);

}
