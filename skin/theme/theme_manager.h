#pragma once

// TsuiThemeManager: gives one style and one file theme to a chosen list
// of the skinned components of its form (CompList, by name).

#include "platform/components/component.h"
#include "platform/components/event.h"
#include "platform/components/string_list.h"
#include "skin/theme_data/ui_style.h"

namespace pellamo {

class TsuiFileTheme;

using TsuiThemeMgrCompList = TStringList;

class TsuiThemeManager : public TComponent {
public:
    explicit TsuiThemeManager(TComponent* owner);
    ~TsuiThemeManager() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiUIStyle UIStyle() const { return ui_style_; }
    // Stores, updates the listed components, and raises OnUIStyleChanged
    // when the style is another than before.
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return file_theme_; }
    // Stores and updates the listed components.
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiThemeMgrCompList& CompList() { return comp_list_; }
    const TsuiThemeMgrCompList& CompList() const { return comp_list_; }
    void SetCompList(const TStrings& names) { comp_list_.Assign(names); }

    // When the owner is a form: each listed component found on it gets the
    // style, then the file theme. Names not found, and components without
    // both properties, are passed over.
    void UpdateAll();
    void UpdateTheme() { UpdateAll(); }

    TNotifyEvent OnUIStyleChanged;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TsuiUIStyle ui_style_ = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* file_theme_ = nullptr;
    TsuiThemeMgrCompList comp_list_;
    bool updating_ = false;
};

}
