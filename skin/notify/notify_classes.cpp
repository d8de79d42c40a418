#include "skin/notify/notify_classes.h"

#include "platform/components/class_registry.h"
#include "skin/notify/notification_popup.h"
#include "skin/notify/notification_window.h"

namespace pellamo {

void RegisterSkinNotifyClasses()
{
    RegisterClasses({ &TsuiMSNPopForm::StaticClass(), &TfrmMSNPopForm::StaticClass() });
}

}
