#pragma once

#include "skin/art/art_canvas.h"
#include "skin/art/art_style.h"

#include <string_view>

namespace pellamo::skin_art {

// Which colour the consumers of a picture treat as transparent, and so
// where the picture must (and must not) hold it.
enum class ArtKey {
    // Drawn opaque (or stretched): no pixel is fuchsia, which would show.
    None,
    // Fuchsia marks the transparent parts; every frame's corner pixels are
    // fuchsia, so a key taken from the top-left or bottom-left pixel is
    // fuchsia too, and the frame's centre is not.
    Fuchsia,
    // Three-piece drawing: the two end frames have fuchsia corners, the
    // middle frame (stretched without a key) has no fuchsia at all.
    FuchsiaThreePiece,
    // White is transparent: the corners are white and the symbol is not.
    White,
};

// One frame of a strip as its painter sees it: number `index` (from 0) of
// `count` frames side by side, and the picture's key rule.
struct ArtFrame {
    int index = 0;
    int count = 1;
    ArtKey key = ArtKey::None;
};

// Paints one frame into a canvas of the frame's size.
using ArtPainter = void (*)(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);

// One skin picture: its resource name, size, frame layout, key colour
// rule, painter and style.
struct ArtPicture {
    std::string_view name;
    int width = 0;
    int height = 0;
    int frames = 1;
    ArtKey key = ArtKey::None;
    ArtPainter painter = nullptr;
    const ArtStyle* style = nullptr;
    int bits_per_pixel = 24;

    int FrameWidth() const { return width / frames; }
};

}
