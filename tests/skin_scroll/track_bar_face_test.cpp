#include "skin/scroll/track_bar_face.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

constexpr TColor kGround = 0x00C000;

// Where the ticks land: 3 pixels at the bottom edge of a horizontal bar,
// 3 at each side of a vertical one, and the bar centred across.
TEST(TrackBarFace, TicksAndTheBarStandWhereTheOrientationPutsThem)
{
    Bitmap bar(30, 4, 0x123456);
    struct Case {
        bool vertical;
        Size size;
        std::vector<Point> black, ground;
        Point bar_pixel;
    } cases[] = {
        { false, { 30, 20 }, { { 5, 17 }, { 5, 19 }, { 20, 18 } }, { { 5, 16 }, { 6, 19 }, { 4, 19 } }, { 0, 8 } },
        { true, { 20, 30 }, { { 0, 5 }, { 2, 5 }, { 17, 5 }, { 19, 20 } }, { { 3, 5 }, { 16, 5 }, { 0, 6 } },
            { 8, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vertical ? "vertical" : "horizontal");
        Bitmap buffer = BuildTrackBarBuffer(bar, 30, kGround, c.vertical);
        ASSERT_EQ(buffer.Width(), c.vertical ? 4 : 30);
        Bitmap target(c.size.cx, c.size.cy, kGround);
        Canvas canvas(target);
        TrackBarFace face;
        face.vertical = c.vertical;
        face.bar = &buffer;
        face.bar_thickness = 4;
        face.ticks = { 5, 20 };
        PaintTrackBarFace(canvas, c.size, face);
        for (Point p : c.black)
            EXPECT_EQ(target.GetPixel(p.x, p.y), clBlack) << p.x << "," << p.y;
        for (Point p : c.ground)
            EXPECT_EQ(target.GetPixel(p.x, p.y), kGround) << p.x << "," << p.y;
        EXPECT_EQ(target.GetPixel(c.bar_pixel.x, c.bar_pixel.y), 0x123456);
        EXPECT_EQ(target.GetPixel(c.bar_pixel.x - (c.vertical ? 1 : 0), c.bar_pixel.y - (c.vertical ? 0 : 1)), kGround);
    }
    // No picture or no length: no buffer.
    EXPECT_TRUE(BuildTrackBarBuffer(Bitmap(), 30, kGround, false).Empty());
    EXPECT_TRUE(BuildTrackBarBuffer(bar, 0, kGround, true).Empty());
}

}
}
