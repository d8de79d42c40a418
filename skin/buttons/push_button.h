#pragma once

// TsuiButton: the ordinary skinned push button, drawn from the style's
// button strip stretched over the button (nine-piece), with an optional
// glyph beside the caption. Transparent follows the style (ButtonTransparentBool).
// The MacOS and BlueGlass styles show the focus by a bold caption, the
// others by a dotted rectangle.

#include "platform/components/controls/stored_bitmap.h"
#include "skin/buttons/custom_button.h"

namespace pellamo {

class TsuiButton : public TsuiCustomButton {
public:
    explicit TsuiButton(TComponent* owner);
    ~TsuiButton() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Empty by default. A glyph twice as wide as high holds an enabled and
    // a disabled image side by side.
    TStoredBitmap& Glyph() { return glyph_; }
    const TStoredBitmap& Glyph() const { return glyph_; }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    // Kept for stored forms: always 0, and writes are ignored.
    uint32_t ResHandle() const { return 0; }
    void SetResHandle(uint32_t) { }

    // Where the caption went at the last painting (with a glyph).
    Point CaptionOrigin() const { return caption_origin_; }

protected:
    void UIStyleChanged() override;
    void PaintPic(pellamo::Canvas& canvas, Bitmap& picture) override;
    void PaintText(pellamo::Canvas& canvas, const std::string& text) override;
    void PaintFocus(pellamo::Canvas& canvas) override;

private:
    TStoredBitmap glyph_;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int spacing_ = 4;
    Point caption_origin_;
};

}
