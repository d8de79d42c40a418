// The button and check box painters and their geometry, on bitmaps.

#include "platform/gfx/canvas.h"
#include "skin/buttons/button_face.h"
#include "skin/checks/check_face.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

constexpr TColor kPaper = 0x00C0C0;

// The bounding box of every pixel that is not the paper.
Rect Ink(const Bitmap& b, TColor paper = kPaper)
{
    Rect box { b.Width(), b.Height(), 0, 0 };
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) != paper)
                box = { std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                    std::max(box.bottom, y + 1) };
    return box;
}

int Count(const Bitmap& b, TColor c)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.GetPixel(x, y) == c;
    return n;
}

TEST(ButtonFaces, GlyphPlacementFollowsTheLayout)
{
    struct Case {
        TButtonLayout layout;
        Size glyph;
        Point at, caption;
        bool two;
    } cases[] = {
        // 80 x 27, caption 30 x 13, spacing 4.
        { TButtonLayout::blGlyphLeft, { 16, 16 }, { 15, 5 }, { 35, 7 }, false },
        { TButtonLayout::blGlyphRight, { 16, 16 }, { 49, 5 }, { 15, 7 }, false },
        { TButtonLayout::blGlyphTop, { 16, 16 }, { 32, -3 }, { 25, 17 }, false },
        { TButtonLayout::blGlyphBottom, { 16, 16 }, { 32, 14 }, { 25, -3 }, false },
        // Twice as wide as high: two 16 x 16 images; 30 x 16 is one image.
        { TButtonLayout::blGlyphLeft, { 32, 16 }, { 15, 5 }, { 35, 7 }, true },
        { TButtonLayout::blGlyphLeft, { 30, 16 }, { 8, 5 }, { 42, 7 }, false },
    };
    for (const Case& c : cases) {
        GlyphPlacement p = PlaceGlyph({ 80, 27 }, { 30, 13 }, c.glyph, c.layout, 4);
        EXPECT_EQ(p.glyph, c.at) << static_cast<int>(c.layout) << " " << c.glyph.cx;
        EXPECT_EQ(p.caption, c.caption) << static_cast<int>(c.layout) << " " << c.glyph.cx;
        EXPECT_EQ(p.two_images, c.two) << c.glyph.cx;
        EXPECT_EQ(p.cell.cx, c.two ? c.glyph.cy : c.glyph.cx);
    }
    // Halving truncates toward zero: (27 - 28) / 2 is 0, not -1.
    EXPECT_EQ(PlaceGlyph({ 80, 27 }, { 30, 13 }, { 28, 28 }, TButtonLayout::blGlyphLeft, 4).glyph.y, 0);
}

TEST(ButtonFaces, TwoImageGlyphShowsItsSecondHalfWhenDisabled)
{
    // Left half red, right half blue, on a white key (top-left pixel).
    Bitmap glyph(8, 4, clRed);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            glyph.SetPixel(x, y, clBlue);
    glyph.SetPixel(0, 0, clWhite);
    glyph.SetPixel(4, 0, clWhite);
    GlyphPlacement place = PlaceGlyph({ 20, 10 }, { 0, 0 }, { 8, 4 }, TButtonLayout::blGlyphLeft, 0);
    struct Case {
        bool enabled, pressed;
        Point probe;
        TColor color;
    } cases[] = {
        { true, false, { place.glyph.x + 1, place.glyph.y + 1 }, clRed },
        { false, false, { place.glyph.x + 1, place.glyph.y + 1 }, clBlue },
        { true, true, { place.glyph.x + 2, place.glyph.y + 2 }, clRed }, // one pixel on while pressed
        { true, true, { place.glyph.x, place.glyph.y + 1 }, kPaper },
        { true, false, { place.glyph.x, place.glyph.y }, kPaper }, // the key colour is left out
    };
    for (const Case& c : cases) {
        Bitmap b(20, 10, kPaper);
        Canvas canvas(b);
        PaintGlyph(canvas, glyph, place, c.enabled, c.pressed);
        EXPECT_EQ(b.GetPixel(c.probe.x, c.probe.y), c.color) << c.enabled << c.pressed;
    }
}

TEST(ButtonFaces, CentredCaptionMovesWhenPressedAndDoublesWhenDisabled)
{
    Font font;
    font.color = clBlack;
    auto paint = [&](CaptionState state) {
        Bitmap b(80, 27, kPaper);
        Canvas canvas(b);
        PaintCentredCaption(canvas, { 80, 27 }, "Play", font, state);
        return b;
    };
    Bitmap normal = paint({ true, false, false });
    Bitmap pressed = paint({ true, true, false });
    Bitmap disabled = paint({ false, false, false });
    Bitmap bold = paint({ true, false, true });
    Rect ink = Ink(normal);
    // Centred: as much room left as right (within a pixel of rounding).
    EXPECT_LE(std::abs(ink.left - (80 - ink.right)), 1);
    EXPECT_LE(std::abs(ink.top - (27 - ink.bottom)), 3);
    EXPECT_EQ(Ink(pressed), ink.Offset(1, 1));
    EXPECT_EQ(Count(disabled, clBlack), 0);
    EXPECT_GT(Count(disabled, 0x808080), 0);
    EXPECT_EQ(Ink(disabled).right, ink.right + 1); // the white copy one pixel on
    EXPECT_GT(Count(bold, clBlack), Count(normal, clBlack));
}

TEST(ButtonFaces, FocusMarkIsInsetByTheMargin)
{
    for (int margin : { 0, 2, 5 }) {
        Bitmap b(40, 20, clWhite);
        Canvas canvas(b);
        PaintFocusMark(canvas, { 40, 20 }, margin);
        EXPECT_EQ(Ink(b, clWhite), (Rect { margin, margin, 40 - margin, 20 - margin })) << margin;
    }
}

TEST(CheckFaces, LayoutAndAutoSize)
{
    // A 13 x 13 frame and a 40-pixel caption whose "W" is 13 high.
    EXPECT_EQ(CheckBoxAutoSize({ 13, 13 }, 40, 13), (Size { 61, 19 }));
    EXPECT_EQ(CheckBoxAutoSize({ 15, 17 }, 40, 13), (Size { 63, 21 })); // a picture taller than the text

    struct Case {
        bool rtl;
        Point picture;
        Rect caption, focus;
    } cases[] = {
        { false, { 1, 3 }, { 20, 4, 93, 21 }, { 19, 4, 93, 19 } },
        { true, { 76, 3 }, { 0, 4, 73, 21 }, { 0, 4, 75, 19 } },
    };
    for (const Case& c : cases) {
        CheckBoxLayout l = LayOutCheckBox({ 93, 21 }, { 16, 15 }, 13, c.rtl);
        EXPECT_EQ(l.picture, c.picture) << c.rtl;
        EXPECT_EQ(l.caption, c.caption) << c.rtl;
        EXPECT_EQ(l.focus, c.focus) << c.rtl;
        EXPECT_EQ(l.caption_right_aligned, c.rtl);
    }
    struct Frame {
        bool checked, enabled;
        int index;
    } frames[] = { { true, true, 1 }, { false, true, 2 }, { true, false, 3 }, { false, false, 4 } };
    for (const Frame& f : frames)
        EXPECT_EQ(CheckFrameIndex(f.checked, f.enabled), f.index);
}

TEST(CheckFaces, CaptionGoesBesideThePictureOnTheReadingSide)
{
    Bitmap picture(13, 13, clRed);
    Font font;
    font.color = clBlack;
    for (bool rtl : { false, true }) {
        Bitmap b(93, 17, kPaper);
        Canvas canvas(b);
        PaintCheckBoxFace(canvas, { 93, 17 }, picture, "Subtitles", font, rtl, false);
        int picture_x = rtl ? 93 - 13 - 1 : 1;
        EXPECT_EQ(b.GetPixel(picture_x, 2), clRed) << rtl;
        Bitmap text = b;
        for (int y = 0; y < 17; ++y)
            for (int x = picture_x; x < picture_x + 13; ++x)
                text.SetPixel(x, y, kPaper);
        Rect ink = Ink(text);
        if (rtl)
            EXPECT_GE(ink.right, 93 - 13 - 6) << "right-aligned before the picture";
        else
            EXPECT_GE(ink.left, 13 + 4) << "after the picture";
    }
}

}
}
