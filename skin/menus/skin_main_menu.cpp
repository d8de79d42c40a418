#include "skin/menus/skin_main_menu.h"

#include "platform/components/controls/form.h"
#include "skin/menus/menu_check_marks.h"
#include "skin/theme/style_properties.h"

namespace pellamo {

TsuiMainMenu::TsuiMainMenu(TComponent* owner)
    : TMainMenu(owner)
    , SkinnedMenu(static_cast<TMenu&>(*this))
    , m_check_marks(MakeMenuCheckMarks())
{
    SetImages(m_check_marks.get());
    SetUIStyle(GetSUIFormStyle(owner));
    // The skinned frame shows this menu, not the form's plain bar.
    if (auto* form = dynamic_cast<TForm*>(owner))
        form->SetMenu(nullptr);
    m_listener = AddChangeListener([this] { ItemsChanged(); });
}

TsuiMainMenu::~TsuiMainMenu()
{
    RemoveChangeListener(m_listener);
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
    if (m_host)
        m_host->UpdateMenu();
}

void TsuiMainMenu::SetUseSystemFont(bool on)
{
    SkinnedMenu::SetUseSystemFont(on);
    if (m_host)
        m_host->RepaintMenuBar();
}

void TsuiMainMenu::UserImagesChanged()
{
    // The check marks stay this menu's own; the item images are the user's.
    SetImages(UserImages() ? &UserImages()->Images() : m_check_marks.get());
}

void TsuiMainMenu::ItemsChanged()
{
    if (!m_host || !dynamic_cast<TForm*>(Owner()))
        return;
    m_host->UpdateTopMenu();
    if (HasState(csDesigning) && !HasState(csLoading))
        m_host->UpdateMenu();
}

void TsuiMainMenu::Notification(TComponent* component, TOperation operation)
{
    TMainMenu::Notification(component, operation);
    SkinNotification(component, operation);
}

}
