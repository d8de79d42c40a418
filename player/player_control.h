#pragma once

#include "platform/components/controls/custom_control.h"
#include "player/player_view.h"

#include <string>

namespace pellamo {

// A player control on the form: one engine of its own (started with the
// first address), painted into the control's window, full screen on a
// double-click on the picture or F. The two player classes differ in their
// published properties and in whether the face has its bar.
class TPlayerControl : public TCustomControl {
public:
    ~TPlayerControl() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The address playing (UTF-16, as callers hand it): non-empty plays,
    // empty stops and releases. Errors show in the control, never thrown.
    const std::u16string& Address() const { return view_.Address(); }
    void SetAddress(const std::u16string& address) { view_.SetAddress(address); }

    PlayerView& View() { return view_; }
    const PlayerView& View() const { return view_; }

protected:
    TPlayerControl(TComponent* owner, bool with_bar);

    void Paint() override;
    void WndProc(TMessage& message) override;
    void KeyDown(UINT& key, TShiftState shift) override;
    void BoundsChanged(const Rect& old_bounds) override;
    void VisibleChanged() override;
    void DestroyWnd() override;
    void CreateParams(TCreateParams& params) override;

private:
    PlayerView view_;
};

}
