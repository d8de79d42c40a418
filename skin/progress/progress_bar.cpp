#include "skin/progress/progress_bar.h"

#include "platform/components/enum_info.h"
#include "platform/components/props.h"
#include "skin/draw/rotate.h"
#include "skin/panels/off_screen.h"
#include "skin/progress/progress_face.h"
#include "skin/theme/file_theme.h"

namespace pellamo {

TsuiProgressBar::TsuiProgressBar(TComponent* owner)
    : TCustomPanel(owner)
    , style_(*this)
{
    control_style_.Exclude(csAcceptsControls);
    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);
    SetBounds(Left(), Top(), 150, 12);
    picture_.OnChange = [this] { Invalidate(); };
    UpdateCaption();
    SetUIStyle(style_.Style());
}

TsuiProgressBar::~TsuiProgressBar() { picture_.OnChange = nullptr; }

const ClassInfo& TsuiProgressBar::StaticClass()
{
    using C = TsuiProgressBar;
    static const ClassInfo info("TsuiProgressBar", &TCustomPanel::StaticClass(),
        {
            props::Ref<C, TsuiFileTheme>("FileTheme", &C::FileTheme, &C::SetFileTheme),
            props::Enum<C>("UIStyle", UIStyleNames(), &C::UIStyle, &C::SetUIStyle),
            props::Color<C>("CaptionColor", &C::CaptionColor, &C::SetCaptionColor),
            props::Bool<C>("ShowCaption", &C::ShowCaption, &C::SetShowCaption),
            props::Bool<C>("SmartShowCaption", &C::SmartShowCaption, &C::SetSmartShowCaption),
            props::Int<C>("Max", &C::Max, &C::SetMax),
            props::Int<C>("Min", &C::Min, &C::SetMin),
            props::Int<C>("Position", &C::Position, &C::SetPosition),
            props::Enum<C>("Orientation", ProgressBarOrientationNames(), &C::Orientation, &C::SetOrientation),
            props::Color<C>("BorderColor", &C::BorderColor, &C::SetBorderColor),
            props::Color<C>("Color", &C::Color, &C::SetColor),
            props::Object<C>("Picture", [](C& bar) -> TPicture& { return bar.picture_; }),
        },
        FactoryOf<C>());
    return info;
}

// ---- Range and position

void TsuiProgressBar::SetMin(int32_t value)
{
    min_ = value;
    UpdateCaption();
}

void TsuiProgressBar::SetMax(int32_t value)
{
    max_ = value;
    UpdateCaption();
}

void TsuiProgressBar::SetPosition(int32_t value)
{
    position_ = value;
    UpdateCaption();
}

void TsuiProgressBar::StepBy(int32_t delta)
{
    // Wraps like the 32-bit value it is rather than overflowing.
    SetPosition(static_cast<int32_t>(static_cast<uint32_t>(position_) + static_cast<uint32_t>(delta)));
}

int64_t TsuiProgressBar::GetPercentFromPosition() const { return ProgressPercent(min_, max_, position_); }

int TsuiProgressBar::GetWidthFromPosition(int length) const
{
    return ProgressFilledLength(min_, max_, position_, length);
}

void TsuiProgressBar::UpdateCaption()
{
    SetCaption(ProgressCaption(min_, max_, position_));
    Invalidate();
}

// ---- Look

void TsuiProgressBar::SetOrientation(TsuiProgressBarOrientation orientation)
{
    orientation_ = orientation;
    UpdatePicture();
}

void TsuiProgressBar::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    UpdatePicture();
}

void TsuiProgressBar::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    SetUIStyle(style_.Style());
}

void TsuiProgressBar::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation == TOperation::opRemove && style_.Forget(component))
        SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiProgressBar::UpdatePicture()
{
    ThemeSource theme = style_.Theme();
    Bitmap fill;
    theme.GetBitmap(ThemeItem::ProgressBarImage, fill);
    if (orientation_ == TsuiProgressBarOrientation::suiVertical && !fill.Empty())
        RoundPicture(fill);
    bar_color_ = theme.Color(ThemeItem::ControlBackgroundColor);
    border_color_ = theme.Color(ThemeItem::ControlBorderColor);
    picture_.SetBitmap(fill);
    Invalidate();
}

void TsuiProgressBar::SetPicture(const TPicture& picture)
{
    picture_.Assign(picture);
    Invalidate();
}

void TsuiProgressBar::SetColor(TColor color)
{
    bar_color_ = color;
    Invalidate();
}

void TsuiProgressBar::SetBorderColor(TColor color)
{
    border_color_ = color;
    Invalidate();
}

void TsuiProgressBar::SetCaptionColor(TColor color)
{
    caption_color_ = color;
    Invalidate();
}

void TsuiProgressBar::SetShowCaption(bool on)
{
    show_caption_ = on;
    Invalidate();
}

void TsuiProgressBar::SetSmartShowCaption(bool on)
{
    smart_show_caption_ = on;
    Invalidate();
}

// ---- Painting

void TsuiProgressBar::Paint()
{
    bool vertical = orientation_ == TsuiProgressBarOrientation::suiVertical;
    // A vertical bar has no room for a caption; it stays off once seen.
    if (vertical)
        show_caption_ = false;
    ProgressFace face;
    face.min = min_;
    face.max = max_;
    face.position = position_;
    face.vertical = vertical;
    face.picture = &picture_.Graphic();
    face.color = bar_color_;
    face.border_color = border_color_;
    face.caption_color = caption_color_;
    if (show_caption_ && !(smart_show_caption_ && position_ == min_))
        face.caption = Caption();
    Rect client = ClientRect();
    Size size { client.Width(), client.Height() };
    PaintOffScreen(Canvas(), size, [&](pellamo::Canvas& canvas) { PaintProgressBar(canvas, size, face); });
}

}
