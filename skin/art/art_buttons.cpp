#include "skin/art/art_buttons.h"

#include "skin/art/art_face.h"
#include "skin/art/art_glyphs.h"

#include <algorithm>
#include <cmath>

namespace pellamo::skin_art {

namespace {

bool CheckedFrame(int index) { return index == 0 || index == 2; }
bool DisabledFrame(int index) { return index >= 2; }

// Where a check box or radio glyph sits in its frame: a square as large as
// the frame allows, less a margin in the taller frames, centred.
RectF GlyphBox(const ArtCanvas& c)
{
    int w = c.Width(), h = c.Height();
    int side = std::min(w, h);
    if (side > 13)
        side -= 2;
    double left = std::floor((w - side) / 2.0), top = std::floor((h - side) / 2.0);
    return { left, top, left + side, top + side };
}

double BoxRadius(const ArtStyle& s)
{
    switch (s.look) {
    case Look::MacOS:
    case Look::DeepBlue:
        return 1;
    case Look::WinXP:
        return 1.5;
    case Look::Protein:
        return 2.5;
    case Look::BlueGlass:
        return 3;
    }
    return 1;
}

// The well of a check box or radio button: white for most styles, filled
// with the accent when Protein shows it checked.
void PaintWell(ArtCanvas& c, const RectF& box, double radius, bool checked, bool disabled, const ArtStyle& s)
{
    TColor border = disabled ? Mix(s.face_border, s.form_background, 0.55) : s.face_border;
    TColor top = Hex(0xE4E4E4), bottom = clWhite;
    switch (s.look) {
    case Look::MacOS:
        top = Hex(0xCFCFCF);
        bottom = Hex(0xFAFAFA);
        break;
    case Look::WinXP:
        top = Hex(0xDCDBD3);
        bottom = clWhite;
        border = disabled ? Hex(0xC9C7BA) : Hex(0x1C5180);
        break;
    case Look::DeepBlue:
        top = Hex(0xC9D3E8);
        bottom = clWhite;
        break;
    case Look::Protein:
        top = Hex(0xF0F0F0);
        bottom = clWhite;
        if (checked) {
            top = Lighter(s.accent, 0.15);
            bottom = s.accent;
            border = s.accent_dark;
        }
        break;
    case Look::BlueGlass:
        top = Hex(0xD8EAFD);
        bottom = clWhite;
        break;
    }
    if (disabled) {
        top = Mix(top, s.form_background, 0.6);
        bottom = Mix(bottom, s.form_background, 0.6);
    }
    c.FillRoundRect(box, radius, VerticalGradient(box.top, box.bottom, top, bottom));
    c.StrokeRoundRect(box, radius, 1, Flat(border));
}

TColor MarkColor(bool disabled, const ArtStyle& s)
{
    TColor mark = s.look == Look::Protein ? clWhite
        : s.look == Look::WinXP           ? s.accent
        : s.look == Look::MacOS           ? clBlack
                                          : s.accent_dark;
    if (disabled)
        mark = s.look == Look::Protein ? Lighter(s.accent, 0.75) : Mix(mark, s.form_background, 0.6);
    return mark;
}

}

void PaintPushButton(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    RectF r { 0, 0, double(c.Width()), double(c.Height()) };
    double radius = std::min(s.radius, r.Height() / 2 - 1);
    BeginShaped(c, s.form_background);
    PaintFace(c, r, radius, StateOfTriple(f.index), s);
    EndShaped(c, f, InsideRoundRect(r, radius));
}

void PaintCheckBox(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    bool checked = CheckedFrame(f.index), disabled = DisabledFrame(f.index);
    c.Fill(s.form_background);
    RectF box = GlyphBox(c);
    PaintWell(c, box, BoxRadius(s), checked, disabled, s);
    if (checked) {
        RectF mark = box.Inset(box.Width() > 11 ? 2.5 : 2);
        DrawGlyph(c, Glyph::Tick, mark, box.Width() > 11 ? 2 : 1.6, Flat(MarkColor(disabled, s)));
    }
}

void PaintRadioButton(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    bool checked = CheckedFrame(f.index), disabled = DisabledFrame(f.index);
    RectF box = GlyphBox(c);
    BeginShaped(c, s.form_background);
    PaintWell(c, box, box.Width() / 2, checked, disabled, s);
    if (checked) {
        double d = std::round(box.Width() * 0.42);
        double cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
        RectF dot { cx - d / 2, cy - d / 2, cx + d / 2, cy + d / 2 };
        TColor mark = MarkColor(disabled, s);
        c.FillEllipse(dot, VerticalGradient(dot.top, dot.bottom, Lighter(mark, 0.35), mark));
    }
    EndShaped(c, f, InsideEllipse(box));
}

void PaintPanelButton(ArtCanvas& c, const ArtFrame& f, const ArtStyle& s)
{
    bool hot = f.index % 2 == 1;
    bool pushed = f.index >= 2;
    RectF r { 0, 0, double(c.Width()), double(c.Height()) };
    c.Fill(s.form_background);
    TColor top = hot ? Hex(0xF2F7FF) : Hex(0xFBFBFB), bottom = hot ? Hex(0xC6DAF6) : Hex(0xD9D9D9);
    TColor border = hot ? Hex(0x3D6FB8) : Hex(0x6E6E6E);
    c.FillRect({ 0, 0, c.Width(), c.Height() }, VerticalGradient(0, r.bottom, top, bottom));
    c.StrokeRoundRect(r, 0, 1, Flat(border));
    RectF glyph { 3, 2.5, r.right - 3, r.bottom - 2.5 };
    DrawGlyph(c, pushed ? Glyph::ChevronDown : Glyph::ChevronUp, glyph, 1.6, Flat(hot ? Hex(0x1F4A8A) : Hex(0x303030)));
}

void PaintComboButton(ArtCanvas& c, const ArtFrame&, const ArtStyle& s)
{
    RectF r { 0, 0, double(c.Width()), double(c.Height()) };
    c.Fill(s.form_background);
    PaintFace(c, r, std::min(s.radius, 2.0), FaceState::Normal, s);
    double cx = r.Width() / 2, cy = r.Height() / 2;
    DrawGlyph(
        c, Glyph::ArrowDown, { cx - 3.5, cy - 3.5, cx + 3.5, cy + 3.5 }, 1, Flat(GlyphColor(FaceState::Normal, s)));
}

}
