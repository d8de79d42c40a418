#pragma once

// TsuiTitleBarPopupMenu: a title bar's window menu, "最小化(&N)",
// "最大化/还原(&X)", a separator and "关闭(&C)", each enabled only while the
// bar shows a button that does the same.

#include "skin/menus/skin_popup_menu.h"

namespace pellamo {

class TsuiTitleBar;

class TsuiTitleBarPopupMenu : public TsuiPopupMenu {
public:
    TsuiTitleBarPopupMenu(TComponent* owner, TsuiTitleBar& bar);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Enables the items for the bar's buttons and pops up at the screen
    // point (176 pixels further right when the bar reads right to left on a
    // system that does).
    void PopupAt(Point screen);

    TMenuItem* MinimizeItem() const { return Items()->Items(0); }
    TMenuItem* MaximizeItem() const { return Items()->Items(1); }
    TMenuItem* CloseItem() const { return Items()->Items(3); }

private:
    TsuiTitleBar& bar_;
};

}
