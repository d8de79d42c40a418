#pragma once

namespace pellamo {

// What a skinned main menu asks of the skinned window frame that shows it
// as its menu bar. The frame registers itself with the menu
// (TsuiMainMenu::SetMenuBarHost) and unregisters before it goes or when it
// takes another menu; without one the menu asks nothing.
class SkinnedMenuBarHost {
public:
    virtual ~SkinnedMenuBarHost() = default;
    // Rebuild the bar from the menu's items.
    virtual void UpdateMenu() = 0;
    // Refresh the top-level items (captions, states).
    virtual void UpdateTopMenu() = 0;
    virtual void RepaintMenuBar() = 0;
};

}
