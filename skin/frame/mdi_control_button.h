#pragma once

// MdiControlButton: a minimise, restore or close button of the MDI frame's
// menu bar while a child is maximised. It shows the pictures of the
// child's own title bar button (normal, under the pointer, pressed) over
// the menu bar's own background, so the bar's pattern runs on under it
// (the title bar's ground round the button's face is left out); without
// pictures it is the plain glyph button.

#include "platform/gfx/bitmap.h"
#include "skin/buttons/tool_bar_speed_button.h"

#include <functional>

namespace pellamo {

class Canvas;
class TsuiTitleBarButton;

class MdiControlButton : public TsuiToolBarSpeedButton {
public:
    // Paints the bar's background for the button at `bounds` (the
    // button's place on its parent) into the button's canvas.
    using BackgroundPainter = std::function<void(pellamo::Canvas& canvas, const Rect& bounds)>;

    MdiControlButton(TComponent* owner, BackgroundPainter background);

    // The pictures of `source`; null drops them. The button takes the
    // normal picture's size.
    void TakePictures(const TsuiTitleBarButton* source);
    bool HasPictures() const { return !normal_.Empty(); }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    BackgroundPainter background_;
    Bitmap normal_;
    Bitmap over_;
    Bitmap down_;
    bool transparent_ = false;
    bool pressed_ = false;
};

}
