#pragma once

// The arithmetic and the picture of a skinned progress bar, as functions
// of its values. Positions are not clamped to the range: a position past
// Max shows a full bar and a percentage above 100. Products and
// differences are taken in 64 bits, so no range overflows.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"

#include <cstdint>
#include <string>

namespace pellamo {

// (position - min) * 100 / (max - min), truncated towards zero; 0 for an
// empty range.
int64_t ProgressPercent(int32_t min, int32_t max, int32_t position);
// The percentage as the bar shows it: "50%".
std::string ProgressCaption(int32_t min, int32_t max, int32_t position);
// How much of `length` pixels is filled: none at or below min (or for a
// range with max <= min), all of it past max.
int ProgressFilledLength(int32_t min, int32_t max, int32_t position, int length);

struct ProgressFace {
    int32_t min = 0;
    int32_t max = 100;
    int32_t position = 50;
    bool vertical = false;
    // The fill, stretched over the filled part (turned a quarter already
    // for a vertical bar, where it is also drawn upside down); null or
    // empty: the filled part keeps what is there.
    const Bitmap* picture = nullptr;
    TColor color = clWhite; // the part not filled
    TColor border_color = clBlack; // the 1-pixel frame
    // Centred in the default font; empty: none.
    std::string caption;
    TColor caption_color = clBlack;
};

// Paints the whole bar of `size` (its own client area) onto `canvas`.
// A horizontal bar fills from the left, a vertical one from the bottom.
void PaintProgressBar(Canvas& canvas, Size size, const ProgressFace& face);

}
