// Measuring and painting skinned menu items into a bitmap, one case per
// state, with the MacOS pictures and with plain fills.

#include "skin/menus/menu_check_marks.h"
#include "skin/menus/menu_item_painter.h"
#include "skin/menus/menu_routines.h"

#include "platform/gfx/resources.h"
#include "platform/gfx/system_fonts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace pellamo::test {
namespace {

constexpr TColor kWhite = 0xFFFFFF;

MenuItemFace Face(const char* caption, const char* shortcut = "")
{
    MenuItemFace face;
    face.caption = caption;
    face.shortcut = shortcut;
    return face;
}

// The MacOS look with the colours its style gives the menus.
MenuItemLook MacLook()
{
    MenuItemLook look;
    look.mac_os = true;
    look.selected_border_color = look.selected_color = 0xC47339;
    look.selected_font_color = kWhite;
    look.separator_color = 0;
    look.font = SystemFonts::Menu();
    return look;
}

// WinXP's colours: a highlight frame that differs from its fill.
MenuItemLook PlainLook()
{
    MenuItemLook look;
    look.bar_color = 0xCED3D6;
    look.color = kWhite;
    look.separator_color = 0x848284;
    look.selected_border_color = 0xC66931;
    look.selected_color = 0xEFD3C6;
    look.selected_font_color = 0x000000;
    look.font_color = 0x000000;
    look.font = SystemFonts::Menu();
    return look;
}

class MenuPainter : public ::testing::Test {
protected:
    static constexpr int kWidth = 160;

    // Paints one item into a fresh bitmap (grey 0x123456 around it).
    Bitmap Paint(const MenuItemFace& item, bool selected, const MenuItemLook& look, int height, bool rtl = false,
        const ImageList* images = nullptr)
    {
        Bitmap b(kWidth, height, 0x123456);
        Canvas c(b);
        PaintMenuItem(c, { 0, 0, kWidth, height }, item, selected, rtl, look, images, checks.get());
        return b;
    }
    static int Count(const Bitmap& b, const Rect& r, const std::function<bool(TColor)>& match)
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += match(b.GetPixel(x, y));
        return n;
    }
    static bool Near(TColor a, TColor b, int tolerance)
    {
        int d = 0;
        for (int shift : { 0, 8, 16 })
            d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
        return d <= tolerance;
    }
    // Pixels of exactly `color` (fills and lines).
    static int Exactly(const Bitmap& b, const Rect& r, TColor color)
    {
        return Count(b, r, [&](TColor c) { return c == color; });
    }
    // Text is smoothed: its ink is whatever comes close to its colour.
    static int Ink(const Bitmap& b, const Rect& r, TColor color)
    {
        return Count(b, r, [&](TColor c) { return Near(c, color, 100); });
    }
    // The horizontal extent of whatever is not `background` in `r`.
    static std::pair<int, int> Span(const Bitmap& b, const Rect& r, TColor background)
    {
        int lo = r.right, hi = r.left - 1;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (!Near(b.GetPixel(x, y), background, 40)) {
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                }
        return { lo, hi };
    }
    // A point of the check mark's ink, relative to the picture.
    Point TickPoint()
    {
        Bitmap tick = Resources::LoadBitmap("MENU_CHECKED");
        for (int y = 0; y < tick.Height(); ++y)
            for (int x = 0; x < tick.Width(); ++x)
                if (tick.GetPixel(x, y) == 0)
                    return { x, y };
        ADD_FAILURE() << "the check mark has no black ink";
        return {};
    }

    std::unique_ptr<ImageList> checks = MakeMenuCheckMarks();
    const Bitmap bar = Resources::LoadBitmap("MACOS_MENU_BAR");
    const Bitmap select = Resources::LoadBitmap("MACOS_MENU_SELECT");
};

TEST_F(MenuPainter, MacOSItemsAreThePinstripePictures)
{
    MenuItemFace open = Face("&Open", "Ctrl+O");
    struct Case {
        const char* what;
        MenuItemFace item;
        bool selected;
        int height;
        const Bitmap* rows; // the picture whose top rows are the background
        TColor text; // the caption's ink
    };
    MenuItemFace disabled = open;
    disabled.enabled = false;
    const Case cases[] = {
        { "plain", open, false, 20, &bar, 0x000000 },
        { "selected: blue stripes, white text", open, true, 20, &select, kWhite },
        { "disabled under the mouse: never highlighted, grey", disabled, true, 20, &bar, kMenuDisabledText },
    };
    for (const Case& c : cases) {
        Bitmap b = Paint(c.item, c.selected, MacLook(), c.height);
        // Away from the texts; the side bar is pictured too.
        for (int y : { 0, 1, 3, 4, 19 })
            for (int x : { 0, 10, 159 })
                EXPECT_EQ(b.GetPixel(x, y), c.rows->GetPixel(0, y)) << c.what << " at " << x << "," << y;
        EXPECT_GT(Ink(b, { 30, 4, 100, 20 }, c.text), 5) << c.what << ": caption";
        EXPECT_GT(Ink(b, { 100, 4, 144, 20 }, c.text), 5) << c.what << ": shortcut";
    }

    // A separator is the bar picture's top 12 rows and nothing else.
    Bitmap sep = Paint(Face("-"), false, MacLook(), 12);
    for (int y = 0; y < 12; ++y)
        for (int x : { 0, 30, 80, 159 })
            EXPECT_EQ(sep.GetPixel(x, y), bar.GetPixel(0, y)) << x << "," << y;

    // Taller or shorter items stretch the rows they use.
    Bitmap tall = Paint(open, true, MacLook(), 40);
    EXPECT_EQ(tall.GetPixel(5, 0), select.GetPixel(0, 0));
    EXPECT_EQ(tall.GetPixel(5, 39), select.GetPixel(0, 19));
}

TEST_F(MenuPainter, PlainItemsFillTheBarAndTheRestAndFrameTheHighlight)
{
    const MenuItemLook look = PlainLook();
    MenuItemFace item = Face("Television", "F5");

    Bitmap plain = Paint(item, false, look, 21);
    EXPECT_EQ(plain.GetPixel(0, 0), look.bar_color);
    EXPECT_EQ(plain.GetPixel(25, 20), look.bar_color);
    EXPECT_EQ(plain.GetPixel(26, 0), look.color);
    EXPECT_EQ(plain.GetPixel(159, 20), look.color);
    auto caption = Span(plain, { 26, 0, 100, 21 }, look.color);
    EXPECT_GE(caption.first, 30) << "the caption starts 4 pixels past the bar";
    EXPECT_LE(caption.first, 32);
    EXPECT_EQ(Ink(plain, { 26, 0, kWidth, 4 }, 0), 0) << "text starts on row 4";
    auto shortcut = Span(plain, { 100, 0, kWidth, 21 }, look.color);
    EXPECT_LE(shortcut.second, kWidth - 16 - 1) << "the shortcut ends 16 pixels from the right";
    EXPECT_GE(shortcut.second, kWidth - 16 - 3);

    Bitmap selected = Paint(item, true, look, 21);
    EXPECT_EQ(selected.GetPixel(0, 0), look.selected_border_color);
    EXPECT_EQ(selected.GetPixel(159, 20), look.selected_border_color);
    EXPECT_EQ(selected.GetPixel(1, 1), look.selected_color) << "the bar is covered too";
    EXPECT_EQ(selected.GetPixel(158, 19), look.selected_color);

    MenuItemFace disabled = item;
    disabled.enabled = false;
    Bitmap grey = Paint(disabled, true, look, 21);
    EXPECT_EQ(grey.GetPixel(0, 0), look.bar_color) << "never highlighted";
    EXPECT_GT(Ink(grey, { 26, 0, kWidth, 21 }, kMenuDisabledText), 10);
    EXPECT_EQ(Ink(grey, { 26, 0, kWidth, 21 }, 0x000000), 0);
}

TEST_F(MenuPainter, SeparatorsDrawTheirLineOnTheThirdRowBesideTheBar)
{
    const MenuItemLook look = PlainLook();
    struct Case {
        const char* what;
        int bar_width;
        bool rtl;
        int line_from, line_to; // inclusive
        Rect bar;
    };
    const Case cases[] = {
        { "left to right", 26, false, 30, 157, { 0, 0, 26, 5 } },
        { "right to left", 26, true, 2, 129, { 134, 0, 160, 5 } },
        { "no bar", 0, false, 4, 157, {} },
    };
    for (const Case& c : cases) {
        MenuItemLook l = look;
        l.bar_width = c.bar_width;
        Bitmap b = Paint(Face("-"), true, l, 5, c.rtl);
        EXPECT_EQ(Exactly(b, { 0, 2, kWidth, 3 }, look.separator_color), c.line_to - c.line_from + 1) << c.what;
        EXPECT_EQ(b.GetPixel(c.line_from, 2), look.separator_color) << c.what;
        EXPECT_EQ(b.GetPixel(c.line_to, 2), look.separator_color) << c.what;
        EXPECT_EQ(Exactly(b, { 0, 0, kWidth, 2 }, look.separator_color)
                + Exactly(b, { 0, 3, kWidth, 5 }, look.separator_color),
            0)
            << c.what << ": one row only";
        if (!c.bar.IsEmpty()) {
            EXPECT_EQ(Exactly(b, c.bar, look.bar_color), c.bar.Width() * 5) << c.what;
        }
        EXPECT_EQ(Exactly(b, { 0, 0, kWidth, 5 }, look.selected_color), 0)
            << c.what << ": a separator is never highlighted";
    }
}

TEST_F(MenuPainter, CheckMarksAndImages)
{
    const MenuItemLook look = PlainLook();
    ImageList images(16, 16);
    images.Add(Bitmap(16, 16, 0x0000FF));
    Point tick = TickPoint();
    struct Case {
        const char* what;
        int image_index;
        bool checked;
        bool enabled;
        bool rtl;
        bool box; // the framed box behind the image
        bool image;
        bool check_mark;
    };
    const Case cases[] = {
        { "checked without an image: the check mark", -1, true, true, false, false, false, true },
        { "checked with an image: box and image", 0, true, true, false, true, true, false },
        { "checked, image index past the list: the check mark", 1, true, true, false, false, false, true },
        { "an image, not checked: no box", 0, false, true, false, false, true, false },
        { "right to left: the image column on the right", 0, true, true, true, true, true, false },
    };
    for (const Case& c : cases) {
        MenuItemFace item = Face("Radio");
        item.image_index = c.image_index;
        item.checked = c.checked;
        item.enabled = c.enabled;
        Bitmap b = Paint(item, false, look, 21, c.rtl, &images);
        int x = c.rtl ? kWidth - 20 : 4;
        EXPECT_EQ(b.GetPixel(x - 2, 1) == 0x000000, c.box) << c.what << ": frame";
        EXPECT_EQ(b.GetPixel(x - 1, 2) == look.selected_color, c.box) << c.what << ": box fill";
        EXPECT_EQ(b.GetPixel(x + 8, 3 + 8) == 0x0000FF, c.image) << c.what << ": image";
        EXPECT_EQ(b.GetPixel(x + tick.x, 3 + tick.y) == 0x000000, c.check_mark) << c.what << ": check mark";
    }

    // Disabled: the check mark is greyed, not black.
    MenuItemFace off = Face("Radio");
    off.checked = true;
    off.enabled = false;
    Bitmap b = Paint(off, false, look, 21);
    EXPECT_NE(b.GetPixel(4 + tick.x, 3 + tick.y), 0x000000);
    EXPECT_NE(b.GetPixel(4 + tick.x, 3 + tick.y), look.bar_color);
}

TEST_F(MenuPainter, RightToLeftMirrorsBarCaptionAndShortcut)
{
    Bitmap b = Paint(Face("Television", "F5"), false, PlainLook(), 21, true);
    EXPECT_EQ(b.GetPixel(kWidth - 1, 10), PlainLook().bar_color);
    EXPECT_EQ(b.GetPixel(kWidth - 26, 10), PlainLook().bar_color);
    EXPECT_EQ(b.GetPixel(kWidth - 27, 10), PlainLook().color);
    auto caption = Span(b, { 60, 0, kWidth - 26, 21 }, PlainLook().color);
    EXPECT_LE(caption.second, kWidth - 26 - 4 - 1) << "right aligned before the bar";
    EXPECT_GE(caption.second, kWidth - 26 - 4 - 3);
    auto shortcut = Span(b, { 0, 0, 60, 21 }, PlainLook().color);
    EXPECT_GE(shortcut.first, 16);
    EXPECT_LE(shortcut.first, 18);
}

// An item that opens a sub-menu ends with a small triangle in its
// caption's colour, pointing away from the caption; others have none.
TEST_F(MenuPainter, AnItemWithASubMenuShowsItsArrowInTheCaptionColour)
{
    struct Case {
        const char* what;
        MenuItemLook look;
        bool selected;
        bool enabled;
        bool rtl;
        TColor ink;
        int base; // the arrow's 7-pixel column; its tip is 3 columns further on
    } const cases[] = {
        { "plain", PlainLook(), false, true, false, PlainLook().font_color, kWidth - 12 },
        { "MacOS, highlighted", MacLook(), true, true, false, kWhite, kWidth - 12 },
        { "disabled", PlainLook(), true, false, false, kMenuDisabledText, kWidth - 12 },
        { "right to left", PlainLook(), false, true, true, PlainLook().font_color, 11 },
    };
    constexpr int kMiddle = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MenuItemFace item = Face("More");
        item.enabled = c.enabled;
        Bitmap without = Paint(item, c.selected, c.look, 21, c.rtl);
        EXPECT_NE(without.GetPixel(c.base, kMiddle), c.ink) << "no arrow without a sub-menu";
        item.opens_sub_menu = true;
        Bitmap b = Paint(item, c.selected, c.look, 21, c.rtl);
        int tip = c.rtl ? c.base - 3 : c.base + 3;
        for (int y = kMiddle - 3; y <= kMiddle + 3; ++y)
            EXPECT_EQ(b.GetPixel(c.base, y), c.ink) << "base, row " << y;
        EXPECT_EQ(b.GetPixel(tip, kMiddle), c.ink) << "tip";
        EXPECT_NE(b.GetPixel(tip, kMiddle - 1), c.ink) << "the tip is one pixel";
        EXPECT_NE(b.GetPixel(c.rtl ? tip - 1 : tip + 1, kMiddle), c.ink) << "nothing past the tip";
    }
}

TEST_F(MenuPainter, ADefaultItemIsBoldShortcutToo)
{
    MenuItemFace plain = Face("Television", "Ctrl+T");
    MenuItemFace bold = plain;
    bold.is_default = true;
    Bitmap a = Paint(plain, false, PlainLook(), 21);
    Bitmap b = Paint(bold, false, PlainLook(), 21);
    EXPECT_GT(Ink(b, { 26, 0, 100, 21 }, 0), Ink(a, { 26, 0, 100, 21 }, 0));
    EXPECT_GT(Ink(b, { 100, 0, kWidth, 21 }, 0), Ink(a, { 100, 0, kWidth, 21 }, 0));
}

TEST(MenuMeasure, HeightsByKindWidthFromTheTexts)
{
    Bitmap scratch(1, 1);
    Canvas canvas(scratch);
    canvas.font = SystemFonts::Menu();
    struct Case {
        const char* caption;
        int height;
    };
    const Case cases[] = { { "-", 12 }, { "--", 20 }, { "-a", 20 }, { "Radio", 20 }, { "", 20 } };
    for (const Case& c : cases)
        EXPECT_EQ(MeasureMenuItem(canvas, Face(c.caption), 20, 12, 26).cy, c.height) << c.caption;

    EXPECT_EQ(MeasureMenuItem(canvas, Face(""), 20, 12, 26).cx, 26 + 40);
    EXPECT_EQ(MeasureMenuItem(canvas, Face(""), 20, 12, 0).cx, 40);
    int caption = canvas.TextWidth("Radio");
    int shortcut = canvas.TextWidth("Ctrl+R");
    EXPECT_EQ(MeasureMenuItem(canvas, Face("Radio", "Ctrl+R"), 21, 5, 26).cx, caption + shortcut + 26 + 40);
}

TEST(MenuBorder, TheFlatBorderOfAMenuWindow)
{
    constexpr TColor kOuter = 0x000000, kLine = 0xE7E7E7, kPlatform = 0x123456;
    Bitmap b(50, 40, kPlatform);
    Canvas c(b);
    DrawFlatMenuBorder(c, { 0, 0, 50, 40 }, kOuter, kLine);
    struct Probe {
        Point p;
        TColor color;
    };
    const Probe probes[] = {
        { { 1, 0 }, kLine }, { { 25, 0 }, kLine }, { { 49, 0 }, kLine }, // the top row, up to its end point
        { { 0, 0 }, kPlatform }, { { 49, 20 }, kLine }, { { 49, 39 }, kLine }, // the right column
        { { 0, 39 }, kLine }, { { 30, 39 }, kLine }, // the bottom row
        { { 0, 1 }, kOuter }, { { 0, 38 }, kOuter }, { { 48, 1 }, kOuter }, { { 48, 38 }, kOuter },
        { { 20, 1 }, kOuter }, { { 1, 2 }, kWhite }, { { 47, 37 }, kWhite }, { { 20, 37 }, kWhite },
        { { 2, 3 }, kPlatform }, { { 25, 20 }, kPlatform }, // inside stays
    };
    for (const Probe& p : probes)
        EXPECT_EQ(b.GetPixel(p.p.x, p.p.y), p.color) << p.p.x << "," << p.p.y;
}

}
}
