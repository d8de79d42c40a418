#pragma once

#include "platform/components/controls/menu_item.h"
#include "platform/window/messages.h"

namespace pellamo {

class TMenu;

// Keyboard access to a menu bar, as users expect of one: Alt (pressed and
// released alone) or F10 enters the bar with its first item highlighted;
// Left and Right move, Down or Enter drop the highlighted item with its
// first entry selected, Esc, Alt or F10 again leave. Alt+letter, or a
// letter while in the bar, drops the item with that access key. Other keys
// are matched against the menu's shortcuts. Shift+F10 is left to the
// context menu.
class MenuBarKeys {
public:
    // What the keyboard needs of the bar that shows the menu's items.
    class Bar {
    public:
        virtual ~Bar() = default;
        virtual TMenu& BarMenu() const = 0;
        // A visible item that is not a separator.
        virtual bool BarItemSelectable(int index) const = 0;
        virtual int BarHotItem() const = 0;
        // Highlights an item from the keyboard; -1 takes the highlight away.
        virtual void SetBarHotItem(int index) = 0;
        virtual void DropBarItem(int index, bool select_first) = 0;
    };

    explicit MenuBarKeys(Bar& bar)
        : m_bar(bar)
    {
    }

    // A key message meant for the bar's window while nothing is dropped
    // down; `held` are the kMod* shift keys held. True when the bar took it.
    bool Key(const MSG& msg, unsigned held);
    // The bar was entered from the keyboard and nothing is dropped down.
    bool InBar() const { return m_in_bar; }
    // Leaves the bar (the window lost the focus, an item dropped down).
    void Leave();
    // The next selectable item after `from` in direction `dir` (+1, -1),
    // wrapping; -1 when none.
    static int NextSelectable(const Bar& bar, int from, int dir);
    // The shortcut a key-down message stands for with `held` shift keys
    // (F10 counts without Alt); scNone for a shift key alone.
    static TShortCut ShortCutOf(const MSG& msg, unsigned held);

private:
    void Enter();
    void Drop(int index);

    Bar& m_bar;
    bool m_in_bar = false;
    bool m_alt_pending = false; // Alt went down alone
};

}
