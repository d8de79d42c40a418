#pragma once

// TsuiRadioGroup: a check group of radio buttons, one of which is chosen
// (ItemIndex, -1 for none). Changing the choice, by the user or by code,
// raises the group's OnClick once. The arrow keys move the choice along
// the buttons; the focus arriving at the group goes to the chosen one.

#include "skin/groups/check_group.h"

namespace pellamo {

class TsuiRadioGroup : public TsuiCheckGroup {
public:
    explicit TsuiRadioGroup(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The first checked button, -1 when none is.
    int ItemIndex() const;
    // -1 unchecks every button; values outside -1 .. count - 1 are ignored.
    void SetItemIndex(int index);

    // Whether the user may change the choice (derived groups may refuse).
    virtual bool CanModify() const { return true; }

protected:
    TsuiCheckBox* CreateAButton() override;
    void FocusUpdate() override;
    void KeyDown(UINT& key, TShiftState shift) override;
};

}
