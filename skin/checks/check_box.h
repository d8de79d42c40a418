#pragma once

// TsuiCheckBox: a frame of the style's check-box strip with the caption
// beside it, painted whole into a bitmap of its own. A click (mouse, Space
// or Enter released, Alt accelerator) toggles Checked; OnClick is the check
// box's own event and fires whenever Checked changes, by the user or by
// code, except while its description is being read. With AutoSize the
// control takes the size of its picture and caption when it paints.

#include "platform/components/controls/custom_control.h"
#include "platform/gfx/bitmap.h"
#include "skin/theme/style_choice.h"

#include <array>

namespace pellamo {

class TsuiFileTheme;

class TsuiCheckBox : public TCustomControl {
public:
    explicit TsuiCheckBox(TComponent* owner);
    ~TsuiCheckBox() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    // cbChecked or cbUnchecked; writing cbGrayed unchecks.
    TCheckBoxState State() const { return checked_ ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked; }
    void SetState(TCheckBoxState state) { SetChecked(state == TCheckBoxState::cbChecked); }
    TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);

    // With AutoSize: takes the size of the picture and caption now (painting
    // does it too, but a control placed by its size wants it before).
    void AdjustSize();

    void Click() override;
    bool DialogChar(char16_t ch) override;

    // The check box's own click event (the control's OnClick stays unused).
    TNotifyEvent OnClick;

protected:
    virtual bool NeedDrawFocus() const { return TabStop() && Focused(); }
    virtual bool GetPicTransparent() const { return false; }
    virtual ThemeItem GetPicThemeIndex() const { return ThemeItem::CheckBoxImage; }
    virtual void CheckStateChanged();
    virtual void Toggle() { }
    virtual void DoClick();
    virtual bool WantKeyUp() const { return true; }

    // Takes the four frames of the style's strip again.
    void ResolveLook();
    // Whether the control is being read from a description (OnClick stays quiet).
    bool Loading() const { return HasState(csLoading); }

    void Paint() override;
    bool EraseBackground(DeviceContext&) override { return true; }
    void CreateParams(TCreateParams& params) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(UINT& key, TShiftState shift) override;
    // Enter toggles a focused check box, rather than also reaching the
    // form's default button.
    bool WantsKey(UINT key) const override { return key == VK_RETURN && WantKeyUp(); }
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    // Takes the focus when it can; a refusal is no error here.
    void TryFocus();

private:
    void PaintBackground(pellamo::Canvas& canvas);

    StyleChoice style_;
    std::array<Bitmap, 4> frames_; // checked, unchecked, checked disabled, unchecked disabled
    bool checked_ = false;
    bool transparent_ = false;
    bool auto_size_ = true;
};

}
