#include "skin/views/skin_memo.h"

#include "platform/components/class_info.h"

namespace pellamo {

TsuiMemo::TsuiMemo(TComponent* owner)
    : ScrolledView(owner, BoundViewKind::Memo)
{
}

const ClassInfo& TsuiMemo::StaticClass()
{
    static const ClassInfo info(
        "TsuiMemo", &TCustomMemo::StaticClass(), StyleAndBarProps<TsuiMemo>(), FactoryOf<TsuiMemo>());
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
