#include "platform/components/controls/main_menu.h"

#include "platform/components/props.h"

namespace pellamo {

const ClassInfo& TMainMenu::StaticClass()
{
    static const ClassInfo info("TMainMenu", &TMenu::StaticClass(), {}, FactoryOf<TMainMenu>());
    return info;
}

}
