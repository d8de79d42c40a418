#pragma once

// TsuiRadioButton: a check box drawn from the style's radio strip that
// only ever checks itself; checking it unchecks the other radio buttons of
// the same parent and GroupIndex. Space and Enter leave it alone; the
// arrow keys move to the neighbouring radio button of its group and check
// it, and focus arriving from a radio-group button checks it.

#include "skin/checks/check_box.h"

namespace pellamo {

class TsuiRadioButton : public TsuiCheckBox {
public:
    explicit TsuiRadioButton(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void WndProc(TMessage& message) override;
    int GroupIndex() const { return group_index_; }
    void SetGroupIndex(int index) { group_index_ = index; }

protected:
    bool GetPicTransparent() const override { return true; }
    ThemeItem GetPicThemeIndex() const override { return ThemeItem::RadioButtonImage; }
    void CheckStateChanged() override;
    void DoClick() override;
    bool WantKeyUp() const override { return false; }
    void KeyDown(UINT& key, TShiftState shift) override;

private:
    void UnCheckGroup();
    // The radio buttons of this one's group on its parent, in tab order.
    std::vector<TsuiRadioButton*> Group() const;

    int group_index_ = 0;
};

}
