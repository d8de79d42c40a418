#include "skin/art/art_face.h"

#include <algorithm>
#include <cmath>

namespace pellamo::skin_art {

namespace {

struct FaceColors {
    TColor top;
    TColor bottom;
    TColor border;
    TColor ring = clNone; // an inner ring that marks hover
};

FaceColors ColorsFor(FaceState state, const ArtStyle& s, TColor tint)
{
    FaceColors c { s.face_top, s.face_bottom, s.face_border };
    if (tint != clNone)
        c = { Lighter(tint, 0.35), tint, Darker(tint, 0.45) };
    switch (state) {
    case FaceState::Normal:
        break;
    case FaceState::Hover:
        c.top = Lighter(c.top, 0.4);
        c.bottom = Lighter(c.bottom, 0.3);
        if (tint == clNone) {
            switch (s.look) {
            case Look::MacOS:
                c.border = Mix(c.border, s.accent, 0.6);
                break;
            case Look::WinXP:
            case Look::DeepBlue:
                c.ring = s.accent_light;
                break;
            case Look::Protein:
                c.border = s.accent;
                c.ring = Lighter(s.accent, 0.55);
                break;
            case Look::BlueGlass:
                // Lit glass: a cooler, brighter body and a glowing rim.
                c.bottom = Mix(c.bottom, Hex(0x7FD4FF), 0.45);
                c.ring = Hex(0xDFF4FF);
                break;
            }
        }
        break;
    case FaceState::Pressed:
        if (tint == clNone && s.look == Look::Protein) {
            c = { Lighter(s.accent, 0.7), Lighter(s.accent, 0.5), s.accent_dark };
        } else if (s.look == Look::BlueGlass) {
            // Pressed glass darkens as a whole; its light comes from below.
            c.top = Darker(c.bottom, 0.12);
            c.bottom = Darker(c.bottom, 0.3);
            c.border = Darker(c.border, 0.2);
        } else {
            TColor top = c.top;
            c.top = Darker(c.bottom, 0.18);
            c.bottom = Darker(top, 0.06);
            c.border = Darker(c.border, 0.2);
        }
        break;
    case FaceState::Disabled:
        c.top = Mix(c.top, s.form_background, 0.6);
        c.bottom = Mix(c.bottom, s.form_background, 0.6);
        c.border = Mix(c.border, s.form_background, 0.55);
        break;
    }
    return c;
}

}

FaceState StateOfTriple(int index)
{
    switch (index % 3) {
    case 1:
        return FaceState::Hover;
    case 2:
        return FaceState::Pressed;
    default:
        return FaceState::Normal;
    }
}

TColor GlyphColor(FaceState state, const ArtStyle& s, TColor tint)
{
    bool dark_face = tint != clNone || s.look == Look::DeepBlue;
    if (state == FaceState::Disabled)
        return Mix(dark_face ? clWhite : s.glyph, s.form_background, 0.55);
    if (dark_face)
        return clWhite;
    if (state == FaceState::Pressed && s.look == Look::MacOS)
        return clWhite;
    if (state == FaceState::Hover && s.look != Look::DeepBlue)
        return s.accent_dark;
    return s.glyph;
}

void PaintFace(ArtCanvas& canvas, const RectF& r, double radius, FaceState state, const ArtStyle& s, TColor tint)
{
    FaceColors c = ColorsFor(state, s, tint);
    bool glass = s.look == Look::BlueGlass;
    double mid = r.top + r.Height() * 0.5;
    Shade face;
    if (glass) {
        // Glass: a bright upper half over a deeper lower half that glows
        // again towards its edge.
        TColor upper_top = Lighter(c.top, 0.5), upper_bottom = Lighter(c.top, 0.1);
        TColor lower_top = c.bottom, lower_bottom = Lighter(c.bottom, 0.35);
        face = [=](double, double y) {
            if (y < mid)
                return Mix(upper_top, upper_bottom, (y - r.top) / (mid - r.top));
            return Mix(lower_top, lower_bottom, (y - mid) / (r.bottom - mid));
        };
    } else {
        face = VerticalGradient(r.top, r.bottom, c.top, c.bottom);
    }
    canvas.FillRoundRect(r, radius, face);
    // The bevel: light along the top and left inside the border, shade along
    // the bottom; a pressed face has it the other way round.
    RectF inner = r.Inset(1);
    double inner_radius = std::max(0.0, radius - 1);
    if (!glass && state != FaceState::Disabled) {
        bool pressed = state == FaceState::Pressed;
        canvas.SetOpacity(pressed ? 0.25 : 0.8);
        canvas.FillShape(
            inner,
            [&](double x, double y) {
                bool in_inner = x >= inner.left && x < inner.right && y >= inner.top && y < inner.bottom;
                bool rim = y < inner.top + 1 || x < inner.left + 1;
                return in_inner && rim;
            },
            Flat(pressed ? clBlack : clWhite));
        canvas.SetOpacity(pressed ? 0.12 : 0.18);
        canvas.FillShape(
            inner,
            [&](double x, double y) {
                bool in_inner = x >= inner.left && x < inner.right && y >= inner.top && y < inner.bottom;
                bool rim = y >= inner.bottom - 1 || x >= inner.right - 1;
                return in_inner && rim;
            },
            Flat(pressed ? clWhite : clBlack));
        canvas.SetOpacity(1);
    }
    if (c.ring != clNone)
        canvas.StrokeRoundRect(inner, inner_radius, 1.5, Flat(c.ring));
    if (glass && state != FaceState::Disabled) {
        canvas.SetOpacity(0.7);
        canvas.StrokeRoundRect(inner, inner_radius, 1, VerticalGradient(inner.top, inner.bottom, clWhite, c.bottom));
        canvas.SetOpacity(1);
    }
    canvas.StrokeRoundRect(r, radius, 1, Flat(c.border));
}

void BeginShaped(ArtCanvas& canvas, TColor backdrop) { canvas.Fill(backdrop); }

void EndShaped(ArtCanvas& canvas, const ArtFrame& frame, const Inside& inside, double threshold)
{
    if (frame.key == ArtKey::Fuchsia || frame.key == ArtKey::FuchsiaThreePiece)
        canvas.KeyOutside(inside, kKeyFuchsia, threshold);
}

void PaintThreePiece(ArtCanvas& canvas, const ArtFrame& frame, const std::function<void(ArtCanvas&)>& paint)
{
    int fw = canvas.Width(), h = canvas.Height();
    Bitmap whole(fw * 3, h);
    ArtCanvas whole_canvas(whole);
    paint(whole_canvas);
    Bitmap& out = canvas.Target();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < fw; ++x) {
            int source = frame.index == 1 ? whole.Width() / 2 : frame.index * fw + x;
            out.SetPixel(x, y, whole.GetPixel(source, y));
        }
}

}
