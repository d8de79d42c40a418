#include "skin/edits/edit_classes.h"

#include "platform/components/class_registry.h"
#include "skin/edits/bordered_edit.h"
#include "skin/edits/number_edit.h"
#include "skin/edits/spin_edit.h"

namespace pellamo {

void RegisterSkinEditClasses()
{
    RegisterClasses({ &TsuiEdit::StaticClass(), &TsuiMaskEdit::StaticClass(), &TsuiNumberEdit::StaticClass(),
        &TsuiSpinEdit::StaticClass(), &TsuiSpinButtons::StaticClass() });
}

}
