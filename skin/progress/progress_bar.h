#pragma once

// TsuiProgressBar: a bar that fills with the style's progress picture as
// Position runs from Min to Max and shows the percentage ("50%") in its
// middle. Positions are not clamped: 150 of 0..100 reads "150%" on a full
// bar. A vertical bar fills from the bottom with the picture turned a
// quarter, and shows no caption.

#include "platform/components/controls/panel.h"
#include "platform/components/controls/picture.h"
#include "skin/theme/bar_orientation.h"
#include "skin/theme/style_choice.h"

#include <cstdint>

namespace pellamo {

class TsuiFileTheme;

class TsuiProgressBar : public TCustomPanel {
public:
    explicit TsuiProgressBar(TComponent* owner);
    ~TsuiProgressBar() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int32_t Min() const { return min_; }
    void SetMin(int32_t value);
    int32_t Max() const { return max_; }
    void SetMax(int32_t value);
    int32_t Position() const { return position_; }
    void SetPosition(int32_t value);
    void StepIt() { StepBy(1); }
    void StepBy(int32_t delta);

    TsuiProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TsuiProgressBarOrientation orientation);
    TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme);

    // The fill; replaced by the style's at the next change of style, file
    // theme or orientation.
    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    void SetPicture(const TPicture& picture);
    // The unfilled part (the panel's own colour is not used).
    TColor Color() const { return bar_color_; }
    void SetColor(TColor color);
    TColor BorderColor() const { return border_color_; }
    void SetBorderColor(TColor color);
    TColor CaptionColor() const { return caption_color_; }
    void SetCaptionColor(TColor color);
    bool ShowCaption() const { return show_caption_; }
    void SetShowCaption(bool on);
    // Hides the caption while Position equals Min.
    bool SmartShowCaption() const { return smart_show_caption_; }
    void SetSmartShowCaption(bool on);

    // (Position - Min) * 100 / (Max - Min), truncated; 0 for Max = Min.
    int64_t GetPercentFromPosition() const;
    // How many of `length` pixels the fill covers.
    int GetWidthFromPosition(int length) const;

protected:
    void Paint() override;
    bool EraseBackground(DeviceContext&) override { return true; }
    void Notification(TComponent* component, TOperation operation) override;

private:
    void UpdateCaption();
    // Takes the picture and colours of the current style or file theme.
    void UpdatePicture();

    StyleChoice style_;
    TPicture picture_;
    int32_t min_ = 0;
    int32_t max_ = 100;
    int32_t position_ = 50;
    TsuiProgressBarOrientation orientation_ = TsuiProgressBarOrientation::suiHorizontal;
    TColor bar_color_ = clWhite;
    TColor border_color_ = clBlack;
    TColor caption_color_ = clBlack;
    bool show_caption_ = true;
    bool smart_show_caption_ = false;
};

}
