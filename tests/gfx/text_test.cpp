#include "platform/gfx/canvas.h"
#include "platform/gfx/system_fonts.h"
#include "platform/gfx/text_renderer.h"
#include "platform/text/gbk.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

constexpr const char* kChinese = "网络电视"; // UTF-8

Font SansFont(int height = -12)
{
    Font f;
    f.name = "Tahoma";
    f.height = height;
    return f;
}

Font ChineseFont(int height = -12)
{
    Font f;
    f.name = Utf8ToGbk("宋体");
    f.height = height;
    f.charset = kGb2312Charset;
    return f;
}

// Columns and rows that hold pixels other than `background`.
Rect InkBox(const Bitmap& b, TColor background = clWhite)
{
    Rect box;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) != background)
                box = box.Union({ x, y, x + 1, y + 1 });
    return box;
}

// Pixels of exactly `colour`: the text cell filled by a solid brush (glyph
// edges may reach a pixel beyond the cell, so ink is not the measure).
Rect ColourBox(const Bitmap& b, TColor colour)
{
    Rect box;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.GetPixel(x, y) == colour)
                box = box.Union({ x, y, x + 1, y + 1 });
    return box;
}

TEST(TextMetrics, LatinAndChineseExtents)
{
    Bitmap bmp(10, 10);
    Canvas canvas(bmp);
    canvas.font = SansFont();
    EXPECT_EQ(canvas.TextWidth(""), 0);
    int w = canvas.TextWidth("W");
    EXPECT_GT(w, 5);
    EXPECT_NEAR(canvas.TextWidth("WWWW"), 4 * w, 2);
    int h = canvas.TextHeight("W");
    EXPECT_GE(h, 12);
    EXPECT_LE(h, 18);
    EXPECT_EQ(canvas.TextHeight("W"), canvas.TextHeight("g"));
    canvas.font.bold = true;
    EXPECT_GE(canvas.TextWidth("WWWW"), 4 * w);

    // Chinese characters are square: four of them are about four em wide,
    // and the fonts have a glyph for each.
    canvas.font = ChineseFont();
    std::string gbk = Utf8ToGbk(kChinese);
    EXPECT_NEAR(canvas.TextWidth(gbk), 4 * 12, 4);
    EXPECT_EQ(canvas.TextExtent(gbk), canvas.TextExtentUtf8(kChinese));
    EXPECT_EQ(TextRenderer::UnknownGlyphs(canvas.font, kChinese), 0);
    canvas.font = SansFont(); // a Latin face still shows Chinese through fallback
    EXPECT_EQ(TextRenderer::UnknownGlyphs(canvas.font, kChinese), 0);
}

TEST(TextMetrics, HeightSignSelectsCharacterOrCellHeight)
{
    Bitmap bmp(10, 10);
    Canvas canvas(bmp);
    for (int cell : { 13, 16, 24 }) {
        canvas.font = SansFont(cell);
        EXPECT_NEAR(canvas.TextHeight("Ag"), cell, 1) << cell;
    }
    canvas.font = SansFont(-20);
    int em20 = canvas.TextHeight("Ag");
    EXPECT_GT(em20, 20); // the cell is taller than the character height
    canvas.font = SansFont(0);
    EXPECT_EQ(canvas.TextHeight("Ag"), [&] {
        canvas.font = SansFont(-11);
        return canvas.TextHeight("Ag");
    }());
}

TEST(TextDraw, TextOutDrawsGlyphsInTheFontColourWithOptionalBackground)
{
    Bitmap bmp(80, 30, clWhite);
    Canvas canvas(bmp);
    canvas.font = SansFont();
    canvas.font.color = clRed;
    canvas.brush.style = BrushStyle::Clear;
    canvas.TextOut(10, 5, "Hello");
    Rect ink = InkBox(bmp);
    EXPECT_GE(ink.left, 9);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.right, 10 + canvas.TextWidth("Hello") + 1);
    bool red = false;
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x)
            red |= bmp.GetPixel(x, y) == clRed;
    EXPECT_TRUE(red);

    // A solid brush fills the text cell.
    bmp.Fill(clWhite);
    canvas.brush = Brush { clBlue, BrushStyle::Solid, nullptr };
    canvas.TextOut(10, 5, "Hello");
    EXPECT_EQ(bmp.GetPixel(10, 5), clBlue);
    EXPECT_EQ(bmp.GetPixel(9, 5), clWhite);
    EXPECT_EQ(ColourBox(bmp, clBlue), Rect::FromSize(10, 5, canvas.TextWidth("Hello"), canvas.TextHeight("Hello")));

    // Chinese text renders too.
    bmp.Fill(clWhite);
    canvas.brush.style = BrushStyle::Clear;
    canvas.font = ChineseFont(-16);
    canvas.TextOut(0, 0, Utf8ToGbk(kChinese));
    EXPECT_GT(InkBox(bmp).Width(), 50);
}

TEST(TextDraw, SingleLineAlignmentAndVerticalCentring)
{
    const Rect area { 10, 10, 110, 40 };
    struct Case {
        const char* name;
        unsigned flags;
        int expected_left; // of the text cell
        int expected_top;
    } cases[] = {
        { "left", kTextSingleLine, 10, 10 },
        { "centre", kTextSingleLine | kTextCenter, -1, 10 },
        { "right", kTextSingleLine | kTextRight, -2, 10 },
        { "vcentre", kTextSingleLine | kTextVCenter, 10, -1 },
        { "bottom", kTextSingleLine | kTextBottom, 10, -2 },
    };
    for (const Case& c : cases) {
        Bitmap bmp(120, 50, clWhite);
        Canvas canvas(bmp);
        canvas.font = SansFont();
        canvas.brush.color = clYellow; // a solid brush shows the text cell
        int tw = canvas.TextWidth("Text"), th = canvas.TextHeight("Text");
        int left = c.expected_left == -1 ? 10 + (100 - tw) / 2 : c.expected_left == -2 ? 110 - tw : c.expected_left;
        int top = c.expected_top == -1 ? 10 + (30 - th) / 2 : c.expected_top == -2 ? 40 - th : c.expected_top;
        Rect r = area;
        EXPECT_EQ(canvas.DrawText("Text", r, c.flags), th) << c.name;
        EXPECT_EQ(ColourBox(bmp, clYellow), Rect::FromSize(left, top, tw, th)) << c.name;
    }
}

TEST(TextDraw, AccessKeyPrefixes)
{
    Bitmap bmp(100, 30, clWhite);
    Canvas canvas(bmp);
    canvas.font = SansFont();
    canvas.brush.style = BrushStyle::Clear;
    struct Case {
        const char* text;
        unsigned flags;
        const char* same_width_as;
    } cases[] = {
        { "&File", 0, "File" },
        { "Save && Exit", 0, "Save & Exit" },
        { "&File", kTextNoPrefix, "&File" },
        { "&File", kTextHidePrefix, "File" },
    };
    for (const Case& c : cases) {
        Rect r { 0, 0, 0, 0 };
        canvas.DrawText(c.text, r, kTextSingleLine | kTextCalcRect | c.flags);
        EXPECT_EQ(r.Width(), canvas.TextWidth(c.same_width_as)) << c.text;
        EXPECT_EQ(r.Height(), canvas.TextHeight(c.same_width_as)) << c.text;
    }
    // The underline marks the access key: the prefixed text draws more
    // pixels below the baseline under "F" than the plain one.
    auto ink_rows = [&](const char* text) {
        bmp.Fill(clWhite);
        Rect r { 0, 0, 100, 30 };
        canvas.DrawText(text, r, kTextSingleLine);
        return InkBox(bmp);
    };
    Rect plain = ink_rows("File");
    Rect marked = ink_rows("&File");
    EXPECT_GT(marked.bottom, plain.bottom);
}

TEST(TextDraw, ClippingEllipsisAndWordBreak)
{
    Bitmap bmp(200, 60, clWhite);
    Canvas canvas(bmp);
    canvas.font = SansFont();
    canvas.brush.style = BrushStyle::Clear;
    const char* long_text = "A rather long caption that cannot fit";
    Rect box { 10, 10, 60, 30 };

    Rect r = box;
    canvas.DrawText(long_text, r, kTextSingleLine);
    Rect ink = InkBox(bmp);
    EXPECT_GE(ink.left, box.left);
    EXPECT_LE(ink.right, box.right); // clipped to the rectangle

    bmp.Fill(clWhite);
    r = box;
    canvas.DrawText(long_text, r, kTextSingleLine | kTextNoClip);
    EXPECT_GT(InkBox(bmp).right, box.right);

    r = box;
    canvas.DrawText(long_text, r, kTextSingleLine | kTextEndEllipsis | kTextCalcRect);
    EXPECT_LE(r.Width(), box.Width());
    EXPECT_GT(r.Width(), box.Width() / 2);

    r = { 0, 0, 80, 0 };
    int one_line = canvas.TextHeight("A");
    int height = canvas.DrawText(long_text, r, kTextWordBreak | kTextCalcRect);
    EXPECT_GE(height, 3 * one_line);
    EXPECT_EQ(r.Height(), height);
    EXPECT_LE(r.Width(), 80);

    // Clipped by the canvas clip as well.
    bmp.Fill(clWhite);
    canvas.IntersectClipRect({ 0, 0, 20, 60 });
    r = { 0, 0, 200, 30 };
    canvas.DrawText(long_text, r, kTextSingleLine);
    EXPECT_LE(InkBox(bmp).right, 20);
}

TEST(TextFonts, FamilyMappingAndPointSizes)
{
    EXPECT_EQ(TextRenderer::FamilyFor("MS Sans Serif").substr(0, 12), "DejaVu Sans,");
    EXPECT_EQ(TextRenderer::FamilyFor("tahoma").substr(0, 12), "DejaVu Sans,");
    EXPECT_EQ(TextRenderer::FamilyFor(Utf8ToGbk("宋体")).substr(0, 19), "WenQuanYi Micro Hei");
    EXPECT_EQ(TextRenderer::FamilyFor("DejaVu Serif").substr(0, 13), "DejaVu Serif,");
    EXPECT_EQ(TextRenderer::FamilyFor(""), "DejaVu Sans,WenQuanYi Micro Hei");
    EXPECT_EQ(TextRenderer::FamilyFor(SystemFonts::Menu().name).substr(0, 19), "WenQuanYi Micro Hei");
    Font f;
    f.SetSize(8);
    EXPECT_EQ(f.height, -11);
    EXPECT_EQ(f.Size(), 8);
    f.SetSize(9);
    EXPECT_EQ(f.height, -12);
    EXPECT_EQ(SystemFonts::Menu().Size(), 9);
}

}
}
