#include "skin/art/art_scroll.h"

#include "skin/art/art_face.h"
#include "skin/art/art_glyphs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pellamo::skin_art {

namespace {

// A face across the whole frame with an arrow, on the scroll bar's colour.
void ArrowButton(ArtCanvas& c, Glyph arrow, FaceState state, const ArtStyle& s)
{
    double w = c.Width(), h = c.Height();
    c.Fill(s.scroll_background);
    RectF face { 0, 0, w, h };
    double radius = 0;
    switch (s.look) {
    case Look::MacOS:
    case Look::Protein:
        break;
    case Look::WinXP:
        face = face.Inset(0.5);
        radius = 2.5;
        break;
    case Look::DeepBlue:
        radius = 1;
        break;
    case Look::BlueGlass:
        face = face.Inset(0.5);
        radius = 3;
        break;
    }
    TColor tint = s.look == Look::DeepBlue ? s.accent : clNone;
    ArtStyle look = s;
    if (s.look == Look::WinXP) {
        // Light blue arrow buttons on the beige window.
        look.face_top = Hex(0xE3EDFE);
        look.face_bottom = Hex(0xB9CFF7);
        look.face_border = Hex(0x9EB6E4);
    }
    PaintFace(c, face, radius, state, look, tint);
    double cx = w / 2, cy = h / 2, a = std::round(std::min(w, h) * 0.27);
    if (state == FaceState::Pressed) {
        cx += 0.5;
        cy += 0.5;
    }
    DrawGlyph(c, arrow, { cx - a, cy - a, cx + a, cy + a }, 1, Flat(GlyphColor(state, s, tint)));
}

// The colour across a tube from one edge (t = 0) through its middle to the
// other edge (t = 1), so the thumb looks the same turned either way.
TColor Tube(TColor edge, TColor middle, double t) { return Mix(edge, middle, 1 - std::pow(std::abs(2 * t - 1), 1.6)); }

void ThumbWhole(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    double w = c.Width(), h = c.Height();
    c.Fill(s.scroll_background);
    RectF body { 0.5, 1, w - 0.5, h - 1 };
    double radius = 0;
    TColor edge = s.face_bottom, middle = s.face_top, border = s.face_border;
    switch (s.look) {
    case Look::MacOS:
        // The platinum thumb: lavender grey.
        edge = Hex(0xA6A6D9);
        middle = Hex(0xDADAF7);
        border = Hex(0x45456E);
        body = { 0, 1, w, h - 1 };
        break;
    case Look::WinXP:
        edge = Hex(0xA9C3F4);
        middle = Hex(0xD4E2FC);
        border = Hex(0x7E9FD8);
        radius = 3;
        break;
    case Look::DeepBlue:
        edge = Hex(0x1B3777);
        middle = Hex(0x4A6DB8);
        border = Hex(0x0B1A3F);
        radius = 1.5;
        break;
    case Look::Protein:
        edge = Hex(0xCFD0F5);
        middle = Hex(0xF4F4FF);
        border = Hex(0x1A1A1A);
        radius = 2;
        break;
    case Look::BlueGlass:
        edge = Hex(0x2D7BDD);
        middle = Hex(0x9FCFFF);
        border = Hex(0x0F3E86);
        radius = (h - 2) / 2;
        break;
    }
    c.FillRoundRect(body, radius, [=](double, double y) { return Tube(edge, middle, (y - body.top) / body.Height()); });
    if (s.look == Look::Protein) {
        // The accent runs along the thumb's middle.
        double cy = h / 2;
        c.FillRect({ 2, int(cy) - 1, int(w) - 2, int(cy) + 1 }, s.accent);
    }
    c.StrokeRoundRect(body, radius, 1, Flat(border));
    EndShaped(c, f, InsideRoundRect(body, radius));
}

TColor GrooveColor(const ArtStyle& s)
{
    switch (s.look) {
    case Look::MacOS:
        return Hex(0x6B6B6B);
    case Look::WinXP:
        return Hex(0xE6E4D8);
    case Look::DeepBlue:
        return Hex(0x1E3A7A);
    case Look::Protein:
        return Hex(0x222222);
    case Look::BlueGlass:
        return Hex(0x3A86E6);
    }
    return clGray;
}

// A thumb shaped like an arrow head pointing away from its base: down for
// the horizontal slider, right for the vertical one.
void Pointer(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s, bool vertical)
{
    double w = c.Width(), h = c.Height();
    // The corners at the base are cut by a pixel, so that every corner of
    // the picture is background.
    std::array<PointF, 7> shape;
    if (!vertical) {
        double tip = h - 0.5, shoulder = h - (w / 2);
        shape = { PointF { 1.5, 0.5 }, { w - 1.5, 0.5 }, { w - 0.5, 1.5 }, { w - 0.5, shoulder }, { w / 2, tip },
            { 0.5, shoulder }, { 0.5, 1.5 } };
    } else {
        double tip = w - 0.5, shoulder = w - (h / 2);
        shape = { PointF { 1.5, 0.5 }, { shoulder, 0.5 }, { tip, h / 2 }, { shoulder, h - 0.5 }, { 1.5, h - 0.5 },
            { 0.5, h - 1.5 }, { 0.5, 1.5 } };
    }
    BeginShaped(c, s.form_background);
    TColor top = s.face_top, bottom = s.face_bottom;
    if (s.look == Look::Protein || s.look == Look::DeepBlue) {
        top = Lighter(s.accent, 0.3);
        bottom = s.accent;
    }
    if (s.look == Look::BlueGlass) {
        top = Hex(0xBFE0FF);
        bottom = Hex(0x3A8CEA);
    }
    Shade face = vertical ? VerticalGradient(0, h, top, bottom) : HorizontalGradient(0, w, top, bottom);
    c.FillPolygon(shape, face);
    // The outline: the polygon less the same polygon moved in by a pixel.
    TColor border = s.look == Look::Protein || s.look == Look::DeepBlue ? s.accent_dark : s.face_border;
    for (size_t i = 0; i < shape.size(); ++i)
        c.Line(shape[i], shape[(i + 1) % shape.size()], 1, Flat(border));
    Inside inside = InsidePolygon(shape);
    EndShaped(c, f, inside, 0.2);
}

}

void PaintScrollButton(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    ArrowButton(c, f.index < 3 ? Glyph::ArrowUp : Glyph::ArrowDown, StateOfTriple(f.index), s);
}

void PaintScrollThumb(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    PaintThreePiece(c, f, [&](ArtCanvas& whole) { ThumbWhole(whole, f, s); });
}

void PaintSmallScrollButton(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    ArrowButton(c, f.index < 2 ? Glyph::ArrowLeft : Glyph::ArrowRight,
        f.index % 2 == 1 ? FaceState::Pressed : FaceState::Normal, s);
}

void PaintTrackBar(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    PaintThreePiece(c, f, [&](ArtCanvas& whole) {
        double w = whole.Width(), h = whole.Height();
        RectF groove { 0, 0, w, h };
        double radius = h / 2;
        BeginShaped(whole, s.form_background);
        TColor g = GrooveColor(s);
        whole.FillRoundRect(groove, radius, VerticalGradient(0, h, Darker(g, 0.25), Lighter(g, 0.2)));
        if (h >= 5) {
            // A lit lower lip makes the groove read as cut in.
            whole.SetOpacity(0.8);
            whole.FillShape(
                groove, [&](double x, double y) { return y >= h - 1 && RoundRectDistance(groove, radius, x, y) <= 0; },
                Flat(clWhite));
            whole.SetOpacity(1);
        }
        EndShaped(whole, f, InsideRoundRect(groove, radius), 0.5);
    });
}

void PaintTrackSlider(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s) { Pointer(c, f, s, false); }

void PaintTrackSliderVertical(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s) { Pointer(c, f, s, true); }

void PaintProgressBar(ArtCanvas& c, const ArtFrame&, const ArtStyle& s)
{
    // Every column alike, since the fill is stretched to any length.
    int h = c.Height();
    // Light enough for the black percentage drawn over it.
    TColor top = Lighter(s.accent, 0.55), middle = s.accent, bottom = s.accent_dark;
    switch (s.look) {
    case Look::MacOS:
        break;
    case Look::WinXP:
        top = Hex(0xA8EDB4);
        middle = Hex(0x3CC25A);
        bottom = Hex(0x1F8A3A);
        break;
    case Look::DeepBlue:
        top = Hex(0xC9D6F2);
        middle = Hex(0x7F9BD6);
        bottom = Hex(0x4A68AE);
        break;
    case Look::Protein:
        top = Hex(0xFFD3A0);
        middle = Hex(0xFF9A3C);
        bottom = Hex(0xE0700E);
        break;
    case Look::BlueGlass:
        top = Hex(0xCFE8FF);
        middle = Hex(0x6FB2F7);
        bottom = Hex(0x3A8CEA);
        break;
    }
    for (int y = 0; y < h; ++y) {
        double t = h > 1 ? double(y) / (h - 1) : 0;
        TColor color = t < 0.4 ? Mix(top, middle, t / 0.4) : Mix(middle, bottom, (t - 0.4) / 0.6);
        if (s.look == Look::BlueGlass && t < 0.45)
            color = Lighter(color, 0.25);
        c.HLine(0, c.Width(), y, color);
    }
}

}
