#pragma once

// The pictures of skinned buttons, as functions of what they show: the
// canvas, the button's size, its state and its pictures. Nothing here reads
// a component.

#include "platform/components/controls/control_enums.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"

#include <string_view>

namespace pellamo {

// The state picture at (0, 0) as it is, masked by its top-left colour when
// `transparent`; in the disabled rendering when not `enabled`.
void PaintStatePicture(Canvas& canvas, const Bitmap& picture, bool transparent, bool enabled);

// The dotted focus rectangle inset by `margin` on each side of the client area.
void PaintFocusMark(Canvas& canvas, Size client, int margin);

struct CaptionState {
    bool enabled = true;
    bool pressed = false;
    bool bold = false; // a focus shown by a bold caption
};

// The caption in the middle of the client area, word-wrapped at line
// breaks only: one pixel down and right while pressed; a disabled caption
// white one pixel down and right, then grey on top.
void PaintCentredCaption(Canvas& canvas, Size client, std::string_view caption, const Font& font, CaptionState state);

// Where a glyph and the caption beside it go in a button. A glyph twice as
// wide as high holds two images (enabled, disabled) of half its width.
struct GlyphPlacement {
    Point glyph; // top left of the glyph, not yet moved for a press
    Point caption; // top left of the caption
    Size cell; // one image of the glyph
    bool two_images = false;
};
GlyphPlacement PlaceGlyph(Size button, Size caption, Size glyph, TButtonLayout layout, int spacing);

// The glyph, masked by its top-left colour, one pixel down and right while
// pressed.
void PaintGlyph(Canvas& canvas, const Bitmap& glyph, const GlyphPlacement& place, bool enabled, bool pressed);

// The caption of a glyph button, single-line from `origin` to the button's
// bottom-right corner; moved and greyed as PaintCentredCaption does.
void PaintCaptionAt(
    Canvas& canvas, Size button, Point origin, std::string_view caption, const Font& font, bool enabled, bool pressed);

enum class TsuiArrowButtonType { suiUp, suiDown };

// The small black triangle of an arrow button, in the middle.
void PaintArrow(Canvas& canvas, Size button, TsuiArrowButtonType arrow);

}
