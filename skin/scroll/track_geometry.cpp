#include "skin/scroll/track_geometry.h"

#include <algorithm>
#include <limits>

namespace pellamo {

namespace {

// Wide enough for a pixel count times a whole 32-bit value range.
__extension__ using Wide = __int128;

int64_t Saturate(Wide v)
{
    constexpr int64_t lo = std::numeric_limits<int64_t>::min();
    constexpr int64_t hi = std::numeric_limits<int64_t>::max();
    return v < lo ? lo : v > hi ? hi : static_cast<int64_t>(v);
}

// The room the slider moves in; a slider longer than its track has none.
int Travel(int track, int slider) { return std::max(0, track - slider); }

int64_t Range(int32_t min, int32_t max) { return static_cast<int64_t>(max) - min; }

// Tick offset of a value `along` values after min.
int TickAt(int64_t along, int64_t range, int travel, int slider)
{
    return static_cast<int>(static_cast<Wide>(along) * travel / range) + slider / 2;
}

}

int SliderOffset(int32_t position, int32_t min, int32_t max, int track, int slider)
{
    int64_t range = Range(min, max);
    if (range == 0)
        return 0;
    Wide offset = static_cast<Wide>(static_cast<int64_t>(position) - min) * Travel(track, slider) / range;
    return static_cast<int>(offset);
}

int SliderCrossOffset(int track_thickness, int slider_thickness)
{
    return std::max(track_thickness - slider_thickness, 0) / 2;
}

int64_t ValueAtPointer(int pointer, int32_t min, int32_t max, int track, int slider)
{
    int travel = track - slider;
    if (travel <= 0)
        return 0;
    Wide n = static_cast<Wide>(static_cast<int64_t>(pointer) - slider / 2) * Range(min, max);
    Wide q = n / travel;
    Wide twice_rest = (n % travel) * 2;
    if (twice_rest < 0)
        twice_rest = -twice_rest;
    // The nearest integer; exactly halfway goes to the even one.
    if (twice_rest > travel || (twice_rest == travel && q % 2 != 0))
        q += n < 0 ? -1 : 1;
    return Saturate(q + min);
}

int32_t ClampToRange(int64_t value, int32_t min, int32_t max)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, min, std::max(min, max)));
}

int32_t PageTowardPointer(
    int32_t position, int64_t step, int slider_offset, int pointer, int64_t pointer_value, int32_t min, int32_t max)
{
    int64_t next = position;
    if (slider_offset < pointer)
        next = std::min<int64_t>(position + step, pointer_value);
    else if (slider_offset > pointer)
        next = std::max<int64_t>(position - step, pointer_value);
    return ClampToRange(next, min, max);
}

std::vector<int> TickOffsets(int32_t min, int32_t max, int32_t frequency, int track, int slider)
{
    std::vector<int> ticks;
    int64_t range = Range(min, max);
    if (range <= 0)
        return ticks;
    int travel = Travel(track, slider);
    if (frequency >= 1 && travel > 0) {
        // Values min + k * frequency; after each tick jump to the first
        // such value that lands on a later pixel.
        for (int64_t k = 0; static_cast<Wide>(k) * frequency <= range;) {
            int64_t along = k * frequency;
            int at = TickAt(along, range, travel, slider);
            ticks.push_back(at);
            int64_t pixel = at - slider / 2;
            // The least `along` whose pixel is beyond this one.
            Wide needed = (static_cast<Wide>(pixel + 1) * range + travel - 1) / travel;
            Wide next_k = (needed + frequency - 1) / frequency;
            k = static_cast<int64_t>(std::max<Wide>(next_k, k + 1));
        }
    } else {
        ticks.push_back(slider / 2);
    }
    int last = TickAt(range, range, travel, slider);
    if (ticks.back() != last)
        ticks.push_back(last);
    return ticks;
}

ScrollBarLayout LayOutScrollBar(bool vertical, Size bar, Size decrement_button, Size increment_button)
{
    ScrollBarLayout l;
    if (bar.cx <= 0 || bar.cy <= 0) {
        l.hidden = true;
        return l;
    }
    l.decrement = Rect::FromSize(0, 0, decrement_button.cx, decrement_button.cy);
    if (vertical) {
        // One pixel less than the room between the buttons.
        int length = std::max(0, bar.cy - increment_button.cy - decrement_button.cy - 1);
        l.track = Rect::FromSize(0, decrement_button.cy, decrement_button.cx, length);
        l.increment = Rect::FromSize(0, bar.cy - increment_button.cy, increment_button.cx, increment_button.cy);
        l.thickness = decrement_button.cx;
    } else {
        int length = std::max(0, bar.cx - decrement_button.cx - increment_button.cx);
        l.track = Rect::FromSize(decrement_button.cx, 0, length, decrement_button.cy);
        l.increment = Rect::FromSize(bar.cx - increment_button.cx, 0, increment_button.cx, increment_button.cy);
        l.thickness = decrement_button.cy;
    }
    return l;
}

ScrollSlider ScrollSliderLength(int line_button, int32_t page_size, int track_length)
{
    if (line_button > 0) {
        int length = std::max(line_button, kMinScrollSlider);
        return { length, length };
    }
    int64_t percent = page_size < 10 || page_size > 100 ? 10 : page_size;
    int length = track_length > 0 ? static_cast<int>(track_length * percent / 100) : 0;
    return { length, line_button };
}

}
