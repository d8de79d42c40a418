#include "skin/theme/style_properties.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/form.h"
#include "platform/components/property_access.h"

#include <vector>

namespace pellamo {

namespace {

bool IsOfClassNamed(const TObject& object, std::string_view name)
{
    for (const ClassInfo* c = &object.Class(); c; c = c->Parent())
        if (c->Name() == name)
            return true;
    return false;
}

}

bool IsHasProperty(const TPersistent* object, std::string_view name)
{
    return object && object->Class().FindProp(name) != nullptr;
}

bool IsSkinFrame(const TObject& object)
{
    return IsOfClassNamed(object, "TsuiForm") || IsOfClassNamed(object, "TsuiMDIForm");
}

TsuiUIStyle GetSUIFormStyle(const TComponent* component)
{
    auto* form = dynamic_cast<const TForm*>(component);
    if (!form)
        return TsuiUIStyle::DeepBlue;
    for (int i = 0; i < form->ControlCount(); ++i) {
        TControl* child = form->Controls(i);
        if (IsOfClassNamed(*child, "TsuiForm") && IsHasProperty(child, "UIStyle"))
            return static_cast<TsuiUIStyle>(GetOrdProp(*child, "UIStyle"));
    }
    // An MDI form's frame is no control of it, only a component it owns.
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* c = form->Components(i);
        if (IsOfClassNamed(*c, "TsuiMDIForm") && IsHasProperty(c, "UIStyle"))
            return static_cast<TsuiUIStyle>(GetOrdProp(*c, "UIStyle"));
    }
    return TsuiUIStyle::DeepBlue;
}

void ContainerApplyUIStyle(TWinControl* container, TsuiUIStyle style, TComponent* file_theme)
{
    if (!container)
        return;
    // A child taking a style may add or drop controls of its own: walk a copy.
    std::vector<TControl*> children;
    for (int i = 0; i < container->ControlCount(); ++i)
        children.push_back(container->Controls(i));
    for (TControl* child : children) {
        if (!IsHasProperty(child, "FileTheme") || !IsHasProperty(child, "UIStyle"))
            continue;
        SetComponentProp(*child, "FileTheme", file_theme);
        SetOrdProp(*child, "UIStyle", static_cast<int64_t>(style));
    }
}

}
