#include "skin/views/skin_tree_view.h"

#include "platform/components/class_info.h"

namespace pellamo {

TsuiTreeView::TsuiTreeView(TComponent* owner)
    : ScrolledView(owner, BoundViewKind::Tree)
{
}

const ClassInfo& TsuiTreeView::StaticClass()
{
    static const ClassInfo info(
        "TsuiTreeView", &TCustomTreeView::StaticClass(), StyleAndBarProps<TsuiTreeView>(), FactoryOf<TsuiTreeView>());
    return info;
}

void TsuiTreeView::UpdateScrollBarsPos()
{
    UpdateScrollBars();
    Bars().Place();
    // Once placed, a bar has the length the thumb's length is checked against.
    UpdateScrollBars();
}

void TsuiTreeView::ItemsChanged()
{
    ScrolledView::ItemsChanged();
    // A wider or narrower node may show or hide the horizontal bar, and
    // with it the room the vertical one has: placed again, as on a resize.
    if (HScrollBar())
        UpdateScrollBarsPos();
    else
        UpdateScrollBars();
}

}
