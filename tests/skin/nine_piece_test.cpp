#include "skin/draw/nine_piece.h"
#include "tests/skin/picture_coords.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace pellamo::test {
namespace {

using K = NinePiece::Kind;

// An 84 x 23 button frame drawn into (0, 0, 100, 30), piece by piece.
const std::vector<NinePiece> kButtonExample = {
    { K::TopLeft, { 0, 0, 42, 11 }, { 0, 0, 42, 11 } },
    { K::BottomLeft, { 0, 13, 42, 23 }, { 0, 20, 42, 30 } },
    { K::LeftEdge, { 0, 11, 42, 12 }, { 0, 11, 42, 20 } },
    { K::TopRight, { 43, 0, 84, 11 }, { 59, 0, 100, 11 } },
    { K::BottomRight, { 43, 13, 84, 23 }, { 59, 20, 100, 30 } },
    { K::RightEdge, { 43, 12, 84, 13 }, { 59, 11, 100, 20 } },
    { K::TopEdge, { 42, 0, 43, 11 }, { 42, 0, 59, 11 } },
    { K::Centre, { 42, 11, 43, 12 }, { 42, 11, 59, 19 } },
    { K::BottomEdge, { 42, 12, 43, 23 }, { 41, 19, 59, 30 } },
};

void ExpectSamePieces(const std::vector<NinePiece>& actual, const std::vector<NinePiece>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "piece " << i);
        EXPECT_EQ(actual[i].kind, expected[i].kind);
        EXPECT_EQ(actual[i].source, expected[i].source);
        EXPECT_EQ(actual[i].target, expected[i].target);
    }
}

// Where a canvas pixel inside `target` takes its colour from, when every
// span is either copied one to one or stretched from a single pixel.
Point SourcePixel(const NinePiece& p, Point at)
{
    int x = p.source.Width() == 1 ? p.source.left : p.source.left + (at.x - p.target.left);
    int y = p.source.Height() == 1 ? p.source.top : p.source.top + (at.y - p.target.top);
    return { x, y };
}

TEST(NinePiece, ButtonFrameExampleLaysOutAndPaintsEveryPixelFromItsPiece)
{
    ExpectSamePieces(NinePieceLayout({ 84, 23 }, { 0, 0, 100, 30 }), kButtonExample);

    Bitmap picture = CoordinatePicture(84, 23);
    Bitmap paper(100, 30, kPaper);
    Canvas canvas(paper);
    SpitDraw(picture, canvas, { 0, 0, 100, 30 }, false);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 100; ++x) {
            // The last piece drawn over a pixel is the one that shows.
            std::optional<Point> expected;
            for (const NinePiece& p : kButtonExample)
                if (p.target.Contains({ x, y }))
                    expected = SourcePixel(p, { x, y });
            ASSERT_TRUE(expected.has_value()) << x << "," << y << " is covered by no piece";
            ASSERT_EQ(SourceOf(paper.GetPixel(x, y)), *expected) << "canvas " << x << "," << y;
        }
    }
}

TEST(NinePiece, FuchsiaIsLeftOutOfEdgesAlwaysAndOfCornersOnlyWhenTransparent)
{
    Bitmap picture = CoordinatePicture(84, 23);
    picture.SetPixel(0, 0, clFuchsia); // top-left corner
    picture.SetPixel(83, 22, clFuchsia); // bottom-right corner
    picture.SetPixel(42, 11, clFuchsia); // the centre's one pixel
    picture.SetPixel(42, 5, clFuchsia); // a row of the top edge

    for (bool transparent : { false, true }) {
        SCOPED_TRACE(transparent ? "transparent" : "opaque");
        Bitmap paper(100, 30, kPaper);
        Canvas canvas(paper);
        SpitDraw(picture, canvas, { 0, 0, 100, 30 }, transparent);
        TColor corner = transparent ? kPaper : clFuchsia;
        EXPECT_EQ(paper.GetPixel(0, 0), corner);
        EXPECT_EQ(paper.GetPixel(99, 29), corner);
        EXPECT_EQ(paper.GetPixel(50, 15), kPaper); // centre
        EXPECT_EQ(paper.GetPixel(50, 5), kPaper); // top edge row 5
        EXPECT_EQ(SourceOf(paper.GetPixel(50, 6)), (Point { 42, 6 }));
    }
}

TEST(NinePiece, TargetsSmallerThanThePictureKeepTheOuterSidesOfTheCornersThatFit)
{
    struct Case {
        const char* what;
        Rect rect;
        std::vector<NinePiece> corners;
    } cases[] = {
        { "10 x 6", { 0, 0, 10, 6 },
            {
                { K::TopLeft, { 0, 0, 5, 3 }, { 0, 0, 5, 3 } },
                { K::BottomLeft, { 0, 21, 5, 23 }, { 0, 4, 5, 6 } },
                { K::TopRight, { 80, 0, 84, 3 }, { 6, 0, 10, 3 } },
                { K::BottomRight, { 80, 21, 84, 23 }, { 6, 4, 10, 6 } },
            } },
        // The right-hand slots are 0 wide, the bottom ones 0 high.
        { "2 x 2", { 0, 0, 2, 2 }, { { K::TopLeft, { 0, 0, 1, 1 }, { 0, 0, 1, 1 } } } },
        { "1 x 1", { 0, 0, 1, 1 }, {} },
        { "empty", { 0, 0, 0, 0 }, {} },
        { "reversed", { 0, 0, -20, -20 }, {} },
    };
    Bitmap picture = CoordinatePicture(84, 23);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<NinePiece> corners;
        for (const NinePiece& p : NinePieceLayout({ 84, 23 }, c.rect))
            if (p.Corner())
                corners.push_back(p);
        ExpectSamePieces(corners, c.corners);

        Bitmap paper(12, 8, kPaper);
        Canvas canvas(paper);
        SpitDraw(picture, canvas, c.rect, false);
        // The bottom edge is drawn last and may cover a corner's inner column.
        for (const NinePiece& p : c.corners)
            EXPECT_EQ(SourceOf(paper.GetPixel(p.target.left, p.target.top)), (Point { p.source.left, p.source.top }));
    }
}

TEST(NinePiece, OddSizesNeverReadOutsideThePictureNorDrawBeyondTheRectangle)
{
    struct Case {
        Size picture;
        Rect rect;
    } cases[] = {
        { { 84, 23 }, { 0, 0, 3, 3 } },
        { { 84, 23 }, { 0, 0, 4, 100 } },
        { { 84, 23 }, { 0, 0, 100, 4 } },
        { { 4, 4 }, { 0, 0, 30, 20 } }, // even sizes: the middle has no rows or columns
        { { 6, 3 }, { 0, 0, 30, 20 } },
        { { 3, 3 }, { 0, 0, 30, 20 } },
        { { 2, 2 }, { 0, 0, 30, 20 } },
        { { 1, 1 }, { 0, 0, 30, 20 } },
        { { 1, 23 }, { 0, 0, 30, 20 } },
        { { 84, 1 }, { 0, 0, 30, 20 } },
        { { 0, 0 }, { 0, 0, 30, 20 } },
        { { 0, 5 }, { 0, 0, 30, 20 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.cx << "x" << c.picture.cy << " into " << c.rect.Width() << "x"
                                        << c.rect.Height());
        Rect bounds { 0, 0, c.picture.cx, c.picture.cy };
        for (const NinePiece& p : NinePieceLayout(c.picture, c.rect)) {
            EXPECT_FALSE(p.source.IsEmpty());
            EXPECT_EQ(p.source.Intersect(bounds), p.source);
            EXPECT_FALSE(p.target.IsEmpty());
        }
        Bitmap paper(40, 30, kPaper);
        Canvas canvas(paper);
        SpitDraw(CoordinatePicture(c.picture.cx, c.picture.cy), canvas, c.rect, true);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (!c.rect.Contains({ x, y })) {
                    ASSERT_EQ(paper.GetPixel(x, y), kPaper) << x << "," << y;
                }
            }
        }
    }
}

TEST(NinePiece, AnEvenSizedPictureStillFillsItsEdgesAndCentre)
{
    // 4 x 4: the left edge's source rows (2, 2) and the centre's are empty;
    // they take the middle row so the frame has no holes.
    Bitmap picture = CoordinatePicture(4, 4);
    Bitmap paper(10, 10, kPaper);
    Canvas canvas(paper);
    SpitDraw(picture, canvas, { 0, 0, 10, 10 }, false);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_NE(paper.GetPixel(x, y), kPaper) << x << "," << y;
}

}
}
