#include "player/player_control.h"

#include "platform/components/class_info.h"
#include "platform/window/window_system.h"

namespace pellamo {

namespace {
// The stored extent of both players: 12250 x 9075 hundredths of a
// millimetre at 96 dots per inch.
constexpr int kWidth = 463;
constexpr int kHeight = 343;

EventLoop& LoopOf(WindowSystem* ws) { return ws ? ws->Loop() : EventLoop::Main(); }
}

TPlayerControl::TPlayerControl(TComponent* owner, bool with_bar)
    : TCustomControl(owner)
    , view_(
          with_bar, [this] { Invalidate(); }, LoopOf(WindowSystem::Current()))
{
    // The face covers the whole client area: nothing to erase behind it.
    control_style_.Include(csOpaque);
    SetColor(clBlack);
    SetTabStop(true);
    SetBounds(Left(), Top(), kWidth, kHeight);
    view_.SetSize(ClientWidth(), ClientHeight());
    view_.InvalidatePart = [this](const Rect& part) {
        if (HandleAllocated())
            Windows().InvalidateRect(Handle(), &part, false);
    };
}

TPlayerControl::~TPlayerControl()
{
    // The full-screen window and the engine go before the control's window.
    view_.LeaveFullScreen();
}

const ClassInfo& TPlayerControl::StaticClass()
{
    static const ClassInfo info("TPlayerControl", &TCustomControl::StaticClass());
    return info;
}

void TPlayerControl::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.class_name = "PellamoPlayer";
}

void TPlayerControl::Paint() { view_.Paint(Canvas()); }

void TPlayerControl::WndProc(TMessage& message)
{
    Point p { GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam) };
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        if (CanFocus())
            SetFocus();
        view_.MouseDown(p);
        break;
    case WM_LBUTTONDBLCLK:
        view_.DoubleClick(p, Windows());
        break;
    case WM_RBUTTONUP:
        view_.RightClick(p);
        break;
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

void TPlayerControl::KeyDown(UINT& key, TShiftState shift)
{
    if (!shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && view_.KeyDown(key, Windows())) {
        key = 0;
        return;
    }
    TCustomControl::KeyDown(key, shift);
}

void TPlayerControl::BoundsChanged(const Rect& old_bounds)
{
    TCustomControl::BoundsChanged(old_bounds);
    view_.SetSize(ClientWidth(), ClientHeight());
}

void TPlayerControl::VisibleChanged()
{
    TCustomControl::VisibleChanged();
    view_.SetShown(Visible());
}

void TPlayerControl::DestroyWnd()
{
    view_.LeaveFullScreen();
    TCustomControl::DestroyWnd();
}

}
