#pragma once

// TsuiMenuBar: the menu bar of a skinned frame, a tool bar whose buttons
// stand for the top-level items of the frame's main menu; a press drops
// the item's sub-menu below its button. The frame paints the bar and its
// buttons. From the keyboard it works as a menu bar does (MenuBarKeys).

#include "platform/components/controls/menu_bar_keys.h"
#include "platform/components/controls/tool_bar.h"
#include "skin/frame/menu_bar_painter.h"

#include <functional>

namespace pellamo {

class TsuiForm;
class TMenuItem;
class TToolButton;

class TsuiMenuBar : public TToolBar, private MenuBarKeys::Bar {
public:
    TsuiMenuBar(TComponent* owner, TsuiForm* form);
    // A bar for another frame: `menu` names the menu it shows now.
    TsuiMenuBar(TComponent* owner, std::function<TMenu*()> menu);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiForm* Form() const { return form_; }
    // The button standing for the menu's top-level item `index`; null when none.
    TToolButton* ItemButton(int index) const;
    // A key message of the frame's window while nothing is dropped down;
    // true when the bar took it (entering, moving, dropping, a shortcut).
    bool Key(const MSG& msg, unsigned held) { return keys_.Key(msg, held); }
    // The button highlighted from the keyboard; null when none.
    TToolButton* KeyboardHotButton() const { return ItemButton(key_hot_); }
    bool InBar() const { return keys_.InBar(); }
    // What a button shows in custom-draw `state` (cds* bits); disabled
    // captions are greyed when `grey_disabled`.
    MenuBarButtonFace ButtonFace(TToolButton* button, unsigned state, bool grey_disabled) const;
    // Gives each button its top-level item's state; false (and nothing
    // done) when buttons and items no longer pair up.
    bool SyncTopItems(TMenuItem* root);
    void LeaveKeyboard() { keys_.Leave(); }

private:
    TMenu& BarMenu() const override;
    bool BarItemSelectable(int index) const override;
    int BarHotItem() const override { return key_hot_; }
    void SetBarHotItem(int index) override;
    void DropBarItem(int index, bool select_first) override;

    TsuiForm* form_ = nullptr;
    std::function<TMenu*()> menu_;
    MenuBarKeys keys_ { *this };
    int key_hot_ = -1;
};

}
