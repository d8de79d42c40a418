#include "skin/theme/theme_manager_dialog.h"

#include "platform/components/class_info.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_manager.h"

namespace pellamo {

namespace {

template <class T> T* Place(TfrmMgr* form, const char* name, Rect bounds)
{
    auto* control = new T(form);
    control->SetName(name);
    control->SetParent(form);
    control->SetBoundsRect(bounds);
    return control;
}

}

TfrmMgr::TfrmMgr(TComponent* owner)
    : TForm(owner)
{
    SetName("frmMgr");
    SetCaption("Theme Manager - PelSkin");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    SetClientWidth(233);
    SetClientHeight(301);

    List = Place<TCheckListBox>(this, "List", Rect::FromSize(16, 16, 201, 185));
    List->SetTabOrder(0);
    btn_unsel = Place<TButton>(this, "btn_unsel", Rect::FromSize(16, 208, 97, 25));
    btn_unsel->SetCaption("&Unselect all");
    btn_unsel->OnClick = [this](TObject*) { CheckAll(false); };
    btn_sel = Place<TButton>(this, "btn_sel", Rect::FromSize(120, 208, 97, 25));
    btn_sel->SetCaption("&Select all");
    btn_sel->OnClick = [this](TObject*) { CheckAll(true); };
    btn_ok = Place<TButton>(this, "btn_ok", Rect::FromSize(72, 264, 89, 25));
    btn_ok->SetCaption("&OK");
    btn_ok->SetDefault(true);
    btn_ok->SetModalResult(mrOk);
}

const ClassInfo& TfrmMgr::StaticClass()
{
    static const ClassInfo info("TfrmMgr", &TForm::StaticClass());
    return info;
}

void TfrmMgr::CheckAll(bool checked)
{
    for (int i = 0; i < List->Items().Count(); ++i)
        List->SetChecked(i, checked);
}

bool EditThemeManagerComponents(TsuiThemeManager& manager)
{
    if (!dynamic_cast<TForm*>(manager.Owner()))
        return false;
    ComponentPtr<TfrmMgr> dialog(new TfrmMgr(nullptr));
    return EditThemeManagerComponents(manager, *dialog);
}

bool EditThemeManagerComponents(TsuiThemeManager& manager, TfrmMgr& dialog)
{
    TComponent* form = manager.Owner();
    if (!dynamic_cast<TForm*>(form))
        return false;
    TCheckListBox& list = *dialog.List;
    list.Items().Clear();
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        if (!c->ClassName().starts_with("Tsui") || dynamic_cast<TsuiThemeManager*>(c) || !IsHasProperty(c, "UIStyle")
            || !IsHasProperty(c, "FileTheme"))
            continue;
        int index = list.Items().Add(c->Name());
        list.SetChecked(index, manager.CompList().IndexOf(c->Name()) >= 0);
    }
    if (dialog.ShowModal() == mrOk) {
        manager.CompList().Clear();
        for (int i = 0; i < list.Items().Count(); ++i)
            if (list.Checked(i))
                manager.CompList().Add(list.Items().Get(i));
    }
    manager.UpdateAll();
    return true;
}

}
