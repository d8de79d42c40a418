#include "skin/menus/menu_classes.h"

#include "platform/components/class_registry.h"
#include "platform/components/controls/tree_menu_classes.h"
#include "skin/menus/skin_main_menu.h"
#include "skin/menus/skin_popup_menu.h"

namespace pellamo {

void RegisterSkinMenuClasses()
{
    RegisterTreeMenuClasses();
    RegisterClasses({ &TsuiMainMenu::StaticClass(), &TsuiPopupMenu::StaticClass() });
}

}
