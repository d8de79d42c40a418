#include "skin/scroll/track_bar.h"

#include "platform/components/props.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/window_system.h"
#include "skin/panels/off_screen.h"
#include "skin/panels/picture_panel.h"
#include "skin/scroll/scroll_bar_look.h"
#include "skin/scroll/track_bar_face.h"
#include "skin/scroll/track_geometry.h"
#include "skin/theme/file_theme.h"
#include "skin/window/placement.h"
#include "skin/window/transparency.h"

#include <exception>

namespace pellamo {

namespace {

constexpr uintptr_t kPagingTimer = 1;
constexpr UINT kPagingInterval = 100;

}

// The slider: a picture panel that hands its presses to the track and
// tells it when its picture is replaced.
class TsuiTrackBar::TrackSlider : public TsuiImagePanel {
public:
    explicit TrackSlider(TsuiTrackBar& track)
        : TsuiImagePanel(&track)
        , track_(track)
    {
    }

    void PictureChanged(TObject* sender) override
    {
        TsuiImagePanel::PictureChanged(sender);
        track_.SliderPictureChanged();
    }

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override
    {
        TsuiImagePanel::MouseDown(button, shift, x, y);
        if (button == TMouseButton::mbLeft)
            track_.SliderPressed(shift, x, y);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override
    {
        TsuiImagePanel::MouseUp(button, shift, x, y);
        if (button == TMouseButton::mbLeft)
            track_.SliderReleased(shift, x, y);
    }

private:
    TsuiTrackBar& track_;
};

TsuiTrackBar::TsuiTrackBar(TComponent* owner)
    : TCustomPanel(owner)
    , style_(*this)
{
    // No children of the user's, no double clicks (a quick second press
    // pages again), and no erasing: the track paints every pixel.
    control_style_ = { csCaptureMouse, csClickEvents, csOpaque };
    SetParentColor(true);
    SetTabStop(true);
    slider_ = new TrackSlider(*this);
    slider_->SetBounds(0, 0, 0, 0); // the picture gives it its size
    slider_->SetParent(this);
    bar_image_.OnChange = [this] {
        if (loading_pictures_)
            return;
        custom_picture_ = true;
        UpdateControl();
    };
    SetUIStyle(style_.Style());
}

TsuiTrackBar::~TsuiTrackBar() { bar_image_.OnChange = nullptr; }

const ClassInfo& TsuiTrackBar::StaticClass()
{
    using T = TsuiTrackBar;
    static const ClassInfo info("TsuiTrackBar", &TCustomPanel::StaticClass(),
        {
            props::Enum<T>("Orientation", ProgressBarOrientationNames(), &T::Orientation, &T::SetOrientation),
            props::Ref<T, TsuiFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme),
            props::Enum<T>("UIStyle", UIStyleNames(), &T::UIStyle, &T::SetUIStyle),
            props::Object<T>("BarImage", [](T& t) -> TPicture& { return t.bar_image_; }),
            props::Object<T>("SliderImage", [](T& t) -> TPicture& { return t.SliderImage(); }),
            props::Int<T>("Max", &T::Max, &T::SetMax),
            props::Int<T>("Min", &T::Min, &T::SetMin),
            props::Int<T>("Position", &T::Position, &T::SetPosition),
            props::Int<T>("PageSize", &T::PageSize, &T::SetPageSize),
            props::Int<T>("LineSize", &T::LineSize, &T::SetLineSize),
            props::Bool<T>("ShowTick", &T::ShowTick, &T::SetShowTick),
            props::Bool<T>("Transparent", &T::Transparent, &T::SetTransparent),
            props::Int<T>("Frequency", &T::Frequency, &T::SetFrequency),
            props::Event<T>("OnChange", &T::OnChange),
        },
        FactoryOf<T>());
    return info;
}

TsuiImagePanel& TsuiTrackBar::Slider() const { return *slider_; }

TPicture& TsuiTrackBar::SliderImage() { return slider_->Picture(); }

void TsuiTrackBar::SetSliderImage(const TPicture& picture)
{
    slider_->Picture().Assign(picture);
    Invalidate();
}

// ---- Properties

void TsuiTrackBar::SetOrientation(TsuiProgressBarOrientation orientation)
{
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    UpdateControl();
}

void TsuiTrackBar::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    custom_picture_ = false; // a new style brings its own pictures
    UpdateControl();
    if (style == TsuiUIStyle::MacOS)
        SetTransparent(true);
}

void TsuiTrackBar::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    SetUIStyle(style_.Style());
}

void TsuiTrackBar::SetMin(int32_t value)
{
    if (value == min_)
        return;
    min_ = std::min(value, max_);
    position_ = std::max(position_, min_);
    UpdateSlider();
}

void TsuiTrackBar::SetMax(int32_t value)
{
    if (value == max_)
        return;
    max_ = std::max(value, min_);
    position_ = std::min(position_, max_);
    UpdateSlider();
}

void TsuiTrackBar::SetPosition(int32_t value)
{
    position_ = ClampToRange(value, min_, max_);
    UpdateSlider();
}

void TsuiTrackBar::SetPageSize(int32_t value)
{
    if (value >= 0 && value <= max_)
        page_size_ = value;
}

void TsuiTrackBar::SetLineSize(int32_t value)
{
    if (value >= 0 && value <= max_)
        line_size_ = value;
}

void TsuiTrackBar::SetShowTick(bool on)
{
    show_tick_ = on;
    Invalidate();
}

void TsuiTrackBar::SetTransparent(bool on)
{
    transparent_ = on;
    Invalidate();
}

void TsuiTrackBar::SetFrequency(int32_t value)
{
    frequency_ = value;
    Invalidate();
}

void TsuiTrackBar::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation == TOperation::opRemove && style_.Forget(component) && !HasState(csDestroying))
        SetUIStyle(TsuiUIStyle::DeepBlue);
}

// ---- Pictures and layout

void TsuiTrackBar::UpdatePicture()
{
    if (CustomPicture())
        return;
    ThemeSource theme = style_.Theme();
    Bitmap bar;
    Bitmap slider;
    try {
        bar = theme.Picture(ThemeItem::TrackBarBarImage);
        slider = theme.Picture(Vertical() ? ThemeItem::TrackBarSliderVImage : ThemeItem::TrackBarSliderImage);
    } catch (const std::exception&) {
        // A picture the theme cannot give leaves the track without it.
    }
    LoadPictures(bar, slider);
}

void TsuiTrackBar::LoadPictures(const Bitmap& bar, const Bitmap& slider)
{
    loading_pictures_ = true;
    try {
        bar_image_.SetBitmap(bar);
        slider_->Picture().SetBitmap(slider);
    } catch (...) {
        loading_pictures_ = false;
        throw;
    }
    loading_pictures_ = false;
}

void TsuiTrackBar::SliderPictureChanged()
{
    if (!loading_pictures_)
        custom_picture_ = true;
    Invalidate();
}

int TsuiTrackBar::TrackLength() const { return Vertical() ? Height() : Width(); }

int TsuiTrackBar::SliderLength() const { return Vertical() ? slider_->Height() : slider_->Width(); }

void TsuiTrackBar::UpdateControl()
{
    UpdatePicture();
    slider_->SetTransparent(SliderTransparent());
    slider_->SetAutoSize(true);
    bar_buffer_ = BuildTrackBarBuffer(bar_image_.Graphic(), TrackLength(), SystemColors::Resolve(Color()), Vertical());
    FitSize();
    UpdateSlider();
    Invalidate();
}

void TsuiTrackBar::FitSize()
{
    if (fitting_ || !FitsThickness())
        return;
    fitting_ = true;
    if (Vertical())
        SetWidth(std::max(bar_image_.Height(), slider_->Width()));
    else
        SetHeight(std::max(bar_image_.Height(), slider_->Height()));
    fitting_ = false;
}

void TsuiTrackBar::Resize()
{
    TCustomPanel::Resize();
    if (!fitting_)
        UpdateControl();
}

void TsuiTrackBar::PlaceSlider()
{
    int along = SliderOffset(position_, min_, max_, TrackLength(), SliderLength());
    if (Vertical())
        PlaceControl(*slider_, Point { SliderCrossOffset(Width(), slider_->Width()), along });
    else
        PlaceControl(*slider_, Point { along, SliderCrossOffset(Height(), slider_->Height()) });
}

void TsuiTrackBar::UpdateSlider()
{
    PlaceSlider();
    Invalidate();
    Notify();
}

void TsuiTrackBar::Notify()
{
    if (position_ == last_position_)
        return;
    last_change_ = static_cast<int32_t>(static_cast<int64_t>(position_) - last_position_);
    last_position_ = position_;
    OnChange(this); // may free the track: nothing after this
}

void TsuiTrackBar::Follow(int64_t value)
{
    position_ = ClampToRange(value, min_, max_);
    PlaceSlider();
    Notify();
}

// ---- Painting

void TsuiTrackBar::Paint()
{
    Size size { Width(), Height() };
    if (size.cx <= 0 || size.cy <= 0)
        return;
    PaintOffScreen(Canvas(), size, [&](pellamo::Canvas& canvas) {
        if (transparent_) {
            DoTrans(canvas, *this);
        } else {
            canvas.brush = SolidBrush(Color());
            canvas.FillRect({ 0, 0, size.cx, size.cy });
        }
        TrackBarFace face;
        face.vertical = Vertical();
        face.bar = &bar_buffer_;
        face.bar_thickness = bar_image_.Height();
        face.focus_rect = Focused() && TabStop();
        if (show_tick_ && max_ != min_)
            face.ticks = TickOffsets(min_, max_, frequency_, TrackLength(), SliderLength());
        PaintTrackBarFace(canvas, size, face);
    });
}

void TsuiTrackBar::DoEnter()
{
    Invalidate();
    TCustomPanel::DoEnter();
}

void TsuiTrackBar::DoExit()
{
    Invalidate();
    TCustomPanel::DoExit();
}

// ---- Mouse, keys, wheel

void TsuiTrackBar::TakeFocusFromMouse()
{
    if (SUICanFocus() && CanFocus() && Enabled() && !Focused())
        SetFocus();
}

void TsuiTrackBar::PageStep(int pointer, int32_t step)
{
    int slider_at = SliderOffset(position_, min_, max_, TrackLength(), SliderLength());
    int64_t value = ValueAtPointer(pointer, min_, max_, TrackLength(), SliderLength());
    SetPosition(PageTowardPointer(position_, step, slider_at, pointer, value, min_, max_));
}

void TsuiTrackBar::StartPaging()
{
    if (paging_ || !HandleAllocated())
        return;
    paging_ = true;
    Windows().SetTimer(Handle(), kPagingTimer, kPagingInterval);
}

void TsuiTrackBar::StopPaging()
{
    if (!paging_)
        return;
    paging_ = false;
    if (HandleAllocated())
        Windows().KillTimer(Handle(), kPagingTimer);
}

void TsuiTrackBar::EndPress()
{
    StopPaging();
    dragging_ = false;
    if (HandleAllocated() && Windows().GetCapture() == Handle())
        Windows().ReleaseCapture();
}

void TsuiTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    auto alive = AliveFlag();
    TCustomPanel::MouseDown(button, shift, x, y);
    if (!*alive || button != TMouseButton::mbLeft)
        return;
    PageStep(Vertical() ? y : x, page_size_);
    if (!*alive)
        return;
    StartPaging();
    TakeFocusFromMouse();
}

void TsuiTrackBar::MouseMove(TShiftState shift, int x, int y)
{
    auto alive = AliveFlag();
    TCustomPanel::MouseMove(shift, x, y);
    if (!*alive)
        return;
    if (dragging_)
        Follow(ValueAtPointer(Vertical() ? y : x, min_, max_, TrackLength(), SliderLength()));
    else if (paging_ && (x < 0 || x > Width() || y < 0 || y > Height()))
        StopPaging();
}

void TsuiTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    auto alive = AliveFlag();
    TCustomPanel::MouseUp(button, shift, x, y);
    if (*alive)
        EndPress();
}

void TsuiTrackBar::SliderPressed(TShiftState shift, int x, int y)
{
    dragging_ = true;
    TakeFocusFromMouse();
    // The track follows the pointer from here, wherever it goes.
    if (HandleAllocated())
        Windows().SetCapture(Handle());
    OnMouseDown(this, TMouseButton::mbLeft, shift, x + slider_->Left(), y + slider_->Top());
}

void TsuiTrackBar::SliderReleased(TShiftState shift, int x, int y)
{
    auto alive = AliveFlag();
    OnMouseUp(this, TMouseButton::mbLeft, shift, x + slider_->Left(), y + slider_->Top());
    if (*alive)
        EndPress();
}

void TsuiTrackBar::KeyDown(UINT& key, TShiftState shift)
{
    TCustomPanel::KeyDown(key, shift);
    int64_t value = position_;
    switch (key) {
    case VK_PRIOR:
        value -= page_size_;
        break;
    case VK_NEXT:
        value += page_size_;
        break;
    case VK_END:
        value = max_;
        break;
    case VK_HOME:
        value = min_;
        break;
    case VK_LEFT:
    case VK_UP:
        value -= line_size_;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        value += line_size_;
        break;
    default:
        return;
    }
    SetPosition(ClampToRange(value, min_, max_));
}

void TsuiTrackBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_TIMER:
        if (message.WParam == kPagingTimer) {
            if (paging_) {
                Point p = ScreenToClient(Windows().GetCursorPos());
                // Horizontal tracks page three times as far at each tick.
                PageStep(
                    Vertical() ? p.y : p.x, Vertical() ? page_size_ : ClampToRange(3LL * page_size_, 0, INT32_MAX));
            }
            message.Result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        if (int32_t step = WheelStep(); step != 0) {
            if (int notches = wheel_.Add(message.WParam); notches != 0)
                SetPosition(ClampToRange(position_ - static_cast<int64_t>(notches) * step, min_, max_));
            message.Result = 0;
            return;
        }
        break;
    case WM_CAPTURECHANGED: {
        // Another window took the mouse: the press ends here.
        auto alive = AliveFlag();
        TCustomPanel::WndProc(message);
        if (*alive && HandleAllocated() && reinterpret_cast<HWND>(message.LParam) != Handle()
            && reinterpret_cast<HWND>(message.LParam) != slider_->HandleOrNull())
            EndPress();
        return;
    }
    default:
        break;
    }
    TCustomPanel::WndProc(message);
}

}
