#include "skin/groups/group_layout.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

struct LayoutCase {
    const char* what;
    int count, columns;
    bool right_to_left;
    std::vector<Point> expected; // button width 50
};

TEST(GroupLayout, ButtonsFillColumnsTopToBottomOverTheSpaceBelowTheMargin)
{
    // Inside (3, 13, 183, 103) of a group 185 wide: rows start at 13 + 8 = 21
    // and share 82 pixels.
    const LayoutCase cases[] = {
        { "one column", 3, 1, false, { { 8, 21 }, { 8, 48 }, { 8, 75 } } },
        { "the spare pixels split above and below", 4, 1, false, { { 8, 22 }, { 8, 42 }, { 8, 62 }, { 8, 82 } } },
        { "5 in 2 columns: 0-2 then 3-4", 5, 2, false,
            { { 8, 21 }, { 8, 48 }, { 8, 75 }, { 8 + 87, 21 }, { 8 + 87, 48 } } },
        { "columns 0 counts as 1", 2, 0, false, { { 8, 21 }, { 8, 62 } } },
        { "more columns than buttons", 2, 4, false, { { 8, 21 }, { 8 + 43, 21 } } },
        { "right to left mirrors the columns", 3, 2, true,
            { { 185 - 50 - 8, 21 }, { 185 - 50 - 8, 62 }, { 185 - 87 - 50 - 8, 21 } } },
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        GroupLayout layout { { 3, 13, 183, 103 }, 185, c.columns, 8, c.right_to_left };
        for (int i = 0; i < c.count; ++i) {
            Point at = GroupButtonPosition(layout, c.count, i, 50);
            EXPECT_EQ(at.x, c.expected[static_cast<size_t>(i)].x) << i;
            EXPECT_EQ(at.y, c.expected[static_cast<size_t>(i)].y) << i;
        }
    }
}

TEST(GroupLayout, ATooSmallGroupStillPlacesEveryButton)
{
    GroupLayout layout { { 3, 13, 20, 15 }, 10, 3, 8, false };
    for (int i = 0; i < 7; ++i) {
        Point at = GroupButtonPosition(layout, 7, i, 50);
        EXPECT_EQ(at.x, 8) << i; // column width 0
        EXPECT_LE(at.y, 21) << i;
    }
}

}
}
