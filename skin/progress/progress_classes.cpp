#include "skin/progress/progress_classes.h"

#include "platform/components/class_registry.h"
#include "skin/progress/progress_bar.h"

namespace pellamo {

void RegisterProgressClasses() { RegisterClasses({ &TsuiProgressBar::StaticClass() }); }

}
