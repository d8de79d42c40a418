#include "skin/draw/rotate.h"
#include "skin/draw/tile.h"
#include "tests/skin/picture_coords.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace pellamo::test {
namespace {

// A picture drawn as text rows of single-letter colours.
Bitmap Letters(const std::vector<std::string>& rows)
{
    Bitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.SetPixel(x, y, static_cast<unsigned char>(rows[y][x]));
    return b;
}

std::vector<std::string> Rows(const Bitmap& b)
{
    std::vector<std::string> rows;
    for (int y = 0; y < b.Height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < b.Width(); ++x)
            rows.back() += static_cast<char>(b.GetPixel(x, y));
    }
    return rows;
}

TEST(RoundPicture, TurnsInPlace)
{
    struct Case {
        const char* what;
        std::function<void(Bitmap&)> turn;
        std::vector<std::string> expected;
    } cases[] = {
        { "a quarter counter-clockwise", RoundPicture, { "CF", "BE", "AD" } },
        { "a half", RoundPicture2, { "FED", "CBA" } },
        { "a quarter clockwise", RoundPicture3, { "DA", "EB", "FC" } },
    };
    for (const Case& c : cases) {
        Bitmap b = Letters({ "ABC", "DEF" });
        b.SetTransparent(true);
        c.turn(b);
        EXPECT_EQ(Rows(b), c.expected) << c.what;
        EXPECT_TRUE(b.Transparent()) << c.what;
        Bitmap empty;
        c.turn(empty);
        EXPECT_TRUE(empty.Empty());
    }
}

TEST(TileDraw, TilesFromTheCanvasOriginOneTileBeyondTheRectangle)
{
    Bitmap tile = Letters({ "ABC", "DEF" });
    struct Case {
        const char* what;
        Rect rect;
        Point drawn; // a pixel inside the last tile column and row
        Point untouched;
    } cases[] = {
        // x < 3 + 7: tiles at 0, 3, 6, 9; y < 2 + 5: at 0, 2, 4, 6.
        { "7 x 5", { 0, 0, 7, 5 }, { 11, 7 }, { 12, 8 } },
        { "placed away from the origin", { 5, 5, 8, 8 }, { 5, 4 }, { 6, 5 } },
        { "empty", { 0, 0, 0, 0 }, { 2, 1 }, { 3, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bitmap paper(20, 20, kPaper);
        Canvas canvas(paper);
        TileDraw(canvas, tile, c.rect);
        EXPECT_EQ(paper.GetPixel(0, 0), 'A');
        EXPECT_EQ(paper.GetPixel(c.drawn.x, c.drawn.y), tile.GetPixel(c.drawn.x % 3, c.drawn.y % 2));
        EXPECT_EQ(paper.GetPixel(c.untouched.x, c.untouched.y), kPaper);
    }
}

TEST(TileDraw, AnEmptyPictureEndsWithoutDrawing)
{
    for (Size size : { Size { 0, 0 }, Size { 0, 4 }, Size { 4, 0 } }) {
        Bitmap paper(10, 10, kPaper);
        Canvas canvas(paper);
        TileDraw(canvas, Bitmap(size.cx, size.cy), { 0, 0, 10, 10 });
        EXPECT_EQ(paper, Bitmap(10, 10, kPaper));
    }
}

}
}
