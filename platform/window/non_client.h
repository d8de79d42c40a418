#pragma once

#include "platform/window/device_context.h"
#include "platform/window/messages.h"

#include <string>

namespace pellamo {

// The plain frame the default window procedure gives a window: sizes from
// the style words, hit testing, window scroll bar geometry and painting.
// All functions are pure (rectangle and state in, answer out); rectangles
// are in window coordinates ((0, 0) is the window's top-left corner).
class NonClient {
public:
    // Dialog and sizeable frames are 3 pixels on every side, the frame a
    // skinned window paints over; a plain border is 1 pixel.
    static constexpr int kDialogFrame = 3;
    static constexpr int kCaptionHeight = 18;
    static constexpr int kToolCaptionHeight = 15;
    static constexpr int kScrollBarSize = 16;
    static constexpr int kMinThumb = 8;

    static int FrameWidth(DWORD style, DWORD ex_style);
    static int CaptionHeight(DWORD style, DWORD ex_style);
    // The client rectangle inside `window` (any coordinates), the default
    // answer to WM_NCCALCSIZE.
    static Rect ClientFromWindow(const Rect& window, DWORD style, DWORD ex_style);
    static Rect CaptionRect(Size window, DWORD style, DWORD ex_style);
    // Caption buttons at the right end of the caption: close, maximise, minimise.
    static Rect CaptionButtonRect(Size window, DWORD style, DWORD ex_style, LRESULT hit);
    // The window scroll bar `bar` (SB_HORZ / SB_VERT) when its style bit is on.
    static Rect ScrollBarRect(Size window, DWORD style, DWORD ex_style, int bar);
    static LRESULT HitTest(Size window, Point p, DWORD style, DWORD ex_style);

    struct ScrollGeometry {
        int arrow = 0; // length of each arrow button
        int thumb_top = 0; // from the bar's start
        int thumb_bottom = 0;
    };
    // Thumb placement on a bar `length` pixels long (at `pos`, usually nPos or nTrackPos).
    static ScrollGeometry ScrollThumb(int length, const SCROLLINFO& info, int pos);
    // The position a thumb whose start is at `thumb_top` stands for.
    static int ScrollPosFromThumb(int length, const SCROLLINFO& info, int thumb_top);
    // Largest position: nMax - max(nPage - 1, 0), never below nMin.
    static int MaxScrollPos(const SCROLLINFO& info);

    struct PaintState {
        bool active = false;
        std::string title;
        SCROLLINFO scroll[2];
        bool scroll_enabled[2] = { true, true };
    };
    static void Paint(DeviceContext& window_dc, Size window, DWORD style, DWORD ex_style, const PaintState& state);
};

}
