#include "skin/scroll/scroll_track_bar.h"

#include "platform/components/class_info.h"
#include "skin/panels/picture_panel.h"

namespace pellamo {

TsuiScrollTrackBar::TsuiScrollTrackBar(TComponent* owner)
    : TsuiTrackBar(owner)
{
    // The track bar's constructor took its style's pictures before this
    // class could say it has none of its own.
    LoadPictures({}, {});
    UpdateSliderSize();
    SetTabStop(false);
    Slider().SetTabStop(false);
    Slider().SetControlStyle(ControlStyle());
}

const ClassInfo& TsuiScrollTrackBar::StaticClass()
{
    static const ClassInfo info(
        "TsuiScrollTrackBar", &TsuiTrackBar::StaticClass(), {}, FactoryOf<TsuiScrollTrackBar>());
    return info;
}

void TsuiScrollTrackBar::UpdateSliderSize()
{
    TsuiImagePanel& slider = Slider();
    slider.SetAutoSize(true);
    if (slider.Picture().Empty()) // no room for a slider: none at all
        slider.SetBounds(slider.Left(), slider.Top(), 0, 0);
}

bool TsuiScrollTrackBar::SliderVisible() const { return Slider().Visible(); }

void TsuiScrollTrackBar::SetSliderVisible(bool visible)
{
    if (Slider().Visible() != visible)
        Slider().SetVisible(visible);
}

}
