#pragma once

// The integer geometry of track bars and scroll bars, apart from any
// window: where the slider stands for a value, which value a pointer
// stands for, paging, tick marks, the three parts of a scroll bar and its
// slider's length. Lengths run along the bar's orientation (a horizontal
// bar's widths, a vertical bar's heights). Products of a value range and a
// length are worked out wider than 32 bits, and a slider longer than its
// track counts as filling it: no answer is ever a negative size.

#include "platform/gfx/geometry.h"

#include <cstdint>
#include <vector>

namespace pellamo {

// The slider's leading edge along a track `track` long for a slider
// `slider` long: (position - min) * (track - slider) / (max - min),
// truncated; 0 when max = min.
int SliderOffset(int32_t position, int32_t min, int32_t max, int track, int slider);

// Across the track: half of what the track is thicker than the slider.
int SliderCrossOffset(int track_thickness, int slider_thickness);

// The value a pointer `pointer` along the track stands for, taking the
// pointer as the slider's centre: the integer nearest to
// (pointer - slider / 2) * (max - min) / (track - slider), halves going to
// the even one, plus min; 0 when the slider fills the track. Not clamped.
int64_t ValueAtPointer(int pointer, int32_t min, int32_t max, int track, int slider);

int32_t ClampToRange(int64_t value, int32_t min, int32_t max);

// One paging step of `step` toward the pointer: forward when the slider's
// leading edge `slider_offset` lies before the pointer, never past the
// pointer's value; back when it lies after it, never below; else no move.
// Clamped into [min, max].
int32_t PageTowardPointer(
    int32_t position, int64_t step, int slider_offset, int pointer, int64_t pointer_value, int32_t min, int32_t max);

// The offsets of the tick marks, ascending and each once: one tick on
// min, min + frequency, min + 2 * frequency, ... and one on max (min and
// max only when frequency < 1); a tick at value v lies at
// (v - min) * (track - slider) / (max - min) + slider / 2. None when
// max = min. The walk visits at most one value per pixel, so a huge
// range costs no more than a short one.
std::vector<int> TickOffsets(int32_t min, int32_t max, int32_t frequency, int track, int slider);

// The three parts of a scroll bar of size `bar` and its one fixed side
// (the width of a vertical bar, the height of a horizontal one, the
// decrement button's). A bar with no width or no height is hidden.
struct ScrollBarLayout {
    bool hidden = false;
    Rect decrement;
    Rect track;
    Rect increment;
    int thickness = 0;
};
ScrollBarLayout LayOutScrollBar(bool vertical, Size bar, Size decrement_button, Size increment_button);

// The slider of a scroll bar's track: `line_button` pixels long when above
// 0 (at least kMinScrollSlider, which `line_button` then becomes), else
// page_size percent of the track (10 when page_size is below 10 or above
// 100).
constexpr int kMinScrollSlider = 18;
struct ScrollSlider {
    int length = 0;
    int line_button = 0;
};
ScrollSlider ScrollSliderLength(int line_button, int32_t page_size, int track_length);

}
