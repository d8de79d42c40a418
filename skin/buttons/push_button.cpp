#include "skin/buttons/push_button.h"

#include "platform/components/props.h"
#include "skin/buttons/button_face.h"
#include "skin/draw/nine_piece.h"

namespace pellamo {

TsuiButton::TsuiButton(TComponent* owner)
    : TsuiCustomButton(owner)
{
    SetBounds(Left(), Top(), 80, 27);
    glyph_.OnChange = [this] { Invalidate(); };
    UIStyleChanged();
}

TsuiButton::~TsuiButton() { glyph_.OnChange = nullptr; }

const ClassInfo& TsuiButton::StaticClass()
{
    using B = TsuiButton;
    static const ClassInfo info("TsuiButton", &TsuiCustomButton::StaticClass(),
        {
            props::Object<B>("Glyph", [](B& b) -> TStoredBitmap& { return b.glyph_; }),
            props::Enum<B>("Layout", ButtonLayoutNames(), &B::Layout, &B::SetLayout),
            props::Int<B>("Spacing", &B::Spacing, &B::SetSpacing),
            props::Int<B>("ResHandle", &B::ResHandle, &B::SetResHandle),
        },
        FactoryOf<B>());
    return info;
}

void TsuiButton::SetLayout(TButtonLayout layout)
{
    layout_ = layout;
    Invalidate();
}

void TsuiButton::SetSpacing(int spacing)
{
    spacing_ = spacing;
    Invalidate();
}

void TsuiButton::UIStyleChanged()
{
    // Every style change sets Transparent (and with it PicTransparent).
    SetTransparent(Look().transparent);
}

void TsuiButton::PaintPic(pellamo::Canvas& canvas, Bitmap& picture)
{
    canvas.font = Font().GetFont();
    Size size { Width(), Height() };
    SpitDraw(picture, canvas, { 0, 0, size.cx, size.cy }, PicTransparent());
    if (glyph_.Empty())
        return;
    Size caption = canvas.TextExtent(Caption());
    GlyphPlacement place = PlaceGlyph(size, caption, { glyph_.Width(), glyph_.Height() }, layout_, spacing_);
    caption_origin_ = place.caption;
    PaintGlyph(canvas, glyph_.Graphic(), place, Enabled(), Pressed());
}

void TsuiButton::PaintText(pellamo::Canvas& canvas, const std::string& text)
{
    if (glyph_.Empty()) {
        TsuiCustomButton::PaintText(canvas, text);
        return;
    }
    PaintCaptionAt(canvas, { Width(), Height() }, caption_origin_, text, Font().GetFont(), Enabled(), Pressed());
    SetBoldCaption(false); // beside a glyph the caption is never bold
}

void TsuiButton::PaintFocus(pellamo::Canvas& canvas)
{
    if (UIStyle() == TsuiUIStyle::MacOS || UIStyle() == TsuiUIStyle::BlueGlass)
        SetBoldCaption(true);
    else
        TsuiCustomButton::PaintFocus(canvas);
}

}
