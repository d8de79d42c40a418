#include "skin/art/art_glyphs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace pellamo::skin_art {

namespace {

void Triangle(ArtCanvas& c, PointF a, PointF b, PointF d, const Shade& shade)
{
    std::array<PointF, 3> points { a, b, d };
    c.FillPolygon(points, shade);
}

// An outline of width w just inside r.
void Outline(ArtCanvas& c, const RectF& r, double w, const Shade& shade)
{
    c.FillShape(
        r,
        [&](double x, double y) {
            bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            bool inner = x >= r.left + w && x < r.right - w && y >= r.top + w && y < r.bottom - w;
            return in && !inner;
        },
        shade);
}

void Bar(ArtCanvas& c, const RectF& r, const Shade& shade)
{
    c.FillShape(
        r, [&](double x, double y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }, shade);
}

// A small window: an outline with a thicker top edge (its title bar).
void Window(ArtCanvas& c, const RectF& r, double w, const Shade& shade)
{
    Outline(c, r, w, shade);
    Bar(c, { r.left, r.top, r.right, r.top + w + 1 }, shade);
}

// Outlines of small windows get thin quickly: at most a seventh of the box.
double WindowStroke(double w, double size) { return std::max(1.0, std::min(w, std::round(size / 7))); }

}

void DrawGlyph(ArtCanvas& c, Glyph glyph, const RectF& box, double w, const Shade& shade)
{
    double cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    double s = std::min(box.Width(), box.Height());
    double h = s / 2; // half size
    switch (glyph) {
    case Glyph::Close: {
        double d = h - w / 2;
        c.Line({ cx - d, cy - d }, { cx + d, cy + d }, w, shade);
        c.Line({ cx - d, cy + d }, { cx + d, cy - d }, w, shade);
        break;
    }
    case Glyph::Minimize:
        Bar(c, { cx - h, cy + h - w * 1.5, cx + h, cy + h - w * 0.5 }, shade);
        break;
    case Glyph::Maximize:
        Window(c, { std::round(cx - h), std::round(cy - h), std::round(cx + h), std::round(cy + h) },
            WindowStroke(w, s), shade);
        break;
    case Glyph::Restore: {
        w = WindowStroke(w, s);
        double q = std::round(s * 0.3);
        RectF back { std::round(cx - h + q), std::round(cy - h), std::round(cx + h), std::round(cy + h - q) };
        RectF front { std::round(cx - h), std::round(cy - h + q), std::round(cx + h - q), std::round(cy + h) };
        // The back window shows only where the front one does not cover it.
        c.FillShape(
            back,
            [&](double x, double y) {
                bool in = x >= back.left && x < back.right && y >= back.top && y < back.bottom;
                bool inner = x >= back.left + w && x < back.right - w && y >= back.top + w + 1 && y < back.bottom - w;
                bool covered = x >= front.left && x < front.right && y >= front.top && y < front.bottom;
                return in && !inner && !covered;
            },
            shade);
        Window(c, front, w, shade);
        break;
    }
    case Glyph::Help: {
        // The hook: an arc over the top right, then down to the stem.
        w = std::min(w, std::max(1.2, s * 0.17));
        double r = h * 0.55;
        PointF centre { cx, cy - h + r + w / 2 };
        PointF last {};
        constexpr int kSteps = 10;
        for (int i = 0; i <= kSteps; ++i) {
            double a = std::numbers::pi * (1.0 - 1.35 * i / kSteps);
            PointF p { centre.x + r * std::cos(a), centre.y - r * std::sin(a) };
            if (i > 0)
                c.Line(last, p, w, shade);
            last = p;
        }
        PointF stem_top { cx, cy + h * 0.25 };
        c.Line(last, stem_top, w, shade);
        c.Line(stem_top, { cx, cy + h * 0.4 }, w, shade);
        double dot = w * 1.1;
        c.FillEllipse({ cx - dot / 2 - 0.1, cy + h - dot, cx + dot / 2 + 0.1, cy + h }, shade);
        break;
    }
    case Glyph::WindowMenu:
        Bar(c, { cx - h, cy - w / 2 - w, cx + h, cy - w / 2 }, shade);
        Bar(c, { cx - h, cy - w / 2 + w, cx + h, cy + w / 2 + w }, shade);
        Bar(c, { cx - h, cy + w / 2 + w * 2, cx + h, cy + w / 2 + w * 3 }, shade);
        break;
    // Arrow heads as wide as the box and a little more than half as deep.
    case Glyph::ArrowUp:
        Triangle(c, { cx - h, cy + h * 0.55 }, { cx + h, cy + h * 0.55 }, { cx, cy - h * 0.55 }, shade);
        break;
    case Glyph::ArrowDown:
        Triangle(c, { cx - h, cy - h * 0.55 }, { cx + h, cy - h * 0.55 }, { cx, cy + h * 0.55 }, shade);
        break;
    case Glyph::ArrowLeft:
        Triangle(c, { cx + h * 0.55, cy - h }, { cx + h * 0.55, cy + h }, { cx - h * 0.55, cy }, shade);
        break;
    case Glyph::ArrowRight:
        Triangle(c, { cx - h * 0.55, cy - h }, { cx - h * 0.55, cy + h }, { cx + h * 0.55, cy }, shade);
        break;
    case Glyph::Tick: {
        PointF a { cx - h * 0.85, cy + h * 0.05 }, b { cx - h * 0.25, cy + h * 0.65 }, d { cx + h * 0.9, cy - h * 0.7 };
        c.Line(a, b, w, shade);
        c.Line(b, d, w, shade);
        break;
    }
    case Glyph::ChevronUp:
        c.Line({ cx - h * 0.8, cy + h * 0.4 }, { cx, cy - h * 0.4 }, w, shade);
        c.Line({ cx, cy - h * 0.4 }, { cx + h * 0.8, cy + h * 0.4 }, w, shade);
        break;
    case Glyph::ChevronDown:
        c.Line({ cx - h * 0.8, cy - h * 0.4 }, { cx, cy + h * 0.4 }, w, shade);
        c.Line({ cx, cy + h * 0.4 }, { cx + h * 0.8, cy - h * 0.4 }, w, shade);
        break;
    }
}

}
