#pragma once

#include "skin/art/art_picture.h"

namespace pellamo::skin_art {

// Push button strip: normal, hover, pressed; drawn in nine pieces.
void PaintPushButton(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// Check box and check list strips: checked, unchecked, checked disabled,
// unchecked disabled.
void PaintCheckBox(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// Radio button strip, in the check box order.
void PaintRadioButton(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// The panel's collapse button: expanded, expanded hot, pushed, pushed hot.
void PaintPanelButton(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// A combo box's drop-down button.
void PaintComboButton(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);

}
