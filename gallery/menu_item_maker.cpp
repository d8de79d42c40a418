#include "gallery/menu_item_maker.h"

namespace pellamo {

TMenuItem* AddMenuItem(TComponent* owner, TMenuItem* parent, const std::string& caption, std::function<void()> action)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    if (action)
        item->OnClick = [action = std::move(action)](TObject*) { action(); };
    parent->Add(item);
    return item;
}

}
