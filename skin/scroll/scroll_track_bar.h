#pragma once

// TsuiScrollTrackBar: the track of a scroll bar. It never takes the focus
// (nor does its slider), draws no theme pictures of its own (the scroll
// bar gives it its slider and clears its bar, so its colour shows) and
// leaves the wheel to the scroll bar.

#include "skin/scroll/track_bar.h"

namespace pellamo {

class TsuiScrollTrackBar : public TsuiTrackBar {
public:
    explicit TsuiScrollTrackBar(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    bool CustomPicture() const override { return true; }
    bool SUICanFocus() const override { return false; }
    bool SliderTransparent() const override { return false; }

    // The slider takes the size of its picture (and keeps its place until
    // the track places it again).
    void UpdateSliderSize();
    // Places the slider for the current position without a notice (after
    // its picture changed length).
    void ReplaceSlider() { PlaceSlider(); }
    bool SliderVisible() const;
    void SetSliderVisible(bool visible);

protected:
    // The scroll bar gives it its thickness.
    bool FitsThickness() const override { return false; }
    int32_t WheelStep() const override { return 0; }
};

}
