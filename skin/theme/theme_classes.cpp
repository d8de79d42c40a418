#include "skin/theme/theme_classes.h"

#include "platform/components/class_registry.h"
#include "skin/theme/built_in_file_theme.h"
#include "skin/theme/theme_manager.h"

namespace pellamo {

void RegisterSkinThemeClasses()
{
    RegisterClasses(
        { &TsuiFileTheme::StaticClass(), &TsuiBuiltInFileTheme::StaticClass(), &TsuiThemeManager::StaticClass() });
}

}
