// The frame's pure parts on in-memory bitmaps: the client rectangle it
// leaves, the window's shape, the border painting with its picture pieces,
// and the menu bar's buttons.

#include "skin/frame/form_border_painter.h"
#include "skin/frame/form_geometry.h"
#include "skin/frame/menu_bar_painter.h"

#include "platform/gfx/resources.h"
#include "skin/theme_data/named_pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pellamo::test {
namespace {

constexpr TColor kPaper = 0x123456;

// Every pixel tells where it came from and from which picture:
// red = x, green = y, blue = the tag.
Bitmap Tagged(int width, int height, int tag)
{
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, Rgb(static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(tag)));
    return b;
}

TColor From(int tag, int x, int y)
{
    return Rgb(static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(tag));
}

TEST(FrameGeometry, CalcRectLeavesTheWindowsOwnFrameToBeTakenOff)
{
    const Rect window { 100, 50, 740, 485 };
    struct Case {
        const char* what;
        FrameEdges edges;
        Rect handed_on;
    };
    const Case cases[] = {
        { "1-pixel border: 2 rows left at the bottom", { 1, 0, 0 }, { 100, 50, 740, 486 } },
        { "2-pixel border", { 2, 0, 0 }, { 100, 50, 740, 485 } },
        { "3-pixel border fills the frame", { 3, 0, 0 }, { 100, 50, 740, 485 } },
        { "side pictures narrow both sides", { 1, 7, 0 }, { 105, 50, 735, 486 } },
        { "a bottom picture decides the bottom", { 1, 0, 9 }, { 100, 50, 740, 478 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FrameCalcRect(window, c.edges), c.handed_on) << c.what;
}

TEST(FrameGeometry, RegionRoundsOnlyTheCornersAskedFor)
{
    Size w { 200, 100 };
    EXPECT_EQ(FrameRegion(w, 0, 0), Region(Rect { 0, 0, 200, 100 })) << "no rounding: the whole window";
    EXPECT_EQ(FrameRegion(w, -1, -1), Region(Rect { 0, 0, 200, 100 })) << "-1 counts as 0";

    Region top = FrameRegion(w, 13, 0);
    EXPECT_FALSE(top.Contains(0, 0));
    EXPECT_FALSE(top.Contains(199, 0));
    EXPECT_TRUE(top.Contains(100, 0));
    EXPECT_TRUE(top.Contains(6, 6));
    EXPECT_TRUE(top.Contains(0, 99)) << "square bottom corners";
    EXPECT_TRUE(top.Contains(199, 99));
    EXPECT_TRUE(top.Contains(0, 30)) << "the upper half is squared off where the halves meet";
    EXPECT_TRUE(top.Contains(0, 49));

    Region bottom = FrameRegion(w, 0, 13);
    EXPECT_TRUE(bottom.Contains(0, 0));
    EXPECT_FALSE(bottom.Contains(0, 99));
    EXPECT_FALSE(bottom.Contains(199, 99));
    EXPECT_TRUE(bottom.Contains(0, 50));
}

class BorderPainting : public ::testing::Test {
protected:
    BorderPainting()
    {
        face.window = { 120, 80 };
        face.border_width = 1;
        face.border_color = 0x7F7F7F;
        face.color = 0xE7E7E7;
        face.title_height = 20;
        face.title_left = &left;
        face.title_right = &right;
        face.title_centre = &centre;
        face.menu_bar_color = 0x00C0C0;
        face.menu_bar_height = 22;
        face.form_color = 0x0000FF;
    }
    Bitmap Paint()
    {
        Bitmap b(face.window.cx, face.window.cy, kPaper);
        Canvas c(b);
        PaintFormBorder(c, face);
        return b;
    }

    Bitmap left = Tagged(48, 23, 1);
    Bitmap right = Tagged(48, 23, 2);
    Bitmap centre = Tagged(49, 23, 3);
    FormBorderFace face;
};

TEST_F(BorderPainting, LinesColoursAndTheFirstRowsOfTheTitlePictures)
{
    face.menu_bar = face.has_menu_bar = true;
    Bitmap b = Paint();
    struct Probe {
        Point at;
        TColor color;
        const char* what;
    };
    const Probe probes[] = {
        { { 0, 40 }, 0x7F7F7F, "left border line" },
        { { 119, 40 }, 0x7F7F7F, "right border line" },
        { { 60, 79 }, 0x7F7F7F, "bottom border line" },
        { { 1, 60 }, 0xE7E7E7, "background between line and client, left" },
        { { 118, 60 }, 0xE7E7E7, "and right" },
        { { 60, 78 }, 0xE7E7E7, "and bottom" },
        { { 1, 30 }, 0x00C0C0, "beside the menu bar, left" },
        { { 118, 44 }, 0x00C0C0, "beside the menu bar, right" },
        { { 1, 0 }, From(1, 0, 0), "left piece: the left picture from its first column" },
        { { 2, 22 }, From(1, 1, 22), "down to the picture's height" },
        { { 117, 5 }, From(2, 46, 5), "right piece: the right picture's last columns" },
        { { 118, 5 }, From(2, 47, 5), "" },
        { { 10, 2 }, From(1, 10, 2), "top strip: the left picture from the window's corner" },
        { { 72, 0 }, From(2, 0, 0), "where the right picture begins" },
        { { 100, 1 }, From(2, 28, 1), "the right picture against the window's right edge" },
        { { 60, 3 }, kPaper, "the title bar's own rows are left alone" },
        { { 60, 40 }, kPaper, "and the client area" },
    };
    for (const Probe& p : probes)
        EXPECT_EQ(b.GetPixel(p.at.x, p.at.y), p.color) << p.what << " at " << p.at.x << "," << p.at.y;
    // The middle picture stretched from the left picture's end to the right one's start.
    for (int x = 47; x <= 72; ++x)
        EXPECT_EQ(BlueOf(b.GetPixel(x, 1)), x == 47 ? 1 : x == 72 ? 2 : 3) << x;
}

TEST_F(BorderPainting, HiddenTitleBarGivesALineAndTwoRowsOfBackground)
{
    face.title_visible = false;
    Bitmap b = Paint();
    for (int x : { 0, 1, 60, 118, 119 })
        EXPECT_EQ(b.GetPixel(x, 0), 0x7F7F7F) << x;
    for (int y : { 1, 2 }) {
        EXPECT_EQ(b.GetPixel(1, y), 0xE7E7E7);
        EXPECT_EQ(b.GetPixel(60, y), 0xE7E7E7);
        EXPECT_EQ(b.GetPixel(118, y), 0xE7E7E7);
    }
    EXPECT_EQ(b.GetPixel(1, 10), 0xE7E7E7) << "the side strips start at the top";
}

TEST_F(BorderPainting, ABorderAsWideAsTheFrameLeavesNoPiecesToDraw)
{
    face.border_width = 3;
    face.border_color = 0xC82C00;
    Bitmap b = Paint();
    for (int x : { 0, 1, 2, 117, 118, 119 })
        EXPECT_EQ(b.GetPixel(x, 10), 0xC82C00) << x;
    EXPECT_EQ(b.GetPixel(60, 77), 0xC82C00);
    EXPECT_EQ(b.GetPixel(10, 1), From(1, 10, 1)) << "the top strip is still drawn";

    face.border_width = 5;
    b = Paint();
    EXPECT_EQ(b.GetPixel(4, 40), 0xC82C00) << "wide borders are lines only";
    EXPECT_EQ(b.GetPixel(10, 1), kPaper);

    face.window = { 4, 2 };
    face.border_width = 1;
    Paint(); // smaller than every piece: nothing drawn with a negative size
}

TEST_F(BorderPainting, RoundCornerElevenDrawsTheCornerArcs)
{
    face.round_corner = 11;
    Bitmap b = Paint();
    int arc_pixels = 0;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 11; ++x)
            arc_pixels += b.GetPixel(x, y) == 0x7F7F7F;
    EXPECT_GT(arc_pixels, 8);
    face.designing = true;
    Bitmap designed = Paint();
    EXPECT_EQ(designed.GetPixel(5, 0), From(1, 5, 0)) << "no arcs while designing";
}

TEST_F(BorderPainting, FileThemeSidePicturesReplaceTheLines)
{
    Bitmap side = Tagged(5, 10, 7);
    Bitmap turned = Tagged(5, 10, 8);
    Bitmap bottom = Tagged(9, 4, 9);
    face.left_border = &side;
    face.right_border = &turned;
    face.bottom_border = &bottom;
    face.menu_bar = face.has_menu_bar = true;
    Bitmap b = Paint();
    EXPECT_EQ(BlueOf(b.GetPixel(0, 40)), 7) << "left picture stretched";
    EXPECT_EQ(BlueOf(b.GetPixel(119, 40)), 8) << "right picture stretched";
    EXPECT_EQ(b.GetPixel(0, 76), From(9, 0, 0)) << "bottom picture, left end";
    EXPECT_EQ(BlueOf(b.GetPixel(60, 78)), 9) << "bottom picture, stretched middle";
    EXPECT_EQ(b.GetPixel(5, 60), 0xE7E7E7) << "a background column inside the left picture";
    EXPECT_EQ(b.GetPixel(60, 75), 0xE7E7E7) << "and a row above the bottom picture";
    EXPECT_EQ(b.GetPixel(114, 24), 0x00C0C0) << "menu bar colour beside the bar";
    EXPECT_EQ(b.GetPixel(3, 2), From(1, 3, 2)) << "left corner piece";
    EXPECT_EQ(b.GetPixel(30, 1), From(1, 29, 1)) << "top strip";

    face.title_visible = false;
    b = Paint();
    EXPECT_EQ(b.GetPixel(30, 1), 0x00C0C0) << "without the title: the menu bar's colour";
    face.has_menu_bar = face.menu_bar = false;
    b = Paint();
    EXPECT_EQ(b.GetPixel(30, 1), 0x0000FF) << "without a menu bar: the window's colour";
}

TEST(MenuBarPainting, StatesInMacOSAndInTheFilledStyles)
{
    Bitmap bar_picture = Resources::LoadBitmap(kMacOSMenuBar);
    Bitmap select_picture = Resources::LoadBitmap(kMacOSMenuSelect);
    MenuBarLook mac;
    mac.mac_os = true;
    mac.bar_picture = &bar_picture;
    mac.select_picture = &select_picture;
    mac.selected_font = 0xFFFFFF;
    MenuBarLook filled;
    filled.selected_border = 0x0000FF;
    filled.selected_fill = 0x00FF00;
    filled.selected_font = 0xFFFFFF;
    filled.font_color = 0x000000;

    Bitmap b(60, 22, kPaper);
    Canvas c(b);
    Bitmap stretched_select(60, 22);
    Canvas(stretched_select).StretchDraw({ 0, 0, 60, 22 }, select_picture);
    EXPECT_TRUE(PaintMenuBarBackground(c, { 0, 0, 60, 22 }, mac));
    EXPECT_EQ(b.GetPixel(30, 21), bar_picture.GetPixel(0, 21)) << "the pinstripes stretched over the bar";
    EXPECT_FALSE(PaintMenuBarBackground(c, { 0, 0, 60, 22 }, filled)) << "other styles keep the bar's colour";

    // The states only: a table of faces with their strings trips GCC 12's
    // maybe-uninitialized check at -O3.
    struct Case {
        const char* what;
        const MenuBarLook* look;
        bool hot, pressed;
        Point probe;
        TColor expected;
    };
    const Case cases[] = {
        { "MacOS hot: the selection picture", &mac, true, false, { 10, 3 }, stretched_select.GetPixel(10, 3) },
        { "MacOS pressed: the same", &mac, false, true, { 10, 20 }, stretched_select.GetPixel(10, 20) },
        { "filled hot: framed", &filled, true, false, { 0, 5 }, 0x0000FF },
        { "filled hot: fill", &filled, true, false, { 5, 5 }, 0x00FF00 },
        { "filled pressed: the right edge moves left", &filled, false, true, { 57, 5 }, 0x0000FF },
        { "filled pressed: and leaves the rest", &filled, false, true, { 59, 5 }, kPaper },
        { "normal: nothing but the caption", &filled, false, false, { 5, 5 }, kPaper },
    };
    for (const Case& k : cases) {
        Bitmap button(60, 22, kPaper);
        Canvas bc(button);
        MenuBarButtonFace face;
        face.hot = k.hot;
        face.pressed = k.pressed;
        PaintMenuBarButton(bc, { 0, 0, 60, 22 }, face, *k.look);
        EXPECT_EQ(button.GetPixel(k.probe.x, k.probe.y), k.expected) << k.what;
    }

    // Caption colours: white when selected, the font colour, grey disabled.
    auto ink = [&](const MenuBarButtonFace& f, const MenuBarLook& look, TColor colour) {
        Bitmap button(60, 22, kPaper);
        Canvas bc(button);
        PaintMenuBarButton(bc, { 0, 0, 60, 22 }, f, look);
        int n = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 60; ++x)
                n += button.GetPixel(x, y) == colour;
        return n;
    };
    EXPECT_GT(ink({ "Help", true, false, true }, mac, 0xFFFFFF), 5);
    EXPECT_GT(ink({ "Help", false, false, true }, filled, 0x000000), 5);
    EXPECT_GT(ink({ "Help", false, false, false }, filled, 0x808080), 5);
    EXPECT_EQ(ink({ "Help", false, false, false }, filled, 0x000000), 0);
}

}
}
