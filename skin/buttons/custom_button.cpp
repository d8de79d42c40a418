#include "skin/buttons/custom_button.h"

#include "platform/components/controls/form.h"
#include "platform/components/props.h"
#include "platform/text/access_keys.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"
#include "skin/buttons/button_face.h"
#include "skin/buttons/push_button.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/inside_theme.h"
#include "skin/theme_data/ui_style.h"
#include "skin/window/transparency.h"

#include <algorithm>
#include <exception>

namespace pellamo {

namespace {

// The repeat timer of a button, on the button's own window.
constexpr uintptr_t kRepeatTimer = 1;

bool IsBlank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}

TsuiCustomButton::TsuiCustomButton(TComponent* owner)
    : TCustomControl(owner)
    , style_(*this)
{
    // No double clicks (two quick presses are two clicks), no children, and
    // no erasing: the button paints every pixel itself.
    control_style_ = { csCaptureMouse, csClickEvents, csSetCaption, csOpaque };
    SetTabStop(true);
    SetParentColor(true); // what shows around a face is its parent's colour
    ResolveLook();
}

TsuiCustomButton::~TsuiCustomButton() = default;

const ClassInfo& TsuiCustomButton::StaticClass()
{
    using B = TsuiCustomButton;
    static const ClassInfo info("TsuiCustomButton", &TCustomControl::StaticClass(),
        {
            props::Bool<B>("AutoSize", &B::AutoSize, &B::SetAutoSize),
            props::Ref<B, TsuiFileTheme>("FileTheme", &B::FileTheme, &B::SetFileTheme),
            props::Enum<B>("UIStyle", UIStyleNames(), &B::UIStyle, &B::SetUIStyle),
            props::Stored<B>(props::Bool<B>("Cancel", &B::Cancel, &B::SetCancel), &B::Cancel),
            props::Stored<B>(props::Bool<B>("Default", &B::Default, &B::SetDefault), &B::Default),
            props::Bool<B>("Transparent", &B::Transparent, &B::SetTransparent),
            props::Int<B>("ModalResult", &B::ModalResult, &B::SetModalResult),
            props::Int<B>("FocusedRectMargin", &B::FocusedRectMargin, &B::SetFocusedRectMargin),
            props::Int<B>("MouseContinuouslyDownInterval", &B::MouseContinuouslyDownInterval,
                &B::SetMouseContinuouslyDownInterval),
            props::Event<B>("OnMouseEnter", &B::OnMouseEnter),
            props::Event<B>("OnMouseExit", &B::OnMouseExit),
            props::Event<B>("OnMouseContinuouslyDown", &B::OnMouseContinuouslyDown),
        });
    return info;
}

// ---- Properties

void TsuiCustomButton::SetAutoSize(bool on)
{
    auto_size_ = on;
    AutoSizeChanged();
    Invalidate();
}

void TsuiCustomButton::SetDefault(bool on)
{
    default_ = on;
    // Every button of the form works out again which one answers Enter.
    if (HandleAllocated())
        if (TForm* form = ParentForm(); form && form != static_cast<TControl*>(this))
            form->NotifyFocusChanged();
}

void TsuiCustomButton::SetTransparent(bool on)
{
    transparent_ = on;
    TransparentChanged();
    Invalidate();
}

void TsuiCustomButton::TransparentChanged() { pic_transparent_ = transparent_; }

void TsuiCustomButton::SetPicTransparent(bool on)
{
    pic_transparent_ = on;
    Invalidate();
}

void TsuiCustomButton::SetFocusedRectMargin(int margin)
{
    focus_margin_ = margin;
    Invalidate();
}

void TsuiCustomButton::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    ResolveLook();
    UIStyleChanged();
    if (auto_size_)
        AutoSizeChanged(); // the new style's strip has another size
    Invalidate();
}

void TsuiCustomButton::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    SetUIStyle(style_.Style());
}

void TsuiCustomButton::ResolveLook() { look_ = ResolveButtonLook(Theme()); }

void TsuiCustomButton::AutoSizeChanged()
{
    if (!auto_size_)
        return;
    // The built-in strip of the style, whatever the file theme says.
    Bitmap strip;
    try {
        GetInsideThemeBitmap(UIStyle(), ThemeItem::ButtonImage, &strip);
    } catch (const std::exception&) {
        strip = Bitmap();
    }
    int height = strip.Height() > 0 ? strip.Height() : 21;
    int width = strip.Width() > 0 ? strip.Width() : 74;
    SetBounds(Left(), Top(), width / kButtonStripFrames, height);
}

void TsuiCustomButton::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && style_.Forget(component) && !HasState(csDestroying))
        SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiCustomButton::TextChanged()
{
    TCustomControl::TextChanged();
    CaptionChanged();
}

void TsuiCustomButton::FontChanged()
{
    TCustomControl::FontChanged();
    Invalidate();
}

void TsuiCustomButton::EnabledChanged()
{
    Apply(state_.Interrupted());
    if (!Enabled())
        StopRepeat();
    EnableChanged();
    Invalidate();
}

// ---- Window

void TsuiCustomButton::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    // Other controls tell a skinned button by its window's class name.
    params.class_name = ClassName();
}

void TsuiCustomButton::CreateWindowHandle()
{
    TCustomControl::CreateWindowHandle();
    active_ = default_;
}

void TsuiCustomButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_TIMER:
        if (message.WParam == kRepeatTimer) {
            RepeatTick();
            message.Result = 0;
            return;
        }
        break;
    case WM_LBUTTONUP: {
        auto alive = AliveFlag();
        TCustomControl::WndProc(message); // a release inside clicks
        if (*alive)
            Apply(state_.LeftUp());
        return;
    }
    case WM_CAPTURECHANGED: {
        // Another window took the mouse (a dialog opened by a handler): the
        // press ends without a click.
        auto alive = AliveFlag();
        TCustomControl::WndProc(message);
        if (*alive && HandleAllocated() && reinterpret_cast<HWND>(message.LParam) != Handle())
            Apply(state_.LeftUp());
        return;
    }
    case WM_SETTEXT: {
        // A window text set from outside becomes the caption.
        TCustomControl::WndProc(message);
        if (HandleAllocated())
            SetCaption(Utf8ToGbk(Windows().GetWindowText(Handle())));
        return;
    }
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

// ---- State

void TsuiCustomButton::Apply(unsigned actions)
{
    if (actions & ButtonState::kStopRepeat)
        StopRepeat();
    if (actions & ButtonState::kStartRepeat)
        StartRepeat();
    if (actions & ButtonState::kRepaint)
        Invalidate();
    auto alive = AliveFlag();
    if (actions & ButtonState::kFireEnter)
        OnMouseEnter(this);
    if ((actions & ButtonState::kFireExit) && *alive)
        OnMouseExit(this);
    if ((actions & ButtonState::kTakeFocus) && *alive && TabStop() && CanFocus() && !Focused()) {
        try {
            SetFocus();
        } catch (const std::exception&) {
            // A button that cannot take the focus is still pressed.
        }
    }
    if ((actions & ButtonState::kClick) && *alive)
        Click();
}

void TsuiCustomButton::StartRepeat()
{
    if (repeat_running_ || !HandleAllocated())
        return;
    repeat_running_ = true;
    // A negative interval counts as 0, and a timer of 0 never ticks.
    if (repeat_interval_ > 0)
        Windows().SetTimer(Handle(), kRepeatTimer, static_cast<UINT>(repeat_interval_));
}

void TsuiCustomButton::StopRepeat()
{
    if (!repeat_running_)
        return;
    repeat_running_ = false;
    if (HandleAllocated())
        Windows().KillTimer(Handle(), kRepeatTimer);
}

void TsuiCustomButton::RepeatTick()
{
    if (state_.Repeating(Enabled()))
        OnMouseContinuouslyDown(this); // may free the button: nothing after this
}

void TsuiCustomButton::MouseEnter()
{
    TCustomControl::MouseEnter();
    Apply(state_.PointerEnter(HasState(csDesigning)));
}

void TsuiCustomButton::MouseLeave()
{
    TCustomControl::MouseLeave();
    Apply(state_.PointerLeave());
}

void TsuiCustomButton::MouseMove(TShiftState shift, int x, int y)
{
    Apply(state_.PointerMove(x, y, Width(), Height()));
    TCustomControl::MouseMove(shift, x, y);
}

void TsuiCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        auto alive = AliveFlag();
        Apply(state_.LeftDown());
        if (!*alive)
            return;
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TsuiCustomButton::KeyDown(UINT& key, TShiftState shift)
{
    auto alive = AliveFlag();
    TCustomControl::KeyDown(key, shift);
    if (*alive)
        Apply(state_.KeyDown(key, Focused(), Enabled()));
}

void TsuiCustomButton::KeyUp(UINT& key, TShiftState shift)
{
    auto alive = AliveFlag();
    TCustomControl::KeyUp(key, shift);
    if (*alive)
        Apply(state_.KeyUp(key, Focused(), Enabled()));
}

void TsuiCustomButton::DoEnter()
{
    Invalidate();
    TCustomControl::DoEnter();
}

void TsuiCustomButton::DoExit()
{
    Apply(state_.Interrupted());
    Invalidate();
    TCustomControl::DoExit();
}

// ---- Clicks, default and cancel

void TsuiCustomButton::Click()
{
    Apply(state_.Clicked());
    if (Parent())
        if (TForm* form = ParentForm(); form && form != static_cast<TControl*>(this))
            form->SetModalResult(modal_result_);
    TCustomControl::Click(); // OnClick may free the button: nothing after this
}

bool TsuiCustomButton::ClicksOnDialogKey(UINT key) const
{
    TShiftState shift = KeyboardShiftState();
    if (shift.Contains(ssShift) || shift.Contains(ssCtrl) || shift.Contains(ssAlt))
        return false;
    return (key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_);
}

void TsuiCustomButton::FocusChanged(TWinControl* focused)
{
    if (dynamic_cast<TsuiButton*>(focused))
        active_ = focused == this;
    else
        active_ = default_;
}

bool TsuiCustomButton::DialogChar(char16_t ch)
{
    if (!IsAccel(ch, Caption()) || !Enabled())
        return false;
    Click();
    return true;
}

// ---- Painting

void TsuiCustomButton::PaintButtonNormal(Bitmap& picture) { picture = look_.normal; }

void TsuiCustomButton::PaintButtonMouseOn(Bitmap& picture) { picture = look_.hover; }

void TsuiCustomButton::PaintButtonMouseDown(Bitmap& picture) { picture = look_.pressed; }

void TsuiCustomButton::PaintButtonDisabled(Bitmap& picture) { picture = look_.normal; }

void TsuiCustomButton::PaintBackground(pellamo::Canvas& canvas)
{
    if (!transparent_) {
        canvas.brush = SolidBrush(Color());
        canvas.FillRect({ 0, 0, Width(), Height() });
        return;
    }
    TWinControl* parent = Parent();
    if (!parent)
        return;
    // Inside a bar that draws its buttons' ground itself, its own parent
    // paints behind the bar.
    if (parent->InheritsFromClassNamed("TTabSheet") || parent->InheritsFromClassNamed("TDBNavigator")
        || parent->InheritsFromClassNamed("TsuiToolBar"))
        DoTrans(canvas, *parent);
    else
        DoTrans(canvas, *this);
}

void TsuiCustomButton::Paint()
{
    Size size { Width(), Height() };
    if (size.cx <= 0 || size.cy <= 0)
        return;
    Bitmap buffer(size.cx, size.cy);
    pellamo::Canvas canvas(buffer);
    Bitmap picture;
    try {
        switch (state_.Face(Enabled())) {
        case ButtonFace::MouseDown:
            PaintButtonMouseDown(picture);
            break;
        case ButtonFace::MouseOn:
            PaintButtonMouseOn(picture);
            break;
        case ButtonFace::Normal:
            PaintButtonNormal(picture);
            break;
        case ButtonFace::Disabled:
            PaintButtonDisabled(picture);
            break;
        }
    } catch (const std::exception&) {
        picture = Bitmap(); // the button goes on without a picture
    }
    if (pic_transparent_)
        picture.SetTransparent(true);
    PaintBackground(canvas);
    PaintPic(canvas, picture);
    if (Focused() && TabStop())
        PaintFocus(canvas);
    canvas.font = Font().GetFont();
    Canvas().font = canvas.font;
    if (!IsBlank(Caption()))
        PaintText(canvas, Caption());
    Canvas().Draw(0, 0, buffer);
}

void TsuiCustomButton::PaintPic(pellamo::Canvas& canvas, Bitmap& picture)
{
    PaintStatePicture(canvas, picture, pic_transparent_, Enabled());
}

void TsuiCustomButton::PaintFocus(pellamo::Canvas& canvas)
{
    PaintFocusMark(canvas, { Width(), Height() }, focus_margin_);
}

void TsuiCustomButton::PaintText(pellamo::Canvas& canvas, const std::string& text)
{
    PaintCentredCaption(
        canvas, { Width(), Height() }, text, Font().GetFont(), { Enabled(), state_.Pressed(), bold_caption_ });
    bold_caption_ = false;
}

}
