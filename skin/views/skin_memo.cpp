#include "skin/views/skin_memo.h"

#include "platform/components/props.h"

namespace pellamo {

TsuiMemo::TsuiMemo(TComponent* owner) : ScrolledView(owner, BoundViewKind::Memo) {}

const ClassInfo& TsuiMemo::StaticClass()
{
    using M = TsuiMemo;
    static const ClassInfo info("TsuiMemo", &TCustomMemo::StaticClass(),
        {
            props::Ref<M, TsuiFileTheme>("FileTheme", &M::FileTheme, &M::SetFileTheme),
            props::Enum<M>("UIStyle", UIStyleNames(), &M::UIStyle, &M::SetUIStyle),
            props::Color<M>("BorderColor", &M::BorderColor, &M::SetBorderColor),
            props::Ref<M, TsuiScrollBar>("VScrollBar", &M::VScrollBar, &M::SetVScrollBar),
            props::Ref<M, TsuiScrollBar>("HScrollBar", &M::HScrollBar, &M::SetHScrollBar),
        },
        FactoryOf<M>());
    return info;
}

void TsuiMemo::UpdateScrollBarsPos()
{
    Bars().Place();
    UpdateScrollBars();
}

void TsuiMemo::UpdateInnerScrollBars()
{
    bool v = VScrollBar() != nullptr;
    bool h = HScrollBar() != nullptr;
    SetScrollBars(v && h ? TScrollStyle::ssBoth
            : v          ? TScrollStyle::ssVertical
            : h          ? TScrollStyle::ssHorizontal
                         : TScrollStyle::ssNone);
}

void TsuiMemo::UpdateScrollBar()
{
    ScrolledView::UpdateScrollBar();
    UpdateScrollBars();
}

}
