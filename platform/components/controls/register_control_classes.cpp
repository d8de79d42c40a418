#include "platform/components/controls/register_control_classes.h"

#include "platform/components/class_registry.h"
#include "platform/components/controls/button.h"
#include "platform/components/controls/check_list_box.h"
#include "platform/components/controls/edit.h"
#include "platform/components/controls/form.h"
#include "platform/components/controls/graphic_control.h"
#include "platform/components/controls/image.h"
#include "platform/components/controls/image_list.h"
#include "platform/components/controls/label.h"
#include "platform/components/controls/mask_edit.h"
#include "platform/components/controls/memo.h"
#include "platform/components/controls/panel.h"
#include "platform/components/controls/status_bar.h"
#include "platform/components/controls/timer.h"

namespace pellamo {

void RegisterControlClasses()
{
    RegisterClasses({ &TControl::StaticClass(), &TWinControl::StaticClass(), &TGraphicControl::StaticClass(),
        &TCustomControl::StaticClass(), &TForm::StaticClass(), &TPanel::StaticClass(), &TLabel::StaticClass(),
        &TImage::StaticClass(), &TEdit::StaticClass(), &TMemo::StaticClass(), &TButton::StaticClass(),
        &TStatusBar::StaticClass(), &TTimer::StaticClass(), &TImageList::StaticClass(), &TCheckListBox::StaticClass(),
        &TMaskEdit::StaticClass() });
}

}
