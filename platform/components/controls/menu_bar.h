#pragma once

#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/menu_bar_keys.h"
#include "platform/components/controls/menu_window.h"
#include "platform/window/window_system.h"

#include <memory>
#include <vector>

namespace pellamo {

// The plain menu bar of a form: a strip of the non-client area just above
// the client area (the form's client area shrinks by its height, so
// controls keep their designed places below it). It subclasses the form's
// window (a subclass of its own, so other subclasses may come and go in
// any order): the top-level items are painted there, a click drops an item's
// sub-menu below it, Alt or F10 enter the bar from the keyboard, Alt+key
// opens an item by its access key, and key presses matching an item's
// ShortCut click that item.
class TMenuBar : private TMenuWindow::Host, private MenuBarKeys::Bar {
public:
    TMenuBar(HWND form, TMainMenu& menu);
    ~TMenuBar() override;
    TMenuBar(const TMenuBar&) = delete;
    TMenuBar& operator=(const TMenuBar&) = delete;

    HWND Form() const { return m_form; }
    int BarHeight() const;
    // Rectangles of the visible top-level items, in screen coordinates.
    Rect ItemRect(int index) const;
    // The item highlighted from the keyboard or dropped down; -1 for none.
    int HotIndex() const { return m_hot; }
    bool IsDropped() const { return m_drop && m_drop->IsOpen(); }
    TMenuWindow* DropDown() const { return IsDropped() ? m_drop.get() : nullptr; }
    // Drops the sub-menu of top-level item `index`.
    void DropItem(int index, bool select_first);
    void CloseMenus();

private:
    bool MenuOutsideMouse(UINT msg, Point screen) override;
    void MenuSideways(int dir) override;
    void MenuClosed(TMenuItem* chosen) override;
    TMenu& BarMenu() const override { return m_menu; }
    bool BarItemSelectable(int index) const override { return Selectable(index); }
    int BarHotItem() const override { return m_hot; }
    void SetBarHotItem(int index) override { SetHot(index); }
    void DropBarItem(int index, bool select_first) override { DropItem(index, select_first); }

    LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const WndProc& next);
    bool Hook(MSG& msg);
    Rect BarRectInWindow() const;
    void Layout();
    int IndexAtScreen(Point screen) const;
    bool Selectable(int index) const;
    void SetHot(int index);
    void Repaint();
    void PaintBar();

    WindowSystem& m_ws;
    HWND m_form;
    TMainMenu& m_menu;
    uint64_t m_subclass = 0;
    uint64_t m_hook = 0;
    uint64_t m_listener = 0;
    std::vector<Rect> m_items; // relative to the bar's top-left
    int m_hot = -1;
    MenuBarKeys m_keys { *this };
    bool m_switching = false;
    std::unique_ptr<TMenuWindow> m_drop;
};

}
