#include "skin/groups/check_group_button.h"

#include "platform/components/props.h"
#include "skin/checks/arrow_key_step.h"
#include "skin/groups/check_group.h"

namespace pellamo {

TsuiCheckGroupButton::TsuiCheckGroupButton(TComponent* owner, TsuiCheckGroup& group)
    : TsuiCheckBox(owner)
    , group_(group)
{
}

const ClassInfo& TsuiCheckGroupButton::StaticClass()
{
    // Made by its group only, so no factory.
    static const ClassInfo info("TsuiCheckGroupButton", &TsuiCheckBox::StaticClass(), {});
    return info;
}

void TsuiCheckGroupButton::KeyDown(UINT& key, TShiftState shift)
{
    auto alive = AliveFlag();
    TsuiCheckBox::KeyDown(key, shift);
    if (!*alive)
        return;
    // The arrow keys move the focus along the group's buttons, as Tab
    // would between separate check boxes; Space then toggles.
    int step = ArrowKeyStep(key);
    if (step == 0)
        return;
    key = 0;
    int count = group_.ButtonCount();
    int at = 0;
    while (at < count && group_.Buttons(at) != this)
        ++at;
    for (int i = at + step; i >= 0 && i < count; i += step)
        if (group_.Buttons(i)->CanFocus()) {
            group_.Buttons(i)->SetFocus();
            return;
        }
}

}
