#include "skin/frame/skin_menu_bar.h"

#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/tool_button.h"
#include "skin/frame/skin_form.h"

namespace pellamo {

TsuiMenuBar::TsuiMenuBar(TComponent* owner, TsuiForm* form)
    : TToolBar(owner)
    , form_(form)
    , menu_([form]() -> TMenu* { return form->Menu(); })
{
}

TsuiMenuBar::TsuiMenuBar(TComponent* owner, std::function<TMenu*()> menu)
    : TToolBar(owner)
    , menu_(std::move(menu))
{
}

const ClassInfo& TsuiMenuBar::StaticClass()
{
    static const ClassInfo info("TsuiMenuBar", &TToolBar::StaticClass());
    return info;
}

TMenu& TsuiMenuBar::BarMenu() const
{
    // The keys are only given while the frame has a menu.
    return *menu_();
}

TToolButton* TsuiMenuBar::ItemButton(int index) const
{
    if (index < 0)
        return nullptr;
    for (int i = 0; i < ButtonCount(); ++i) {
        TToolButton* b = Buttons(i);
        if (b->MenuItem() && b->MenuItem()->MenuIndex() == index && b->MenuItem()->Parent() == BarMenu().Items())
            return b;
    }
    return nullptr;
}

bool TsuiMenuBar::BarItemSelectable(int index) const
{
    TToolButton* b = ItemButton(index);
    return b && b->Visible() && b->MenuItem()->Visible() && !b->MenuItem()->IsLine();
}

void TsuiMenuBar::SetBarHotItem(int index)
{
    if (index == key_hot_)
        return;
    key_hot_ = index;
    Invalidate();
}

void TsuiMenuBar::DropBarItem(int index, bool select_first)
{
    SetBarHotItem(-1);
    TToolButton* b = ItemButton(index);
    if (!b || !b->MenuItem()->Enabled())
        return;
    if (b->MenuItem()->Count() > 0)
        DropButtonMenu(b, select_first);
    else
        b->MenuItem()->Click();
}

MenuBarButtonFace TsuiMenuBar::ButtonFace(TToolButton* button, unsigned state, bool grey_disabled) const
{
    MenuBarButtonFace face;
    face.caption = button->DisplayCaption();
    face.hot = (state & cdsHot) || KeyboardHotButton() == button;
    face.pressed = state & cdsSelected;
    face.enabled = !grey_disabled || !(state & cdsDisabled);
    return face;
}

bool TsuiMenuBar::SyncTopItems(TMenuItem* root)
{
    if (ButtonCount() != root->Count())
        return false;
    for (int i = 0; i < ButtonCount(); ++i) {
        TToolButton* b = Buttons(i);
        if (TMenuItem* item = b->MenuItem()) {
            b->SetEnabled(item->Enabled());
            b->SetVisible(item->Visible());
        }
    }
    ArrangeButtons();
    return true;
}

}
