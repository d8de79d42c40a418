#include "skin/art/art_canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace pellamo::skin_art {

namespace {

constexpr int kSamples = 4; // per axis

double Clamp01(double t) { return std::clamp(t, 0.0, 1.0); }

uint8_t Channel(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

bool InEllipse(const RectF& r, double x, double y)
{
    double rx = r.Width() / 2, ry = r.Height() / 2;
    if (rx <= 0 || ry <= 0)
        return false;
    double dx = (x - (r.left + r.right) / 2) / rx, dy = (y - (r.top + r.bottom) / 2) / ry;
    return dx * dx + dy * dy <= 1;
}

}

double RoundRectDistance(const RectF& r, double radius, double x, double y)
{
    double cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    double hw = r.Width() / 2, hh = r.Height() / 2;
    radius = std::min({ radius, hw, hh });
    double qx = std::abs(x - cx) - hw + radius;
    double qy = std::abs(y - cy) - hh + radius;
    double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

Inside InsideRoundRect(RectF rect, double radius)
{
    return [=](double x, double y) { return RoundRectDistance(rect, radius, x, y) <= 0; };
}

Inside InsideEllipse(RectF rect)
{
    return [=](double x, double y) { return InEllipse(rect, x, y); };
}

Inside InsidePolygon(std::span<const PointF> points)
{
    return [poly = std::vector<PointF>(points.begin(), points.end())](double x, double y) {
        int winding = 0;
        for (size_t i = 0; i < poly.size(); ++i) {
            PointF a = poly[i], b = poly[(i + 1) % poly.size()];
            double cross = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
            if (a.y <= y && b.y > y && cross > 0)
                ++winding;
            else if (a.y > y && b.y <= y && cross < 0)
                --winding;
        }
        return winding != 0;
    };
}

Shade Flat(TColor color)
{
    return [color](double, double) { return color; };
}

Shade VerticalGradient(double top, double bottom, TColor top_color, TColor bottom_color)
{
    return [=](double, double y) {
        return Mix(top_color, bottom_color, bottom > top ? Clamp01((y - top) / (bottom - top)) : 0);
    };
}

Shade HorizontalGradient(double left, double right, TColor left_color, TColor right_color)
{
    return [=](double x, double) {
        return Mix(left_color, right_color, right > left ? Clamp01((x - left) / (right - left)) : 0);
    };
}

TColor Mix(TColor a, TColor b, double t)
{
    t = Clamp01(t);
    auto mix = [t](uint8_t u, uint8_t v) { return Channel(u + (v - u) * t); };
    return Rgb(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

TColor Lighter(TColor c, double amount) { return Mix(c, clWhite, amount); }
TColor Darker(TColor c, double amount) { return Mix(c, clBlack, amount); }

TColor Ramp(int y, int a, int b, TColor c0, TColor c1) { return Mix(c0, c1, b > a ? double(y - a) / (b - a) : 0); }

ArtCanvas::ArtCanvas(Bitmap& target)
    : m_target(&target)
    , m_canvas(target)
{
}

void ArtCanvas::Fill(TColor color) { m_target->Fill(color); }

void ArtCanvas::FillRect(const Rect& rect, TColor color)
{
    m_canvas.brush.color = color;
    m_canvas.brush.style = BrushStyle::Solid;
    m_canvas.FillRect(rect);
}

void ArtCanvas::FillRect(const Rect& rect, const Shade& shade)
{
    Rect r = rect.Intersect({ 0, 0, Width(), Height() });
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            m_target->SetPixel(x, y, shade(x + 0.5, y + 0.5));
}

void ArtCanvas::Blend(int x, int y, TColor color, double alpha)
{
    if (!m_target->Contains(x, y) || alpha <= 0)
        return;
    m_target->SetPixel(x, y, Mix(m_target->GetPixel(x, y), color, alpha));
}

void ArtCanvas::HLine(int x0, int x1, int y, TColor color, double alpha)
{
    for (int x = x0; x < x1; ++x)
        Blend(x, y, color, alpha);
}

void ArtCanvas::VLine(int x, int y0, int y1, TColor color, double alpha)
{
    for (int y = y0; y < y1; ++y)
        Blend(x, y, color, alpha);
}

int ArtCanvas::Coverage(int x, int y, const Inside& inside)
{
    int count = 0;
    for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i)
            if (inside(x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples))
                ++count;
    return count;
}

void ArtCanvas::FillShape(const RectF& bounds, const Inside& inside, const Shade& shade)
{
    int x0 = std::max(0, static_cast<int>(std::floor(bounds.left)));
    int y0 = std::max(0, static_cast<int>(std::floor(bounds.top)));
    int x1 = std::min(Width(), static_cast<int>(std::ceil(bounds.right)));
    int y1 = std::min(Height(), static_cast<int>(std::ceil(bounds.bottom)));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int c = Coverage(x, y, inside);
            if (c > 0)
                Blend(x, y, shade(x + 0.5, y + 0.5), m_opacity * c / (kSamples * kSamples));
        }
}

void ArtCanvas::KeyOutside(const Inside& inside, TColor key, double threshold)
{
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            if (Coverage(x, y, inside) < threshold * kSamples * kSamples)
                m_target->SetPixel(x, y, key);
}

void ArtCanvas::FillRoundRect(const RectF& rect, double radius, const Shade& shade)
{
    FillShape(
        rect, [&](double x, double y) { return RoundRectDistance(rect, radius, x, y) <= 0; }, shade);
}

void ArtCanvas::StrokeRoundRect(const RectF& rect, double radius, double width, const Shade& shade)
{
    FillShape(
        rect,
        [&](double x, double y) {
            double d = RoundRectDistance(rect, radius, x, y);
            return d <= 0 && d > -width;
        },
        shade);
}

void ArtCanvas::FillEllipse(const RectF& rect, const Shade& shade)
{
    FillShape(
        rect, [&](double x, double y) { return InEllipse(rect, x, y); }, shade);
}

void ArtCanvas::StrokeEllipse(const RectF& rect, double width, const Shade& shade)
{
    RectF inner = rect.Inset(width);
    FillShape(
        rect, [&](double x, double y) { return InEllipse(rect, x, y) && !InEllipse(inner, x, y); }, shade);
}

void ArtCanvas::FillPolygon(std::span<const PointF> points, const Shade& shade)
{
    if (points.size() < 3)
        return;
    RectF bounds { points[0].x, points[0].y, points[0].x, points[0].y };
    for (PointF p : points) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    FillShape(bounds, InsidePolygon(points), shade);
}

void ArtCanvas::Line(PointF from, PointF to, double width, const Shade& shade)
{
    double half = width / 2;
    RectF bounds { std::min(from.x, to.x) - half, std::min(from.y, to.y) - half, std::max(from.x, to.x) + half,
        std::max(from.y, to.y) + half };
    double dx = to.x - from.x, dy = to.y - from.y;
    double length2 = dx * dx + dy * dy;
    auto inside = [=](double x, double y) {
        double t = length2 > 0 ? Clamp01(((x - from.x) * dx + (y - from.y) * dy) / length2) : 0;
        double px = from.x + t * dx - x, py = from.y + t * dy - y;
        return px * px + py * py <= half * half;
    };
    FillShape(bounds, inside, shade);
}

void ArtCanvas::KeyOutsideRoundRect(const RectF& rect, double radius, TColor key, double threshold)
{
    KeyOutside([&](double x, double y) { return RoundRectDistance(rect, radius, x, y) <= 0; }, key, threshold);
}

void ArtCanvas::KeyOutsideEllipse(const RectF& rect, TColor key, double threshold)
{
    KeyOutside([&](double x, double y) { return InEllipse(rect, x, y); }, key, threshold);
}

}
