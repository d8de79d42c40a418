#pragma once

// TGraphicControl: a control without a window of its own. Its parent paints
// it after itself (Paint on the parent's canvas, origin at the control's top
// left, clipped to it) and hands it the mouse messages over it.

#include "platform/components/controls/control.h"

#include "platform/components/controls/control_canvas.h"

namespace pellamo {

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The canvas of the paint in progress, else one on the parent's window
    // placed and clipped to this control (throws without a parent window).
    pellamo::Canvas& Canvas();

protected:
    virtual void Paint() { }
    void PaintTo(pellamo::Canvas& canvas) override;

private:
    ControlCanvas canvas_;
};

}
