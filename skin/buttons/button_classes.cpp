#include "skin/buttons/button_classes.h"

#include "platform/components/class_registry.h"
#include "skin/buttons/arrow_button.h"
#include "skin/buttons/control_button.h"
#include "skin/buttons/image_button.h"
#include "skin/buttons/push_button.h"
#include "skin/buttons/tool_bar_speed_button.h"

namespace pellamo {

void RegisterButtonClasses()
{
    RegisterClasses({ &TsuiCustomButton::StaticClass(), &TsuiButton::StaticClass(), &TsuiImageButton::StaticClass(),
        &TsuiControlButton::StaticClass(), &TsuiArrowButton::StaticClass(), &TsuiToolBarSpeedButton::StaticClass() });
}

}
