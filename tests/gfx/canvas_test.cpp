#include "platform/gfx/canvas.h"
#include "platform/gfx/system_colors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

namespace pellamo {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

constexpr TColor kBack = clWhite;

// Pixels of `bitmap` that differ from the background.
PixelSet Changed(const Bitmap& bitmap, TColor background = kBack)
{
    PixelSet out;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.GetPixel(x, y) != background)
                out.insert({ x, y });
    return out;
}

PixelSet RectPixels(const Rect& r)
{
    PixelSet out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            out.insert({ x, y });
    return out;
}

TEST(CanvasFill, FillRectIsEndExclusiveAndClippedToTheBitmap)
{
    struct Case {
        Rect rect;
        PixelSet expected;
    } cases[] = {
        { { 2, 3, 6, 8 }, RectPixels({ 2, 3, 6, 8 }) },
        { { 6, 8, 2, 3 }, RectPixels({ 2, 3, 6, 8 }) }, // reversed corners are normalised
        { { 4, 4, 4, 9 }, {} }, // empty
        { { -5, -5, 2, 2 }, RectPixels({ 0, 0, 2, 2 }) },
        { { 8, 8, 50, 50 }, RectPixels({ 8, 8, 10, 10 }) },
    };
    for (const Case& c : cases) {
        Bitmap bmp(10, 10, kBack);
        Canvas canvas(bmp);
        canvas.brush.color = clRed;
        canvas.FillRect(c.rect);
        EXPECT_EQ(Changed(bmp), c.expected)
            << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
    }
}

TEST(CanvasFill, FrameRectIsOnePixelInsideTheRectangle)
{
    Bitmap bmp(10, 10, kBack);
    Canvas canvas(bmp);
    canvas.brush.color = clBlue;
    canvas.FrameRect({ 1, 2, 6, 6 });
    EXPECT_EQ(Changed(bmp), [] {
        PixelSet s = RectPixels({ 1, 2, 6, 6 });
        for (auto p : RectPixels({ 2, 3, 5, 5 }))
            s.erase(p);
        return s;
    }());
    EXPECT_EQ(bmp.GetPixel(5, 5), clBlue);
}

TEST(CanvasFill, SystemColoursAreResolvedWhenDrawing)
{
    Bitmap bmp(2, 2, kBack);
    Canvas canvas(bmp);
    canvas.brush.color = clBtnFace;
    canvas.FillRect({ 0, 0, 2, 2 });
    EXPECT_EQ(bmp.GetPixel(1, 1), SystemColors::Resolve(clBtnFace));
    EXPECT_EQ(SystemColors::Resolve(clBtnFace), Rgb(212, 208, 200));
    EXPECT_EQ(SystemColors::Resolve(clInfoBk), Rgb(255, 255, 225));
    EXPECT_EQ(SystemColors::Resolve(0x00123456), 0x123456);
    EXPECT_EQ(SystemColors::Resolve(SystemColors::FromIndex(200)), 0);
}

TEST(CanvasFill, PatternBrushRepeatsAlignedToTheDeviceOrigin)
{
    auto pattern = std::make_shared<Bitmap>(8, 8, clBlack);
    pattern->SetPixel(0, 0, clRed);
    pattern->SetPixel(7, 7, clLime);
    for (Point origin : { Point { 0, 0 }, Point { 3, 5 } }) {
        Bitmap bmp(20, 20, kBack);
        Canvas canvas(bmp, origin, Region({ 0, 0, 17, 15 }));
        canvas.SetViewportOrigin({ 1, 1 }); // logical shifts do not move the pattern
        canvas.brush.pattern = pattern;
        canvas.FillRect({ -1, -1, 16, 14 });
        EXPECT_EQ(bmp.GetPixel(origin.x, origin.y), clRed);
        EXPECT_EQ(bmp.GetPixel(origin.x + 8, origin.y + 8), clRed);
        EXPECT_EQ(bmp.GetPixel(origin.x + 7, origin.y + 7), clLime);
        EXPECT_EQ(bmp.GetPixel(origin.x + 1, origin.y), clBlack);
    }
}

TEST(CanvasLines, LineToLeavesOutItsEndPoint)
{
    struct Case {
        Point from, to;
        PixelSet expected;
    } cases[] = {
        { { 1, 1 }, { 5, 1 }, { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 4, 1 } } },
        { { 5, 1 }, { 1, 1 }, { { 5, 1 }, { 4, 1 }, { 3, 1 }, { 2, 1 } } },
        { { 2, 0 }, { 2, 3 }, { { 2, 0 }, { 2, 1 }, { 2, 2 } } },
        { { 0, 0 }, { 3, 3 }, { { 0, 0 }, { 1, 1 }, { 2, 2 } } },
        { { 3, 0 }, { 0, 3 }, { { 3, 0 }, { 2, 1 }, { 1, 2 } } },
        { { 4, 4 }, { 4, 4 }, {} },
        { { 0, 0 }, { 6, 2 }, { { 0, 0 }, { 1, 0 }, { 2, 1 }, { 3, 1 }, { 4, 1 }, { 5, 2 } } },
    };
    for (const Case& c : cases) {
        Bitmap bmp(8, 8, kBack);
        Canvas canvas(bmp);
        canvas.MoveTo(c.from.x, c.from.y);
        canvas.LineTo(c.to.x, c.to.y);
        EXPECT_EQ(Changed(bmp), c.expected) << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
        EXPECT_EQ(canvas.PenPos(), c.to);
    }
}

TEST(CanvasLines, PolylineDrawsEveryCornerButTheLastPoint)
{
    Bitmap bmp(8, 8, kBack);
    Canvas canvas(bmp);
    const Point pts[] = { { 1, 1 }, { 4, 1 }, { 4, 4 }, { 1, 4 } };
    canvas.Polyline(pts);
    PixelSet expected = { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 4, 1 }, { 4, 2 }, { 4, 3 }, { 4, 4 }, { 3, 4 }, { 2, 4 } };
    EXPECT_EQ(Changed(bmp), expected);
}

TEST(CanvasLines, PenStylesAndModes)
{
    Bitmap bmp(30, 3, kBack);
    Canvas canvas(bmp);
    canvas.pen.style = PenStyle::Dot;
    canvas.MoveTo(0, 0);
    canvas.LineTo(12, 0);
    // Dots are 3 on, 3 off.
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(bmp.GetPixel(x, 0) == clBlack, x % 6 < 3) << x;

    canvas.pen.style = PenStyle::Clear;
    canvas.MoveTo(0, 1);
    canvas.LineTo(20, 1);
    EXPECT_EQ(canvas.PenPos(), (Point { 20, 1 }));
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(bmp.GetPixel(x, 1), kBack);

    canvas.pen = Pen { clRed, 1, PenStyle::Solid, PenMode::Xor };
    canvas.MoveTo(0, 2);
    canvas.LineTo(2, 2);
    EXPECT_EQ(bmp.GetPixel(0, 2), clAqua); // white xor red
    canvas.MoveTo(0, 2);
    canvas.LineTo(2, 2);
    EXPECT_EQ(bmp.GetPixel(0, 2), kBack);
}

TEST(CanvasShapes, RectangleOutlinesWithThePenAndFillsWithTheBrush)
{
    Bitmap bmp(8, 8, kBack);
    Canvas canvas(bmp);
    canvas.pen.color = clRed;
    canvas.brush.color = clBlue;
    canvas.Rectangle({ 1, 1, 6, 5 });
    EXPECT_EQ(bmp.GetPixel(1, 1), clRed);
    EXPECT_EQ(bmp.GetPixel(5, 4), clRed);
    EXPECT_EQ(bmp.GetPixel(5, 1), clRed);
    EXPECT_EQ(bmp.GetPixel(2, 2), clBlue);
    EXPECT_EQ(bmp.GetPixel(4, 3), clBlue);
    EXPECT_EQ(bmp.GetPixel(6, 1), kBack);
    EXPECT_EQ(bmp.GetPixel(1, 5), kBack);

    // Without a pen the fill stops one pixel short on the right and bottom.
    Bitmap bare(8, 8, kBack);
    Canvas c2(bare);
    c2.pen.style = PenStyle::Clear;
    c2.brush.color = clBlue;
    c2.Rectangle({ 1, 1, 6, 5 });
    EXPECT_EQ(Changed(bare), RectPixels({ 1, 1, 5, 4 }));
}

TEST(CanvasShapes, EllipseAndRoundRectStayInsideAndAreSymmetric)
{
    for (int corner : { 0, 4, 9 }) {
        Bitmap bmp(12, 12, kBack);
        Canvas canvas(bmp);
        canvas.brush.color = clBlue;
        if (corner == 9)
            canvas.Ellipse({ 1, 1, 10, 10 });
        else
            canvas.RoundRect({ 1, 1, 10, 10 }, corner, corner);
        PixelSet changed = Changed(bmp);
        for (auto [x, y] : changed) {
            EXPECT_TRUE(Rect({ 1, 1, 10, 10 }).Contains({ x, y })) << x << "," << y;
            EXPECT_TRUE(changed.count({ 10 - x, y }) && changed.count({ x, 10 - y })) << x << "," << y;
        }
        EXPECT_EQ(bmp.GetPixel(5, 1), clBlack) << corner; // top edge is pen
        EXPECT_EQ(bmp.GetPixel(5, 5), clBlue) << corner;
        EXPECT_EQ(bmp.GetPixel(1, 1) == kBack, corner > 0) << corner;
    }
}

TEST(CanvasShapes, ArcDrawsOnlyTheSweptPart)
{
    Bitmap bmp(21, 21, kBack);
    Canvas canvas(bmp);
    // Counter-clockwise from the right (3 o'clock) to the top (12 o'clock):
    // the upper-right quarter only.
    canvas.Arc({ 0, 0, 21, 21 }, { 21, 10 }, { 10, -5 });
    PixelSet changed = Changed(bmp);
    ASSERT_FALSE(changed.empty());
    for (auto [x, y] : changed)
        EXPECT_TRUE(x >= 10 && y <= 10) << x << "," << y;
    EXPECT_TRUE(changed.count({ 20, 10 }));
    EXPECT_TRUE(changed.count({ 10, 0 }));
}

TEST(CanvasShapes, PolygonFillsTheInteriorAndOutlinesWithThePen)
{
    Bitmap bmp(12, 12, kBack);
    Canvas canvas(bmp);
    canvas.pen.color = clRed;
    canvas.brush.color = clBlue;
    const Point tri[] = { { 1, 1 }, { 9, 1 }, { 1, 9 } };
    canvas.Polygon(tri);
    EXPECT_EQ(bmp.GetPixel(1, 1), clRed);
    EXPECT_EQ(bmp.GetPixel(9, 1), clRed);
    EXPECT_EQ(bmp.GetPixel(1, 9), clRed);
    EXPECT_EQ(bmp.GetPixel(3, 3), clBlue);
    EXPECT_EQ(bmp.GetPixel(8, 8), kBack);

    // The small drop-down arrow of a tool button: a 5-pixel row and its tip.
    Bitmap arrow(10, 5, kBack);
    Canvas c2(arrow);
    c2.brush.color = clBlack;
    const Point a[] = { { 1, 1 }, { 5, 1 }, { 3, 3 } };
    c2.Polygon(a);
    PixelSet expected = { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 4, 1 }, { 5, 1 }, { 2, 2 }, { 3, 2 }, { 4, 2 }, { 3, 3 } };
    EXPECT_EQ(Changed(arrow), expected);
}

TEST(CanvasShapes, FocusRectangleIsDottedAndRemovedByDrawingItAgain)
{
    Bitmap bmp(10, 10, kBack);
    Canvas canvas(bmp);
    canvas.DrawFocusRect({ 1, 1, 9, 9 });
    PixelSet changed = Changed(bmp);
    EXPECT_TRUE(changed.count({ 1, 1 }));
    EXPECT_FALSE(changed.count({ 2, 1 }));
    EXPECT_TRUE(changed.count({ 3, 1 }));
    EXPECT_FALSE(changed.count({ 4, 4 }));
    for (auto [x, y] : changed)
        EXPECT_TRUE(x == 1 || x == 8 || y == 1 || y == 8);
    canvas.DrawFocusRect({ 1, 1, 9, 9 });
    EXPECT_TRUE(Changed(bmp).empty());
}

// A 2 x 2 picture: red, lime / blue, fuchsia.
Bitmap Quad()
{
    Bitmap b(2, 2);
    b.SetPixel(0, 0, clRed);
    b.SetPixel(1, 0, clLime);
    b.SetPixel(0, 1, clBlue);
    b.SetPixel(1, 1, clFuchsia);
    return b;
}

TEST(CanvasBitmaps, DrawAndStretchDrawUseNearestNeighbour)
{
    Bitmap bmp(8, 8, kBack);
    Canvas canvas(bmp);
    canvas.Draw(5, 5, Quad());
    EXPECT_EQ(bmp.GetPixel(5, 5), clRed);
    EXPECT_EQ(bmp.GetPixel(6, 6), clFuchsia);
    EXPECT_EQ(bmp.GetPixel(7, 7), kBack);

    canvas.StretchDraw({ 0, 0, 4, 4 }, Quad());
    struct Probe {
        int x, y;
        TColor c;
    } probes[] = { { 0, 0, clRed }, { 1, 1, clRed }, { 2, 0, clLime }, { 3, 1, clLime }, { 0, 3, clBlue },
        { 3, 3, clFuchsia }, { 4, 0, kBack } };
    for (Probe p : probes)
        EXPECT_EQ(bmp.GetPixel(p.x, p.y), p.c) << p.x << "," << p.y;

    // Shrinking samples pixel centres: 4 -> 2 takes source columns 1 and 3.
    Bitmap row(4, 1);
    const TColor colours[] = { clRed, clLime, clBlue, clYellow };
    for (int x = 0; x < 4; ++x)
        row.SetPixel(x, 0, colours[x]);
    canvas.StretchDraw({ 0, 7, 2, 8 }, row);
    EXPECT_EQ(bmp.GetPixel(0, 7), clLime);
    EXPECT_EQ(bmp.GetPixel(1, 7), clYellow);
}

TEST(CanvasBitmaps, TransparentColourIsHonouredByPlainAndStretchedDraws)
{
    Bitmap pic = Quad();
    pic.SetTransparent(true);
    pic.SetTransparentColor(clFuchsia);
    Bitmap bmp(8, 8, kBack);
    Canvas canvas(bmp);
    canvas.StretchDraw({ 0, 0, 4, 4 }, pic);
    EXPECT_EQ(bmp.GetPixel(3, 3), kBack);
    EXPECT_EQ(bmp.GetPixel(2, 2), kBack);
    EXPECT_EQ(bmp.GetPixel(1, 3), clBlue);

    // Without a fixed colour the bottom-left pixel (blue) is the key.
    pic.ClearTransparentColor();
    canvas.Draw(6, 6, pic);
    EXPECT_EQ(bmp.GetPixel(6, 7), kBack);
    EXPECT_EQ(bmp.GetPixel(7, 7), clFuchsia);

    Bitmap b2(4, 4, kBack);
    Canvas c2(b2);
    c2.StretchDrawTransparent({ 0, 0, 4, 4 }, Quad(), clRed);
    EXPECT_EQ(b2.GetPixel(0, 0), kBack);
    EXPECT_EQ(b2.GetPixel(3, 3), clFuchsia);
}

TEST(CanvasBitmaps, CopyRectStretchesMirrorsAndCopiesWithinOneBitmap)
{
    Bitmap src = Quad();
    Bitmap bmp(6, 6, kBack);
    Canvas canvas(bmp);
    canvas.CopyRect({ 0, 0, 4, 2 }, src, { 0, 0, 2, 1 }); // top row, doubled
    EXPECT_EQ(bmp.GetPixel(1, 1), clRed);
    EXPECT_EQ(bmp.GetPixel(2, 0), clLime);
    canvas.CopyRect({ 2, 2, 0, 3 }, src, { 0, 0, 2, 1 }); // mirrored
    EXPECT_EQ(bmp.GetPixel(0, 2), clLime);
    EXPECT_EQ(bmp.GetPixel(1, 2), clRed);
    // Overlapping copy inside the same bitmap reads the original pixels.
    canvas.CopyRect({ 1, 0, 5, 2 }, bmp, { 0, 0, 4, 2 });
    EXPECT_EQ(bmp.GetPixel(1, 0), clRed);
    EXPECT_EQ(bmp.GetPixel(2, 0), clRed);
    EXPECT_EQ(bmp.GetPixel(3, 0), clLime);
    EXPECT_EQ(bmp.GetPixel(4, 0), clLime);
    // Source pixels outside the source bitmap leave the target alone.
    canvas.CopyRect({ 0, 4, 4, 5 }, src, { 0, 0, 4, 1 });
    EXPECT_EQ(bmp.GetPixel(1, 4), clLime);
    EXPECT_EQ(bmp.GetPixel(2, 4), kBack);
}

// Copies of the same size take a path of their own: the pixels must be
// those the general rule picks (each target pixel from the source pixel
// at the same offset, within the clip and the source), nothing more.
TEST(CanvasBitmaps, SameSizeCopiesTakeExactlyTheirPixels)
{
    Bitmap src(7, 5);
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x)
            src.Row(y)[x] = static_cast<Pixel>(0x00010000 * (x + 1) + 0x100 * (y + 1)); // no alpha
    struct Case {
        const char* what;
        Rect dest, source;
        Point origin;
        std::vector<Rect> clip;
    };
    const Case cases[] = {
        { "whole", { 0, 0, 7, 5 }, { 0, 0, 7, 5 }, {}, {} },
        { "offset both ways", { 3, 2, 7, 5 }, { 1, 1, 5, 4 }, {}, {} },
        { "source partly outside", { 0, 0, 6, 4 }, { -2, -1, 4, 3 }, {}, {} },
        { "source running off the far side", { 1, 1, 9, 8 }, { 2, 1, 10, 8 }, {}, {} },
        { "target partly outside", { -3, -2, 4, 3 }, { 0, 0, 7, 5 }, {}, {} },
        { "clip with a hole", { 0, 0, 7, 5 }, { 0, 0, 7, 5 }, {}, { { 0, 0, 3, 10 }, { 5, 0, 10, 10 } } },
        { "viewport origin", { 0, 0, 7, 5 }, { 0, 0, 7, 5 }, { 2, 3 }, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bitmap back(10, 10, kBack);
        Canvas canvas(back);
        canvas.SetViewportOrigin(c.origin);
        if (!c.clip.empty()) {
            Region clip;
            for (const Rect& r : c.clip)
                clip = clip.Union(Region(r));
            canvas.SetClipRegion(clip);
        }
        canvas.CopyRect(c.dest, src, c.source);
        for (int y = 0; y < back.Height(); ++y)
            for (int x = 0; x < back.Width(); ++x) {
                int lx = x - c.origin.x, ly = y - c.origin.y; // logical
                int sx = c.source.left + lx - c.dest.left, sy = c.source.top + ly - c.dest.top;
                bool clipped = !c.clip.empty() && std::none_of(c.clip.begin(), c.clip.end(), [&](const Rect& r) {
                    return r.Contains({ x, y });
                });
                bool copied = c.dest.Contains({ lx, ly }) && !clipped && sx >= 0 && sy >= 0 && sx < src.Width()
                    && sy < src.Height();
                Pixel want = copied ? (src.Row(sy)[sx] | 0xFF000000u) : back.Row(0)[9];
                ASSERT_EQ(want, back.Row(y)[x]) << x << "," << y;
            }
    }
    // Same size at the far ends of the coordinates: nothing overflows.
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    Bitmap back(4, 4, kBack);
    Canvas canvas(back);
    canvas.CopyRect({ kMin, kMin, kMin + 4, kMin + 4 }, src, { kMax - 4, kMax - 4, kMax, kMax });
    canvas.CopyRect({ 0, 0, 4, 4 }, src, { kMax - 4, kMax - 4, kMax, kMax });
    canvas.CopyRect({ kMax - 4, kMax - 4, kMax, kMax }, src, { kMin, kMin, kMin + 4, kMin + 4 });
    EXPECT_EQ(Changed(back), PixelSet());
}

TEST(CanvasState, ViewportOriginClipAndDeviceWindow)
{
    // A child window at (10, 10) of a back buffer, 5 x 4 in size.
    Bitmap back(30, 30, kBack);
    Canvas canvas(back, { 10, 10 }, Region({ 0, 0, 5, 4 }));
    canvas.brush.color = clRed;
    canvas.FillRect({ -100, -100, 100, 100 });
    EXPECT_EQ(Changed(back), RectPixels({ 10, 10, 15, 14 }));
    EXPECT_EQ(canvas.ClipBox(), (Rect { 0, 0, 5, 4 }));

    back.Fill(kBack);
    canvas.SetViewportOrigin({ 2, 1 });
    canvas.brush.color = clBlue;
    canvas.FillRect({ 0, 0, 1, 1 });
    EXPECT_EQ(Changed(back), PixelSet({ { 12, 11 } }));
    EXPECT_EQ(canvas.ClipBox(), (Rect { -2, -1, 3, 3 }));
    EXPECT_EQ(canvas.GetPixel(0, 0), clBlue);
}

TEST(CanvasState, ClipRectanglesAndRegions)
{
    Bitmap bmp(12, 12, kBack);
    Canvas canvas(bmp);
    canvas.brush.color = clRed;
    canvas.IntersectClipRect({ 2, 2, 10, 10 });
    canvas.ExcludeClipRect({ 4, 4, 6, 6 });
    canvas.FillRect({ 0, 0, 12, 12 });
    PixelSet expected = RectPixels({ 2, 2, 10, 10 });
    for (auto p : RectPixels({ 4, 4, 6, 6 }))
        expected.erase(p);
    EXPECT_EQ(Changed(bmp), expected);

    // A clip region from a rounded rectangle keeps the corners untouched.
    bmp.Fill(kBack);
    canvas.SetClipRegion(Region::RoundRect({ 0, 0, 13, 13 }, 8, 8));
    canvas.FillRect({ 0, 0, 12, 12 });
    EXPECT_EQ(bmp.GetPixel(0, 0), kBack);
    EXPECT_EQ(bmp.GetPixel(11, 11), kBack);
    EXPECT_EQ(bmp.GetPixel(6, 0), clRed);
    EXPECT_EQ(bmp.GetPixel(6, 6), clRed);

    // Lines and bitmaps obey the clip as fills do.
    bmp.Fill(kBack);
    canvas.SetClipRegion(Region({ 0, 0, 3, 12 }));
    canvas.MoveTo(0, 0);
    canvas.LineTo(12, 0);
    canvas.StretchDraw({ 0, 2, 12, 4 }, Quad());
    for (auto [x, y] : Changed(bmp))
        EXPECT_LT(x, 3);
    canvas.ClearClip();
    canvas.FillRect({ 11, 11, 12, 12 });
    EXPECT_EQ(bmp.GetPixel(11, 11), clRed);
}

TEST(CanvasState, SaveAndRestoreBringBackToolsOriginAndClip)
{
    Bitmap bmp(10, 10, kBack);
    Canvas canvas(bmp);
    canvas.brush.color = clRed;
    int saved = canvas.SaveState();
    canvas.brush.color = clBlue;
    canvas.SetViewportOrigin({ 5, 5 });
    canvas.IntersectClipRect({ 0, 0, 1, 1 });
    canvas.SaveState();
    canvas.SetViewportOrigin({ 7, 7 });
    canvas.RestoreState();
    EXPECT_EQ(canvas.ViewportOrigin(), (Point { 5, 5 }));
    canvas.FillRect({ 0, 0, 5, 5 });
    EXPECT_EQ(Changed(bmp), PixelSet({ { 5, 5 } }));

    canvas.SaveState();
    canvas.RestoreState(-5); // names no save
    EXPECT_EQ(canvas.ViewportOrigin(), (Point { 5, 5 }));
    canvas.RestoreState(saved);
    EXPECT_EQ(canvas.brush.color, clRed);
    EXPECT_EQ(canvas.ViewportOrigin(), (Point { 0, 0 }));
    EXPECT_FALSE(canvas.HasClip());
    canvas.RestoreState(); // nothing left to restore: no effect
    canvas.FillRect({ 0, 0, 10, 10 });
    EXPECT_EQ(bmp.GetPixel(9, 9), clRed);
}

TEST(CanvasState, ResizingTheTargetUnderACanvasIsSafe)
{
    Bitmap bmp(40, 40, kBack);
    Canvas canvas(bmp);
    canvas.brush.color = clRed;
    canvas.FillRect({ 0, 0, 40, 40 }); // works out the clip for 40 x 40
    bmp.Resize(4, 4, kBack);
    canvas.FillRect({ 0, 0, 40, 40 });
    canvas.MoveTo(0, 30);
    canvas.LineTo(30, 0);
    canvas.StretchDraw({ 0, 0, 40, 40 }, Quad());
    EXPECT_EQ(bmp.GetPixel(0, 0), clRed);
    bmp.Resize(50, 50, kBack);
    canvas.brush.color = clBlue;
    canvas.FillRect({ 0, 0, 50, 50 });
    EXPECT_EQ(bmp.GetPixel(49, 49), clBlue);
}

TEST(CanvasState, ExtremeCoordinatesNeitherOverflowNorHang)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const Rect huge { kMin, kMin, kMax, kMax };
    Bitmap bmp(8, 8, kBack);
    Canvas canvas(bmp);
    canvas.SetViewportOrigin({ kMax, 5 });
    canvas.OffsetViewportOrigin(kMax, kMin);
    canvas.SetViewportOrigin({ 0, 0 });
    canvas.IntersectClipRect(huge);
    canvas.brush.color = clRed;
    canvas.FillRect(huge);
    EXPECT_EQ(bmp.GetPixel(7, 7), clRed);
    canvas.brush.color = clBlue;
    canvas.Rectangle(huge);
    canvas.Ellipse(huge);
    canvas.RoundRect(huge, kMax, kMax);
    canvas.Arc(huge, { kMin, 0 }, { kMax, 0 });
    canvas.DrawFocusRect(huge);
    canvas.MoveTo(kMin, kMin);
    canvas.LineTo(kMax, kMax);
    const Point pts[] = { { kMin, kMin }, { kMax, 0 }, { 0, kMax } };
    canvas.Polygon(pts);
    canvas.StretchDraw(huge, Quad());
    canvas.CopyRect({ 0, 0, 8, 8 }, Quad(), huge);
    Rect r = huge;
    canvas.DrawText("x", r, kTextSingleLine | kTextCenter | kTextVCenter);
    Canvas offset(bmp, { kMax, kMin }, Region(huge));
    offset.FillRect(huge);
    SUCCEED();
}

}
}
