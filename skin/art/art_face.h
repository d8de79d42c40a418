#pragma once

#include "skin/art/art_canvas.h"
#include "skin/art/art_picture.h"
#include "skin/art/art_style.h"

#include <functional>

namespace pellamo::skin_art {

enum class FaceState { Normal, Hover, Pressed, Disabled };

// The state of frame `index` in the usual normal, hover, pressed order.
FaceState StateOfTriple(int index);

// A raised face in the style's look: border, gradient, highlights. `tint`
// replaces the style's face colours (for example a red close button);
// clNone keeps them.
void PaintFace(
    ArtCanvas& canvas, const RectF& rect, double radius, FaceState state, const ArtStyle& style, TColor tint = clNone);

// The colour a symbol on such a face is drawn in.
TColor GlyphColor(FaceState state, const ArtStyle& style, TColor tint = clNone);

// Fills the picture with `backdrop` before the shapes are painted, and, for
// a picture with a fuchsia key, turns what the shape does not cover into the
// key afterwards (what covers less of a pixel than `threshold`): call
// Begin, paint, then End.
void BeginShaped(ArtCanvas& canvas, TColor backdrop);
void EndShaped(ArtCanvas& canvas, const ArtFrame& frame, const Inside& inside, double threshold = 0.35);

// Paints a picture `whole_width` wide with `paint` and keeps the part that
// frame `frame.index` of three shows: the left end, the middle (every column
// made equal to the picture's centre column, since it is stretched) or the
// right end.
void PaintThreePiece(ArtCanvas& canvas, const ArtFrame& frame, const std::function<void(ArtCanvas&)>& paint);

}
