#pragma once

#include "platform/components/controls/form.h"
#include "platform/components/controls/menu.h"

#include <memory>

namespace pellamo {

class TForm;
class TMenuBar;

// The menu of a form's menu bar: its items are the bar's entries, their
// sub-items drop down. Read from a description as its form's Menu, it
// attaches a plain TMenuBar to that form; a skinned frame instead paints
// its own bar from the same items and drops them with TMenuWindow.
class TMainMenu : public TMenu, public FormMenuBar {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Shows the menu as `form`'s plain menu bar (null removes the bar).
    void AttachToForm(TForm* form);
    TMenuBar* MenuBar() const { return m_bar.get(); }

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    void FormLetMenuGo(TForm& form) override;

private:
    std::unique_ptr<TMenuBar> m_bar;
    TForm* m_form = nullptr;
};

}
