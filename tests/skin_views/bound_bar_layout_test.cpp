#include "skin/views/bound_bar_layout.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

using K = BoundViewKind;

// A 16-pixel vertical bar and a 16-pixel horizontal bar, each wherever it was.
BoundBar V(bool visible = true) { return { Rect::FromSize(0, 0, 16, 100), visible }; }
BoundBar H(bool visible = true) { return { Rect::FromSize(0, 0, 100, 16), visible }; }

TEST(BoundBarLayout, BarsLieOverTheViewsOwnInsideItsBorder)
{
    const Rect tree = Rect::FromSize(470, 42, 163, 369);
    struct Case {
        const char* what;
        K kind;
        std::optional<BoundBar> v, h;
        bool rtl;
        std::optional<Rect> v_at, h_at;
    } cases[] = {
        { "the main window's first tree", K::Tree, V(), {}, false, Rect::FromSize(615, 43, 16, 367), {} },
        { "tree, both bars", K::Tree, V(), H(), false, Rect::FromSize(615, 43, 16, 351),
            Rect::FromSize(471, 393, 145, 16) },
        { "tree, vertical bar hidden", K::Tree, V(false), H(), false, Rect::FromSize(615, 43, 16, 351),
            Rect::FromSize(471, 393, 161, 16) },
        { "tree, horizontal bar hidden", K::Tree, V(), H(false), false, Rect::FromSize(615, 43, 16, 367),
            Rect::FromSize(471, 393, 145, 16) },
        { "memo, both bars", K::Memo, V(false), H(false), false, Rect::FromSize(615, 43, 16, 351),
            Rect::FromSize(471, 393, 146, 16) },
        { "memo, horizontal only", K::Memo, {}, H(), false, {}, Rect::FromSize(471, 393, 162, 16) },
        { "tree, right to left", K::Tree, V(), H(), true, Rect::FromSize(472, 43, 16, 351),
            Rect::FromSize(487, 393, 145, 16) },
        { "memo, right to left", K::Memo, V(), H(), true, Rect::FromSize(472, 43, 16, 351),
            Rect::FromSize(487, 393, 145, 16) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BoundBarsPlacement p = PlaceBoundBars(c.kind, tree, c.v, c.h, c.rtl);
        ASSERT_EQ(p.vertical.has_value(), c.v_at.has_value());
        ASSERT_EQ(p.horizontal.has_value(), c.h_at.has_value());
        if (c.v_at) {
            EXPECT_EQ(p.vertical->bounds, *c.v_at);
        }
        if (c.h_at) {
            EXPECT_EQ(p.horizontal->bounds, *c.h_at);
        }
        // The tree leaves visibility to its scroll state; the memo shows what fits.
        if (p.vertical) {
            EXPECT_EQ(p.vertical->visible, c.kind == K::Memo ? std::optional<bool>(true) : std::nullopt);
        }
    }
}

TEST(BoundBarLayout, AViewTooSmallForABar)
{
    const Rect narrow = Rect::FromSize(50, 60, 10, 12);
    BoundBar v { Rect::FromSize(5, 7, 16, 100), true };
    BoundBar h { Rect::FromSize(3, 4, 100, 16), true };
    // The tree only moves the bar along one side and keeps its size.
    BoundBarsPlacement tree = PlaceBoundBars(K::Tree, narrow, v, h, false);
    EXPECT_EQ(tree.vertical->bounds, Rect::FromSize(50, 7, 16, 100));
    EXPECT_EQ(tree.horizontal->bounds, Rect::FromSize(3, 60, 100, 16));
    // The memo hides it, placed as ever (never a negative size).
    BoundBarsPlacement memo = PlaceBoundBars(K::Memo, narrow, v, h, false);
    EXPECT_EQ(memo.vertical->visible, false);
    EXPECT_EQ(memo.horizontal->visible, false);
    EXPECT_EQ(memo.vertical->bounds.Height(), 0);
    EXPECT_EQ(memo.horizontal->bounds.Width(), 0);
}

}
}
