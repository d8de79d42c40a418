#pragma once

// Where the buttons of a radio or check group go: in columns, filling the
// first column from top to bottom before the next, rows spread evenly
// over the space below the top margin.

#include "platform/gfx/geometry.h"

namespace pellamo {

struct GroupLayout {
    Rect inner; // the group box's area inside its frame
    int group_width = 0;
    int columns = 1; // 0 counts as 1
    int top_margin = 8;
    bool right_to_left = false;
};

// The top left of button `index` of `count`, `button_width` wide.
Point GroupButtonPosition(const GroupLayout& layout, int count, int index, int button_width);

}
