#include "platform/components/controls/button.h"

#include "platform/components/controls/form.h"
#include "platform/components/props.h"

namespace pellamo {

TButton::TButton(TComponent* owner)
    : TCustomControl(owner)
{
    // Quick presses are clicks each, not a double click.
    control_style_ = { csCaptureMouse, csClickEvents, csSetCaption, csOpaque };
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
}

const ClassInfo& TButton::StaticClass()
{
    static const ClassInfo info("TButton", &TCustomControl::StaticClass(),
        {
            props::Bool<TButton>("Cancel", &TButton::Cancel, &TButton::SetCancel),
            props::Bool<TButton>("Default", &TButton::Default, &TButton::SetDefault),
            props::Int<TButton>("ModalResult", &TButton::ModalResult, &TButton::SetModalResult),
        },
        FactoryOf<TButton>());
    return info;
}

void TButton::SetDefault(bool on)
{
    default_ = on;
    Invalidate();
}

void TButton::SetPressed(bool on)
{
    if (pressed_ == on)
        return;
    pressed_ = on;
    Invalidate();
}

bool TButton::ClicksOnDialogKey(UINT key) const
{
    return (key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_);
}

void TButton::Click()
{
    if (!Enabled())
        return;
    TForm* form = ParentForm();
    TModalResult result = modal_result_;
    auto form_alive = form ? form->AliveFlag() : nullptr;
    TCustomControl::Click(); // OnClick may free the button or its form
    if (result != mrNone && form && *form_alive)
        form->SetModalResult(result);
}

void TButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetPressed(true);
        TCustomControl::WndProc(message);
        return;
    case WM_MOUSEMOVE:
        if (mouse_pressed_)
            SetPressed(ClientRect().Contains({ GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam) }));
        TCustomControl::WndProc(message);
        return;
    case WM_LBUTTONUP:
        SetPressed(false);
        TCustomControl::WndProc(message);
        return;
    default:
        TCustomControl::WndProc(message);
    }
}

void TButton::KeyDown(UINT& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        space_down_ = true;
        SetPressed(true);
    } else if (key == VK_RETURN) {
        key = 0;
        Click();
    }
}

void TButton::KeyUp(UINT& key, TShiftState shift)
{
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE && space_down_) {
        space_down_ = false;
        SetPressed(false);
        Click();
    }
}

void TButton::DoEnter()
{
    Invalidate();
    TCustomControl::DoEnter();
}

void TButton::DoExit()
{
    space_down_ = false;
    SetPressed(false);
    TCustomControl::DoExit();
}

void TButton::Paint()
{
    pellamo::Canvas& c = Canvas();
    Rect r = ClientRect();
    if (default_ || Focused()) {
        c.brush = SolidBrush(clBlack);
        c.FrameRect(r);
        r = r.Inflate(-1, -1);
    }
    if (pressed_) {
        Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
    } else {
        Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
        Frame3D(c, r, cl3DLight, clBtnShadow, 1);
    }
    c.brush = SolidBrush(Color());
    c.FillRect(r);
    Rect text = r;
    if (pressed_)
        text = text.Offset(1, 1);
    c.brush.style = BrushStyle::Clear;
    c.font = Font().GetFont();
    if (!Enabled())
        c.font.color = clGrayText;
    c.DrawText(Caption(), text, kTextCenter | kTextVCenter | kTextSingleLine);
    if (Focused())
        c.DrawFocusRect(r.Inflate(-2, -2));
}

}
