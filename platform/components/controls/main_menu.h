#pragma once

#include "platform/components/controls/menu.h"

namespace pellamo {

// The menu of a form's menu bar: its items are the bar's entries, their
// sub-items drop down. TMenuBar shows it; a skinned frame may paint its
// own bar from the same items and drop them with TMenuWindow.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
