#include "skin/groups/group_classes.h"

#include "platform/components/class_registry.h"
#include "skin/groups/radio_group.h"

namespace pellamo {

void RegisterGroupClasses() { RegisterClasses({ &TsuiCheckGroup::StaticClass(), &TsuiRadioGroup::StaticClass() }); }

}
