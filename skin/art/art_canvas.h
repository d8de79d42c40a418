#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"

#include <functional>
#include <span>

namespace pellamo::skin_art {

struct PointF {
    double x = 0;
    double y = 0;
};

// A rectangle in pixel-edge coordinates: (0, 0, 2, 2) covers exactly the
// four pixels of a 2 x 2 corner.
struct RectF {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    static RectF Of(const Rect& r) { return { double(r.left), double(r.top), double(r.right), double(r.bottom) }; }
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    RectF Inset(double d) const { return { left + d, top + d, right - d, bottom - d }; }
};

// What a shape is filled with: a colour for each point (pixel centres are
// at x + 0.5, y + 0.5).
using Shade = std::function<TColor(double x, double y)>;

Shade Flat(TColor color);
// From `top_color` at y = top to `bottom_color` at y = bottom, clamped.
Shade VerticalGradient(double top, double bottom, TColor top_color, TColor bottom_color);
Shade HorizontalGradient(double left, double right, TColor left_color, TColor right_color);

// Shape tests of a point, shared by the drawing and the key cut-outs.
using Inside = std::function<bool(double x, double y)>;
// Signed distance to a rounded rectangle's outline, negative inside.
double RoundRectDistance(const RectF& rect, double radius, double x, double y);
Inside InsideRoundRect(RectF rect, double radius);
Inside InsideEllipse(RectF rect);
// Non-zero winding.
Inside InsidePolygon(std::span<const PointF> points);

// Colour arithmetic on 0x00BBGGRR values.
TColor Mix(TColor a, TColor b, double t); // t = 0 gives a, t = 1 gives b
TColor Lighter(TColor c, double amount); // towards white
TColor Darker(TColor c, double amount); // towards black
// Row (or column) y of a ramp that runs from c0 at a to c1 at b.
TColor Ramp(int y, int a, int b, TColor c0, TColor c1);

// Drawing for skin pictures on a Bitmap: the pixel-exact Canvas for flat
// work, plus smooth shapes whose edges are blended by their coverage of each
// pixel (16 samples a pixel, so the result is the same on every run).
class ArtCanvas {
public:
    explicit ArtCanvas(Bitmap& target);

    Bitmap& Target() { return *m_target; }
    Canvas& Flat() { return m_canvas; }
    int Width() const { return m_target->Width(); }
    int Height() const { return m_target->Height(); }

    // Strength of the smooth shapes drawn next: 1 paints them solid, less
    // lets what lies below show through.
    void SetOpacity(double opacity) { m_opacity = opacity; }

    void Fill(TColor color);
    void FillRect(const Rect& rect, TColor color);
    void FillRect(const Rect& rect, const Shade& shade);
    // Blends one pixel: alpha 0 keeps it, 1 replaces it.
    void Blend(int x, int y, TColor color, double alpha);
    void HLine(int x0, int x1, int y, TColor color, double alpha = 1);
    void VLine(int x, int y0, int y1, TColor color, double alpha = 1);

    void FillRoundRect(const RectF& rect, double radius, const Shade& shade);
    // A ring `width` wide just inside the rounded rectangle's outline.
    void StrokeRoundRect(const RectF& rect, double radius, double width, const Shade& shade);
    void FillEllipse(const RectF& rect, const Shade& shade);
    void StrokeEllipse(const RectF& rect, double width, const Shade& shade);
    // Non-zero winding, so star and arrow outlines need no care.
    void FillPolygon(std::span<const PointF> points, const Shade& shade);
    // A stroke with round ends.
    void Line(PointF from, PointF to, double width, const Shade& shade);

    // Transparent parts for a key colour: every pixel that the shape covers
    // by less than `threshold` becomes `key`.
    void KeyOutsideRoundRect(const RectF& rect, double radius, TColor key, double threshold = 0.35);
    void KeyOutsideEllipse(const RectF& rect, TColor key, double threshold = 0.35);

    // Covers the shape given by `inside` (a test of a point) within `bounds`.
    void FillShape(const RectF& bounds, const Inside& inside, const Shade& shade);
    void KeyOutside(const Inside& inside, TColor key, double threshold);

private:
    // Fraction of the pixel (x, y) inside the shape, in sixteenths.
    static int Coverage(int x, int y, const Inside& inside);

    Bitmap* m_target;
    Canvas m_canvas;
    double m_opacity = 1;
};

}
