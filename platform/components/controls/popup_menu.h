#pragma once

#include "platform/components/controls/menu.h"
#include "platform/components/controls/menu_window.h"

#include <memory>

namespace pellamo {

// A menu shown at a screen point as a pop-up window. Popup returns at once;
// the menu stays open until an item is chosen (its OnClick runs after the
// menu closed), Esc, or a click outside it.
class TPopupMenu : public TMenu, private TMenuWindow::Host {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void Popup(int x, int y);
    bool IsOpen() const { return m_window && m_window->IsOpen(); }
    // The open first level (null when closed).
    TMenuWindow* Window() const { return IsOpen() ? m_window.get() : nullptr; }
    void CloseMenu();
    bool AutoPopup() const { return m_auto_popup; }
    void SetAutoPopup(bool v) { m_auto_popup = v; }
    // The control the menu was last shown for (set by that control).
    TComponent* PopupComponent = nullptr;

    TNotifyEvent OnPopup;

private:
    void MenuClosed(TMenuItem*) override { }

    std::unique_ptr<TMenuWindow> m_window;
    bool m_auto_popup = true;
};

}
