#include "skin/panels/caption_panel.h"

#include "platform/components/controls/application.h"
#include "platform/components/enum_info.h"
#include "platform/components/props.h"
#include "platform/components/reading_order.h"
#include "platform/gfx/resources.h"
#include "platform/window/window_system.h"
#include "skin/panels/caption_panel_face.h"
#include "skin/panels/off_screen.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_source.h"
#include "skin/theme_data/named_pictures.h"
#include "skin/window/placement.h"

namespace pellamo {

namespace {

constexpr int kStep = 15;
constexpr int kBarlessTarget = 20;

bool FixedSideways(TAlign a) { return a == TAlign::alClient || a == TAlign::alLeft || a == TAlign::alRight; }

}

TsuiPanel::TsuiPanel(TComponent* owner)
    : TCustomPanel(owner)
{
    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);
    button_strip_ = Resources::CachedBitmap(kPanelButton);
    SetBounds(Left(), Top(), 100, 100);
    expanded_height_ = 100;
    SetUIStyle(GetSUIFormStyle(owner));
}

TsuiPanel::~TsuiPanel() { *alive_ = false; }

const ClassInfo& TsuiPanel::StaticClass()
{
    static const ClassInfo info("TsuiPanel", &TCustomPanel::StaticClass(),
        {
            props::Ref<TsuiPanel, TsuiFileTheme>("FileTheme", &TsuiPanel::FileTheme, &TsuiPanel::SetFileTheme),
            props::Enum<TsuiPanel>("UIStyle", UIStyleNames(), &TsuiPanel::UIStyle, &TsuiPanel::SetUIStyle),
            props::Color<TsuiPanel>("BorderColor", &TsuiPanel::BorderColor, &TsuiPanel::SetBorderColor),
            props::Bool<TsuiPanel>("ShowButton", &TsuiPanel::ShowButton, &TsuiPanel::SetShowButton),
            props::Int<TsuiPanel>("Height", &TsuiPanel::Height, &TsuiPanel::SetHeight),
            props::Color<TsuiPanel>("CaptionFontColor", &TsuiPanel::CaptionFontColor, &TsuiPanel::SetCaptionFontColor),
            props::Event<TsuiPanel>("OnPush", &TsuiPanel::OnPush),
            props::Event<TsuiPanel>("OnPop", &TsuiPanel::OnPop),
        },
        FactoryOf<TsuiPanel>());
    return info;
}

void TsuiPanel::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    if (restyling_for_file_theme_ && style != TsuiUIStyle::FromThemeFile)
        return;
    SetColor(clWhite);
    look_ = ResolveCaptionPanelLook(ThemeSource(style_.FileTheme(), style), look_.bar);
    // The bar's height may have changed: lay the children out again.
    Realign();
    Invalidate();
}

void TsuiPanel::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    restyling_for_file_theme_ = true;
    try {
        SetUIStyle(style_.Style());
    } catch (...) {
        restyling_for_file_theme_ = false;
        throw;
    }
    restyling_for_file_theme_ = false;
}

void TsuiPanel::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation == TOperation::opRemove && style_.Forget(component)) {
        ContainerApplyUIStyle(this, TsuiUIStyle::DeepBlue, nullptr);
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
}

void TsuiPanel::SetBorderColor(TColor color)
{
    look_.border_color = color;
    Invalidate();
}

void TsuiPanel::SetCaptionFontColor(TColor color)
{
    look_.caption_color = color;
    Invalidate();
}

void TsuiPanel::SetShowButton(bool on)
{
    show_button_ = on;
    Invalidate();
}

void TsuiPanel::SetHeight(int height)
{
    expanded_height_ = height;
    if (expanded_ || HasState(csDesigning))
        TControl::SetHeight(height);
}

bool TsuiPanel::ButtonShown() const
{
    return show_button_ && !FixedSideways(Align()) && button_strip_ && !button_strip_->Empty();
}

Rect TsuiPanel::ButtonHotRect() const
{
    Size frame { button_strip_->Width() / kPanelButtonFrames, button_strip_->Height() };
    return PanelButtonHotRect(ClientWidth(), BarHeight(), frame);
}

void TsuiPanel::Resize()
{
    TCustomPanel::Resize();
    if (!animating_ && expanded_)
        expanded_height_ = TControl::Height();
}

Rect TsuiPanel::AlignRect() const
{
    Rect c = ClientRect();
    Rect r { c.left + 3, BarHeight() + 3, c.right - 3, c.bottom - 3 };
    r.right = std::max(r.left, r.right);
    r.bottom = std::max(r.top, r.bottom);
    return r;
}

void TsuiPanel::Paint()
{
    Size size { ClientWidth(), std::max(expanded_height_, ClientHeight()) };
    PaintOffScreen(Canvas(), size, [&](pellamo::Canvas& canvas) {
        CaptionPanelFace face;
        face.color = Color();
        face.border_color = look_.border_color;
        face.caption_color = look_.caption_color;
        face.bar = &look_.bar;
        face.caption = Caption();
        face.font = Font().GetFont();
        face.right_to_left = BiDiMode() == TBiDiMode::bdRightToLeft && LocaleReadsRightToLeft();
        face.button_strip = ButtonShown() ? button_strip_.get() : nullptr;
        face.expanded = expanded_;
        face.hot = hot_;
        PaintCaptionPanel(canvas, size, face);
    });
}

void TsuiPanel::UpdateButtonHot(Point client)
{
    bool hot = ButtonShown() && InRect(client, ButtonHotRect());
    if (hot == hot_)
        return;
    hot_ = hot;
    Invalidate();
}

void TsuiPanel::MouseMove(TShiftState shift, int x, int y)
{
    TCustomPanel::MouseMove(shift, x, y);
    if (show_button_ && y <= BarHeight())
        UpdateButtonHot({ x, y });
}

void TsuiPanel::MouseLeave()
{
    TCustomPanel::MouseLeave();
    UpdateButtonHot({ -1, -1 });
}

void TsuiPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    TCustomPanel::MouseUp(button, shift, x, y);
    if (!*alive || button != TMouseButton::mbLeft)
        return;
    // Where the button is released decides, not where the pointer was last
    // seen over the bar.
    UpdateButtonHot({ x, y });
    if (hot_) {
        if (expanded_)
            Push();
        else
            Pop();
        if (!*alive)
            return;
    }
    Invalidate();
}

bool TsuiPanel::Animate(int target)
{
    // Each step runs handlers (resize, paint, whatever the loop has
    // waiting) that may free the panel or its form.
    std::shared_ptr<bool> alive = alive_;
    try {
        int current = TControl::Height();
        auto still_far = [&] { return target < current ? target < current - kStep : current + kStep < target; };
        while (still_far()) {
            current += target < current ? -kStep : kStep;
            TControl::SetHeight(current);
            if (!*alive)
                return false;
            Repaint();
            if (Application)
                Application->ProcessMessages();
            if (!*alive)
                return false;
            current = TControl::Height();
        }
        TControl::SetHeight(target);
        if (!*alive)
            return false;
        Repaint();
    } catch (...) {
        if (*alive)
            animating_ = false;
        throw;
    }
    return true;
}

void TsuiPanel::Push()
{
    if (animating_)
        return;
    if (FixedSideways(Align()))
        throw std::logic_error("Can't push when Align is alClient, alLeft or alRight.");
    int target = BarHeight() > 0 ? BarHeight() : kBarlessTarget;
    animating_ = true;
    if (!Animate(target))
        return;
    animating_ = false;
    expanded_ = false;
    Invalidate();
    OnPush(this);
}

void TsuiPanel::Pop()
{
    if (animating_)
        return;
    animating_ = true;
    if (!Animate(expanded_height_))
        return;
    animating_ = false;
    expanded_ = true;
    Invalidate();
    OnPop(this);
}

}
