#include "skin/progress/progress_face.h"

#include <gtest/gtest.h>

#include <climits>

namespace pellamo::test {
namespace {

struct ProgressCase {
    int32_t min, max, position;
    const char* caption;
    int filled; // of 149 pixels
};

TEST(ProgressFace, PercentAndFilledLengthFollowThePositionWithoutClamping)
{
    const ProgressCase cases[] = {
        { 0, 100, 50, "50%", 74 },
        { 0, 100, 0, "0%", 0 },
        { 0, 100, 100, "100%", 149 },
        { 0, 0, 0, "0%", 0 }, // empty range
        { 0, 0, 5, "0%", 0 },
        { 0, 100, 120, "120%", 149 }, // past the end: full bar, percentage above 100
        { 0, 100, 150, "150%", 149 },
        { 0, 7, 3, "42%", 63 }, // truncated, not rounded
        { 0, 100, -50, "-50%", 0 }, // before the start
        { 0, 7, -3, "-42%", 0 }, // truncated towards zero
        { 10, 0, 5, "50%", 0 }, // reversed range: nothing filled
        { -100, 100, 0, "50%", 74 },
        // Ranges whose products and differences leave 32 bits.
        { INT_MIN, INT_MAX, 0, "50%", 74 },
        { INT_MIN, INT_MAX, INT_MAX, "100%", 149 },
        { 0, INT_MAX, INT_MAX / 2, "49%", 74 },
        { INT_MIN, 0, INT_MAX, "199%", 149 },
    };
    for (const ProgressCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " at " << c.position);
        EXPECT_EQ(ProgressCaption(c.min, c.max, c.position), c.caption);
        EXPECT_EQ(ProgressFilledLength(c.min, c.max, c.position, 149), c.filled);
    }
}

}
}
