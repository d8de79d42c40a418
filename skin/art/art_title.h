#pragma once

#include "skin/art/art_picture.h"

namespace pellamo::skin_art {

// The colour of row `y` of the style's title bar between its ends; opaque
// title buttons are drawn on the same rows so that they sit on the bar
// without a seam.
TColor TitleRowColor(const ArtStyle& style, int y);

// The title bar's three pictures: the left end (window corner and window
// menu box), the stretched middle, the right end.
void PaintTitleLeft(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
void PaintTitleClient(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
void PaintTitleRight(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);

// The title button strip: window menu, help, maximise, restore, minimise,
// close, each normal, hover and pressed.
void PaintTitleButton(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);

// One frame of the title button strip as a picture of its own.
template <int Index> void PaintTitleButtonFrame(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style)
{
    PaintTitleButton(canvas, { Index, 18, frame.key }, style);
}

}
