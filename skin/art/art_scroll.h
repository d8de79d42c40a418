#pragma once

#include "skin/art/art_picture.h"

namespace pellamo::skin_art {

// Scroll bar arrows, as a vertical bar shows them: up normal, hover,
// pressed, then down normal, hover, pressed.
void PaintScrollButton(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// Scroll bar thumb, as a horizontal bar shows it: start cap, middle
// (stretched), end cap.
void PaintScrollThumb(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// Small scroll buttons: left, left pressed, right, right pressed.
void PaintSmallScrollButton(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// Track bar groove in three pieces, and its thumbs.
void PaintTrackBar(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
void PaintTrackSlider(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
void PaintTrackSliderVertical(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// Progress bar fill, stretched over the done part.
void PaintProgressBar(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);

}
