#include "skin/art/art_title.h"

#include "skin/art/art_face.h"
#include "skin/art/art_glyphs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pellamo::skin_art {

namespace {

TColor MacOSRow(const ArtStyle& s, int y)
{
    if (y == 0)
        return s.form_border;
    if (y == 1)
        return clWhite;
    if (y >= 4 && y <= 19) // the pinstripes
        return (y - 4) % 2 == 0 ? Hex(0xC2C2C2) : Hex(0xF7F7F7);
    if (y == 21)
        return Hex(0xC4C4C4);
    if (y >= 22)
        return Hex(0x8C8C8C);
    return s.form_background;
}

TColor WinXPRow(const ArtStyle& s, int y)
{
    if (y == 0)
        return s.form_border;
    if (y == 1)
        return Hex(0x4C97FF);
    if (y <= 6)
        return Ramp(y, 2, 6, Hex(0x3A88F8), Hex(0x2465E0));
    if (y <= 24)
        return Ramp(y, 7, 24, Hex(0x2363DD), Hex(0x1A54CF));
    if (y <= 27)
        return Ramp(y, 25, 27, Hex(0x184DC2), Hex(0x113FA8));
    return Hex(0x0A2F9C);
}

TColor DeepBlueRow(const ArtStyle&, int y)
{
    if (y == 0)
        return clBlack;
    if (y == 1)
        return Hex(0x5570B0);
    if (y <= 15)
        return Ramp(y, 2, 15, Hex(0x2E4E96), Hex(0x1E3A7A));
    if (y <= 30)
        return Ramp(y, 16, 30, Hex(0x15306A), Hex(0x0C1E4A));
    return Hex(0x040A1C);
}

TColor ProteinRow(const ArtStyle& s, int y)
{
    if (y == 0 || y >= 22)
        return clBlack;
    if (y <= 9)
        return Ramp(y, 1, 9, Lighter(s.accent, 0.22), Lighter(s.accent, 0.06));
    if (y <= 19)
        return Ramp(y, 10, 19, s.accent, Darker(s.accent, 0.2));
    if (y == 20)
        return s.accent_dark;
    return Hex(0xFF8A1E); // the orange accent line
}

TColor BlueGlassRow(const ArtStyle&, int y)
{
    if (y == 0)
        return clBlack;
    if (y == 1)
        return Hex(0xC4E2FF);
    if (y <= 15)
        return Ramp(y, 2, 15, Hex(0x8FC5FF), Hex(0x5DA4F6));
    if (y <= 28)
        return Ramp(y, 16, 28, Hex(0x2A78DC), Hex(0x1D5FC0));
    if (y <= 31)
        return Ramp(y, 29, 31, Hex(0x2C74D4), Hex(0x4793EC));
    return Hex(0x0F3E86);
}

void FillRows(ArtCanvas& c, const ArtStyle& s)
{
    for (int y = 0; y < c.Height(); ++y)
        c.HLine(0, c.Width(), y, TitleRowColor(s, y));
}

// The rounded window corner of the styles whose windows have one: the
// border follows the curve; what lies outside it is cut off by the window's
// shape, and painted in the border colour.
void RoundCorner(ArtCanvas& c, const ArtStyle& s, bool left, double radius)
{
    double w = c.Width(), h = c.Height();
    RectF outline = left ? RectF { 0, 0, w + 2 * radius, h + 2 * radius } : RectF { -2 * radius, 0, w, h + 2 * radius };
    c.KeyOutside(InsideRoundRect(outline, radius), s.form_border, 0.5);
    c.StrokeRoundRect(outline, radius, 1, Flat(s.form_border));
}

// Side edges: the border (as wide as the style's window border) and a
// highlight or shadow line next to it, below row 0.
void SideEdge(ArtCanvas& c, const ArtStyle& s, bool left)
{
    int w = c.Width(), h = c.Height();
    for (int i = 0; i < s.form_border_width; ++i)
        c.VLine(left ? i : w - 1 - i, 0, h, s.form_border);
    int x = left ? s.form_border_width : w - 1 - s.form_border_width;
    switch (s.look) {
    case Look::MacOS:
        c.VLine(x, 1, h - 2, left ? clWhite : Hex(0xB4B4B4));
        break;
    case Look::WinXP:
        c.VLine(x, 1, h - 1, left ? Hex(0x4C97FF) : Hex(0x1848B0), 0.6);
        break;
    case Look::DeepBlue:
        c.VLine(x, 1, h - 1, left ? Hex(0x5570B0) : Hex(0x0A1838), 0.7);
        break;
    case Look::Protein:
        break;
    case Look::BlueGlass:
        c.VLine(x, 1, h - 1, clWhite, left ? 0.35 : 0.15);
        break;
    }
}

// Protein's emblem: a faint chain of linked beads on the long left
// picture, growing stronger towards its right end; faint enough that a
// caption or the buttons over it stay clear.
void ProteinChain(ArtCanvas& c, const ArtStyle& s)
{
    struct Bead {
        double x, y, r;
    };
    static constexpr std::array<Bead, 9> kBeads { {
        { 262, 14, 2.5 },
        { 283, 8, 3.5 },
        { 304, 15, 3 },
        { 327, 9, 4.5 },
        { 350, 14, 3 },
        { 371, 7, 3.5 },
        { 393, 13, 4 },
        { 414, 8, 3 },
        { 433, 13, 2.5 },
    } };
    for (size_t i = 0; i < kBeads.size(); ++i) {
        double fade = 0.15 + 0.25 * double(i) / (kBeads.size() - 1);
        if (i + 1 < kBeads.size()) {
            c.SetOpacity(fade * 0.8);
            c.Line({ kBeads[i].x, kBeads[i].y }, { kBeads[i + 1].x, kBeads[i + 1].y }, 1.2, Flat(s.accent_light));
        }
    }
    for (size_t i = 0; i < kBeads.size(); ++i) {
        const Bead& b = kBeads[i];
        double fade = 0.2 + 0.3 * double(i) / (kBeads.size() - 1);
        c.SetOpacity(fade);
        RectF r { b.x - b.r, b.y - b.r, b.x + b.r, b.y + b.r };
        c.FillEllipse(r, VerticalGradient(r.top, r.bottom, clWhite, s.accent_light));
    }
    c.SetOpacity(1);
}

void Decorate(ArtCanvas& c, const ArtStyle& s, bool left)
{
    double w = c.Width(), h = c.Height();
    switch (s.look) {
    case Look::MacOS:
    case Look::WinXP:
        break;
    case Look::DeepBlue:
        if (left) {
            // A faint glow behind the window menu box.
            c.SetOpacity(0.22);
            c.FillEllipse({ -30, -14, 70, h * 0.7 }, Flat(Hex(0x6F8FCF)));
            c.SetOpacity(1);
        }
        break;
    case Look::Protein:
        if (left && w > 400)
            ProteinChain(c, s);
        break;
    case Look::BlueGlass:
        if (left) {
            // A sheen across the glass, slanted.
            std::array<PointF, 4> sheen { PointF { w - 58, 1 }, { w - 40, 1 }, { w - 58, 16 }, { w - 76, 16 } };
            c.SetOpacity(0.22);
            c.FillPolygon(sheen, Flat(clWhite));
            c.SetOpacity(1);
        }
        break;
    }
}

void PaintEnd(ArtCanvas& c, const ArtStyle& s, bool left)
{
    FillRows(c, s);
    Decorate(c, s, left);
    if (c.Width() > 1)
        SideEdge(c, s, left);
    if (s.look == Look::WinXP)
        RoundCorner(c, s, left, 6.5);
    if (s.look == Look::BlueGlass)
        RoundCorner(c, s, left, 5.5);
}

Glyph TitleGlyph(int index)
{
    static constexpr std::array<Glyph, 6> kGlyphs { Glyph::WindowMenu, Glyph::Help, Glyph::Maximize, Glyph::Restore,
        Glyph::Minimize, Glyph::Close };
    return kGlyphs[std::clamp(index / 3, 0, 5)];
}

}

TColor TitleRowColor(const ArtStyle& s, int y)
{
    switch (s.look) {
    case Look::MacOS:
        return MacOSRow(s, y);
    case Look::WinXP:
        return WinXPRow(s, y);
    case Look::DeepBlue:
        return DeepBlueRow(s, y);
    case Look::Protein:
        return ProteinRow(s, y);
    case Look::BlueGlass:
        return BlueGlassRow(s, y);
    }
    return s.form_background;
}

void PaintTitleLeft(ArtCanvas& c, const ArtFrame&, const ArtStyle& s) { PaintEnd(c, s, true); }

void PaintTitleClient(ArtCanvas& c, const ArtFrame&, const ArtStyle& s) { FillRows(c, s); }

void PaintTitleRight(ArtCanvas& c, const ArtFrame&, const ArtStyle& s) { PaintEnd(c, s, false); }

void PaintTitleButton(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    int w = c.Width(), h = c.Height();
    for (int y = 0; y < h; ++y)
        c.HLine(0, w, y, TitleRowColor(s, s.title_button_top + y));
    Glyph glyph = TitleGlyph(f.index);
    FaceState state = StateOfTriple(f.index);
    bool close = glyph == Glyph::Close;
    RectF face { 1, 1, w - 1.0, h - 1.0 };
    switch (s.look) {
    case Look::MacOS: {
        RectF box { 2, 2, w - 2.0, h - 2.0 };
        PaintFace(c, box, 0, state, s);
        DrawGlyph(c, glyph, box.Inset(3), 1.3, Flat(GlyphColor(state, s)));
        break;
    }
    case Look::WinXP: {
        TColor tint = close ? Hex(0xD8542E) : Hex(0x2B6DE8);
        PaintFace(c, face, 3, state, s, tint);
        c.SetOpacity(0.9);
        c.StrokeRoundRect(face, 3, 1, Flat(Hex(0xF2F6FF)));
        c.SetOpacity(1);
        DrawGlyph(c, glyph, face.Inset(5), 2.2, Flat(clWhite));
        break;
    }
    case Look::DeepBlue: {
        TColor tint = close ? Hex(0x9A2A2A) : Hex(0x2A4C94);
        PaintFace(c, face, 2, state, s, tint);
        DrawGlyph(c, glyph, face.Inset(4.5), 1.7, Flat(clWhite));
        break;
    }
    case Look::Protein: {
        TColor fill = close ? Hex(0xFF7A1A) : clWhite;
        TColor ink = close ? clWhite : s.accent_dark;
        if (state == FaceState::Hover)
            fill = close ? Hex(0xFFA050) : Lighter(s.accent, 0.75);
        if (state == FaceState::Pressed) {
            fill = close ? Hex(0xD0520A) : s.accent_dark;
            ink = clWhite;
        }
        c.FillEllipse(face, VerticalGradient(face.top, face.bottom, Lighter(fill, 0.25), fill));
        c.StrokeEllipse(face, 1, Flat(close ? Hex(0x8A3A00) : s.accent_dark));
        DrawGlyph(c, glyph, face.Inset(4.5), 1.6, Flat(ink));
        EndShaped(c, f, InsideEllipse(face));
        break;
    }
    case Look::BlueGlass: {
        TColor tint = close ? Hex(0xE0473A) : Hex(0x3A8CEA);
        PaintFace(c, face, face.Width() / 2, state, s, tint);
        DrawGlyph(c, glyph, face.Inset(4.5), 1.8, Flat(clWhite));
        EndShaped(c, f, InsideEllipse(face));
        break;
    }
    }
}

}
