#include "skin/panels/grip_status_bar.h"

#include "platform/components/controls/form.h"
#include "platform/components/props.h"
#include "platform/gfx/system_colors.h"
#include "skin/panels/status_grip_face.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_source.h"

namespace pellamo {

TsuiStatusBar::TsuiStatusBar(TComponent* owner)
    : TCustomStatusBar(owner)
{
    SetUIStyle(GetSUIFormStyle(owner));
}

const ClassInfo& TsuiStatusBar::StaticClass()
{
    static const ClassInfo info("TsuiStatusBar", &TCustomStatusBar::StaticClass(),
        {
            props::Ref<TsuiStatusBar, TsuiFileTheme>(
                "FileTheme", &TsuiStatusBar::FileTheme, &TsuiStatusBar::SetFileTheme),
            props::Enum<TsuiStatusBar>("UIStyle", UIStyleNames(), &TsuiStatusBar::UIStyle, &TsuiStatusBar::SetUIStyle),
            props::Color<TsuiStatusBar>("PanelColor", &TsuiStatusBar::PanelColor, &TsuiStatusBar::SetPanelColor),
        },
        FactoryOf<TsuiStatusBar>());
    return info;
}

void TsuiStatusBar::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    SetColor(ThemeSource(style_.FileTheme(), style).Color(ThemeItem::FormBackgroundColor));
    Invalidate();
}

void TsuiStatusBar::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    SetUIStyle(style_.Style());
}

void TsuiStatusBar::Notification(TComponent* component, TOperation operation)
{
    TCustomStatusBar::Notification(component, operation);
    if (operation == TOperation::opRemove && style_.Forget(component))
        SetUIStyle(TsuiUIStyle::DeepBlue);
}

bool TsuiStatusBar::FormMaximized() const
{
    TForm* form = ParentForm();
    return form && form->WindowState() == TWindowState::wsMaximized;
}

void TsuiStatusBar::WndProc(TMessage& message)
{
    if (message.Msg == WM_NCHITTEST && FormMaximized()) {
        message.Result = HTNOWHERE;
        return;
    }
    TCustomStatusBar::WndProc(message);
}

void TsuiStatusBar::Paint()
{
    TCustomStatusBar::Paint();
    TForm* form = ParentForm();
    if (!form)
        return;
    TFormBorderStyle border = form->BorderStyle();
    if (border != TFormBorderStyle::bsSizeable && border != TFormBorderStyle::bsSizeToolWin)
        return;
    PaintStatusGrip(
        Canvas(), { ClientWidth(), ClientHeight() }, Color(), SizeGrip() && !FormMaximized(), clInactiveCaption);
}

}
