#include "platform/components/controls/tree_menu_classes.h"

#include "platform/components/class_registry.h"
#include "platform/components/controls/control.h"
#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/popup_menu.h"
#include "platform/components/controls/tool_bar.h"
#include "platform/components/controls/tool_button.h"
#include "platform/components/controls/tree_view.h"

namespace pellamo {

void RegisterTreeMenuClasses()
{
    RegisterClasses({ &TCustomTreeView::StaticClass(), &TTreeView::StaticClass(), &TMenu::StaticClass(),
        &TMainMenu::StaticClass(), &TPopupMenu::StaticClass(), &TMenuItem::StaticClass(), &TToolBar::StaticClass(),
        &TToolButton::StaticClass() });
    // A control's PopupMenu opens where the user asked for it.
    if (!TControl::PopupHandler)
        TControl::PopupHandler = [](TComponent* menu, TControl* control, Point screen) {
            auto* popup = dynamic_cast<TPopupMenu*>(menu);
            if (!popup || !popup->AutoPopup())
                return;
            popup->PopupComponent = control;
            popup->Popup(screen.x, screen.y);
        };
}

}
