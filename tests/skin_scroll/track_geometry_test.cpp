#include "skin/scroll/track_geometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace pellamo::test {
namespace {

TEST(TrackGeometry, SliderOffsetScalesThePositionOntoTheRoomTheSliderHas)
{
    struct Case {
        int32_t position, min, max;
        int track, slider;
        int offset;
    } cases[] = {
        { 50, 0, 100, 200, 10, 95 },
        { 0, 0, 100, 200, 10, 0 },
        { 100, 0, 100, 200, 10, 190 },
        { 5, 5, 5, 200, 10, 0 }, // no range: at the start
        { -3, -10, 10, 100, 20, 28 }, // 7 * 80 / 20
        { 1, 0, 3, 100, 0, 33 }, // truncated
        { 10, 0, 10, 8, 20, 0 }, // slider longer than the track: no room, never negative
        // Products beyond 32 bits.
        { INT32_MAX, INT32_MIN, INT32_MAX, 1000, 10, 990 },
        { 0, INT32_MIN, INT32_MAX, 1000, 10, 495 },
        { 2000000000, 0, 2000000000, 30000, 0, 30000 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << " in " << c.min << ".." << c.max << " on " << c.track);
        EXPECT_EQ(SliderOffset(c.position, c.min, c.max, c.track, c.slider), c.offset);
    }
    EXPECT_EQ(SliderCrossOffset(20, 11), 4);
    EXPECT_EQ(SliderCrossOffset(5, 11), 0);
}

TEST(TrackGeometry, ThePointerStandsForTheValueUnderTheSliderCentreRoundedHalfToEven)
{
    struct Case {
        int pointer;
        int32_t min, max;
        int track, slider;
        int64_t value;
    } cases[] = {
        { 105, 0, 100, 200, 10, 53 }, // 100 * 100 / 190 = 52.6
        { 5, 0, 100, 200, 10, 0 },
        { 195, 0, 100, 200, 10, 100 },
        { 0, 0, 100, 200, 10, -3 }, // not clamped: the caller clamps
        // Exactly halfway goes to the even neighbour.
        { 105, 0, 105, 200, 0, 55 }, // 105 * 105 / 200 = 55.125
        { 21, 0, 5, 2, 0, 52 }, // 21 * 5 / 2 = 52.5
        { 107, 0, 1, 2, 0, 54 }, // 53.5
        { -21, 0, 5, 2, 0, -52 }, // -52.5
        { 50, 10, 20, 100, 0, 15 },
        { 50, 0, 10, 10, 10, 0 }, // the slider fills the track
        { 50, 0, 10, 8, 10, 0 },
        { 1000, INT32_MIN, INT32_MAX, 1000, 0, INT32_MAX },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pointer " << c.pointer << " on " << c.track);
        EXPECT_EQ(ValueAtPointer(c.pointer, c.min, c.max, c.track, c.slider), c.value);
    }
}

TEST(TrackGeometry, PagingStepsTowardThePointerAndStopsUnderIt)
{
    struct Case {
        int32_t position;
        int64_t step;
        int slider_offset, pointer;
        int64_t pointer_value;
        int32_t max;
        int32_t next;
    } cases[] = {
        { 50, 2, 95, 10, 3, 100, 48 }, // left of the slider: back
        { 50, 6, 95, 10, 3, 100, 44 }, { 5, 6, 10, 5, 3, 100, 3 }, // never past the pointer's value
        { 50, 2, 95, 180, 90, 100, 52 }, { 89, 6, 170, 180, 90, 100, 90 },
        { 50, 2, 95, 95, 50, 100, 50 }, // under the slider's edge: no move
        { 1, 5, 20, 5, -3, 100, 0 }, // clamped into the range
        { INT32_MAX - 1, INT32_MAX, 10, 100, INT32_MAX, INT32_MAX, INT32_MAX }, // no overflow
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << " step " << c.step << " toward " << c.pointer);
        EXPECT_EQ(PageTowardPointer(c.position, c.step, c.slider_offset, c.pointer, c.pointer_value, 0, c.max), c.next);
    }
}

TEST(TrackGeometry, TicksFallOnEveryFrequencyStepAndOnMax)
{
    struct Case {
        int32_t min, max, frequency;
        int track, slider;
        std::vector<int> ticks;
    } cases[] = {
        // 0..10 on 110 pixels with no slider: one value every 11 pixels.
        { 0, 10, 3, 110, 0, { 0, 33, 66, 99, 110 } },
        { 0, 10, 1, 110, 0, { 0, 11, 22, 33, 44, 55, 66, 77, 88, 99, 110 } }, { 0, 10, 5, 110, 0, { 0, 55, 110 } },
        { 0, 10, 0, 110, 0, { 0, 110 } }, // no frequency: the ends
        { 0, 10, -4, 110, 0, { 0, 110 } }, { 0, 10, 20, 110, 0, { 0, 110 } },
        { 0, 10, 3, 120, 10, { 5, 38, 71, 104, 115 } }, // offset by half the slider
        { 3, 3, 1, 100, 0, {} }, // no range: no ticks
        { 0, 4, 1, 5, 10, { 5 } }, // no room: all at one place, once
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " every " << c.frequency);
        EXPECT_EQ(TickOffsets(c.min, c.max, c.frequency, c.track, c.slider), c.ticks);
    }
}

TEST(TrackGeometry, AHugeRangeGivesAtMostOneTickPerPixel)
{
    std::vector<int> ticks = TickOffsets(INT32_MIN, INT32_MAX, 1, 200, 10);
    ASSERT_FALSE(ticks.empty());
    EXPECT_LE(ticks.size(), 191u);
    EXPECT_EQ(ticks.front(), 5);
    EXPECT_EQ(ticks.back(), 195);
    for (size_t i = 1; i < ticks.size(); ++i)
        EXPECT_LT(ticks[i - 1], ticks[i]);

    // A sparse frequency keeps its own places.
    EXPECT_EQ(TickOffsets(0, 2000000000, 1000000000, 100, 0), (std::vector<int> { 0, 50, 100 }));
}

TEST(TrackGeometry, AScrollBarLaysItsArrowsAtTheEndsAndTheTrackBetween)
{
    // Vertical MacOS bar with 16 x 22 arrows: one pixel less than the room.
    ScrollBarLayout v = LayOutScrollBar(true, { 16, 367 }, { 16, 22 }, { 16, 22 });
    EXPECT_FALSE(v.hidden);
    EXPECT_EQ(v.decrement, Rect::FromSize(0, 0, 16, 22));
    EXPECT_EQ(v.track, Rect::FromSize(0, 22, 16, 322));
    EXPECT_EQ(v.increment, Rect::FromSize(0, 345, 16, 22));
    EXPECT_EQ(v.thickness, 16);

    ScrollBarLayout h = LayOutScrollBar(false, { 185, 16 }, { 22, 16 }, { 22, 16 });
    EXPECT_EQ(h.track, Rect::FromSize(22, 0, 141, 16));
    EXPECT_EQ(h.increment, Rect::FromSize(163, 0, 22, 16));
    EXPECT_EQ(h.thickness, 16);

    // Shorter than its arrows: no negative track.
    EXPECT_EQ(LayOutScrollBar(true, { 16, 30 }, { 16, 22 }, { 16, 22 }).track.Height(), 0);
    EXPECT_EQ(LayOutScrollBar(false, { 30, 16 }, { 22, 16 }, { 22, 16 }).track.Width(), 0);
    EXPECT_TRUE(LayOutScrollBar(true, { 0, 367 }, { 16, 22 }, { 16, 22 }).hidden);
    EXPECT_TRUE(LayOutScrollBar(false, { 185, 0 }, { 22, 16 }, { 22, 16 }).hidden);
}

TEST(TrackGeometry, TheScrollSliderIsLineButtonLongOrAPercentOfTheTrack)
{
    struct Case {
        int line_button;
        int32_t page_size;
        int track;
        int length, stored;
    } cases[] = {
        { 0, 2, 322, 32, 0 }, // below 10 percent: 10
        { 0, 50, 322, 161, 0 },
        { 0, 150, 322, 32, 0 }, // above 100: 10
        { 0, 100, 322, 322, 0 },
        { 0, 50, 0, 0, 0 },
        { 5, 2, 322, 18, 18 }, // raised to 18, which is kept
        { 293, 2, 322, 293, 293 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "LineButton " << c.line_button << ", PageSize " << c.page_size);
        ScrollSlider s = ScrollSliderLength(c.line_button, c.page_size, c.track);
        EXPECT_EQ(s.length, c.length);
        EXPECT_EQ(s.line_button, c.stored);
    }
}

}
}
