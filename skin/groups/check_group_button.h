#pragma once

// A check box that belongs to a TsuiCheckGroup: created and freed by the
// group, no tab stop of its own, and its focus rectangle shows while it
// has the focus.

#include "skin/checks/check_box.h"

namespace pellamo {

class TsuiCheckGroup;

class TsuiCheckGroupButton : public TsuiCheckBox {
public:
    TsuiCheckGroupButton(TComponent* owner, TsuiCheckGroup& group);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiCheckGroup& Group() const { return group_; }

protected:
    bool NeedDrawFocus() const override { return Focused(); }
    void KeyDown(UINT& key, TShiftState shift) override;

private:
    TsuiCheckGroup& group_;
};

}
