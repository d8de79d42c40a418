#include "skin/checks/check_box.h"

#include "platform/components/props.h"
#include "platform/components/reading_order.h"
#include "platform/text/access_keys.h"
#include "skin/checks/check_face.h"
#include "skin/theme/file_theme.h"
#include "skin/window/transparency.h"

#include <exception>

namespace pellamo {

TsuiCheckBox::TsuiCheckBox(TComponent* owner)
    : TCustomControl(owner)
    , style_(*this)
{
    // Two quick clicks toggle twice; the control paints every pixel itself.
    control_style_ = { csCaptureMouse, csClickEvents, csSetCaption, csOpaque };
    SetBounds(Left(), Top(), 93, 17);
    SetTabStop(true);
    SetParentColor(true); // the caption sits on its parent's colour
    ResolveLook();
}

TsuiCheckBox::~TsuiCheckBox() = default;

const ClassInfo& TsuiCheckBox::StaticClass()
{
    using C = TsuiCheckBox;
    static const ClassInfo info("TsuiCheckBox", &TCustomControl::StaticClass(),
        {
            props::Enum<C>("UIStyle", UIStyleNames(), &C::UIStyle, &C::SetUIStyle),
            props::Ref<C, TsuiFileTheme>("FileTheme", &C::FileTheme, &C::SetFileTheme),
            props::Bool<C>("AutoSize", &C::AutoSize, &C::SetAutoSize),
            props::Bool<C>("Checked", &C::Checked, &C::SetChecked),
            props::Stored<C>(props::Enum<C>("State", CheckBoxStateNames(), &C::State, &C::SetState),
                [](const C&) { return false; }), // Checked carries it
            props::Bool<C>("Transparent", &C::Transparent, &C::SetTransparent),
            props::Event<C>("OnClick", &C::OnClick),
        },
        FactoryOf<C>());
    return info;
}

// ---- Properties

void TsuiCheckBox::SetChecked(bool on)
{
    if (checked_ == on)
        return;
    checked_ = on;
    Invalidate();
    CheckStateChanged();
}

void TsuiCheckBox::CheckStateChanged()
{
    if (!Loading())
        OnClick(this);
}

void TsuiCheckBox::DoClick()
{
    Toggle();
    SetChecked(!checked_);
}

void TsuiCheckBox::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    ResolveLook();
    Invalidate();
}

void TsuiCheckBox::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    SetUIStyle(style_.Style());
}

void TsuiCheckBox::SetTransparent(bool on)
{
    transparent_ = on;
    Invalidate();
}

void TsuiCheckBox::SetAutoSize(bool on)
{
    auto_size_ = on;
    Invalidate();
}

void TsuiCheckBox::ResolveLook()
{
    ThemeSource theme = style_.Theme();
    for (int i = 0; i < kCheckStripFrames; ++i) {
        try {
            frames_[static_cast<size_t>(i)] = theme.Picture(GetPicThemeIndex(), kCheckStripFrames, i + 1);
        } catch (const std::exception&) {
            frames_[static_cast<size_t>(i)] = Bitmap(); // a damaged theme picture: drawn without it
        }
    }
}

void TsuiCheckBox::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && style_.Forget(component) && !HasState(csDestroying))
        SetUIStyle(TsuiUIStyle::DeepBlue);
}

void TsuiCheckBox::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    Invalidate();
}

// ---- Input

void TsuiCheckBox::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    // A radio button tells where the focus came from by the window class.
    params.class_name = ClassName();
}

void TsuiCheckBox::Click()
{
    auto alive = AliveFlag();
    DoClick(); // OnClick may free the control
    if (*alive)
        TCustomControl::Click();
}

void TsuiCheckBox::TryFocus()
{
    if (!CanFocus() || Focused())
        return;
    try {
        SetFocus();
    } catch (const std::exception&) {
    }
}

void TsuiCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    auto alive = AliveFlag();
    TCustomControl::MouseDown(button, shift, x, y);
    if (*alive)
        TryFocus();
}

void TsuiCheckBox::KeyUp(UINT& key, TShiftState shift)
{
    auto alive = AliveFlag();
    TCustomControl::KeyUp(key, shift);
    if (!*alive || (key != VK_SPACE && key != VK_RETURN))
        return;
    if (WantKeyUp() && Focused() && Enabled()) {
        Invalidate();
        Click();
    }
}

bool TsuiCheckBox::DialogChar(char16_t ch)
{
    if (!IsAccel(ch, Caption()) || !Enabled())
        return false;
    auto alive = AliveFlag();
    TryFocus();
    if (*alive)
        Click();
    return true;
}

void TsuiCheckBox::DoEnter()
{
    Invalidate();
    TCustomControl::DoEnter();
}

void TsuiCheckBox::DoExit()
{
    Invalidate();
    TCustomControl::DoExit();
}

// ---- Painting

void TsuiCheckBox::PaintBackground(pellamo::Canvas& canvas)
{
    if (!transparent_) {
        canvas.brush = SolidBrush(Color());
        canvas.FillRect({ 0, 0, Width(), Height() });
        return;
    }
    TWinControl* parent = Parent();
    if (parent && parent->InheritsFromClassNamed("TTabSheet"))
        DoTrans(canvas, *parent);
    else
        DoTrans(canvas, *this);
}

void TsuiCheckBox::AdjustSize()
{
    if (!auto_size_)
        return;
    const Bitmap& picture = frames_[static_cast<size_t>(CheckFrameIndex(checked_, Enabled()) - 1)];
    Bitmap scratch(1, 1);
    pellamo::Canvas measure(scratch);
    measure.font = Font().GetFont();
    Size size = CheckBoxAutoSize(
        { picture.Width(), picture.Height() }, measure.TextWidth(Caption()), measure.TextHeight("W"));
    // Only a real change: a new size repaints, and painting must settle.
    if (size.cx != Width() || size.cy != Height())
        SetBounds(Left(), Top(), size.cx, size.cy);
}

void TsuiCheckBox::Paint()
{
    Bitmap picture = frames_[static_cast<size_t>(CheckFrameIndex(checked_, Enabled()) - 1)];
    picture.SetTransparent(GetPicTransparent());
    pellamo::Font font = Font().GetFont();
    AdjustSize();
    if (Width() <= 0 || Height() <= 0)
        return;
    Bitmap buffer(Width(), Height());
    pellamo::Canvas canvas(buffer);
    PaintBackground(canvas);
    bool mirrored = BiDiMode() == TBiDiMode::bdRightToLeft && LocaleReadsRightToLeft();
    PaintCheckBoxFace(canvas, { Width(), Height() }, picture, Caption(), font, mirrored, NeedDrawFocus());
    Canvas().Draw(0, 0, buffer);
}

}
