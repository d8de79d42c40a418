#include "skin/art/art_panels.h"

#include "skin/art/art_face.h"
#include "skin/art/art_glyphs.h"
#include "skin/art/art_title.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pellamo::skin_art {

namespace {

// Hard two-colour glyphs for the pictures whose key is white: anything the
// glyph covers by half or more is ink, the rest stays white, so no pale
// fringe is left around the symbol when white is taken out.
void InkGlyph(ArtCanvas& c, Glyph glyph, const RectF& box, double weight, TColor ink)
{
    Bitmap scratch(c.Width(), c.Height(), clWhite);
    ArtCanvas s(scratch);
    DrawGlyph(s, glyph, box, weight, Flat(clBlack));
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (RedOf(scratch.GetPixel(x, y)) < 128)
                c.Target().SetPixel(x, y, ink);
}

TColor SideBarRow(const ArtStyle& s, int y, int h)
{
    if (y == 0)
        return s.control_border;
    if (y == h - 1)
        return Darker(s.control_border == clBlack ? s.accent : s.control_border, 0.2);
    switch (s.look) {
    case Look::MacOS:
        if (y == 1)
            return clWhite;
        return y % 2 == 0 ? Hex(0xD6D6D6) : Hex(0xF4F4F4);
    case Look::WinXP:
        return Ramp(y, 1, h - 2, Hex(0xF3F7FF), Hex(0xC3D6F6));
    case Look::DeepBlue:
        return y < h / 2 ? Ramp(y, 1, h / 2 - 1, Hex(0x4A68AE), Hex(0x2C4A90))
                         : Ramp(y, h / 2, h - 2, Hex(0x1D3877), Hex(0x142B60));
    case Look::Protein:
        if (y == h - 2)
            return Hex(0xFF8A1E);
        return Ramp(y, 1, h - 3, Lighter(s.accent, 0.2), Darker(s.accent, 0.1));
    case Look::BlueGlass:
        return y < h / 2 ? Ramp(y, 1, h / 2 - 1, Hex(0x9ACBFF), Hex(0x63A8F6))
                         : Ramp(y, h / 2, h - 2, Hex(0x2C78DA), Hex(0x4793EC));
    }
    return s.form_background;
}

}

void PaintSideChannelBar(ArtCanvas& c, const ArtFrame&, const ArtStyle& s)
{
    for (int y = 0; y < c.Height(); ++y)
        c.HLine(0, c.Width(), y, SideBarRow(s, y, c.Height()));
}

void PaintSideChannelHandle(ArtCanvas& c, const ArtFrame&, const ArtStyle& s)
{
    double w = c.Width(), h = c.Height();
    c.Fill(s.form_background);
    RectF body { 0, 0, w, h };
    TColor tint = s.look == Look::DeepBlue || s.look == Look::Protein ? s.accent : clNone;
    PaintFace(c, body, std::min(3.0, w / 2 - 0.5), FaceState::Normal, s, tint);
    // Grip dots down the middle and an arrow near the top.
    TColor ink = GlyphColor(FaceState::Normal, s, tint);
    double cx = w / 2;
    for (int i = -2; i <= 2; ++i) {
        double cy = h / 2 + i * 4;
        c.FillEllipse({ cx - 1, cy - 1, cx + 1, cy + 1 }, Flat(ink));
    }
    DrawGlyph(c, Glyph::ArrowRight, { cx - 2.5, 8, cx + 2.5, 14 }, 1, Flat(ink));
    DrawGlyph(c, Glyph::ArrowRight, { cx - 2.5, h - 14, cx + 2.5, h - 8 }, 1, Flat(ink));
}

void PaintTab(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    PaintThreePiece(c, f, [&](ArtCanvas& whole) {
        double w = whole.Width(), h = whole.Height();
        double radius = std::min(s.look == Look::MacOS ? 5.0 : 3.0, w / 6);
        // Rounded at the top only: the outline runs on below the picture.
        RectF tab { 0, 0, w, h + radius + 2 };
        BeginShaped(whole, s.form_background);
        TColor top = s.face_top, bottom = s.form_background;
        if (s.look == Look::WinXP)
            top = clWhite;
        if (s.look == Look::BlueGlass)
            top = Hex(0xD8ECFF);
        whole.FillRoundRect(tab, radius, VerticalGradient(0, h, top, bottom));
        TColor edge = s.look == Look::WinXP ? Hex(0x919B9C) : s.control_border;
        whole.StrokeRoundRect(tab, radius, 1, Flat(edge));
        if (s.look == Look::WinXP || s.look == Look::Protein) {
            // A coloured lip along the tab's top.
            TColor lip = s.look == Look::WinXP ? s.accent_light : s.accent;
            whole.FillShape(
                tab, [&](double x, double y) { return y < 3 && RoundRectDistance(tab, radius, x, y) <= -1; },
                Flat(lip));
        }
        EndShaped(whole, f, InsideRoundRect(tab, radius), 0.5);
        // The bottom corners too, for drawing that takes its key from the
        // bottom-left pixel.
        if (f.key == ArtKey::FuchsiaThreePiece) {
            whole.Target().SetPixel(0, int(h) - 1, kKeyFuchsia);
            whole.Target().SetPixel(int(w) - 1, int(h) - 1, kKeyFuchsia);
        }
    });
}

void PaintTabLine(ArtCanvas& c, const ArtFrame&, const ArtStyle& s)
{
    // Every column alike: the line is stretched or repeated along the tabs.
    int h = c.Height();
    for (int y = 0; y < h; ++y) {
        TColor color = y == 0 ? (s.look == Look::WinXP ? Hex(0x919B9C) : s.control_border)
                              : Ramp(y, 1, h - 1, s.face_top, s.form_background);
        c.HLine(0, c.Width(), y, color);
    }
}

void PaintFormBackground(ArtCanvas& c, const ArtFrame&, const ArtStyle& s)
{
    c.Fill(s.form_background);
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            if (s.look == Look::MacOS && y % 2 == 1)
                c.Target().SetPixel(x, y, Hex(0xEEEEEE)); // pinstripes
            if (s.look == Look::Protein && (x + y) % 4 == 0)
                c.Target().SetPixel(x, y, Hex(0xF2F2F2)); // a fine diagonal weave
        }
}

void PaintMenuBar(ArtCanvas& c, const ArtFrame&, const ArtStyle&)
{
    // Pinstripes every fourth row; the last two rows are the bar's shadow.
    int h = c.Height();
    for (int y = 0; y < h; ++y) {
        TColor color = y % 4 == 0 ? TColor(0xE9E9E9) : TColor(0xF9F9F9);
        if (y == h - 2)
            color = 0xD4D4D4;
        if (y == h - 1)
            color = 0x5B5B5D;
        c.HLine(0, c.Width(), y, color);
    }
}

void PaintMenuSelect(ArtCanvas& c, const ArtFrame&, const ArtStyle& s)
{
    for (int y = 0; y < c.Height(); ++y)
        c.HLine(0, c.Width(), y, y % 4 == 0 ? Darker(s.accent, 0.1) : s.accent);
}

void PaintMenuCheck(ArtCanvas& c, const ArtFrame&, const ArtStyle&)
{
    c.Fill(kKeyWhite);
    InkGlyph(c, Glyph::Tick, { 3, 3, 13, 13 }, 2, clBlack);
}

void PaintMdiButton(ArtCanvas& c, const ArtFrame& f, const ArtStyle&)
{
    static constexpr std::array<Glyph, 3> kGlyphs { Glyph::Minimize, Glyph::Restore, Glyph::Close };
    c.Fill(kKeyWhite);
    InkGlyph(c, kGlyphs[std::clamp(f.index, 0, 2)], { 4, 4, 12, 12 }, 2, Hex(0x202020));
}

void PaintNotificationWindow(ArtCanvas& c, const ArtFrame&, const ArtStyle& s)
{
    int w = c.Width(), h = c.Height();
    constexpr int kStrip = 26;
    // Body: light, cooling towards the bottom.
    c.FillRect({ 0, 0, w, h }, VerticalGradient(kStrip, h, clWhite, Hex(0xDCE8F8)));
    // A soft light shape in the lower right corner.
    c.SetOpacity(0.35);
    c.FillEllipse({ w - 90.0, h - 50.0, w + 60.0, h + 60.0 }, Flat(Hex(0xB9D3F5)));
    c.SetOpacity(1);
    // Title strip.
    c.FillRect({ 0, 0, w, kStrip }, VerticalGradient(0, kStrip, Hex(0xEEF4FE), Hex(0xC5D8F5)));
    c.HLine(0, w, kStrip, Hex(0x8FAEDC));
    c.HLine(0, w, kStrip + 1, clWhite, 0.8);
    // Close box.
    RectF box = RectF::Of(kNotificationCloseBox);
    PaintFace(c, box, 2, FaceState::Normal, s, Hex(0xD8382C));
    DrawGlyph(c, Glyph::Close, box.Inset(4), 1.6, Flat(clWhite));
    // Window outline.
    c.StrokeRoundRect({ 0, 0, double(w), double(h) }, 0, 1, Flat(Hex(0x5F7FB8)));
    c.HLine(1, w - 1, 1, clWhite, 0.7);
}

}
