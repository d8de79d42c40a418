#include "app/window_look.h"

#include "platform/components/controls/form.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/theme_manager.h"

#include <filesystem>

namespace pellamo {

void DressForm(TForm& form, const PlayerLook& look)
{
    if (!look.Chosen())
        return;
    auto* manager = new TsuiThemeManager(&form);
    manager->SetName("PellamoThemeManager");
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* component = form.Components(i);
        if (component != manager && !component->Name().empty() && IsHasProperty(component, "UIStyle") && IsHasProperty(component, "FileTheme"))
            manager->CompList().Add(component->Name());
    }
    if (look.style) {
        manager->SetUIStyle(*look.style);
        return;
    }
    auto* file_theme = new TsuiFileTheme(&form);
    file_theme->SetName("PellamoFileTheme");
    // The full path: the theme component would otherwise also look in its
    // folders for a file of that name.
    file_theme->SetThemeFile(std::filesystem::absolute(look.theme_file).lexically_normal().string());
    manager->SetFileTheme(file_theme);
    manager->SetUIStyle(TsuiUIStyle::FromThemeFile);
}

}
