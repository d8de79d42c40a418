#pragma once

// TsuiScrollBar: a scroll bar drawn from the style's pictures, made of a
// decrement arrow button, a track (TsuiScrollTrackBar) and an increment
// arrow button, laid out horizontally or vertically. It is a free-standing
// control; a scrolled view binds one and keeps it in step with itself.
//
// Min, Max, Position, PageSize (also LargeChange: one value) and OnChange
// are the track's, so OnChange handlers see the track as sender. The arrows
// move Position by SmallChange 100 ms after a press and every 100 ms while
// held on them; a quick click (released before the first repeat) moves it
// once. A press on the track pages, a drag of the slider follows the
// pointer, and a wheel notch over the bar moves SmallChange.
//
// The slider is LineButton pixels long (at least 18), or PageSize percent
// of the track when LineButton is 0.

#include "platform/components/controls/panel.h"
#include "skin/scroll/scroll_bar_look.h"
#include "skin/scroll/wheel_notches.h"
#include "skin/theme/bar_orientation.h"
#include "skin/theme/style_choice.h"

#include <cstdint>

namespace pellamo {

class TsuiFileTheme;
class TsuiImageButton;
class TsuiScrollTrackBar;

class TsuiScrollBar : public TCustomPanel {
public:
    explicit TsuiScrollBar(TComponent* owner);
    ~TsuiScrollBar() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TsuiProgressBarOrientation orientation);
    bool Vertical() const { return orientation_ == TsuiProgressBarOrientation::suiVertical; }
    TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme);

    int32_t Min() const;
    void SetMin(int32_t value);
    int32_t Max() const;
    void SetMax(int32_t value);
    int32_t Position() const;
    void SetPosition(int32_t value);
    int32_t PageSize() const;
    void SetPageSize(int32_t value);
    int32_t LargeChange() const { return PageSize(); }
    void SetLargeChange(int32_t value);
    // 1 to 32767.
    int SmallChange() const { return small_change_; }
    void SetSmallChange(int value);
    int LineButton() const { return line_button_; }
    // Ignored when equal to the current value or longer than the track.
    void SetLineButton(int value);
    bool SliderVisible() const;
    void SetSliderVisible(bool visible);
    int32_t LastChange() const;
    TNotifyEvent& OnChange();

    TsuiScrollTrackBar& Track() const { return *track_; }
    TsuiImageButton& DecrementButton() const { return *dec_; }
    TsuiImageButton& IncrementButton() const { return *inc_; }
    // The length of the track along the bar.
    int TrackLength() const;

protected:
    // The pictures of the style and orientation onto the parts.
    void UpdatePictures();
    // Buttons and track placed along the bar, then the slider rebuilt.
    void PlaceTrackBarAndButton();
    void UpdateSliderPic();

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void Resize() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    void WndProc(TMessage& message) override;
    bool EraseBackground(DeviceContext&) override { return true; }

private:
    TsuiImageButton* MakeArrow(int direction);
    void Step(int direction);

    StyleChoice style_;
    TsuiScrollTrackBar* track_ = nullptr;
    TsuiImageButton* inc_ = nullptr;
    TsuiImageButton* dec_ = nullptr;
    ScrollBarLook look_;
    TsuiProgressBarOrientation orientation_ = TsuiProgressBarOrientation::suiHorizontal;
    int16_t small_change_ = 1;
    int line_button_ = 0;
    bool placing_ = false;
    bool stepped_ = false; // a repeat tick moved the bar during this press
    WheelNotches wheel_;
};

}
