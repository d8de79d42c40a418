#include "skin/groups/group_layout.h"

#include <algorithm>

namespace pellamo {

Point GroupButtonPosition(const GroupLayout& layout, int count, int index, int button_width)
{
    int columns = std::max(1, layout.columns);
    int top = layout.inner.top + layout.top_margin;
    int space = layout.inner.bottom - top;
    int rows = std::max(1, (count + columns - 1) / columns);
    int column_width = (layout.group_width - 10) / columns;
    int row_height = space / rows;
    int first_row = top + (space % rows) / 2;
    int column = index / rows;
    int row = index % rows;
    int y = row * row_height + first_row;
    int x = column * column_width + 8;
    if (layout.right_to_left)
        x = layout.group_width - column * column_width - button_width - 8;
    return { x, y };
}

}
