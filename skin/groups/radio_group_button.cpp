#include "skin/groups/radio_group_button.h"

#include "platform/components/props.h"
#include "skin/groups/radio_group.h"

namespace pellamo {

TsuiRadioGroupButton::TsuiRadioGroupButton(TComponent* owner, TsuiRadioGroup& group)
    : TsuiRadioButton(owner)
    , group_(group)
{
}

const ClassInfo& TsuiRadioGroupButton::StaticClass()
{
    // Made by its group only, so no factory.
    static const ClassInfo info("TsuiRadioGroupButton", &TsuiRadioButton::StaticClass(), {});
    return info;
}

bool TsuiRadioGroupButton::NeedDrawFocus() const { return Checked() && (group_.Focused() || Focused()); }

void TsuiRadioGroupButton::DoClick()
{
    if (group_.CanModify())
        TsuiRadioButton::DoClick();
}

}
