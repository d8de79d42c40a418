#include "skin/views/skin_tree_view.h"

#include "platform/components/props.h"

namespace pellamo {

TsuiTreeView::TsuiTreeView(TComponent* owner) : ScrolledView(owner, BoundViewKind::Tree) {}

const ClassInfo& TsuiTreeView::StaticClass()
{
    using V = TsuiTreeView;
    static const ClassInfo info("TsuiTreeView", &TCustomTreeView::StaticClass(),
        {
            props::Ref<V, TsuiFileTheme>("FileTheme", &V::FileTheme, &V::SetFileTheme),
            props::Enum<V>("UIStyle", UIStyleNames(), &V::UIStyle, &V::SetUIStyle),
            props::Color<V>("BorderColor", &V::BorderColor, &V::SetBorderColor),
            props::Ref<V, TsuiScrollBar>("VScrollBar", &V::VScrollBar, &V::SetVScrollBar),
            props::Ref<V, TsuiScrollBar>("HScrollBar", &V::HScrollBar, &V::SetHScrollBar),
        },
        FactoryOf<V>());
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
    UpdateScrollBars();
}

}
