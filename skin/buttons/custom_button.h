#pragma once

// TsuiCustomButton: what every skinned button shares. It follows the
// pointer and the keys (ButtonState), repeats OnMouseContinuouslyDown while
// the left button is held on it, answers Enter as the form's default button
// (the focused skinned button, else the Default one) and Esc as its cancel
// button, clicks on its caption's Alt accelerator, and paints itself whole
// into a bitmap of its own size, copied in one step:
//
//   state picture (PaintButtonNormal/MouseOn/MouseDown/Disabled), on the
//   background (Color, or the parent behind it when Transparent), drawn by
//   PaintPic; then the focus mark (PaintFocus) and the caption (PaintText).
//
// Derived buttons change the pictures and the painters; the pictures of a
// style are taken from the theme when the style or the file theme changes.

#include "platform/components/controls/custom_control.h"
#include "skin/buttons/button_look.h"
#include "skin/buttons/button_state.h"
#include "skin/theme/style_choice.h"

#include <string>

namespace pellamo {

class TsuiFileTheme;

class TsuiCustomButton : public TCustomControl {
public:
    explicit TsuiCustomButton(TComponent* owner);
    ~TsuiCustomButton() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    bool Default() const { return default_; }
    void SetDefault(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    TModalResult ModalResult() const { return modal_result_; }
    void SetModalResult(TModalResult result) { modal_result_ = result; }
    virtual TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme);
    bool PicTransparent() const { return pic_transparent_; }
    void SetPicTransparent(bool on);
    int MouseContinuouslyDownInterval() const { return repeat_interval_; }
    void SetMouseContinuouslyDownInterval(int ms) { repeat_interval_ = ms; }
    int FocusedRectMargin() const { return focus_margin_; }
    void SetFocusedRectMargin(int margin);

    // This button answers Enter now: it has the focus, or it is the Default
    // button and no other skinned button has the focus.
    bool Active() const { return active_; }
    bool Hover() const { return state_.Hover(); }
    bool Pressed() const { return state_.Pressed(); }
    // Whether the repeat timer exists (from a press to its release).
    bool RepeatTimerRunning() const { return repeat_running_; }

    void WndProc(TMessage& message) override;
    void Click() override;
    bool ClicksOnDialogKey(UINT key) const override;
    void FocusChanged(TWinControl* focused) override;
    bool DialogChar(char16_t ch) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

protected:
    virtual void AutoSizeChanged();
    virtual void CaptionChanged() { }
    virtual void TransparentChanged();
    virtual void EnableChanged() { }
    virtual void UIStyleChanged() { }
    // Draw the state picture (and what goes with it) onto the button's bitmap.
    virtual void PaintPic(pellamo::Canvas& canvas, Bitmap& picture);
    virtual void PaintText(pellamo::Canvas& canvas, const std::string& text);
    virtual void PaintFocus(pellamo::Canvas& canvas);
    // Fill `picture` for each state.
    virtual void PaintButtonNormal(Bitmap& picture);
    virtual void PaintButtonMouseOn(Bitmap& picture);
    virtual void PaintButtonMouseDown(Bitmap& picture);
    virtual void PaintButtonDisabled(Bitmap& picture);

    // The push-button pictures of the current style.
    const ButtonLook& Look() const { return look_; }
    // Where the current style's items come from.
    ThemeSource Theme() const { return style_.Theme(); }
    // The next caption is drawn bold (a focus mark of some styles).
    void SetBoldCaption(bool on) { bold_caption_ = on; }
    bool BoldCaption() const { return bold_caption_; }

    void Paint() override;
    bool EraseBackground(DeviceContext&) override { return true; }
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(UINT& key, TShiftState shift) override;
    void KeyUp(UINT& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Apply(unsigned actions);
    void StartRepeat();
    void StopRepeat();
    void RepeatTick();
    void PaintBackground(pellamo::Canvas& canvas);
    void ResolveLook();

    StyleChoice style_;
    ButtonState state_;
    ButtonLook look_;
    bool auto_size_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool transparent_ = false;
    TModalResult modal_result_ = mrNone;
    bool bold_caption_ = false;
    bool pic_transparent_ = false;
    int repeat_interval_ = 100;
    bool repeat_running_ = false;
    int focus_margin_ = 2;
    bool active_ = false;
};

}
