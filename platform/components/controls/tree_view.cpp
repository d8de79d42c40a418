#include "platform/components/controls/tree_view.h"

#include "platform/components/props.h"

namespace pellamo {

const ClassInfo& TTreeView::StaticClass()
{
    static const ClassInfo info("TTreeView", &TCustomTreeView::StaticClass(), {}, FactoryOf<TTreeView>());
    return info;
}

}
