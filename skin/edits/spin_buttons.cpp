#include "skin/edits/spin_buttons.h"

#include "platform/components/props.h"
#include "skin/theme/file_theme.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr int kMinWidth = 15;
constexpr int kRepeatInterval = 400;

}

SpinButtonsLayout LayOutSpinButtons(int width, int height)
{
    SpinButtonsLayout l;
    width = std::max(width, kMinWidth);
    int up_height = height / 2 + 1;
    l.size = { width, height };
    l.up = Rect::FromSize(0, 0, width, up_height);
    l.down = Rect::FromSize(0, up_height - 1, width, height - up_height + 1);
    return l;
}

TsuiSpinButtons::TsuiSpinButtons(TComponent* owner)
    : TWinControl(owner)
{
    control_style_.Exclude(csAcceptsControls);
    control_style_.Exclude(csSetCaption);
    control_style_.Include(csFramed);
    control_style_.Include(csOpaque);
    auto make = [this](TsuiArrowButtonType arrow, TNotifyEvent& event) {
        auto* b = new TsuiArrowButton(this);
        b->SetArrow(arrow);
        b->SetTabStop(false);
        b->SetMouseContinuouslyDownInterval(kRepeatInterval);
        b->SetVisible(true);
        b->SetEnabled(true);
        b->SetParent(this);
        // A click and each repeat tick step alike.
        auto step = [this, &event](TObject*) { event(this); };
        b->OnClick = step;
        b->OnMouseContinuouslyDown = step;
        return b;
    };
    up_ = make(TsuiArrowButtonType::suiUp, OnUpClick);
    down_ = make(TsuiArrowButtonType::suiDown, OnDownClick);
    SetBounds(Left(), Top(), 20, 25);
}

const ClassInfo& TsuiSpinButtons::StaticClass()
{
    using B = TsuiSpinButtons;
    static const ClassInfo info("TsuiSpinButtons", &TWinControl::StaticClass(),
        {
            props::Event<B>("OnUpClick", &B::OnUpClick),
            props::Event<B>("OnDownClick", &B::OnDownClick),
            props::Ref<B, TsuiFileTheme>("FileTheme", &B::FileTheme, &B::SetFileTheme),
            props::Enum<B>("UIStyle", UIStyleNames(), &B::UIStyle, &B::SetUIStyle),
        },
        FactoryOf<B>());
    return info;
}

TsuiUIStyle TsuiSpinButtons::UIStyle() const { return up_ ? up_->UIStyle() : TsuiUIStyle::DeepBlue; }

void TsuiSpinButtons::SetUIStyle(TsuiUIStyle style)
{
    up_->SetUIStyle(style);
    down_->SetUIStyle(style);
}

TsuiFileTheme* TsuiSpinButtons::FileTheme() const { return up_ ? up_->FileTheme() : nullptr; }

void TsuiSpinButtons::SetFileTheme(TsuiFileTheme* theme)
{
    up_->SetFileTheme(theme);
    down_->SetFileTheme(theme);
    SetUIStyle(UIStyle());
}

bool TsuiSpinButtons::AdjustSize(int& width, int& height)
{
    if (HasState(csLoading) || !up_ || !down_)
        return false;
    SpinButtonsLayout l = LayOutSpinButtons(width, height);
    up_->SetBoundsRect(l.up);
    down_->SetBoundsRect(l.down);
    width = l.size.cx;
    height = l.size.cy;
    return true;
}

void TsuiSpinButtons::SetBounds(int left, int top, int width, int height)
{
    int w = width;
    int h = height;
    AdjustSize(w, h);
    TWinControl::SetBounds(left, top, width, height);
}

void TsuiSpinButtons::FitToButtons()
{
    if (fitting_)
        return;
    int w = Width();
    int h = Height();
    if (AdjustSize(w, h) && (w != Width() || h != Height())) {
        fitting_ = true;
        TWinControl::SetBounds(Left(), Top(), w, h);
        fitting_ = false;
    }
}

void TsuiSpinButtons::Resize()
{
    TWinControl::Resize();
    FitToButtons();
}

void TsuiSpinButtons::Loaded()
{
    TWinControl::Loaded();
    FitToButtons();
}

void TsuiSpinButtons::KeyDown(UINT& key, TShiftState)
{
    if (key == VK_UP)
        up_->Click();
    else if (key == VK_DOWN)
        down_->Click();
}

}
