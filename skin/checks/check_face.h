#pragma once

// The picture of a skinned check box or radio button, as functions of what
// it shows: a frame of the style's four-frame strip (checked, unchecked,
// checked disabled, unchecked disabled) with the caption beside it, mirrored
// for right-to-left reading.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"

#include <string_view>

namespace pellamo {

constexpr int kCheckStripFrames = 4;

// The frame (from 1) of the strip for a state.
int CheckFrameIndex(bool checked, bool enabled);

// The size AutoSize gives: the picture, the caption and 8 pixels across;
// the taller of the text ("W" + 2) and the picture, and 4 pixels, down.
Size CheckBoxAutoSize(Size picture, int caption_width, int text_height);

struct CheckBoxLayout {
    Point picture;
    Rect caption;
    bool caption_right_aligned = false;
    Rect focus;
};
// `text_height` is the height of "W" in the caption's font.
CheckBoxLayout LayOutCheckBox(Size client, Size picture, int text_height, bool right_to_left);

// The picture (drawn in its transparent mode), the caption and, when
// `focused`, the dotted focus rectangle around the caption; the background
// is the caller's.
void PaintCheckBoxFace(Canvas& canvas, Size client, const Bitmap& picture, std::string_view caption, const Font& font,
    bool right_to_left, bool focused);

}
