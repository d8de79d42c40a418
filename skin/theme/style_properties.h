#pragma once

// Styles travel between skinned components through their published
// "UIStyle" and "FileTheme" properties, so that any component offering
// both takes part, whatever its class.

#include "skin/theme_data/ui_style.h"

#include <string_view>

namespace pellamo {

class TComponent;
class TObject;
class TPersistent;
class TWinControl;

// Whether the object's class publishes a property of that name (any case).
bool IsHasProperty(const TPersistent* object, std::string_view name);

// Whether the object is a skinned window frame (a TsuiForm or TsuiMDIForm,
// or of a class derived from one).
bool IsSkinFrame(const TObject& object);

// The UIStyle of the first direct child control of `component` that is a
// TsuiForm, when `component` is a form, else of the TsuiMDIForm it owns;
// DeepBlue otherwise. A new skinned
// control takes this as its first style.
TsuiUIStyle GetSUIFormStyle(const TComponent* component);

// Gives each direct child control of `container` that publishes both
// "FileTheme" and "UIStyle" the file theme, then the style. Grandchildren
// are left to their own parents.
void ContainerApplyUIStyle(TWinControl* container, TsuiUIStyle style, TComponent* file_theme);

}
