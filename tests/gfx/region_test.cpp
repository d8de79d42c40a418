#include "platform/gfx/region.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

int Area(const Region& r)
{
    int area = 0;
    for (const Rect& rect : r.Rects())
        area += rect.Width() * rect.Height();
    return area;
}

// Checks the canonical form pixel-set operations rely on.
void ExpectCanonical(const Region& region)
{
    const auto& rects = region.Rects();
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_FALSE(rects[i].IsEmpty());
        if (i == 0)
            continue;
        const Rect& a = rects[i - 1];
        const Rect& b = rects[i];
        if (a.top == b.top) {
            EXPECT_EQ(a.bottom, b.bottom);
            EXPECT_LT(a.right, b.left); // neither touching nor overlapping
        } else {
            EXPECT_GE(b.top, a.bottom);
        }
    }
}

TEST(RegionSets, CombinationsGiveTheExpectedPixels)
{
    Region a({ 0, 0, 10, 10 });
    Region b({ 5, 5, 15, 15 });
    struct Case {
        const char* name;
        Region result;
        int area;
        Point in, out;
    } cases[] = {
        { "union", a.Union(b), 175, { 12, 12 }, { 12, 2 } },
        { "intersect", a.Intersect(b), 25, { 7, 7 }, { 2, 2 } },
        { "subtract", a.Subtract(b), 75, { 2, 2 }, { 7, 7 } },
        { "xor", a.Xor(b), 150, { 12, 12 }, { 7, 7 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectCanonical(c.result);
        EXPECT_EQ(Area(c.result), c.area);
        EXPECT_TRUE(c.result.Contains(c.in));
        EXPECT_FALSE(c.result.Contains(c.out));
    }
    EXPECT_EQ(a.Union(b), b.Union(a));
    EXPECT_EQ(a.Subtract(a), Region());
    EXPECT_EQ(a.Union(Region()), a);
    EXPECT_TRUE(a.Intersect(Region({ 20, 20, 30, 30 })).IsEmpty());
}

TEST(RegionSets, TouchingRectanglesMergeIntoOne)
{
    Region side = Region({ 0, 0, 5, 5 }).Union(Region({ 5, 0, 10, 5 }));
    EXPECT_EQ(side, Region({ 0, 0, 10, 5 }));
    Region stacked = Region({ 0, 0, 5, 5 }).Union(Region({ 0, 5, 5, 9 }));
    EXPECT_EQ(stacked, Region({ 0, 0, 5, 9 }));
    EXPECT_EQ(stacked.Bounds(), (Rect { 0, 0, 5, 9 }));
    EXPECT_EQ(stacked.Offset(2, 3), Region({ 2, 3, 7, 12 }));
}

TEST(RegionShapes, RoundRectLeavesOutRightAndBottomEdgesAndCorners)
{
    // Square corners: the platform's rounded-rectangle region of
    // (0, 0, 10, 10) covers 9 x 9 pixels.
    EXPECT_EQ(Region::RoundRect({ 0, 0, 10, 10 }, 0, 0), Region({ 0, 0, 9, 9 }));

    Region r = Region::RoundRect({ 0, 0, 21, 21 }, 10, 10);
    ExpectCanonical(r);
    EXPECT_EQ(r.Bounds(), (Rect { 0, 0, 20, 20 }));
    EXPECT_FALSE(r.Contains(0, 0));
    EXPECT_FALSE(r.Contains(19, 19));
    EXPECT_FALSE(r.Contains(0, 1));
    EXPECT_FALSE(r.Contains(2, 0));
    EXPECT_TRUE(r.Contains(3, 0));
    EXPECT_TRUE(r.Contains(1, 1));
    EXPECT_TRUE(r.Contains(10, 0));
    EXPECT_TRUE(r.Contains(0, 10));
    EXPECT_TRUE(r.Contains(5, 5));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(r.Contains(x, y), r.Contains(19 - x, y) && r.Contains(x, 19 - y)) << x << "," << y;

    // Corner ellipses larger than the rectangle are clamped to it.
    EXPECT_EQ(Region::RoundRect({ 0, 0, 11, 11 }, 100, 100), Region::Ellipse({ 0, 0, 11, 11 }));
    EXPECT_TRUE(Region::RoundRect({ 5, 5, 6, 9 }, 2, 2).IsEmpty());
}

TEST(RegionShapes, WindowRegionOfATopRoundedFrame)
{
    // Rounded upper half, squared-off lower corners of that half, and a plain
    // lower half: only the two top corners lose pixels.
    int w = 60, h = 80, rc = 13, h2 = h / 2;
    Region region = Region::RoundRect({ 0, 0, w + 1, h2 + 1 }, rc, rc)
                        .Union(Region({ 0, h2 - 2 * rc, 2 * rc, h2 }))
                        .Union(Region({ w - 2 * rc, h2 - 2 * rc, w, h2 }))
                        .Union(Region({ 0, h2, w, h }));
    EXPECT_FALSE(region.Contains(0, 0));
    EXPECT_FALSE(region.Contains(w - 1, 0));
    EXPECT_TRUE(region.Contains(0, h - 1));
    EXPECT_TRUE(region.Contains(w - 1, h - 1));
    EXPECT_TRUE(region.Contains(w / 2, 0));
    EXPECT_EQ(region.Bounds(), (Rect { 0, 0, w, h }));
}

TEST(RegionShapes, FromBitmapCollectsRunsOfNonKeyPixels)
{
    constexpr TColor key = clFuchsia;
    const char* rows[] = {
        "..##.#", // a run reaching the last column is kept
        "......",
        "######",
        "##..##",
    };
    Bitmap bmp(6, 4, key);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            if (rows[y][x] == '#')
                bmp.SetPixel(x, y, clBlack);
    Region r = Region::FromBitmap(bmp, key);
    ExpectCanonical(r);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(r.Contains(x, y), rows[y][x] == '#') << x << "," << y;
    EXPECT_EQ(Area(r), 13);

    EXPECT_TRUE(Region::FromBitmap(Bitmap(5, 5, key), key).IsEmpty());
    EXPECT_EQ(Region::FromBitmap(Bitmap(5, 5, clBlack), key), Region({ 0, 0, 5, 5 }));
}

}
}
