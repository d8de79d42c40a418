#pragma once

// TsuiMainMenu: a main menu whose drop-downs paint every item in the skin.
// It is never shown as the platform's plain menu bar: a skinned window
// frame shows it (SkinnedMenuBarHost) and drops its sub-menus down. It
// always has an image list, its own check marks unless the user gives one,
// so its items are owner-drawn.

#include "platform/components/controls/main_menu.h"
#include "skin/menus/menu_bar_host.h"
#include "skin/menus/skinned_menu.h"

#include <memory>

namespace pellamo {

class TsuiMainMenu : public TMainMenu, public SkinnedMenu {
public:
    explicit TsuiMainMenu(TComponent* owner);
    ~TsuiMainMenu() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void SetOwnerDraw(bool) override { }
    void SetUseSystemFont(bool on) override;
    // Hooks on every item, then the frame (if one shows the menu) rebuilds
    // its bar.
    void MenuAdded() override;

    SkinnedMenuBarHost* MenuBarHost() const { return host_; }
    void SetMenuBarHost(SkinnedMenuBarHost* host) { host_ = host; }

protected:
    // Hooks on the items read; no plain menu bar.
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    const ImageList* CheckMarks() const override { return check_marks_.get(); }
    void UserImagesChanged() override;

private:
    void ItemsChanged();

    std::unique_ptr<ImageList> check_marks_;
    SkinnedMenuBarHost* host_ = nullptr;
    uint64_t listener_ = 0;
};

}
