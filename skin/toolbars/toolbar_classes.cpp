#include "skin/toolbars/toolbar_classes.h"

#include "platform/components/class_registry.h"
#include "skin/toolbars/skin_tool_bar.h"

namespace pellamo {

void RegisterToolBarClasses() { RegisterClasses({ &TsuiToolBar::StaticClass() }); }

}
