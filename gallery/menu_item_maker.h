#pragma once

// Menus the gallery builds in code: an item with its caption and what
// choosing it does, added to its parent.

#include "platform/components/controls/menu_item.h"

#include <functional>
#include <string>

namespace pellamo {

TMenuItem* AddMenuItem(
    TComponent* owner, TMenuItem* parent, const std::string& caption, std::function<void()> action = {});

}
