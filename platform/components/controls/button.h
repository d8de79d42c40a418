#pragma once

// TButton: a push button. A click (mouse, Space, Enter while focused, or
// Enter/Esc on its form when it is the Default/Cancel button) raises
// OnClick and then hands ModalResult to its form.

#include "platform/components/controls/custom_control.h"

namespace pellamo {

class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    bool Default() const { return default_; }
    void SetDefault(bool on);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    bool ClicksOnDialogKey(UINT key) const override;
    TModalResult ModalResult() const { return modal_result_; }
    void SetModalResult(TModalResult r) { modal_result_ = r; }
    bool Pressed() const { return pressed_; }

    void Click() override;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void KeyDown(UINT& key, TShiftState shift) override;
    void KeyUp(UINT& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    void SetPressed(bool on);
    bool default_ = false;
    bool cancel_ = false;
    TModalResult modal_result_ = mrNone;
    bool pressed_ = false;
    bool space_down_ = false;
};

}
