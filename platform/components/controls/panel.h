#pragma once

// TCustomPanel / TPanel: a container with raised or lowered bevels and a
// caption drawn in its middle (left or right by Alignment).

#include "platform/components/controls/custom_control.h"

namespace pellamo {

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TBevelCut BevelInner() const { return bevel_inner_; }
    void SetBevelInner(TBevelCut b);
    TBevelCut BevelOuter() const { return bevel_outer_; }
    void SetBevelOuter(TBevelCut b);
    int BevelWidth() const { return bevel_width_; }
    void SetBevelWidth(int w);
    TBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TBorderStyle s);
    bool FullRepaint() const { return full_repaint_; }
    void SetFullRepaint(bool on) { full_repaint_ = on; }

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    Rect AlignRect() const override;
    // Where the caption goes (inside the bevels).
    Rect CaptionRect() const;

private:
    int BevelTotal() const;
    TAlignment alignment_ = TAlignment::taCenter;
    TBevelCut bevel_inner_ = TBevelCut::bvNone;
    TBevelCut bevel_outer_ = TBevelCut::bvRaised;
    int bevel_width_ = 1;
    TBorderStyle border_style_ = TBorderStyle::bsNone;
    bool full_repaint_ = true;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
