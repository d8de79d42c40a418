#include "skin/menus/skin_popup_menu.h"

#include "skin/menus/menu_check_marks.h"
#include "skin/theme/style_properties.h"

namespace pellamo {

TsuiPopupMenu::TsuiPopupMenu(TComponent* owner)
    : TPopupMenu(owner)
    , SkinnedMenu(static_cast<TMenu&>(*this))
{
    TMenu::SetOwnerDraw(true);
    SetUIStyle(GetSUIFormStyle(owner));
}

const ClassInfo& TsuiPopupMenu::StaticClass()
{
    static const ClassInfo info(
        "TsuiPopupMenu", &TPopupMenu::StaticClass(), SkinnedMenuProps<TsuiPopupMenu>(), FactoryOf<TsuiPopupMenu>());
    return info;
}

void TsuiPopupMenu::SetMenuItemHeight(int height)
{
    if (UIStyle() != TsuiUIStyle::MacOS)
        SkinnedMenu::SetMenuItemHeight(height);
}

void TsuiPopupMenu::Loaded()
{
    TPopupMenu::Loaded();
    MenuAdded();
}

const ImageList* TsuiPopupMenu::CheckMarks() const { return &SharedMenuCheckMarks(); }

void TsuiPopupMenu::UserImagesChanged() { SetImages(UserImages() ? &UserImages()->Images() : nullptr); }

void TsuiPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TPopupMenu::Notification(component, operation);
    SkinNotification(component, operation);
}

}
