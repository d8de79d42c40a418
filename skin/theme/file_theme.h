#pragma once

// TsuiFileTheme: a component holding a loaded theme file. Controls whose
// UIStyle is FromThemeFile and whose FileTheme names a usable theme read
// their items from it (UsingFileTheme).

#include "platform/components/component.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"
#include "skin/theme_data/file_theme_mgr.h"
#include "skin/theme_data/theme_item.h"
#include "skin/theme_data/ui_style.h"

#include <string>

namespace pellamo {

class TsuiFileTheme : public TComponent {
public:
    explicit TsuiFileTheme(TComponent* owner);
    ~TsuiFileTheme() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The full path of the loaded file.
    virtual std::string ThemeFile() const { return loaded_file_; }
    // The same whatever a derived class publishes as ThemeFile.
    const std::string& LoadedFile() const { return loaded_file_; }
    // Looks the name up (itself, then the folders of FindThemeFile) and
    // loads it. A name that is the current one, or that is found nowhere,
    // changes nothing. Throws ThemeFileError "Invalid skin file for
    // PelSkin!" when the file found is no theme file, and ThemeFileError or
    // EFOpenError when it is damaged or unreadable; nothing changes then.
    virtual void SetThemeFile(const std::string& name);
    // The same, but the current name is read again: the file may have been
    // edited since.
    void ReloadThemeFile(const std::string& name) { LoadThemeFile(name, true); }

    // True once a theme file has been loaded; there is no unloading.
    bool CanUse() const { return can_use_; }
    bool CheckThemeFile(const std::string& file_name) const;

    // The item's picture; frame `frame_index` of `frame_count` when both
    // are non-zero. An item the file lacks leaves the target as it was,
    // or, when a frame is cut, makes it empty. Null targets are ignored.
    void GetBitmap(ThemeItem item, Bitmap* target, int frame_count = 0, int frame_index = 0) const;
    bool GetBool(ThemeItem item) const { return mgr_.GetBool(item); }
    TColor GetColor(ThemeItem item) const { return mgr_.GetColor(item); }
    int32_t GetInt(ThemeItem item) const { return mgr_.GetInt(item); }

    const TsuiFileThemeMgr& Mgr() const { return mgr_; }

protected:
    // Finds, checks and loads `name`, then has the skinned components of
    // the owning form take the theme again. With `reload` a name equal to
    // the current one is loaded too.
    void LoadThemeFile(const std::string& name, bool reload);

private:
    void ReapplyToOwnerForm(bool had_file);

    TsuiFileThemeMgr mgr_;
    std::string loaded_file_;
    bool can_use_ = false;
};

// Decides where a control reads its items: true (from `file_theme`) when
// the style is FromThemeFile and the theme is there and usable; else false,
// and `effective` is the built-in style to read: the style itself, or
// DeepBlue for FromThemeFile without a usable theme.
bool UsingFileTheme(const TsuiFileTheme* file_theme, TsuiUIStyle style, TsuiUIStyle& effective);

}
