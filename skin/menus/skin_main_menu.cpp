#include "skin/menus/skin_main_menu.h"

#include "platform/components/controls/form.h"
#include "skin/menus/menu_check_marks.h"
#include "skin/theme/style_properties.h"

namespace pellamo {

TsuiMainMenu::TsuiMainMenu(TComponent* owner)
    : TMainMenu(owner)
    , SkinnedMenu(static_cast<TMenu&>(*this))
    , check_marks_(MakeMenuCheckMarks())
{
    SetImages(check_marks_.get());
    SetUIStyle(GetSUIFormStyle(owner));
    // The skinned frame shows this menu, not the form's plain bar.
    if (auto* form = dynamic_cast<TForm*>(owner))
        form->SetMenu(nullptr);
    listener_ = AddChangeListener([this] { ItemsChanged(); });
}

TsuiMainMenu::~TsuiMainMenu()
{
    RemoveChangeListener(listener_);
    SetImages(nullptr);
}

const ClassInfo& TsuiMainMenu::StaticClass()
{
    static const ClassInfo info(
        "TsuiMainMenu", &TMainMenu::StaticClass(), SkinnedMenuProps<TsuiMainMenu>(), FactoryOf<TsuiMainMenu>());
    return info;
}

void TsuiMainMenu::Loaded()
{
    TMenu::Loaded();
    MenuAdded();
}

void TsuiMainMenu::MenuAdded()
{
    SkinnedMenu::MenuAdded();
    if (host_)
        host_->UpdateMenu();
}

void TsuiMainMenu::SetUseSystemFont(bool on)
{
    SkinnedMenu::SetUseSystemFont(on);
    if (host_)
        host_->RepaintMenuBar();
}

void TsuiMainMenu::UserImagesChanged()
{
    // The check marks stay this menu's own; the item images are the user's.
    SetImages(UserImages() ? &UserImages()->Images() : check_marks_.get());
}

void TsuiMainMenu::ItemsChanged()
{
    if (!host_ || !dynamic_cast<TForm*>(Owner()))
        return;
    host_->UpdateTopMenu();
    if (HasState(csDesigning) && !HasState(csLoading))
        host_->UpdateMenu();
}

void TsuiMainMenu::Notification(TComponent* component, TOperation operation)
{
    TMainMenu::Notification(component, operation);
    SkinNotification(component, operation);
}

}
