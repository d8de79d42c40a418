#pragma once

// TsuiPopupMenu: a pop-up menu that paints every item in the skin. All
// skinned pop-up menus share one check-mark list, built when first drawn.

#include "platform/components/controls/popup_menu.h"
#include "skin/menus/skinned_menu.h"

namespace pellamo {

class TsuiPopupMenu : public TPopupMenu, public SkinnedMenu {
public:
    explicit TsuiPopupMenu(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void SetOwnerDraw(bool) override { }
    // Ignored in MacOS, whose items are pictures of a fixed height.
    void SetMenuItemHeight(int height) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    const ImageList* CheckMarks() const override;
    void UserImagesChanged() override;
};

}
