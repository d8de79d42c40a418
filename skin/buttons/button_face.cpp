#include "skin/buttons/button_face.h"

#include "platform/gfx/image_list.h"
#include "platform/gfx/pen.h"

#include <array>

namespace pellamo {

namespace {

constexpr TColor kDisabledShadow = 0xFFFFFF;
constexpr TColor kDisabledText = 0x808080;

// Measures the caption with word breaks, then draws it centred in `r`.
void DrawCentred(Canvas& canvas, const Rect& r, std::string_view caption)
{
    Rect c = r;
    canvas.DrawText(caption, c, kTextCalcRect | kTextWordBreak | kTextExpandTabs);
    int dx = (r.Width() - c.Width()) / 2;
    int dy = (r.Height() - c.Height()) / 2;
    c = c.Offset(dx, dy);
    canvas.DrawText(caption, c, kTextCenter);
}

}

void PaintStatePicture(Canvas& canvas, const Bitmap& picture, bool transparent, bool enabled)
{
    if (picture.Empty())
        return;
    ImageList list(picture.Width(), picture.Height());
    if (transparent)
        list.AddMasked(picture, picture.GetPixel(0, 0));
    else
        list.Add(picture);
    list.Draw(canvas, 0, 0, 0, enabled);
}

void PaintFocusMark(Canvas& canvas, Size client, int margin)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.DrawFocusRect({ margin, margin, client.cx - margin, client.cy - margin });
}

void PaintCentredCaption(Canvas& canvas, Size client, std::string_view caption, const Font& font, CaptionState state)
{
    canvas.brush.style = BrushStyle::Clear;
    Rect r { 0, 0, client.cx, client.cy };
    canvas.font = font;
    if (state.bold)
        canvas.font.bold = true;
    if (!state.enabled) {
        canvas.font.color = kDisabledShadow;
        DrawCentred(canvas, r.Offset(1, 1), caption);
        canvas.font.color = kDisabledText;
    } else if (state.pressed) {
        r = r.Offset(1, 1);
    }
    DrawCentred(canvas, r, caption);
}

GlyphPlacement PlaceGlyph(Size button, Size caption, Size glyph, TButtonLayout layout, int spacing)
{
    GlyphPlacement p;
    int gw = glyph.cx, gh = glyph.cy;
    if (2 * gh == gw) {
        p.two_images = true;
        gw = gh;
    }
    p.cell = { gw, gh };
    const int w = button.cx, h = button.cy, tw = caption.cx, th = caption.cy, s = spacing;
    switch (layout) {
    case TButtonLayout::blGlyphLeft:
        p.glyph = { (w - (tw + gw + s)) / 2, (h - gh) / 2 };
        p.caption = { p.glyph.x + gw + s, (h - th) / 2 };
        break;
    case TButtonLayout::blGlyphRight:
        p.glyph = { (w + tw + s - gw) / 2, (h - gh) / 2 };
        p.caption = { p.glyph.x - tw - s, (h - th) / 2 };
        break;
    case TButtonLayout::blGlyphTop:
        p.glyph = { (w - gw) / 2, (h - (th + gh + s)) / 2 };
        p.caption = { (w - tw) / 2, p.glyph.y + gh + s };
        break;
    case TButtonLayout::blGlyphBottom:
        p.glyph = { (w - gw) / 2, (h + th + s - gh) / 2 };
        p.caption = { (w - tw) / 2, p.glyph.y - th - s };
        break;
    }
    return p;
}

void PaintGlyph(Canvas& canvas, const Bitmap& glyph, const GlyphPlacement& place, bool enabled, bool pressed)
{
    if (glyph.Empty() || place.cell.cx <= 0 || place.cell.cy <= 0)
        return;
    Point at = place.glyph;
    if (pressed)
        at = { at.x + 1, at.y + 1 };
    ImageList list(place.cell.cx, place.cell.cy);
    list.AddMasked(glyph, glyph.GetPixel(0, 0));
    if (place.two_images)
        list.Draw(canvas, at.x, at.y, enabled ? 0 : 1, true);
    else
        list.Draw(canvas, at.x, at.y, 0, enabled);
}

void PaintCaptionAt(
    Canvas& canvas, Size button, Point origin, std::string_view caption, const Font& font, bool enabled, bool pressed)
{
    canvas.brush.style = BrushStyle::Clear;
    canvas.font = font;
    if (enabled && pressed)
        origin = { origin.x + 1, origin.y + 1 };
    if (!enabled) {
        canvas.font.color = kDisabledShadow;
        Rect shadow { origin.x + 1, origin.y + 1, button.cx, button.cy };
        canvas.DrawText(caption, shadow, kTextSingleLine);
        canvas.font.color = kDisabledText;
    }
    Rect r { origin.x, origin.y, button.cx, button.cy };
    canvas.DrawText(caption, r, kTextSingleLine);
}

void PaintArrow(Canvas& canvas, Size button, TsuiArrowButtonType arrow)
{
    canvas.brush = Brush { clBlack, BrushStyle::Solid, nullptr };
    canvas.pen = Pen {};
    int x0 = (button.cx - 6) / 2;
    int y0 = (button.cy - 3) / 2;
    std::array<Point, 3> up { Point { x0, y0 + 3 }, Point { x0 + 3, y0 }, Point { x0 + 6, y0 + 3 } };
    std::array<Point, 3> down { Point { x0, y0 }, Point { x0 + 3, y0 + 3 }, Point { x0 + 6, y0 } };
    canvas.Polygon(arrow == TsuiArrowButtonType::suiUp ? up : down);
}

}
