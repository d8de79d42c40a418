#include "skin/frame/frame_classes.h"

#include "platform/components/class_registry.h"
#include "skin/frame/mdi_form.h"
#include "skin/frame/skin_form.h"
#include "skin/frame/title_bar.h"
#include "skin/menus/menu_classes.h"
#include "skin/theme/theme_classes.h"

namespace pellamo {

void RegisterSkinFrameClasses()
{
    RegisterSkinMenuClasses();
    RegisterSkinThemeClasses();
    RegisterClasses({ &TsuiForm::StaticClass(), &TsuiTitleBar::StaticClass(), &TsuiMDIForm::StaticClass() });
}

}
