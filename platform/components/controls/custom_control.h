#pragma once

// TCustomControl: a windowed control that paints itself on its Canvas in
// Paint. Outside painting the canvas draws straight onto the window.

#include "platform/components/controls/win_control.h"

#include "platform/components/controls/control_canvas.h"

namespace pellamo {

// Draws a 3-D edge of `width` lines inside `rect` (top and left in one
// colour, bottom and right in the other) and shrinks `rect` past it.
void Frame3D(pellamo::Canvas& canvas, Rect& rect, TColor top_left, TColor bottom_right, int width);

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The canvas of the paint in progress, else one on the window (throws
    // when there is no window).
    pellamo::Canvas& Canvas();

protected:
    virtual void Paint() { }
    void PaintWindow(DeviceContext& dc) override;
    void DestroyWnd() override;

private:
    ControlCanvas canvas_;
};

}
