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
    normal_.OnChange = changed;
    mouse_on_.OnChange = changed;
    mouse_down_.OnChange = changed;
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
            props::Object<B>("PicNormal", [](B& b) -> TPicture& { return b.normal_; }),
            props::Object<B>("PicMouseOn", [](B& b) -> TPicture& { return b.mouse_on_; }),
            props::Object<B>("PicMouseDown", [](B& b) -> TPicture& { return b.mouse_down_; }),
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
    visible_ = from->visible_;
    type_ = from->type_;
    transparent_ = from->transparent_;
    top_ = from->top_;
    ui_style_ = from->ui_style_;
    normal_.Assign(from->normal_);
    mouse_on_.Assign(from->mouse_on_);
    mouse_down_.Assign(from->mouse_down_);
    SetControlBoxMenu(from->control_box_menu_);
    Changed();
}

TsuiTitleBar* TsuiTitleBarButton::Bar() const
{
    auto* list = dynamic_cast<TsuiTitleBarButtons*>(Collection());
    return list ? list->Bar() : nullptr;
}

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle style)
{
    ui_style_ = style;
    UpdateUIStyle();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType type)
{
    if (type == TsuiTitleBarBtnType::suiControlBox && Collection()) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = dynamic_cast<TsuiTitleBarButton*>(Collection()->Items(i));
            if (other && other->type_ == TsuiTitleBarBtnType::suiControlBox) {
                ShowRefusal("Sorry, only one button's ButtonType property can be \"suiControlBox\"");
                return;
            }
        }
    }
    type_ = type;
    UpdateUIStyle();
}

void TsuiTitleBarButton::SetTransparent(bool on)
{
    transparent_ = on;
    Changed();
}

void TsuiTitleBarButton::SetTop(int top)
{
    top_ = top;
    Changed();
}

void TsuiTitleBarButton::SetControlBoxMenu(TComponent* menu)
{
    control_box_menu_ = menu;
    // The bar forgets the menu when it goes (an item gets no notifications).
    if (TsuiTitleBar* bar = Bar(); bar && menu)
        bar->FreeNotification(menu);
}

void TsuiTitleBarButton::SetVisible(bool visible)
{
    visible_ = visible;
    Changed();
}

void TsuiTitleBarButton::LoadFrames(int first)
{
    TsuiTitleBar* bar = Bar();
    ThemeSource theme(bar ? bar->FileTheme() : nullptr, ui_style_);
    normal_.SetBitmap(theme.Picture(ThemeItem::TitleBarButtonImage, kStripFrames, first));
    mouse_on_.SetBitmap(theme.Picture(ThemeItem::TitleBarButtonImage, kStripFrames, first + 1));
    mouse_down_.SetBitmap(theme.Picture(ThemeItem::TitleBarButtonImage, kStripFrames, first + 2));
}

void TsuiTitleBarButton::UpdateUIStyle()
{
    TsuiTitleBar* bar = Bar();
    ThemeSource theme(bar ? bar->FileTheme() : nullptr, ui_style_);
    transparent_ = theme.Bool(ThemeItem::TitleBarButtonTransparentBool);
    if (type_ != TsuiTitleBarBtnType::suiCustom) {
        top_ = theme.Int(ThemeItem::TitleBarButtonTopInt);
        LoadFrames(FirstFrame(type_, false));
        if (type_ == TsuiTitleBarBtnType::suiMax)
            ProcessMaxBtn();
    }
    Changed();
}

void TsuiTitleBarButton::ProcessMaxBtn()
{
    TsuiTitleBar* bar = Bar();
    if (type_ != TsuiTitleBarBtnType::suiMax || (bar && bar->Custom()))
        return;
    LoadFrames(FirstFrame(type_, bar && bar->ParentFormMaximised()));
}

TsuiTitleBarButtons::TsuiTitleBarButtons(TsuiTitleBar* bar)
    : TCollection(bar, ItemsOf<TsuiTitleBarButton>())
    , bar_(bar)
{
}

const ClassInfo& TsuiTitleBarButtons::StaticClass()
{
    static const ClassInfo info("TsuiTitleBarButtons", &TCollection::StaticClass());
    return info;
}

}
