#pragma once

// TsuiTrackBar: a slider control drawn from the style's pictures: a bar
// (TrackBarBarImage) stretched along the control, a slider
// (TrackBarSliderImage, TrackBarSliderVImage when vertical) that is a child
// panel of its own, optional tick marks. The value follows the keys
// (arrows by LineSize, Page Up/Down by PageSize, Home, End), the wheel
// (LineSize a notch), a drag of the slider, and a press on the bar, which
// pages toward the pointer at once and then every 100 ms while held, the
// slider stopping under the pointer.
//
// Min <= Position <= Max after every write; OnChange fires exactly when
// Position differs from its value at the last notice (LastChange is the
// difference), whatever moved it.
//
// Pictures: the style's, reloaded at every update, until BarImage or
// SliderImage is written (by code or a description); from then on the
// written pictures stay until UIStyle or FileTheme is written again.

#include "platform/components/controls/panel.h"
#include "platform/components/controls/picture.h"
#include "skin/scroll/wheel_notches.h"
#include "skin/theme/bar_orientation.h"
#include "skin/theme/style_choice.h"

#include <cstdint>

namespace pellamo {

class TsuiFileTheme;
class TsuiImagePanel;

class TsuiTrackBar : public TCustomPanel {
public:
    explicit TsuiTrackBar(TComponent* owner);
    ~TsuiTrackBar() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TsuiProgressBarOrientation orientation);
    bool Vertical() const { return orientation_ == TsuiProgressBarOrientation::suiVertical; }
    TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme);

    TPicture& BarImage() { return bar_image_; }
    void SetBarImage(const TPicture& picture) { bar_image_.Assign(picture); }
    TPicture& SliderImage();
    virtual void SetSliderImage(const TPicture& picture);

    int32_t Min() const { return min_; }
    void SetMin(int32_t value);
    int32_t Max() const { return max_; }
    void SetMax(int32_t value);
    int32_t Position() const { return position_; }
    void SetPosition(int32_t value);
    // Kept only when 0 <= value <= Max.
    int32_t PageSize() const { return page_size_; }
    void SetPageSize(int32_t value);
    int32_t LineSize() const { return line_size_; }
    void SetLineSize(int32_t value);
    bool ShowTick() const { return show_tick_; }
    void SetShowTick(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    int32_t Frequency() const { return frequency_; }
    void SetFrequency(int32_t value);
    int32_t LastChange() const { return last_change_; }

    // Whether the slider is being dragged, or a press on the bar pages.
    bool Dragging() const { return dragging_; }
    bool Paging() const { return paging_; }

    // Takes the style's bar and slider pictures unless CustomPicture.
    virtual void UpdatePicture();
    virtual bool CustomPicture() const { return custom_picture_; }
    // Whether mouse actions give the track the focus.
    virtual bool SUICanFocus() const { return true; }
    virtual bool SliderTransparent() const { return !Vertical(); }

    TNotifyEvent OnChange;

protected:
    TsuiImagePanel& Slider() const;
    // Pictures, the bar buffer and the size fitted to them, then the slider.
    void UpdateControl();
    // The slider to the place of Position, a repaint, and the change notice.
    void UpdateSlider();
    // The slider to the place of Position, nothing else.
    void PlaceSlider();
    // Whether the track takes the thickness of its pictures.
    virtual bool FitsThickness() const { return true; }
    // Gives the bar and the slider these pictures, as the style's own (not
    // as pictures of the user's, which would make the track custom).
    void LoadPictures(const Bitmap& bar, const Bitmap& slider);
    // Values a wheel notch moves; 0 leaves the wheel to the parent.
    virtual int32_t WheelStep() const { return line_size_; }

    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(UINT& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void WndProc(TMessage& message) override;
    bool EraseBackground(DeviceContext&) override { return true; }

private:
    class TrackSlider;
    friend class TrackSlider;

    int TrackLength() const;
    int SliderLength() const;
    // Position := value (clamped), with the slider and the notice, as a
    // drag does: the track is not repainted.
    void Follow(int64_t value);
    // Writes Position and gives the notice if it changed since the last.
    void Notify();
    void PageStep(int pointer, int32_t step);
    void StartPaging();
    void StopPaging();
    void EndPress();
    void SliderPressed(TShiftState shift, int x, int y);
    void SliderReleased(TShiftState shift, int x, int y);
    void SliderPictureChanged();
    void TakeFocusFromMouse();
    void FitSize();

    StyleChoice style_;
    TsuiImagePanel* slider_ = nullptr;
    TPicture bar_image_;
    Bitmap bar_buffer_;
    TsuiProgressBarOrientation orientation_ = TsuiProgressBarOrientation::suiHorizontal;
    int32_t min_ = 0;
    int32_t max_ = 10;
    int32_t position_ = 0;
    int32_t last_position_ = 0;
    int32_t last_change_ = 0;
    int32_t page_size_ = 2;
    int32_t line_size_ = 1;
    int32_t frequency_ = 1;
    bool show_tick_ = true;
    bool transparent_ = false;
    bool custom_picture_ = false;
    bool loading_pictures_ = false; // the style's pictures are being taken
    bool dragging_ = false;
    bool paging_ = false;
    bool fitting_ = false;
    WheelNotches wheel_;
};

}
