#include "skin/window/form_focus.h"

#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"

namespace pellamo {

namespace {

MdiFrameQuery& Query()
{
    static MdiFrameQuery query;
    return query;
}

}

void SetMdiFrameQuery(MdiFrameQuery query) { Query() = std::move(query); }

bool FormHasFocus(const FormFocusFacts& f)
{
    if (!f.has_main_form)
        return f.form_active;
    if (f.main_is_mdi_parent && f.form_is_main)
        return true;
    if (!f.application_active)
        return false;
    if (f.form_absent || f.form_is_main)
        return true;
    if (f.main_is_mdi_parent && f.form_is_active_mdi_child)
        return true;
    return f.form_active;
}

bool FormHasFocus(const TForm* form)
{
    const TForm* main = Application ? Application->MainForm() : nullptr;
    const MdiFrameQuery& query = Query();
    FormFocusFacts facts;
    facts.has_main_form = main != nullptr;
    facts.main_is_mdi_parent = main && query.is_mdi_parent && query.is_mdi_parent(*main);
    facts.form_is_main = form && form == main;
    facts.form_absent = form == nullptr;
    facts.application_active = Application && Application->Active();
    facts.form_is_active_mdi_child = facts.main_is_mdi_parent && form && query.active_child && form->HandleAllocated()
        && query.active_child(*main) == form->HandleOrNull();
    facts.form_active = form && form->Active();
    return FormHasFocus(facts);
}

}
