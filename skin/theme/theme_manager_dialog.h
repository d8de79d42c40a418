#pragma once

// TfrmMgr: the window in which a theme manager's list of components is
// chosen: a check list of the candidates and buttons to select all,
// unselect all, and close with OK.

#include "platform/components/controls/button.h"
#include "platform/components/controls/check_list_box.h"
#include "platform/components/controls/form.h"

namespace pellamo {

class TsuiThemeManager;

class TfrmMgr : public TForm {
public:
    explicit TfrmMgr(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TCheckListBox* List;
    TButton* btn_unsel;
    TButton* btn_sel;
    TButton* btn_ok;

private:
    void CheckAll(bool checked);
};

// Lets the user choose which components of the manager's form it styles:
// every component of the form whose class name begins with "Tsui", that
// publishes "UIStyle" and "FileTheme" and is no theme manager, listed by
// name and checked when in CompList. OK replaces CompList with the checked
// names in list order. The components are updated however the window is
// closed. Returns false (and shows nothing) when the owner is no form.
bool EditThemeManagerComponents(TsuiThemeManager& manager);
// The same in a window the caller made (and frees).
bool EditThemeManagerComponents(TsuiThemeManager& manager, TfrmMgr& dialog);

}
