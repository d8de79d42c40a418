#include "skin/groups/check_group.h"

#include "platform/components/component_errors.h"
#include "platform/components/controls/form.h"
#include "platform/components/props.h"
#include "platform/components/reading_order.h"
#include "skin/groups/check_group_button.h"
#include "skin/groups/group_layout.h"
#include "skin/theme/file_theme.h"

#include <algorithm>

namespace pellamo {

TsuiCheckGroup::TsuiCheckGroup(TComponent* owner)
    : TsuiCustomGroupBox(owner)
{
    SetTransparent(false);
    SetParentColor(true);
    SetTabStop(true);
    items_.OnChange = [this](TObject*) { ItemsChanged(); };
}

TsuiCheckGroup::~TsuiCheckGroup() { items_.OnChange = nullptr; }

const ClassInfo& TsuiCheckGroup::StaticClass()
{
    using C = TsuiCheckGroup;
    static const ClassInfo info("TsuiCheckGroup", &TsuiCustomGroupBox::StaticClass(),
        {
            props::Object<C>("Items", [](C& g) -> TStringList& { return g.items_; }),
            props::Int<C>("Columns", &C::Columns, &C::SetColumns),
            props::Int<C>("TopMargin", &C::TopMargin, &C::SetTopMargin),
            props::Color<C>("FontColor", &C::FontColor, &C::SetFontColor),
            props::Color<C>("BorderColor", &C::BorderColor, &C::SetBorderColor),
            props::Event<C>("OnClick", &C::OnClick),
        },
        FactoryOf<C>());
    return info;
}

// ---- Items and buttons

void TsuiCheckGroup::SetItems(const TStrings& items) { items_.Assign(items); }

void TsuiCheckGroup::ItemsChanged()
{
    bool created = UpdateButtons();
    ArrangeButtons();
    if (created)
        SetTransparent(Transparent()); // the new buttons take the group's transparency
}

TsuiCheckBox* TsuiCheckGroup::CreateAButton() { return new TsuiCheckGroupButton(this, *this); }

bool TsuiCheckGroup::UpdateButtons()
{
    int missing = items_.Count() - ButtonCount();
    while (missing < 0) {
        TsuiCheckBox* last = buttons_.back();
        buttons_.pop_back();
        delete last;
        ++missing;
    }
    for (int i = 0; i < missing; ++i) {
        TsuiCheckBox* button = CreateAButton();
        button->SetParent(this);
        button->Font().Assign(Font());
        button->SetAutoSize(true);
        button->SetFileTheme(FileTheme());
        button->SetUIStyle(UIStyle());
        button->SetTransparent(Transparent());
        button->SetParentColor(true);
        button->SetTabStop(false);
        button->OnClick = [this](TObject*) { GroupClick(); };
        button->SetCursor(Cursor());
        buttons_.push_back(button);
    }
    for (int i = 0; i < ButtonCount(); ++i) {
        TsuiCheckBox* button = buttons_[static_cast<size_t>(i)];
        button->SetCaption(items_.Get(i));
        button->SetAutoSize(true);
        button->AdjustSize(); // sized before it is placed and first painted
    }
    return missing > 0;
}

void TsuiCheckGroup::ArrangeButtons()
{
    if (buttons_.empty())
        return;
    GroupLayout layout;
    layout.inner = GetClient();
    layout.group_width = Width();
    layout.columns = columns_;
    layout.top_margin = top_margin_;
    layout.right_to_left = BiDiMode() == TBiDiMode::bdRightToLeft;
    int count = ButtonCount();
    for (int i = 0; i < count; ++i) {
        TsuiCheckBox* button = buttons_[static_cast<size_t>(i)];
        Point at = GroupButtonPosition(layout, count, i, button->Width());
        button->SetBounds(at.x, at.y, button->Width(), button->Height());
    }
}

void TsuiCheckGroup::SetColumns(int columns)
{
    if (columns < 0)
        return;
    columns_ = columns;
    ArrangeButtons();
}

void TsuiCheckGroup::SetTopMargin(int margin)
{
    if (margin < 0)
        return;
    top_margin_ = margin;
    ArrangeButtons();
}

void TsuiCheckGroup::Resize()
{
    TsuiCustomGroupBox::Resize();
    ArrangeButtons();
}

void TsuiCheckGroup::Notification(TComponent* component, TOperation operation)
{
    TsuiCustomGroupBox::Notification(component, operation);
    // The group's own components go before the group does.
    if (operation == TOperation::opRemove)
        std::erase(buttons_, component);
}

// ---- Per-button state

TsuiCheckBox* TsuiCheckGroup::ButtonOrNull(int index) const
{
    return index >= 0 && index < ButtonCount() ? buttons_[static_cast<size_t>(index)] : nullptr;
}

TsuiCheckBox& TsuiCheckGroup::ButtonOrThrow(int index) const
{
    if (TsuiCheckBox* button = ButtonOrNull(index))
        return *button;
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

bool TsuiCheckGroup::GetChecked(int index) const
{
    TsuiCheckBox* button = ButtonOrNull(index);
    return button && button->Checked();
}

void TsuiCheckGroup::SetChecked(int index, bool checked) { ButtonOrThrow(index).SetChecked(checked); }

bool TsuiCheckGroup::GetItemEnabled(int index) const
{
    TsuiCheckBox* button = ButtonOrNull(index);
    return button && button->Enabled();
}

void TsuiCheckGroup::SetItemEnabled(int index, bool enabled) { ButtonOrThrow(index).SetEnabled(enabled); }

// ---- What the buttons take from the group

void TsuiCheckGroup::SetFontColor(TColor color) { Font().SetColor(color); }

void TsuiCheckGroup::FontChanged()
{
    TsuiCustomGroupBox::FontChanged();
    for (TsuiCheckBox* button : buttons_) {
        button->Font().Assign(Font());
        button->AdjustSize();
    }
    ArrangeButtons();
}

void TsuiCheckGroup::SetCursor(TCursor cursor)
{
    TsuiCustomGroupBox::SetCursor(cursor);
    for (TsuiCheckBox* button : buttons_)
        button->SetCursor(cursor);
}

void TsuiCheckGroup::SetTransparent(bool on)
{
    TsuiCustomGroupBox::SetTransparent(on);
    for (TsuiCheckBox* button : buttons_)
        button->SetTransparent(on);
}

void TsuiCheckGroup::UpdateUIStyle(TsuiUIStyle style, TsuiFileTheme* file_theme)
{
    TsuiCustomGroupBox::UpdateUIStyle(style, file_theme);
    for (TsuiCheckBox* button : buttons_) {
        button->SetFileTheme(file_theme);
        button->SetUIStyle(style);
        button->SetParentColor(true); // the group's colour, now and when it changes
        button->AdjustSize(); // the style's pictures may differ in size
    }
    ArrangeButtons();
}

// ---- Focus and clicks

void TsuiCheckGroup::WndProc(TMessage& message)
{
    if (message.Msg == WM_SETFOCUS) {
        auto from = reinterpret_cast<HWND>(message.WParam);
        focus_from_button_ = from && std::any_of(buttons_.begin(), buttons_.end(), [from](TsuiCheckBox* b) {
            return b->HandleOrNull() == from;
        });
    }
    TsuiCustomGroupBox::WndProc(message);
}

void TsuiCheckGroup::DoEnter()
{
    auto alive = AliveFlag();
    TsuiCustomGroupBox::DoEnter();
    if (!*alive)
        return;
    // Backwards out of a button the search for the previous control meets
    // the group first: move on past it instead of back into the buttons.
    if (focus_from_button_) {
        focus_from_button_ = false;
        if (TForm* form = ParentForm())
            form->SelectNext(this, false, true);
        return;
    }
    FocusUpdate();
}

void TsuiCheckGroup::FocusUpdate()
{
    if (!buttons_.empty() && buttons_.front()->CanFocus())
        buttons_.front()->SetFocus();
}

void TsuiCheckGroup::Click()
{
    auto alive = AliveFlag();
    TsuiCustomGroupBox::Click();
    if (*alive)
        GroupClick();
}

void TsuiCheckGroup::GroupClick()
{
    NewClick();
    bool loading = HasState(csLoading) || (Owner() && Owner()->HasState(csLoading));
    if (!loading)
        OnClick(this);
}

}
