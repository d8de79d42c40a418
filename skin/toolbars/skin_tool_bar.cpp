#include "skin/toolbars/skin_tool_bar.h"

#include "platform/components/controls/tool_button.h"
#include "platform/components/props.h"
#include "platform/window/device_context.h"
#include "skin/panels/off_screen.h"
#include "skin/theme/file_theme.h"
#include "skin/window/transparency.h"

namespace pellamo {

TsuiToolBar::TsuiToolBar(TComponent* owner)
    : TToolBar(owner)
    , style_(*this)
{
    SetFlat(true);
    SetTransparent(false);
    SetColor(clWindow);
    SetUIStyle(style_.Style());
}

const ClassInfo& TsuiToolBar::StaticClass()
{
    using C = TsuiToolBar;
    static const ClassInfo info("TsuiToolBar", &TToolBar::StaticClass(),
        {
            props::Ref<C, TsuiFileTheme>("FileTheme", &C::FileTheme, &C::SetFileTheme),
            props::Enum<C>("UIStyle", UIStyleNames(), &C::UIStyle, &C::SetUIStyle),
            props::Color<C>("ButtonColor", &C::ButtonColor, &C::SetButtonColor),
            props::Color<C>("ButtonBorderColor", &C::ButtonBorderColor, &C::SetButtonBorderColor),
            props::Color<C>("ButtonDownColor", &C::ButtonDownColor, &C::SetButtonDownColor),
        },
        FactoryOf<C>());
    return info;
}

// ---- Style

void TsuiToolBar::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    ThemeSource theme = style_.Theme();
    look_.border = theme.Color(ThemeItem::ToolBarButtonBorderColor);
    look_.face = theme.Color(ThemeItem::ToolBarButtonBackgroundColor);
    look_.down = theme.Color(ThemeItem::ToolBarButtonDownBackgroundColor);
    SetTransparent(style == TsuiUIStyle::MacOS || style == TsuiUIStyle::Protein);
    SetEdgeBorders({});
    Invalidate();
}

void TsuiToolBar::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    SetUIStyle(style_.Style());
}

void TsuiToolBar::Notification(TComponent* component, TOperation operation)
{
    TToolBar::Notification(component, operation);
    if (operation == TOperation::opRemove && style_.Forget(component) && !HasState(csDestroying))
        SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiToolBar::SetButtonColor(TColor color)
{
    look_.face = color;
    Invalidate();
}

void TsuiToolBar::SetButtonBorderColor(TColor color)
{
    look_.border = color;
    Invalidate();
}

void TsuiToolBar::SetButtonDownColor(TColor color)
{
    look_.down = color;
    Invalidate();
}

// ---- Painting

void TsuiToolBar::PaintWindow(DeviceContext& dc)
{
    Rect client = ClientRect();
    PaintOffScreen(dc.GetCanvas(), { client.Width(), client.Height() }, [&](pellamo::Canvas& canvas) {
        DeviceContext buffer = DeviceContext::Over(canvas);
        TToolBar::PaintWindow(buffer);
    });
}

void TsuiToolBar::CustomDraw(const Rect& client, bool& default_draw)
{
    TToolBar::CustomDraw(client, default_draw);
    if (Transparent())
        DoTrans(Canvas(), *this);
}

void TsuiToolBar::CustomDrawButton(TToolButton* button, TCustomDrawState state, bool& default_draw)
{
    TToolBar::CustomDrawButton(button, state, default_draw);
    if (!default_draw || button->IsSeparator())
        return;
    bool hot = (state & cdsHot) != 0;
    bool pressed = (state & cdsSelected) != 0;
    bool checked = (state & cdsChecked) != 0;
    if (!hot && !pressed && !checked)
        return; // the bar draws it
    ToolButtonFace face;
    face.pressed = hot && pressed;
    face.drop_down = button->Style() == TToolButtonStyle::tbsDropDown;
    face.arrow = hot && face.drop_down;
    face.images = HotImages() ? HotImages() : Images();
    face.image_index = button->ImageIndex();
    face.list = List();
    if (ShowCaptions())
        face.caption = button->DisplayCaption();
    face.font = Font().GetFont();
    PaintToolButtonFace(Canvas(), button->BoundsRect(), face, look_);
    default_draw = false;
}

}
