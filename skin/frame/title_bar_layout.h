#pragma once

// Where a title bar's buttons and caption go: a pure function of the bar's
// width, the buttons (in collection order) and the offsets of the style.
//
// The right-hand buttons stand from the right end leftwards in collection
// order, each (its picture's width + 1 + interval) left of the previous;
// the window-menu box (or the application icon) stands at the left; the
// caption takes the room between them.

#include "platform/gfx/geometry.h"
#include "skin/frame/title_bar_enums.h"

#include <vector>

namespace pellamo {

struct TitleBarButtonSlot {
    bool visible = true;
    TsuiTitleBarBtnType type = TsuiTitleBarBtnType::suiCustom;
    Size picture; // of its normal picture
};

struct TitleBarMetrics {
    int width = 0; // the bar's
    int button_top = 0;
    int left_offset = 0; // LeftBtnXOffset
    int right_offset = 0; // RightBtnXOffset
    int interval = 0; // ButtonInterval
    int border_picture = 0; // width of the frame's side border picture, 0 for none
    bool draw_app_icon = false;
};

struct TitleBarLayout {
    // Per button in collection order: where it answers the mouse; empty for
    // one not shown.
    std::vector<Rect> buttons;
    int control_box = -1; // index of the shown window-menu box
    Point control_box_picture; // where its picture (or the icon) is drawn
    int button_top = 0;
    int caption_left = 0;
    int caption_right = 0; // the left edge of the leftmost right-hand button
};

TitleBarLayout LayOutTitleBar(const std::vector<TitleBarButtonSlot>& buttons, const TitleBarMetrics& metrics);

// The button under `p` (all four edges count as inside), -1 for none. The
// window-menu box wins over a right-hand button it overlaps, and a later
// right-hand button over an earlier one.
int TitleBarButtonAt(const TitleBarLayout& layout, Point p);

}
