#include "skin/draw/three_piece.h"
#include "tests/skin/picture_coords.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

// 9 x 5: three frames of 3 columns. Pixel (0, 0) is white and (0, 4)
// black, and each frame holds one white and one black pixel more, so the
// key decides which pixels of the ends are left out.
Bitmap BarPicture()
{
    Bitmap b = CoordinatePicture(9, 5);
    b.SetPixel(0, 0, clWhite);
    b.SetPixel(0, 4, clBlack);
    for (int frame = 0; frame < 3; ++frame) {
        b.SetPixel(frame * 3 + 1, 1, clWhite);
        b.SetPixel(frame * 3 + 1, 2, clBlack);
        b.SetPixel(frame * 3 + 2, 3, clFuchsia);
    }
    return b;
}

TEST(ThreePiece, EndsAreMaskedWithTheSampledKeyAndTheMiddleStretchesWhole)
{
    struct Case {
        const char* what;
        bool sample_key;
        bool sample_top;
        TColor key;
    } cases[] = {
        { "fuchsia", false, true, clFuchsia },
        { "top-left pixel", true, true, clWhite },
        { "bottom-left pixel", true, false, clBlack },
    };
    Bitmap picture = BarPicture();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ThreePieceKey(picture, c.sample_key, c.sample_top), c.key);
        Bitmap paper(40, 20, kPaper);
        Canvas canvas(paper);
        SpitDrawHorizontal(picture, canvas, { 10, 2, 30, 12 }, c.sample_key, c.sample_top);

        // Frame 1 at (10, 2) and frame 3 at (27, 2), at the picture's height.
        for (int frame : { 0, 2 }) {
            int left = frame == 0 ? 10 : 27;
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 3; ++x) {
                    TColor source = picture.GetPixel(frame * 3 + x, y);
                    TColor expected = source == c.key ? kPaper : source;
                    EXPECT_EQ(paper.GetPixel(left + x, 2 + y), expected)
                        << "frame " << frame + 1 << " " << x << "," << y;
                }
            }
            EXPECT_EQ(paper.GetPixel(left, 7), kPaper); // below the end: not stretched
        }
        // The middle frame (columns 3 to 5) covers (13, 2, 27, 12) without
        // transparency: its fuchsia pixel and its key pixels show.
        EXPECT_EQ(SourceOf(paper.GetPixel(13, 2)), (Point { 3, 0 }));
        EXPECT_EQ(SourceOf(paper.GetPixel(26, 11)), (Point { 5, 4 }));
        bool fuchsia = false, white = false, black = false;
        for (int y = 2; y < 12; ++y)
            for (int x = 13; x < 27; ++x) {
                fuchsia |= paper.GetPixel(x, y) == clFuchsia;
                white |= paper.GetPixel(x, y) == clWhite;
                black |= paper.GetPixel(x, y) == clBlack;
            }
        EXPECT_TRUE(fuchsia && white && black);
        EXPECT_EQ(paper.GetPixel(30, 2), kPaper);
    }
}

TEST(ThreePiece, NarrowTargetsAndNarrowPictures)
{
    Bitmap picture = BarPicture();
    {
        // Narrower than two frames: the ends overlap, no middle is drawn.
        Bitmap paper(20, 10, kPaper);
        Canvas canvas(paper);
        SpitDrawHorizontal(picture, canvas, { 0, 0, 4, 5 }, false, false);
        EXPECT_EQ(SourceOf(paper.GetPixel(0, 3)), (Point { 0, 3 }));
        EXPECT_EQ(SourceOf(paper.GetPixel(1, 3)), (Point { 6, 3 })); // frame 3 drawn over frame 1
        EXPECT_EQ(paper.GetPixel(4, 3), kPaper);
    }
    for (Size size : { Size { 2, 5 }, Size { 0, 0 }, Size { 9, 0 } }) {
        Bitmap paper(20, 10, kPaper);
        Canvas canvas(paper);
        SpitDrawHorizontal(CoordinatePicture(size.cx, size.cy), canvas, { 0, 0, 20, 10 }, true, false);
        EXPECT_EQ(paper, Bitmap(20, 10, kPaper)) << size.cx << "x" << size.cy;
    }
}

}
}
