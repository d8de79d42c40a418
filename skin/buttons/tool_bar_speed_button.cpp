#include "skin/buttons/tool_bar_speed_button.h"

#include "platform/components/props.h"

namespace pellamo {

TsuiToolBarSpeedButton::TsuiToolBarSpeedButton(TComponent* owner)
    : TCustomPanel(owner)
{
    control_style_ = { csCaptureMouse, csClickEvents, csOpaque };
    SetBounds(Left(), Top(), 18, 18);
}

const ClassInfo& TsuiToolBarSpeedButton::StaticClass()
{
    using B = TsuiToolBarSpeedButton;
    static const ClassInfo info("TsuiToolBarSpeedButton", &TCustomPanel::StaticClass(),
        { props::Object<B>("Glyph", [](B& b) -> TStoredBitmap& { return b.glyph_; }) }, FactoryOf<B>());
    return info;
}

void TsuiToolBarSpeedButton::MouseEnter()
{
    TCustomPanel::MouseEnter();
    hover_ = true;
    Invalidate();
}

void TsuiToolBarSpeedButton::MouseLeave()
{
    TCustomPanel::MouseLeave();
    hover_ = false;
    Invalidate();
}

void TsuiToolBarSpeedButton::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    Bitmap buffer(Width(), Height());
    pellamo::Canvas canvas(buffer);
    canvas.brush = SolidBrush(Color());
    canvas.FillRect({ 0, 0, Width(), Height() });
    if (!glyph_.Empty()) {
        if (hover_) {
            canvas.brush = SolidBrush(clBlack);
            canvas.FrameRect(ClientRect());
        }
        Bitmap glyph = glyph_.Graphic();
        glyph.SetTransparent(true);
        canvas.Draw(1, 1, glyph);
    }
    Canvas().Draw(0, 0, buffer);
}

}
