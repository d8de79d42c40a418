#include "skin/panels/panel_classes.h"

#include "platform/components/class_registry.h"
#include "skin/panels/caption_panel.h"
#include "skin/panels/grip_status_bar.h"
#include "skin/panels/group_box.h"
#include "skin/panels/link_label.h"
#include "skin/panels/picture_panel.h"

namespace pellamo {

void RegisterSkinPanelClasses()
{
    RegisterClasses({ &TsuiImagePanel::StaticClass(), &TsuiPanel::StaticClass(), &TsuiGroupBox::StaticClass(),
        &TsuiStatusBar::StaticClass(), &TsuiURLLabel::StaticClass() });
}

}
