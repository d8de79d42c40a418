#include "skin/theme/file_theme.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/form.h"
#include "platform/components/property_access.h"
#include "platform/components/props.h"
#include "platform/window/window_system.h"
#include "skin/draw/frame_strip.h"
#include "skin/draw/replace_pixels.h"
#include "skin/theme/style_properties.h"
#include "skin/theme_data/theme_file_format.h"
#include "skin/theme_data/theme_search.h"

namespace pellamo {

TsuiFileTheme::TsuiFileTheme(TComponent* owner)
    : TComponent(owner)
{
}

TsuiFileTheme::~TsuiFileTheme() = default;

const ClassInfo& TsuiFileTheme::StaticClass()
{
    static const ClassInfo info("TsuiFileTheme", &TComponent::StaticClass(),
        {
            props::Str<TsuiFileTheme>("ThemeFile", &TsuiFileTheme::ThemeFile, &TsuiFileTheme::SetThemeFile),
        },
        FactoryOf<TsuiFileTheme>());
    return info;
}

void TsuiFileTheme::SetThemeFile(const std::string& name) { LoadThemeFile(name, false); }

bool TsuiFileTheme::CheckThemeFile(const std::string& file_name) const { return IsSUIThemeFile(file_name); }

void TsuiFileTheme::LoadThemeFile(const std::string& name, bool reload)
{
    if (name == loaded_file_ && !reload)
        return;
    std::optional<std::string> found = FindThemeFile(name);
    if (!found)
        return;
    if (!CheckThemeFile(*found))
        throw ThemeFileError("Invalid skin file for PelSkin!");
    bool had_file = !loaded_file_.empty();
    // Loaded first: a damaged file throws here and leaves everything as it was.
    if (!mgr_.LoadFromFile(*found))
        return; // gone since it was found
    loaded_file_ = *found;
    can_use_ = true;
    ReapplyToOwnerForm(had_file);
}

void TsuiFileTheme::ReapplyToOwnerForm(bool had_file)
{
    auto* form = dynamic_cast<TForm*>(Owner());
    if (!form)
        return;
    bool frame_uses_theme = false;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        bool refers_here = IsHasProperty(c, "FileTheme") && GetComponentProp(*c, "FileTheme") == this;
        if (!refers_here)
            continue;
        if (IsSkinFrame(*c))
            frame_uses_theme = true;
        if (c->ClassName().starts_with("Tsui"))
            SetComponentProp(*c, "FileTheme", this); // the component takes its style again
    }
    if (frame_uses_theme && had_file && form->HandleAllocated())
        TControl::Windows().SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0,
            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TsuiFileTheme::GetBitmap(ThemeItem item, Bitmap* target, int frame_count, int frame_index) const
{
    if (!target)
        return;
    if (frame_count == 0 || frame_index == 0) {
        mgr_.GetBitmap(item, *target);
        return;
    }
    Bitmap whole;
    mgr_.GetBitmap(item, whole);
    SpitBitmap(whole, *target, frame_count, frame_index);
}

bool UsingFileTheme(const TsuiFileTheme* file_theme, TsuiUIStyle style, TsuiUIStyle& effective)
{
    effective = style;
    if (style != TsuiUIStyle::FromThemeFile)
        return false;
    if (file_theme && file_theme->CanUse())
        return true;
    effective = TsuiUIStyle::DeepBlue;
    return false;
}

}
