#include "skin/frame/title_bar_popup_menu.h"

#include "platform/components/reading_order.h"
#include "platform/text/gbk.h"
#include "skin/frame/title_bar.h"

namespace pellamo {

namespace {

constexpr int kRightToLeftShift = 176;

}

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TComponent* owner, TsuiTitleBar& bar)
    : TsuiPopupMenu(owner)
    , m_bar(bar)
{
    struct Entry {
        const char* caption; // UTF-8
        void (TsuiTitleBar::*action)();
    };
    const Entry entries[] = {
        { "最小化(&N)", &TsuiTitleBar::MinimizeForm },
        { "最大化/还原(&X)", &TsuiTitleBar::MaximizeOrRestoreForm },
        { "-", nullptr },
        { "关闭(&C)", &TsuiTitleBar::CloseForm },
    };
    for (const Entry& e : entries) {
        auto* item = new TMenuItem(this);
        item->SetCaption(Utf8ToGbk(e.caption));
        if (e.action) {
            auto action = e.action;
            item->OnClick = [this, action](TObject*) { (m_bar.*action)(); };
        }
        Items()->Add(item);
    }
    MenuAdded();
}

const ClassInfo& TsuiTitleBarPopupMenu::StaticClass()
{
    static const ClassInfo info("TsuiTitleBarPopupMenu", &TsuiPopupMenu::StaticClass());
    return info;
}

void TsuiTitleBarPopupMenu::PopupAt(Point screen)
{
    if (m_bar.BiDiMode() == TBiDiMode::bdRightToLeft && LocaleReadsRightToLeft())
        screen.x += kRightToLeftShift;
    MinimizeItem()->SetEnabled(m_bar.HasVisibleButton(TsuiTitleBarBtnType::suiMin));
    MaximizeItem()->SetEnabled(m_bar.HasVisibleButton(TsuiTitleBarBtnType::suiMax));
    CloseItem()->SetEnabled(m_bar.HasVisibleButton(TsuiTitleBarBtnType::suiClose));
    Popup(screen.x, screen.y);
}

}
