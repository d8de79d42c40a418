#include "skin/scroll/scroll_bar.h"

#include "platform/components/props.h"
#include "skin/buttons/image_button.h"
#include "skin/scroll/scroll_track_bar.h"
#include "skin/scroll/track_geometry.h"
#include "skin/theme/file_theme.h"

#include <algorithm>
#include <exception>

namespace pellamo {

namespace {

constexpr int kRepeatInterval = 100;

void SetPictures(TsuiImageButton& button, const ScrollBarLook& look, size_t first)
{
    button.PicNormal().SetBitmap(look.arrows[first]);
    button.PicMouseOn().SetBitmap(look.arrows[first + 1]);
    button.PicMouseDown().SetBitmap(look.arrows[first + 2]);
}

}

TsuiScrollBar::TsuiScrollBar(TComponent* owner)
    : TCustomPanel(owner)
    , style_(*this)
{
    control_style_.Exclude(csAcceptsControls);
    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);
    track_ = new TsuiScrollTrackBar(this);
    track_->SetParent(this);
    track_->SetShowTick(false);
    track_->SetTabStop(false);
    track_->SetTransparent(false);
    track_->SetMax(100);
    inc_ = MakeArrow(1);
    dec_ = MakeArrow(-1);
    // Until the layout gives it the arrows' height; the arrows have no
    // pictures yet, so no layout before the style brings them.
    placing_ = true;
    SetHeight(185);
    placing_ = false;
    SetUIStyle(style_.Style());
}

TsuiScrollBar::~TsuiScrollBar() = default;

const ClassInfo& TsuiScrollBar::StaticClass()
{
    using B = TsuiScrollBar;
    static const ClassInfo info("TsuiScrollBar", &TCustomPanel::StaticClass(),
        {
            props::Ref<B, TsuiFileTheme>("FileTheme", &B::FileTheme, &B::SetFileTheme),
            props::Int<B>("LineButton", &B::LineButton, &B::SetLineButton),
            props::Enum<B>("Orientation", ProgressBarOrientationNames(), &B::Orientation, &B::SetOrientation),
            props::Enum<B>("UIStyle", UIStyleNames(), &B::UIStyle, &B::SetUIStyle),
            props::Int<B>("Max", &B::Max, &B::SetMax),
            props::Int<B>("Min", &B::Min, &B::SetMin),
            props::Int<B>("Position", &B::Position, &B::SetPosition),
            props::Int<B>("SmallChange", &B::SmallChange, &B::SetSmallChange),
            props::Int<B>("LargeChange", &B::LargeChange, &B::SetLargeChange),
            props::Int<B>("PageSize", &B::PageSize, &B::SetPageSize),
            props::EventAt<B>("OnChange", [](B& b) -> TNotifyEvent& { return b.OnChange(); }),
        },
        FactoryOf<B>());
    return info;
}

TsuiImageButton* TsuiScrollBar::MakeArrow(int direction)
{
    auto* button = new TsuiImageButton(this);
    button->SetMouseContinuouslyDownInterval(kRepeatInterval);
    button->SetTabStop(false);
    button->SetParent(this);
    button->OnMouseDown = [this](TObject*, TMouseButton which, TShiftState, int, int) {
        if (which == TMouseButton::mbLeft)
            stepped_ = false;
    };
    button->OnMouseContinuouslyDown = [this, direction](TObject*) {
        stepped_ = true;
        Step(direction);
    };
    // Released before the first repeat: one step all the same.
    button->OnClick = [this, direction](TObject*) {
        if (!stepped_)
            Step(direction);
    };
    return button;
}

void TsuiScrollBar::Step(int direction)
{
    SetPosition(ClampToRange(static_cast<int64_t>(Position()) + direction * small_change_, Min(), Max()));
}

// ---- Values, all the track's

int32_t TsuiScrollBar::Min() const { return track_->Min(); }
void TsuiScrollBar::SetMin(int32_t value) { track_->SetMin(value); }
int32_t TsuiScrollBar::Max() const { return track_->Max(); }
void TsuiScrollBar::SetMax(int32_t value) { track_->SetMax(value); }
int32_t TsuiScrollBar::Position() const { return track_->Position(); }
int32_t TsuiScrollBar::PageSize() const { return track_->PageSize(); }
void TsuiScrollBar::SetLargeChange(int32_t value) { track_->SetPageSize(value); }
int32_t TsuiScrollBar::LastChange() const { return track_->LastChange(); }
TNotifyEvent& TsuiScrollBar::OnChange() { return track_->OnChange; }
bool TsuiScrollBar::SliderVisible() const { return track_->SliderVisible(); }
void TsuiScrollBar::SetSliderVisible(bool visible) { track_->SetSliderVisible(visible); }

void TsuiScrollBar::SetPosition(int32_t value)
{
    if (value != track_->Position())
        track_->SetPosition(value);
}

void TsuiScrollBar::SetPageSize(int32_t value)
{
    track_->SetPageSize(value);
    UpdateSliderPic();
}

void TsuiScrollBar::SetSmallChange(int value) { small_change_ = static_cast<int16_t>(std::clamp(value, 1, 32767)); }

void TsuiScrollBar::SetLineButton(int value)
{
    // While a description loads, the bar may not have its stored size and
    // orientation yet: the value is checked when loading ends.
    if (value == line_button_ || (value > TrackLength() && !HasState(csLoading)))
        return;
    line_button_ = value;
    UpdateSliderPic();
}

int TsuiScrollBar::TrackLength() const { return Vertical() ? track_->Height() : track_->Width(); }

// ---- Style and layout

void TsuiScrollBar::SetOrientation(TsuiProgressBarOrientation orientation)
{
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    UpdatePictures();
    PlaceTrackBarAndButton();
}

void TsuiScrollBar::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    track_->SetColor(Color());
    UpdatePictures();
    PlaceTrackBarAndButton();
}

void TsuiScrollBar::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    SetUIStyle(style_.Style());
}

void TsuiScrollBar::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation == TOperation::opRemove && style_.Forget(component) && !HasState(csDestroying))
        SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiScrollBar::UpdatePictures()
{
    try {
        look_ = ResolveScrollBarLook(style_.Theme(), Vertical());
    } catch (const std::exception&) {
        look_ = ScrollBarLook(); // a theme without the pictures: a bar of plain colour
    }
    track_->BarImage().Clear(); // the track shows its colour only
    SetColor(look_.track_color);
    SetPictures(*dec_, look_, 0);
    SetPictures(*inc_, look_, 3);
    dec_->SetAutoSize(true);
    inc_->SetAutoSize(true);
    Invalidate();
}

void TsuiScrollBar::PlaceTrackBarAndButton()
{
    if (placing_)
        return;
    placing_ = true;
    track_->SetOrientation(orientation_);
    ScrollBarLayout layout = LayOutScrollBar(
        Vertical(), { Width(), Height() }, { dec_->Width(), dec_->Height() }, { inc_->Width(), inc_->Height() });
    if (layout.hidden) {
        placing_ = false;
        SetVisible(false);
        return;
    }
    dec_->SetBoundsRect(layout.decrement);
    track_->SetBoundsRect(layout.track);
    inc_->SetBoundsRect(layout.increment);
    if (Vertical())
        SetWidth(layout.thickness);
    else
        SetHeight(layout.thickness);
    placing_ = false;
    UpdateSliderPic();
}

void TsuiScrollBar::UpdateSliderPic()
{
    ScrollSlider slider = ScrollSliderLength(line_button_, PageSize(), TrackLength());
    line_button_ = slider.line_button;
    TPicture picture;
    picture.SetBitmap(ComposeScrollSlider(look_, slider.length, Vertical()));
    track_->SetSliderImage(picture);
    track_->UpdateSliderSize();
    track_->ReplaceSlider();
}

void TsuiScrollBar::Loaded()
{
    TCustomPanel::Loaded();
    if (line_button_ > TrackLength())
        line_button_ = 0;
    PlaceTrackBarAndButton();
}

void TsuiScrollBar::Resize()
{
    TCustomPanel::Resize();
    PlaceTrackBarAndButton();
}

void TsuiScrollBar::ColorChanged()
{
    TCustomPanel::ColorChanged();
    if (track_)
        track_->SetColor(Color());
}

void TsuiScrollBar::VisibleChanged()
{
    TCustomPanel::VisibleChanged();
    for (TControl* part :
        { static_cast<TControl*>(track_), static_cast<TControl*>(inc_), static_cast<TControl*>(dec_) })
        if (part)
            part->SetVisible(Visible());
}

void TsuiScrollBar::WndProc(TMessage& message)
{
    if (message.Msg == WM_MOUSEWHEEL) {
        if (int notches = wheel_.Add(message.WParam); notches != 0)
            SetPosition(ClampToRange(Position() - static_cast<int64_t>(notches) * small_change_, Min(), Max()));
        message.Result = 0;
        return;
    }
    TCustomPanel::WndProc(message);
}

}
