#include "skin/views/view_classes.h"

#include "platform/components/class_registry.h"
#include "skin/views/skin_memo.h"
#include "skin/views/skin_tree_view.h"

namespace pellamo {

void RegisterSkinViewClasses() { RegisterClasses({ &TsuiTreeView::StaticClass(), &TsuiMemo::StaticClass() }); }

}
