#include "skin/frame/title_bar_button.h"

#include "platform/components/controls/popup_menu.h"
#include "platform/components/props.h"
#include "skin/frame/refusal_box.h"
#include "skin/frame/title_bar.h"
#include "skin/theme/theme_source.h"

namespace pellamo {

namespace {

constexpr int kStripFrames = 18;

// The first of a type's three frames (normal, mouse over, pressed).
int FirstFrame(TsuiTitleBarBtnType type, bool maximised)
{
    switch (type) {
    case TsuiTitleBarBtnType::suiControlBox:
        return 1;
    case TsuiTitleBarBtnType::suiHelp:
        return 4;
    case TsuiTitleBarBtnType::suiMax:
        return maximised ? 10 : 7;
    case TsuiTitleBarBtnType::suiMin:
        return 13;
    case TsuiTitleBarBtnType::suiClose:
        return 16;
    case TsuiTitleBarBtnType::suiCustom:
        break;
    }
    return 0;
}

}

TsuiTitleBarButton::TsuiTitleBarButton(TCollection* collection)
    : TCollectionItem(collection)
{
    auto changed = [this] { Changed(); };
    m_normal.OnChange = changed;
    m_mouse_on.OnChange = changed;
    m_mouse_down.OnChange = changed;
}

const ClassInfo& TsuiTitleBarButton::StaticClass()
{
    using B = TsuiTitleBarButton;
    static const ClassInfo info("TsuiTitleBarButton", &TCollectionItem::StaticClass(),
        {
            props::Enum<B>("UIStyle", UIStyleNames(), &B::UIStyle, &B::SetUIStyle),
            props::Enum<B>("ButtonType", TitleBarBtnTypeNames(), &B::ButtonType, &B::SetButtonType),
            props::Bool<B>("Transparent", &B::Transparent, &B::SetTransparent),
            props::Int<B>("Top", &B::Top, &B::SetTop),
            props::Ref<B, TPopupMenu>("ControlBoxMenu", &B::ControlBoxMenu, &B::SetControlBoxMenu),
            props::Bool<B>("Visible", &B::Visible, &B::SetVisible),
            props::Object<B>("PicNormal", [](B& b) -> TPicture& { return b.m_normal; }),
            props::Object<B>("PicMouseOn", [](B& b) -> TPicture& { return b.m_mouse_on; }),
            props::Object<B>("PicMouseDown", [](B& b) -> TPicture& { return b.m_mouse_down; }),
        });
    return info;
}

void TsuiTitleBarButton::Assign(const TPersistent& source)
{
    auto* from = dynamic_cast<const TsuiTitleBarButton*>(&source);
    if (!from) {
        TCollectionItem::Assign(source);
        return;
    }
    m_visible = from->m_visible;
    m_type = from->m_type;
    m_transparent = from->m_transparent;
    m_top = from->m_top;
    m_ui_style = from->m_ui_style;
    m_normal.Assign(from->m_normal);
    m_mouse_on.Assign(from->m_mouse_on);
    m_mouse_down.Assign(from->m_mouse_down);
    SetControlBoxMenu(from->m_control_box_menu);
    Changed();
}

TsuiTitleBar* TsuiTitleBarButton::Bar() const
{
    auto* list = dynamic_cast<TsuiTitleBarButtons*>(Collection());
    return list ? list->Bar() : nullptr;
}

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle style)
{
    m_ui_style = style;
    UpdateUIStyle();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType type)
{
    if (type == TsuiTitleBarBtnType::suiControlBox && Collection()) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = dynamic_cast<TsuiTitleBarButton*>(Collection()->Items(i));
            if (other && other->m_type == TsuiTitleBarBtnType::suiControlBox) {
                ShowRefusal("Sorry, only one button's ButtonType property can be \"suiControlBox\"");
                return;
            }
        }
    }
    m_type = type;
    UpdateUIStyle();
}

void TsuiTitleBarButton::SetTransparent(bool on)
{
    m_transparent = on;
    Changed();
}

void TsuiTitleBarButton::SetTop(int top)
{
    m_top = top;
    Changed();
}

void TsuiTitleBarButton::SetControlBoxMenu(TComponent* menu)
{
    m_control_box_menu = menu;
    // The bar forgets the menu when it goes (an item gets no notifications).
    if (TsuiTitleBar* bar = Bar(); bar && menu)
        bar->FreeNotification(menu);
}

void TsuiTitleBarButton::SetVisible(bool visible)
{
    m_visible = visible;
    Changed();
}

void TsuiTitleBarButton::LoadFrames(int first)
{
    TsuiTitleBar* bar = Bar();
    ThemeSource theme(bar ? bar->FileTheme() : nullptr, m_ui_style);
    m_normal.SetBitmap(theme.Picture(ThemeItem::TitleBarButtonImage, kStripFrames, first));
    m_mouse_on.SetBitmap(theme.Picture(ThemeItem::TitleBarButtonImage, kStripFrames, first + 1));
    m_mouse_down.SetBitmap(theme.Picture(ThemeItem::TitleBarButtonImage, kStripFrames, first + 2));
}

void TsuiTitleBarButton::UpdateUIStyle()
{
    TsuiTitleBar* bar = Bar();
    ThemeSource theme(bar ? bar->FileTheme() : nullptr, m_ui_style);
    m_transparent = theme.Bool(ThemeItem::TitleBarButtonTransparentBool);
    if (m_type != TsuiTitleBarBtnType::suiCustom) {
        m_top = theme.Int(ThemeItem::TitleBarButtonTopInt);
        LoadFrames(FirstFrame(m_type, false));
        if (m_type == TsuiTitleBarBtnType::suiMax)
            ProcessMaxBtn();
    }
    Changed();
}

void TsuiTitleBarButton::ProcessMaxBtn()
{
    TsuiTitleBar* bar = Bar();
    if (m_type != TsuiTitleBarBtnType::suiMax || (bar && bar->Custom()))
        return;
    LoadFrames(FirstFrame(m_type, bar && bar->ParentFormMaximised()));
}

TsuiTitleBarButtons::TsuiTitleBarButtons(TsuiTitleBar* bar)
    : TCollection(bar, ItemsOf<TsuiTitleBarButton>())
    , m_bar(bar)
{
}

const ClassInfo& TsuiTitleBarButtons::StaticClass()
{
    static const ClassInfo info("TsuiTitleBarButtons", &TCollection::StaticClass());
    return info;
}

}
