#include "skin/checks/radio_button.h"

#include "platform/components/props.h"
#include "platform/window/window_system.h"
#include "skin/checks/arrow_key_step.h"

#include <algorithm>

namespace pellamo {

TsuiRadioButton::TsuiRadioButton(TComponent* owner)
    : TsuiCheckBox(owner)
{
    control_style_.Include(csDoubleClicks);
    ResolveLook(); // the radio strip, now that the class is whole
}

const ClassInfo& TsuiRadioButton::StaticClass()
{
    using R = TsuiRadioButton;
    static const ClassInfo info("TsuiRadioButton", &TsuiCheckBox::StaticClass(),
        { props::Int<R>("GroupIndex", &R::GroupIndex, &R::SetGroupIndex) }, FactoryOf<R>());
    return info;
}

void TsuiRadioButton::DoClick()
{
    if (!Checked())
        SetChecked(true);
}

void TsuiRadioButton::CheckStateChanged()
{
    if (!Checked())
        return;
    UnCheckGroup();
    if (!Loading())
        OnClick(this);
}

std::vector<TsuiRadioButton*> TsuiRadioButton::Group() const
{
    std::vector<TsuiRadioButton*> group;
    TWinControl* parent = Parent();
    if (!parent)
        return group;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TsuiRadioButton*>(parent->Controls(i)); r && r->group_index_ == group_index_)
            group.push_back(r);
    std::stable_sort(group.begin(), group.end(), [](auto* a, auto* b) { return a->TabOrder() < b->TabOrder(); });
    return group;
}

void TsuiRadioButton::UnCheckGroup()
{
    for (TsuiRadioButton* r : Group())
        if (r != this)
            r->SetChecked(false);
}

void TsuiRadioButton::WndProc(TMessage& message)
{
    if (message.Msg != WM_SETFOCUS) {
        TsuiCheckBox::WndProc(message);
        return;
    }
    auto alive = AliveFlag();
    TsuiCheckBox::WndProc(message);
    // Moving along a radio group's buttons checks the one reached.
    auto from = reinterpret_cast<HWND>(message.WParam);
    if (*alive && from && Windows().GetClassName(from) == "TsuiRadioGroupButton")
        Click();
}

void TsuiRadioButton::KeyDown(UINT& key, TShiftState shift)
{
    auto alive = AliveFlag();
    TsuiCheckBox::KeyDown(key, shift);
    if (!*alive)
        return;
    int step = ArrowKeyStep(key);
    if (step == 0)
        return;
    key = 0;
    std::vector<TsuiRadioButton*> group = Group();
    auto at = std::find(group.begin(), group.end(), this);
    int n = static_cast<int>(group.size());
    for (int i = 1; i < n; ++i) {
        TsuiRadioButton* next = group[static_cast<size_t>(((at - group.begin()) + step * i % n + n) % n)];
        if (!next->CanFocus())
            continue;
        next->SetFocus();
        next->Click();
        return;
    }
}

}
