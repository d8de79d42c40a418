#include "platform/gfx/image_list.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

// A strip of `n` frames of 3 x 2; frame k is filled with colours[k] and has
// a fuchsia pixel at its top-left.
Bitmap Strip(int n, int extra_columns = 0)
{
    const TColor colours[] = { clRed, clLime, clBlue, clYellow };
    Bitmap b(3 * n + extra_columns, 2, clBlack);
    for (int k = 0; k < n; ++k) {
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                b.SetPixel(3 * k + x, y, colours[k]);
        b.SetPixel(3 * k, 0, clFuchsia);
    }
    return b;
}

TEST(ImageListAdd, WideBitmapsBecomeSeveralImages)
{
    ImageList list(3, 2);
    EXPECT_EQ(list.Add(Strip(3)), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.AddMasked(Strip(2, 2), clFuchsia), 3); // leftover columns dropped
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Add(Bitmap()), -1);

    Bitmap out;
    ASSERT_TRUE(list.GetBitmap(1, out));
    EXPECT_EQ(out.Width(), 3);
    EXPECT_EQ(out.Height(), 2);
    EXPECT_EQ(out.GetPixel(1, 1), clLime);
    EXPECT_EQ(out.GetPixel(0, 0), clFuchsia); // unmasked: kept as it is
    ASSERT_TRUE(list.GetBitmap(3, out));
    EXPECT_EQ(out.GetPixel(0, 0), clBlack); // masked pixels are stored black
    EXPECT_FALSE(list.GetBitmap(5, out));
    EXPECT_FALSE(list.GetBitmap(-1, out));

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(ImageList(0, 5), std::invalid_argument);
}

TEST(ImageListDraw, MaskedPixelsAreLeftAlone)
{
    ImageList list(3, 2);
    list.AddMasked(Strip(2), clFuchsia);
    list.Add(Strip(1));
    list.AddMasked(Bitmap(1, 1, clRed), clFuchsia); // narrower than an image

    Bitmap bmp(20, 4, clWhite);
    Canvas canvas(bmp);
    list.Draw(canvas, 0, 0, 1);
    EXPECT_EQ(bmp.GetPixel(0, 0), clWhite);
    EXPECT_EQ(bmp.GetPixel(1, 0), clLime);
    EXPECT_EQ(bmp.GetPixel(0, 1), clLime);
    list.Draw(canvas, 4, 0, 2);
    EXPECT_EQ(bmp.GetPixel(4, 0), clFuchsia);
    list.Draw(canvas, 8, 0, 3);
    EXPECT_EQ(bmp.GetPixel(8, 0), clRed);
    EXPECT_EQ(bmp.GetPixel(9, 0), clWhite);
    EXPECT_EQ(bmp.GetPixel(8, 1), clWhite);

    Bitmap before = bmp;
    list.Draw(canvas, 12, 0, 4);
    list.Draw(canvas, 12, 0, -1);
    EXPECT_TRUE(bmp == before);
}

TEST(ImageListDraw, DisabledLookIsGreyAndKeepsTheMask)
{
    ImageList list(3, 2);
    list.AddMasked(Strip(1), clFuchsia);
    Bitmap bmp(4, 3, clWhite);
    Canvas canvas(bmp);
    list.Draw(canvas, 0, 0, 0, false);
    EXPECT_EQ(bmp.GetPixel(0, 0), clWhite);
    TColor c = bmp.GetPixel(1, 0);
    EXPECT_NE(c, clRed);
    EXPECT_EQ(RedOf(c), GreenOf(c));
    EXPECT_EQ(GreenOf(c), BlueOf(c));
}

}
}
