#include "app/window_look.h"

#include "app/designed_look.h"
#include "app/look_layout.h"
#include "platform/components/controls/form.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_manager.h"

#include <filesystem>

namespace pellamo {

namespace {

constexpr const char* kManagerName = "PellamoThemeManager";
constexpr const char* kFileThemeName = "PellamoFileTheme";

// The skinned components the form holds now: parts made since the last
// change of look take part too.
void ListComponents(TForm& form, TsuiThemeManager& manager)
{
    manager.CompList().Clear();
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent* component = form.Components(i);
        if (component != &manager && !component->Name().empty() && IsHasProperty(component, "UIStyle")
            && IsHasProperty(component, "FileTheme"))
            manager.CompList().Add(component->Name());
    }
}

}

void DressForm(TForm& form, const PlayerLook& look)
{
    auto* manager = dynamic_cast<TsuiThemeManager*>(form.FindComponent(kManagerName));
    if (!manager && !look.Chosen())
        return;
    // Both measure the form as designed, before anything changes it.
    DesignedLook& designed = DesignedLook::Of(form);
    LookLayout& layout = LookLayout::Of(form);
    if (!manager) {
        manager = new TsuiThemeManager(&form);
        manager->SetName(kManagerName);
    }
    TComponent* old_theme = form.FindComponent(kFileThemeName);
    ListComponents(form, *manager);
    if (!look.Chosen()) {
        manager->CompList().Clear();
        manager->SetFileTheme(nullptr);
        designed.Restore();
    } else if (look.style) {
        // Without the file first: a style never reads another look's file.
        manager->SetFileTheme(nullptr);
        manager->SetUIStyle(*look.style);
    } else {
        auto* file_theme = new TsuiFileTheme(&form);
        // The full path: the theme component would otherwise also look in
        // its folders for a file of that name.
        file_theme->SetThemeFile(std::filesystem::absolute(look.theme_file).lexically_normal().string());
        if (old_theme)
            old_theme->SetName("");
        file_theme->SetName(kFileThemeName);
        manager->SetFileTheme(file_theme);
        manager->SetUIStyle(TsuiUIStyle::FromThemeFile);
    }
    // The file the components wore before goes once none holds it.
    if (old_theme && form.FindComponent(kFileThemeName) != old_theme)
        delete old_theme;
    layout.Follow();
}
}
