#include "skin/groups/radio_group.h"

#include "platform/components/props.h"
#include "skin/checks/arrow_key_step.h"
#include "skin/groups/radio_group_button.h"

namespace pellamo {

TsuiRadioGroup::TsuiRadioGroup(TComponent* owner)
    : TsuiCheckGroup(owner)
{
}

const ClassInfo& TsuiRadioGroup::StaticClass()
{
    using C = TsuiRadioGroup;
    static const ClassInfo info("TsuiRadioGroup", &TsuiCheckGroup::StaticClass(),
        { props::Int<C>("ItemIndex", &C::ItemIndex, &C::SetItemIndex) }, FactoryOf<C>());
    return info;
}

TsuiCheckBox* TsuiRadioGroup::CreateAButton() { return new TsuiRadioGroupButton(this, *this); }

int TsuiRadioGroup::ItemIndex() const
{
    for (int i = 0; i < ButtonCount(); ++i)
        if (Buttons(i)->Checked())
            return i;
    return -1;
}

void TsuiRadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= ButtonCount())
        return;
    if (index == -1) {
        for (int i = 0; i < ButtonCount(); ++i)
            Buttons(i)->SetChecked(false);
        return;
    }
    // Checking one radio button unchecks the others of its parent.
    Buttons(index)->SetChecked(true);
}

void TsuiRadioGroup::FocusUpdate()
{
    int index = ItemIndex();
    if (index >= 0 && index < Items().Count() && index < ButtonCount() && Buttons(index)->CanFocus())
        Buttons(index)->SetFocus();
}

void TsuiRadioGroup::KeyDown(UINT& key, TShiftState shift)
{
    auto alive = AliveFlag();
    TsuiCheckGroup::KeyDown(key, shift);
    if (!*alive || !Focused() || !CanModify())
        return;
    // Nothing chosen yet: the arrow keys choose the first or last button
    // that can take the focus, and the focus goes there.
    int step = ArrowKeyStep(key);
    if (step == 0)
        return;
    bool forward = step > 0;
    key = 0;
    int count = ButtonCount();
    for (int n = 0; n < count; ++n) {
        int i = forward ? n : count - 1 - n;
        if (Buttons(i)->CanFocus()) {
            SetItemIndex(i);
            if (*alive && Buttons(i)->CanFocus())
                Buttons(i)->SetFocus();
            return;
        }
    }
}

}
