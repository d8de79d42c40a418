#include "skin/theme/theme_manager.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/form.h"
#include "platform/components/property_access.h"
#include "platform/components/props.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/style_properties.h"

namespace pellamo {

TsuiThemeManager::TsuiThemeManager(TComponent* owner)
    : TComponent(owner)
{
}

TsuiThemeManager::~TsuiThemeManager() = default;

const ClassInfo& TsuiThemeManager::StaticClass()
{
    static const ClassInfo info("TsuiThemeManager", &TComponent::StaticClass(),
        {
            props::Enum<TsuiThemeManager>(
                "UIStyle", UIStyleNames(), &TsuiThemeManager::UIStyle, &TsuiThemeManager::SetUIStyle),
            props::Ref<TsuiThemeManager, TsuiFileTheme>(
                "FileTheme", &TsuiThemeManager::FileTheme, &TsuiThemeManager::SetFileTheme),
            props::Object<TsuiThemeManager>(
                "CompList", [](TsuiThemeManager& m) -> TStringList& { return m.comp_list_; }),
            props::Event<TsuiThemeManager>("OnUIStyleChanged", &TsuiThemeManager::OnUIStyleChanged),
        },
        FactoryOf<TsuiThemeManager>());
    return info;
}

void TsuiThemeManager::SetUIStyle(TsuiUIStyle style)
{
    TsuiUIStyle previous = ui_style_;
    ui_style_ = style;
    UpdateAll();
    if (style != previous)
        OnUIStyleChanged(this);
}

void TsuiThemeManager::SetFileTheme(TsuiFileTheme* theme)
{
    if (file_theme_ && file_theme_ != theme)
        RemoveFreeNotification(file_theme_);
    file_theme_ = theme;
    if (theme)
        FreeNotification(theme);
    SetUIStyle(ui_style_);
}

void TsuiThemeManager::UpdateAll()
{
    TComponent* owner = Owner();
    // A list naming this manager, or a manager naming this one back, would
    // otherwise update without end.
    if (!dynamic_cast<TForm*>(owner) || updating_)
        return;
    updating_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done { updating_ };
    for (int i = 0; i < comp_list_.Count(); ++i) {
        TComponent* c = owner->FindComponent(comp_list_.Get(i));
        if (!c || !IsHasProperty(c, "UIStyle") || !IsHasProperty(c, "FileTheme"))
            continue;
        SetOrdProp(*c, "UIStyle", static_cast<int64_t>(ui_style_));
        SetComponentProp(*c, "FileTheme", file_theme_);
    }
}

void TsuiThemeManager::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove || component == this)
        return;
    if (!component->Name().empty()) {
        int index = comp_list_.IndexOf(component->Name());
        if (index >= 0)
            comp_list_.Delete(index);
    }
    if (component == file_theme_) {
        file_theme_ = nullptr;
        ui_style_ = TsuiUIStyle::DeepBlue; // the controls are told by the theme's removal themselves
    }
}

}
