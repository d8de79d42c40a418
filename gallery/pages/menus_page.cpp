// A pop-up menu with a checked, a disabled and a sub-menu item, opened by a
// button or a right click on the page.
#include "gallery/gallery_page.h"
#include "platform/components/controls/menu_item.h"
#include "skin/buttons/push_button.h"
#include "skin/menus/skin_popup_menu.h"

namespace pellamo {
namespace {

TMenuItem* AddItem(GalleryPageBuilder& page, TMenuItem* parent, const char* caption)
{
    auto* item = page.AddComponent<TMenuItem>();
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

void BuildMenusPage(GalleryPageBuilder& page)
{
    auto* menu = page.AddComponent<TsuiPopupMenu>();
    AddItem(page, menu->Items(), "&Television");
    AddItem(page, menu->Items(), "&Radio")->SetChecked(true);
    AddItem(page, menu->Items(), "-");
    AddItem(page, menu->Items(), "Unavailable")->SetEnabled(false);
    TMenuItem* more = AddItem(page, menu->Items(), "&More");
    AddItem(page, more, "First");
    AddItem(page, more, "Second");
    menu->MenuAdded();
    page.Page().SetPopupMenu(menu);

    auto* open = page.Add<TsuiButton>(Rect::FromSize(16, 16, 160, 26));
    open->SetCaption("&Open the pop-up menu");
    auto drop_down = [open, menu] {
        Point below = open->ClientToScreen({ 0, open->Height() });
        menu->Popup(below.x, below.y);
    };
    open->OnClick = [drop_down](TObject*) { drop_down(); };
    page.SetFocusControl(open);
    page.SetScene(drop_down);
}

const GalleryPageRegistration registration("Menus", 50, BuildMenusPage);

}
}
