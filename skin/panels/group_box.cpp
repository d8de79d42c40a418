#include "skin/panels/group_box.h"

#include "platform/components/props.h"
#include "platform/components/reading_order.h"
#include "skin/panels/group_box_face.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_source.h"

#include <cstdlib>

namespace pellamo {

TsuiCustomGroupBox::TsuiCustomGroupBox(TComponent* owner)
    : TsuiCustomPanel(owner)
{
    TControl::SetCaption(" ");
    SetBounds(Left(), Top(), 185, 105);
    SetParentColor(true);
    SetTransparent(false);
    SetUIStyle(GetSUIFormStyle(owner));
}

const ClassInfo& TsuiCustomGroupBox::StaticClass()
{
    static const ClassInfo info("TsuiCustomGroupBox", &TsuiCustomPanel::StaticClass(),
        {
            props::Ref<TsuiCustomGroupBox, TsuiFileTheme>(
                "FileTheme", &TsuiCustomGroupBox::FileTheme, &TsuiCustomGroupBox::SetFileTheme),
            props::Enum<TsuiCustomGroupBox>(
                "UIStyle", UIStyleNames(), &TsuiCustomGroupBox::UIStyle, &TsuiCustomGroupBox::SetUIStyle),
            props::Str<TsuiCustomGroupBox>("Caption", &TsuiCustomGroupBox::Caption, &TsuiCustomGroupBox::SetCaption),
        });
    return info;
}

const ClassInfo& TsuiGroupBox::StaticClass()
{
    static const ClassInfo info("TsuiGroupBox", &TsuiCustomGroupBox::StaticClass(),
        {
            props::Color<TsuiGroupBox>("BorderColor", &TsuiGroupBox::BorderColor, &TsuiGroupBox::SetBorderColor),
        },
        FactoryOf<TsuiGroupBox>());
    return info;
}

void TsuiCustomGroupBox::SetCaption(const std::string& caption)
{
    caption_ = caption;
    Invalidate();
}

void TsuiCustomGroupBox::SetBorderColor(TColor color)
{
    border_color_ = color;
    Invalidate();
}

void TsuiCustomGroupBox::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    UpdateUIStyle(style, style_.FileTheme());
}

void TsuiCustomGroupBox::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    SetUIStyle(style_.Style());
}

void TsuiCustomGroupBox::UpdateUIStyle(TsuiUIStyle style, TsuiFileTheme* file_theme)
{
    ContainerApplyUIStyle(this, style, file_theme);
    ThemeSource theme(file_theme, style);
    border_color_ = theme.Color(ThemeItem::ControlBorderColor);
    Font().SetColor(theme.Color(ThemeItem::ControlFontColor));
    Invalidate();
}

void TsuiCustomGroupBox::Notification(TComponent* component, TOperation operation)
{
    TsuiCustomPanel::Notification(component, operation);
    if (operation == TOperation::opRemove && style_.Forget(component)) {
        ContainerApplyUIStyle(this, TsuiUIStyle::DeepBlue, nullptr);
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
}

int TsuiCustomGroupBox::FontHeight() const { return std::abs(Font().Height()); }

Rect TsuiCustomGroupBox::GetClient() const
{
    Rect c = ClientRect();
    return { c.left + 3, c.top + FontHeight(), c.right - 2, c.bottom - 2 };
}

Rect TsuiCustomGroupBox::AlignRect() const
{
    Rect c = ClientRect();
    Rect r { c.left + 3, c.top + FontHeight() + 5, c.right - 3, c.bottom - 3 };
    r.right = std::max(r.left, r.right);
    r.bottom = std::max(r.top, r.bottom);
    return r;
}

void TsuiCustomGroupBox::FontChanged()
{
    TsuiCustomPanel::FontChanged();
    Realign();
    Invalidate();
}

void TsuiCustomGroupBox::Paint()
{
    pellamo::Canvas& c = Canvas();
    Rect client = ClientRect();
    if (Transparent()) {
        PaintPicturePanel();
    } else {
        c.brush.style = BrushStyle::Solid;
        c.brush.color = Color();
        c.FillRect(client);
    }
    GroupBoxFace face;
    face.border_color = border_color_;
    face.caption = caption_;
    face.font = Font().GetFont();
    face.enabled = Enabled();
    face.right_to_left = BiDiMode() == TBiDiMode::bdRightToLeft && LocaleReadsRightToLeft();
    PaintGroupBoxFrame(c, client, face);
}

}
