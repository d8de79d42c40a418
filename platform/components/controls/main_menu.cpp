#include "platform/components/controls/main_menu.h"

#include "platform/components/controls/form.h"
#include "platform/components/controls/menu_bar.h"
#include "platform/components/props.h"

namespace pellamo {

TMainMenu::TMainMenu(TComponent* owner)
    : TMenu(owner)
{
}

TMainMenu::~TMainMenu() { m_bar.reset(); }

const ClassInfo& TMainMenu::StaticClass()
{
    static const ClassInfo info("TMainMenu", &TMenu::StaticClass(), {}, FactoryOf<TMainMenu>());
    return info;
}

void TMainMenu::AttachToForm(TForm* form)
{
    m_bar.reset();
    if (m_form && m_form != form)
        RemoveFreeNotification(m_form);
    m_form = form;
    if (!form)
        return;
    FreeNotification(form);
    m_bar = std::make_unique<TMenuBar>(form->Handle(), *this);
}

void TMainMenu::FormLetMenuGo(TForm& form)
{
    if (&form == m_form)
        AttachToForm(nullptr);
}

void TMainMenu::Loaded()
{
    TMenu::Loaded();
    // A form that names this menu as its Menu shows it as its bar.
    if (auto* form = dynamic_cast<TForm*>(Owner()); form && form->MenuComponent() == this)
        AttachToForm(form);
}

void TMainMenu::Notification(TComponent* component, TOperation operation)
{
    TMenu::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_form) {
        m_bar.reset();
        m_form = nullptr;
    }
}

}
