#pragma once

#include "platform/components/controls/menu_item.h"
#include "platform/gfx/font.h"
#include "platform/window/window_system.h"

#include <memory>
#include <vector>

namespace pellamo {

class Canvas;
class TMenu;

// One drop-down level of a menu as a pop-up window: a top-level tool
// window that is always on top and never activated. The first level of a
// chain holds the mouse capture and sees the keys through the
// application-wide hook while the chain is open; sub-menus open to the
// right of their item. Choosing an item closes the chain first and clicks
// the item afterwards, from a posted message.
class TMenuWindow {
public:
    // The one who opened the chain (a pop-up menu or a menu bar).
    struct Host {
        virtual ~Host() = default;
        // A pointer event outside the chain while it is open; true when the
        // host took it (a menu bar switching to another of its items).
        virtual bool MenuOutsideMouse(UINT, Point) { return false; }
        // Left or Right beyond the chain's first level (dir -1 or +1).
        virtual void MenuSideways(int) { }
        // The chain closed; `chosen` (or null) is clicked afterwards from a
        // posted message. The chain must not be freed from here.
        virtual void MenuClosed(TMenuItem*) { }
    };

    // Item heights and the default font of plain menus.
    static constexpr int kSeparatorHeight = 9;
    static constexpr int kBorder = 2;
    static Font MenuFont();
    // Size of one item as measured (owner-drawn items ask OnMeasureItem).
    static Size MeasureItem(Canvas& canvas, TMenuItem& item, TMenu* menu);
    // Paints one item into `rect` (owner-drawn items paint themselves).
    static void DrawItem(Canvas& canvas, TMenuItem& item, TMenu* menu, const Rect& rect, bool selected);

    // Opens the sub-items of `parent` with the window's top-left corner at
    // `at` (screen), moved inside the work area. `avoid` (screen) is the
    // area the window should not cover when it must move (the bar item or
    // the parent item).
    TMenuWindow(TMenuItem& parent, Point at, Host* host, Rect avoid = {}, TMenuWindow* parent_window = nullptr);
    ~TMenuWindow();
    TMenuWindow(const TMenuWindow&) = delete;
    TMenuWindow& operator=(const TMenuWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    TMenuItem& ParentItem() const { return m_parent_item; }
    bool IsOpen() const { return !m_closed; }
    // The hot (highlighted) item's index among the sub-items; -1 for none.
    int HotIndex() const { return m_hot; }
    void SetHot(int index);
    // Client rectangle of a visible sub-item; empty for a hidden one.
    Rect ItemRect(int index) const;
    TMenuWindow* SubMenu() const { return m_sub.get(); }
    // The deepest open level.
    TMenuWindow* Deepest();
    // Opens the sub-menu of the item at `index`; select_first highlights
    // its first item (keyboard).
    void OpenSub(int index, bool select_first);
    void CloseSub();
    // Closes the whole chain; `chosen` is clicked after it closed.
    void CloseAll(TMenuItem* chosen);
    // A menu item is going away: chains showing it (or below it) close and
    // forget it, so nothing reaches a freed item.
    static void ItemGoing(const TMenuItem* item);

private:
    LRESULT Proc(UINT msg, WPARAM wparam, LPARAM lparam);
    TMenuWindow* Root();
    TMenuWindow* WindowAt(Point screen);
    int IndexAt(Point client) const;
    bool Selectable(int index) const;
    void MoveHot(int dir);
    void Activate(int index, bool by_key);
    bool HandleKey(const MSG& msg);
    void HandleMouse(UINT msg, Point screen);
    void Paint(Canvas& canvas);
    void Layout();

    WindowSystem& m_ws;
    TMenuItem& m_parent_item;
    TMenu* m_menu;
    Host* m_host;
    TMenuWindow* m_parent_window;
    HWND m_hwnd = nullptr;
    std::vector<Rect> m_rects; // per sub-item, client coordinates
    int m_hot = -1;
    std::unique_ptr<TMenuWindow> m_sub;
    std::unique_ptr<TMenuWindow> m_dead; // levels closed with the chain
    uint64_t m_hook = 0;
    bool m_closed = false;
    TMenuItem* m_chosen = nullptr;
    std::shared_ptr<bool> m_alive;
};

}
