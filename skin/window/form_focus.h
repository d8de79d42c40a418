#pragma once

// Whether a form paints its frame as the active one. An MDI parent counts
// as active together with its active child window.

#include "platform/window/messages.h"

#include <functional>

namespace pellamo {

class TForm;

// What the decision looks at.
struct FormFocusFacts {
    bool has_main_form = false;
    bool main_is_mdi_parent = false;
    bool form_is_main = false;
    bool form_absent = false;
    bool application_active = false;
    bool form_is_active_mdi_child = false;
    bool form_active = false;
};

// 1. No main form: the form's own active flag. 2. The main form is an MDI
// parent and the form is it: true. 3. The application is not active:
// false. 4. No form, or the form is the main one: true. 5. The form is the
// main MDI parent's active child: true. 6. Else the form's own flag.
bool FormHasFocus(const FormFocusFacts& facts);

// The same for a form of the running application.
bool FormHasFocus(const TForm* form);

// How a form tells it is an MDI parent and which child window it has
// active; installed by the MDI frame. Without it no form is an MDI parent.
struct MdiFrameQuery {
    std::function<bool(const TForm&)> is_mdi_parent;
    std::function<HWND(const TForm&)> active_child;
};
void SetMdiFrameQuery(MdiFrameQuery query);

}
