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
    , bar_(bar)
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
            item->OnClick = [this, action](TObject*) { (bar_.*action)(); };
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
    if (bar_.BiDiMode() == TBiDiMode::bdRightToLeft && LocaleReadsRightToLeft())
        screen.x += kRightToLeftShift;
    MinimizeItem()->SetEnabled(bar_.HasVisibleButton(TsuiTitleBarBtnType::suiMin));
    MaximizeItem()->SetEnabled(bar_.HasVisibleButton(TsuiTitleBarBtnType::suiMax));
    CloseItem()->SetEnabled(bar_.HasVisibleButton(TsuiTitleBarBtnType::suiClose));
    Popup(screen.x, screen.y);
}

}
