#include "platform/components/controls/popup_menu.h"

#include "platform/components/props.h"

namespace pellamo {

TPopupMenu::TPopupMenu(TComponent* owner)
    : TMenu(owner)
{
}

TPopupMenu::~TPopupMenu() { m_window.reset(); }

const ClassInfo& TPopupMenu::StaticClass()
{
    static const ClassInfo info("TPopupMenu", &TMenu::StaticClass(),
        {
            props::Bool<TPopupMenu>("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup),
            props::Event<TPopupMenu>("OnPopup", &TPopupMenu::OnPopup),
        },
        FactoryOf<TPopupMenu>());
    return info;
}

void TPopupMenu::Popup(int x, int y)
{
    CloseMenu();
    OnPopup(this);
    // A chain closed before may still have its chosen item's click queued
    // (or be on the call stack): free it after that has run.
    if (m_window)
        WindowSystem::Current()->Loop().Post([dead = m_window.release()] { delete dead; });
    m_window = std::make_unique<TMenuWindow>(*Items(), Point { x, y }, static_cast<TMenuWindow::Host*>(this));
}

void TPopupMenu::CloseMenu()
{
    if (m_window && m_window->IsOpen())
        m_window->CloseAll(nullptr);
}

}
