#include "player/full_screen_window.h"

#include "player/mpv/mini_bar.h"
#include "player/mpv/mpv_player.h"
#include "player/mpv/player_face.h"

namespace pellamo {

namespace {
constexpr unsigned kKeyF = 'F';
}

FullScreenWindow::FullScreenWindow(WindowSystem& ws, MpvPlayer& player, std::function<void()> on_leave)
    : m_ws(ws)
    , m_player(player)
    , m_on_leave(std::move(on_leave))
    , m_alive(std::make_shared<FullScreenWindow*>(this))
{
    if (!m_ws.IsClassRegistered(kClassName))
        m_ws.RegisterClass({ kClassName, {}, CS_DBLCLKS, -1, CursorShape::Arrow });
    Size screen = m_ws.GetScreenSize();
    CreateWindowParams params;
    params.class_name = kClassName;
    params.text = "Pellamo";
    params.style = WS_POPUP;
    // Above panels and the main window, yet focusable for Esc and F.
    params.ex_style = WS_EX_TOPMOST;
    params.bounds = Rect::FromSize(0, 0, screen.cx, screen.cy);
    m_hwnd = m_ws.CreateWindowEx(params);
    m_ws.SetWindowProc(
        m_hwnd, [this](HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) { return Proc(hwnd, msg, wparam, lparam); });
    m_ws.ShowWindow(m_hwnd, SW_SHOW);
    m_ws.SetActiveWindow(m_hwnd);
    m_ws.SetFocus(m_hwnd);
}

FullScreenWindow::~FullScreenWindow()
{
    m_alive.reset();
    if (m_hwnd && m_ws.IsWindow(m_hwnd)) {
        HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        m_ws.SetWindowProc(hwnd, {});
        m_ws.DestroyWindow(hwnd);
    }
}

Size FullScreenWindow::PictureSize() const
{
    if (!m_hwnd)
        return {};
    Rect client = m_ws.GetClientRect(m_hwnd);
    return { client.Width(), client.Height() };
}

void FullScreenWindow::Refresh()
{
    if (m_hwnd)
        m_ws.InvalidateRect(m_hwnd, nullptr, false);
}

LRESULT FullScreenWindow::Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        if (wparam == VK_ESCAPE || wparam == kKeyF) {
            RequestLeave();
            return 0;
        }
        break;
    case WM_LBUTTONDBLCLK:
    case WM_CLOSE:
        RequestLeave();
        return 0;
    case WM_DESTROY:
        // Destroyed from outside (its owner went away): nothing left to show.
        m_hwnd = nullptr;
        RequestLeave();
        break;
    default:
        break;
    }
    return m_ws.DefWindowProc(hwnd, msg, wparam, lparam);
}

void FullScreenWindow::Paint()
{
    PAINTSTRUCT ps;
    DeviceContext* dc = m_ws.BeginPaint(m_hwnd, &ps);
    if (!dc)
        return;
    Rect client = m_ws.GetClientRect(m_hwnd);
    MiniBar layout(client.Width(), client.Height(), false);
    // The player draws at this window's size; until the first picture at
    // that size arrives, the smaller one is stretched.
    PlayerFace::View view;
    view.status = m_player.Status();
    view.volume = m_player.Volume();
    view.muted = m_player.Muted();
    view.picture = m_player.HasPicture() ? &m_player.Frame() : nullptr;
    PlayerFace::Paint(dc->GetCanvas(), layout, view);
    m_ws.EndPaint(m_hwnd, &ps);
}

void FullScreenWindow::RequestLeave()
{
    if (m_leave_posted)
        return;
    m_leave_posted = true;
    std::weak_ptr<FullScreenWindow*> alive = m_alive;
    m_ws.Loop().Post([alive] {
        if (auto self = alive.lock())
            if ((*self)->m_on_leave)
                (*self)->m_on_leave();
    });
}

}
