#include "skin/draw/frame_strip.h"
#include "tests/skin/picture_coords.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

TEST(FrameStrip, CutsFrameKOfNAndNeverReadsOrDividesWhereThereIsNoFrame)
{
    struct Case {
        Size strip;
        int count;
        int index;
        Rect expected; // empty: no frame
    } cases[] = {
        { { 54, 21 }, 3, 2, { 18, 0, 36, 21 } },
        { { 55, 21 }, 3, 2, { 18, 0, 36, 21 } }, // column 54 is never used
        { { 55, 21 }, 3, 3, { 36, 0, 54, 21 } },
        { { 252, 23 }, 3, 1, { 0, 0, 84, 23 } },
        { { 306, 17 }, 18, 18, { 289, 0, 306, 17 } },
        { { 54, 21 }, 1, 1, { 0, 0, 54, 21 } },
        { { 54, 21 }, 0, 1, {} },
        { { 54, 21 }, -3, 1, {} },
        { { 54, 21 }, 3, 0, {} },
        { { 54, 21 }, 3, 4, {} },
        { { 54, 21 }, 3, -1, {} },
        { { 2, 21 }, 3, 1, {} }, // frames narrower than a pixel
        { { 0, 0 }, 3, 2, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.strip.cx << "x" << c.strip.cy << " frame " << c.index << " of " << c.count);
        EXPECT_EQ(FrameRect(c.strip, c.count, c.index), c.expected);

        Bitmap strip = CoordinatePicture(c.strip.cx, c.strip.cy);
        Bitmap frame(5, 5, kPaper);
        SpitBitmap(strip, frame, c.count, c.index);
        ASSERT_EQ(frame.Width(), c.expected.Width());
        ASSERT_EQ(frame.Height(), c.expected.Height());
        if (!frame.Empty()) {
            EXPECT_EQ(SourceOf(frame.GetPixel(0, 0)), (Point { c.expected.left, 0 }));
            Point last = SourceOf(frame.GetPixel(frame.Width() - 1, frame.Height() - 1));
            EXPECT_EQ(last, (Point { c.expected.right - 1, c.expected.bottom - 1 }));
        }
    }
}

TEST(FrameStrip, TheTargetKeepsItsTransparentMode)
{
    Bitmap strip = CoordinatePicture(6, 2);
    Bitmap frame;
    frame.SetTransparent(true);
    frame.SetTransparentColor(clFuchsia);
    SpitBitmap(strip, frame, 2, 2);
    EXPECT_EQ(frame.Width(), 3);
    EXPECT_TRUE(frame.Transparent());
    EXPECT_EQ(frame.TransparentColor(), clFuchsia);
}

}
}
