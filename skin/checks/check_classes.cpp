#include "skin/checks/check_classes.h"

#include "platform/components/class_registry.h"
#include "skin/checks/radio_button.h"

namespace pellamo {

void RegisterCheckClasses() { RegisterClasses({ &TsuiCheckBox::StaticClass(), &TsuiRadioButton::StaticClass() }); }

}
