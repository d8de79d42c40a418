// DefWindowProc: what a message does when the window's procedure leaves it.
#include "platform/window/window_system.h"

#include "platform/window/non_client.h"
#include "platform/window/window_system_shared.h"

namespace pellamo {

using namespace window_system_shared;

namespace {

WPARAM SizeKind(DWORD style)
{
    if (style & WS_MINIMIZE)
        return SIZE_MINIMIZED;
    if (style & WS_MAXIMIZE)
        return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

// The command of the maximise button and of a caption double-click.
WPARAM ZoomCommand(DWORD style) { return (style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE; }

}

// ---------------------------------------------------------------- default procedure

LRESULT WindowSystem::DefWindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE:
        return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return DefKeyDown(*w, msg, wparam, lparam);
    case WM_CONTEXTMENU: // unanswered, it goes up to the parent
    case WM_MOUSEWHEEL:
        return w->parent ? SendMessage(w->parent, msg, wparam, lparam) : 0;
    case WM_NCCALCSIZE:
        return DefNcCalcSize(*w, wparam, lparam);
    case WM_NCHITTEST:
        return DefNcHitTest(*w, UnpackPoint(lparam));
    case WM_NCPAINT:
        return DefNcPaint(*w);
    case WM_NCACTIVATE:
        return DefNcActivate(*w, wparam != 0);
    case WM_ACTIVATE:
        return DefActivate(*w, wparam);
    case WM_ERASEBKGND:
        return DefEraseBackground(*w, reinterpret_cast<DeviceContext*>(wparam));
    case WM_PAINT:
        return DefPaint(*w, wparam);
    case WM_WINDOWPOSCHANGED:
        return DefWindowPosChanged(*w, reinterpret_cast<const WINDOWPOS*>(lparam));
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_NCLBUTTONDOWN:
        return DefNcLButtonDown(*w, wparam, lparam);
    case WM_NCLBUTTONUP:
        return DefNcLButtonUp(*w, wparam, lparam);
    case WM_NCLBUTTONDBLCLK:
        if (wparam == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
            SendMessage(hwnd, WM_SYSCOMMAND, ZoomCommand(w->style), lparam);
        return 0;
    case WM_SYSCOMMAND:
        return DefSysCommand(*w, wparam, lparam);
    case WM_SETTEXT:
        if (lparam)
            SetWindowText(hwnd, reinterpret_cast<const char*>(lparam));
        return 1;
    default:
        return 0;
    }
}

LRESULT WindowSystem::DefKeyDown(WindowObject& w, UINT msg, WPARAM wparam, LPARAM lparam)
{
    HWND hwnd = w.handle;
    if (msg == WM_SYSKEYDOWN && wparam == VK_F4 && (lparam & (1 << 29)))
        SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    // The context-menu key and Shift+F10 ask for the focused window's menu.
    else if (wparam == VK_APPS || (wparam == VK_F10 && (m_key_modifiers & kModShift)))
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
    return 0;
}

LRESULT WindowSystem::DefNcCalcSize(WindowObject& w, WPARAM wparam, LPARAM lparam)
{
    Rect* r = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : reinterpret_cast<Rect*>(lparam);
    if (r) {
        w.nc_given = *r;
        *r = NonClient::ClientFromWindow(*r, w.style, w.ex_style);
    }
    return 0;
}

LRESULT WindowSystem::DefNcHitTest(WindowObject& w, Point p)
{
    Rect screen = GetWindowRect(w.handle);
    Point local { p.x - screen.left, p.y - screen.top };
    if (w.region && !w.region->Contains(local))
        return HTNOWHERE;
    const Rect& frame = w.default_frame;
    if (!frame.Contains(local)) // a frame the window added round the default one, or outside
        return Rect { 0, 0, screen.Width(), screen.Height() }.Contains(local) ? HTBORDER : HTNOWHERE;
    return NonClient::HitTest(
        { frame.Width(), frame.Height() }, { local.x - frame.left, local.y - frame.top }, w.style, w.ex_style);
}

LRESULT WindowSystem::DefNcPaint(WindowObject& w)
{
    HWND hwnd = w.handle;
    Size size { w.window_rect.Width(), w.window_rect.Height() };
    if (w.client_rect == Rect { 0, 0, size.cx, size.cy })
        return 0;
    DeviceContext* dc = GetWindowDC(hwnd);
    if (!dc)
        return 0;
    NonClient::PaintState state;
    state.active = w.nc_active;
    state.title = w.text;
    for (int b : { SB_HORZ, SB_VERT }) {
        state.scroll[b] = w.scroll[b];
        state.scroll_enabled[b] = w.scroll_enabled[b];
    }
    const Rect& frame = w.default_frame;
    Point origin = dc->Origin();
    DeviceContext inner(hwnd, dc->Target(), { origin.x + frame.left, origin.y + frame.top }, dc->Clip());
    NonClient::Paint(inner, { frame.Width(), frame.Height() }, w.style, w.ex_style, state);
    ReleaseDC(hwnd, dc);
    return 0;
}

LRESULT WindowSystem::DefNcActivate(WindowObject& w, bool active)
{
    w.nc_active = active;
    if (NonClient::CaptionHeight(w.style, w.ex_style) > 0)
        w.frame_pending = true;
    return 1;
}

LRESULT WindowSystem::DefActivate(WindowObject& w, WPARAM wparam)
{
    HWND hwnd = w.handle;
    if (LOWORD(wparam) != WA_INACTIVE && !(w.style & WS_MINIMIZE)
        && !(m_focus && (m_focus == hwnd || IsChild(hwnd, m_focus))))
        SetFocus(hwnd);
    return 0;
}

LRESULT WindowSystem::DefEraseBackground(WindowObject& w, DeviceContext* dc)
{
    if (!dc || w.background < 0)
        return 0;
    dc->FillRect(GetClientRect(w.handle), w.background);
    return 1;
}

LRESULT WindowSystem::DefPaint(WindowObject& w, WPARAM wparam)
{
    if (wparam) // painting into a caller's context validates nothing
        return 0;
    PAINTSTRUCT ps;
    BeginPaint(w.handle, &ps);
    EndPaint(w.handle, &ps);
    return 0;
}

LRESULT WindowSystem::DefWindowPosChanged(WindowObject& w, const WINDOWPOS* pos)
{
    HWND hwnd = w.handle;
    if (!pos)
        return 0;
    if (!(pos->flags & SWP_NOCLIENTMOVE)) {
        Point origin { w.window_rect.left + w.client_rect.left, w.window_rect.top + w.client_rect.top };
        SendMessage(hwnd, WM_MOVE, 0, PackPoint(origin));
    }
    if (!(pos->flags & SWP_NOCLIENTSIZE) && IsWindow(hwnd))
        SendMessage(hwnd, WM_SIZE, SizeKind(w.style), MAKELPARAM(w.client_rect.Width(), w.client_rect.Height()));
    return 0;
}

LRESULT WindowSystem::DefNcLButtonDown(WindowObject& w, WPARAM wparam, LPARAM lparam)
{
    HWND hwnd = w.handle;
    switch (wparam) {
    case HTCAPTION:
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lparam);
        break;
    case HTVSCROLL:
        StartScrollTrack(hwnd, SB_VERT, UnpackPoint(lparam));
        break;
    case HTHSCROLL:
        StartScrollTrack(hwnd, SB_HORZ, UnpackPoint(lparam));
        break;
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON:
        w.pressed_button = static_cast<LRESULT>(wparam);
        break;
    }
    return 0;
}

LRESULT WindowSystem::DefNcLButtonUp(WindowObject& w, WPARAM wparam, LPARAM lparam)
{
    HWND hwnd = w.handle;
    LRESULT pressed = w.pressed_button;
    w.pressed_button = HTNOWHERE;
    if (pressed != static_cast<LRESULT>(wparam))
        return 0;
    if (pressed == HTCLOSE)
        SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lparam);
    else if (pressed == HTMINBUTTON)
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, lparam);
    else if (pressed == HTMAXBUTTON)
        SendMessage(hwnd, WM_SYSCOMMAND, ZoomCommand(w.style), lparam);
    return 0;
}

LRESULT WindowSystem::DefSysCommand(WindowObject& w, WPARAM wparam, LPARAM lparam)
{
    HWND hwnd = w.handle;
    switch (wparam & 0xFFF0) {
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hwnd, SW_MAXIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        break;
    case SC_CLOSE:
        SendMessage(hwnd, WM_CLOSE);
        break;
    case SC_MOVE:
        // From a pressed caption the press point comes along.
        StartMove(hwnd, (wparam & 0xF) == HTCAPTION ? UnpackPoint(lparam) : m_backend.CursorPos());
        break;
    }
    return 0;
}

}
