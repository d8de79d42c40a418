#pragma once

// TsuiSpinButtons: the up and down arrow buttons of a spin edit, stacked
// and overlapping by one pixel, never narrower than 15 pixels. A click on
// either, and each repeat tick while it is held (every 400 ms), raises
// OnUpClick or OnDownClick with the pair as sender.

#include "platform/components/controls/win_control.h"
#include "skin/buttons/arrow_button.h"
#include "skin/theme_data/ui_style.h"

namespace pellamo {

class TsuiFileTheme;

// Where the two buttons go in a pair of a requested size (the width at
// least 15): the up button on top, H / 2 + 1 high, the down button from one
// pixel above its bottom to the bottom.
struct SpinButtonsLayout {
    Size size;
    Rect up;
    Rect down;
};
SpinButtonsLayout LayOutSpinButtons(int width, int height);

class TsuiSpinButtons : public TWinControl {
public:
    explicit TsuiSpinButtons(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The up button's; DeepBlue before there is one.
    TsuiUIStyle UIStyle() const;
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const;
    // Both buttons' file theme, then the style again.
    void SetFileTheme(TsuiFileTheme* theme);

    TsuiArrowButton* UpButton() const { return up_; }
    TsuiArrowButton* DownButton() const { return down_; }

    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void Resize() override;
    void Loaded() override;
    void KeyDown(UINT& key, TShiftState shift) override;

private:
    // Places the buttons for a size; false while loading or before the
    // buttons exist.
    bool AdjustSize(int& width, int& height);
    void FitToButtons();

    TsuiArrowButton* up_ = nullptr;
    TsuiArrowButton* down_ = nullptr;
    bool fitting_ = false;
};

}
