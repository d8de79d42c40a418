#pragma once

// A radio button that belongs to a TsuiRadioGroup: created and freed by the
// group; it checks itself only while the group allows changes, and draws
// its focus rectangle when it is the checked one and the group or the
// button has the focus.

#include "skin/checks/radio_button.h"

namespace pellamo {

class TsuiRadioGroup;

class TsuiRadioGroupButton : public TsuiRadioButton {
public:
    TsuiRadioGroupButton(TComponent* owner, TsuiRadioGroup& group);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

protected:
    bool NeedDrawFocus() const override;
    void DoClick() override;

private:
    TsuiRadioGroup& group_;
};

}
