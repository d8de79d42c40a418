// Display events: the pointer, keys, text, focus and the window manager's changes.
#include "platform/window/window_system.h"

#include "platform/text/gbk.h"
#include "platform/window/key_messages.h"
#include "platform/window/non_client.h"
#include "platform/window/window_system_shared.h"

#include <utility>

namespace pellamo {

using namespace window_system_shared;

// ---------------------------------------------------------------- moving

void WindowSystem::StartMove(HWND hwnd, Point grip)
{
    WindowObject* w = Find(hwnd);
    // Only a held left button moves a window; a maximised one stays.
    if (!w || !(m_buttons & kModLeftButton) || (w->style & WS_MAXIMIZE))
        return;
    // A window manager that moves windows does it (and keeps it on its screens).
    if (!w->parent && m_backend.BeginManagedMove(w->display, grip))
        return;
    m_move = MoveTrack { hwnd, grip, w->window_rect };
    // The pointer may leave the window faster than it follows.
    m_backend.SetCapture(TopOf(w)->display);
    SendMessage(hwnd, WM_ENTERSIZEMOVE);
}

void WindowSystem::EndTrackingGrab()
{
    WindowObject* holder = TopOf(Find(m_capture));
    m_backend.SetCapture(holder ? holder->display : 0);
}

// ---------------------------------------------------------------- input

WPARAM WindowSystem::MouseKeys(unsigned modifiers) const
{
    WPARAM k = 0;
    if (modifiers & kModLeftButton)
        k |= MK_LBUTTON;
    if (modifiers & kModRightButton)
        k |= MK_RBUTTON;
    if (modifiers & kModMiddleButton)
        k |= MK_MBUTTON;
    if (modifiers & kModShift)
        k |= MK_SHIFT;
    if (modifiers & kModControl)
        k |= MK_CONTROL;
    return k;
}

void WindowSystem::HandleDisplayEvent(const DisplayEvent& e)
{
    Guarded([&] { RouteDisplayEvent(e); });
}

void WindowSystem::RouteDisplayEvent(const DisplayEvent& e)
{
    auto it = m_by_display.find(e.window);
    WindowObject* top = it == m_by_display.end() ? nullptr : Find(it->second);
    using T = DisplayEvent::Type;
    switch (e.type) {
    case T::MouseMove:
    case T::ButtonDown:
    case T::ButtonUp:
    case T::Wheel:
    case T::PointerLeave:
        if (!top && m_capture)
            top = TopOf(Find(m_capture));
        if (top)
            HandleMouse(e, *top);
        return;
    case T::KeyDown:
    case T::KeyUp:
        return HandleKey(e);
    case T::Text:
        return HandleText(e.text);
    default:
        break;
    }
    // The rest are news of one display window of ours.
    if (!top)
        return;
    switch (e.type) {
    case T::Expose:
        return MarkPresent(*top, e.rect);
    case T::FocusIn:
        if (top->handle != m_active)
            Activate(top->handle, WA_ACTIVE, true);
        return;
    case T::FocusOut:
        if (top->handle == m_active)
            Activate(nullptr, WA_INACTIVE, true);
        return;
    case T::CloseRequest:
        if (!(top->style & WS_DISABLED))
            PostMessage(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    case T::Configure:
        return HandleDisplayConfigure(*top, e.rect);
    case T::Mapped:
        return HandleDisplayMapped(*top);
    case T::Unmapped:
        return HandleDisplayUnmapped(*top);
    case T::Drop:
        return HandleDrop(e, *top);
    default:
        return;
    }
}

void WindowSystem::HandleText(const std::string& text)
{
    HWND target = m_focus ? m_focus : m_active;
    if (!target || !IsWindowEnabled(GetTopLevel(target)))
        return;
    for (char16_t unit : Utf8ToUtf16(text))
        if (unit >= 0x20 && unit != 0x7F)
            DispatchQueued(MSG { target, WM_CHAR, unit, 1, 0, m_cursor });
}

void WindowSystem::HandleDisplayConfigure(WindowObject& top, const Rect& rect)
{
    if (rect == top.window_rect)
        return;
    m_from_display = true;
    SetWindowPos(top.handle, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_from_display = false;
}

void WindowSystem::HandleDisplayMapped(WindowObject& top)
{
    if (!(top.style & WS_MINIMIZE))
        return;
    m_from_display = true;
    ShowWindow(top.handle, SW_RESTORE);
    m_from_display = false;
}

void WindowSystem::HandleDisplayUnmapped(WindowObject& top)
{
    // Minimised by the desktop (our own hiding and minimising change the style first).
    if (!(top.style & WS_VISIBLE) || (top.style & WS_MINIMIZE))
        return;
    if (!(top.style & WS_MAXIMIZE))
        top.restore_rect = top.window_rect;
    top.style = (top.style | WS_MINIMIZE) & ~WS_MAXIMIZE;
    HWND h = top.handle;
    SendMessage(h, WM_SIZE, SIZE_MINIMIZED, 0);
    if (m_active == h)
        ActivateAnother(h);
}

void WindowSystem::HandleMouse(const DisplayEvent& e, WindowObject& top)
{
    using T = DisplayEvent::Type;
    m_cursor = e.screen;
    m_buttons = e.modifiers & (kModLeftButton | kModRightButton | kModMiddleButton);
    DWORD time = static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());

    // A release we never saw (another program took the pointer) ends tracking
    // at the next move without the button.
    bool released = (e.type == T::ButtonUp && e.button == MouseButton::Left)
        || (e.type == T::MouseMove && !(e.modifiers & kModLeftButton));
    if (m_move)
        return TrackMove(e, released);
    if (m_scroll)
        return TrackScroll(e, released);
    if (e.type == T::PointerLeave) {
        if (!m_capture)
            CheckMouseLeave(nullptr, true);
        return;
    }

    LRESULT hit = HTCLIENT;
    HWND target = MouseTarget(e, top, hit);
    if (!target)
        return;
    bool client = hit == HTCLIENT;
    LPARAM client_point = PackPoint(ScreenToClient(target, e.screen));
    MSG msg { target, 0, client ? MouseKeys(e.modifiers) : static_cast<WPARAM>(hit),
        client ? client_point : PackPoint(e.screen), time, e.screen };
    switch (e.type) {
    case T::MouseMove:
        return DispatchMouseMove(msg, top, client);
    case T::ButtonDown:
        return DispatchButtonDown(e, msg, top, client);
    case T::ButtonUp:
        return DispatchButtonUp(e, msg, client);
    case T::Wheel:
        return DispatchWheel(e, msg);
    default:
        return;
    }
}

void WindowSystem::TrackMove(const DisplayEvent& e, bool released)
{
    if (e.type == DisplayEvent::Type::MouseMove && !released) {
        Rect r = m_move->start_rect;
        Point d { e.screen.x - m_move->start_cursor.x, e.screen.y - m_move->start_cursor.y };
        SetWindowPos(
            m_move->hwnd, nullptr, r.left + d.x, r.top + d.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (released) {
        HWND h = m_move->hwnd;
        m_move.reset();
        EndTrackingGrab();
        SendMessage(h, WM_EXITSIZEMOVE);
    }
}

void WindowSystem::TrackScroll(const DisplayEvent& e, bool released)
{
    ScrollTrack& s = *m_scroll;
    WindowObject* w = Find(s.hwnd);
    if (!w) {
        m_scroll.reset();
        EndTrackingGrab();
        return;
    }
    if (e.type == DisplayEvent::Type::MouseMove && !released && s.part == SB_THUMBTRACK) {
        Rect r = DefaultScrollBarRect(*w, s.bar);
        Rect screen_rect = GetWindowRect(s.hwnd);
        bool vertical = s.bar == SB_VERT;
        int along = vertical ? e.screen.y - screen_rect.top - r.top : e.screen.x - screen_rect.left - r.left;
        int pos
            = NonClient::ScrollPosFromThumb(vertical ? r.Height() : r.Width(), w->scroll[s.bar], along - s.grab_offset);
        if (pos != s.last_pos) {
            s.last_pos = pos;
            w->scroll[s.bar].nTrackPos = pos;
            StepScroll(s.hwnd, s.bar, SB_THUMBTRACK, pos);
        }
    } else if (released) {
        ScrollTrack done = s;
        m_scroll.reset();
        EndTrackingGrab();
        if (done.part == SB_THUMBTRACK)
            StepScroll(done.hwnd, done.bar, SB_THUMBPOSITION, done.last_pos);
        StepScroll(done.hwnd, done.bar, SB_ENDSCROLL, 0);
        if (WindowObject* again = Find(done.hwnd))
            again->scroll[done.bar].nTrackPos = again->scroll[done.bar].nPos;
    }
}

HWND WindowSystem::MouseTarget(const DisplayEvent& e, WindowObject& top, LRESULT& hit)
{
    if (m_capture && Find(m_capture))
        return m_capture;
    // A window hidden under a held button (the display still grabs the
    // pointer for it) gets nothing more: it is not there to click.
    if (!(top.style & WS_VISIBLE)) {
        CheckMouseLeave(nullptr, true);
        return nullptr;
    }
    if (top.style & WS_DISABLED) {
        // A click on a window disabled by a modal loop brings the modal window forward.
        if (e.type == DisplayEvent::Type::ButtonDown)
            for (auto it = m_top_order.rbegin(); it != m_top_order.rend(); ++it)
                if (WindowObject* o = Find(*it); o && o->modal_depth > 0 && (o->style & WS_VISIBLE)) {
                    Activate(o->handle, WA_ACTIVE, false);
                    break;
                }
        return nullptr;
    }
    Point local { e.screen.x - top.window_rect.left, e.screen.y - top.window_rect.top };
    if (!top.window_rect.Contains(e.screen) || (top.region && !top.region->Contains(local))) {
        CheckMouseLeave(nullptr, true);
        return nullptr;
    }
    HWND target = ChildAt(top, e.screen);
    hit = SendMessage(target, WM_NCHITTEST, 0, PackPoint(e.screen));
    while (hit == HTTRANSPARENT && Find(target) && Find(target)->parent) {
        target = Find(target)->parent;
        hit = SendMessage(target, WM_NCHITTEST, 0, PackPoint(e.screen));
    }
    if (!Find(target) || hit == HTNOWHERE || hit == HTERROR || hit == HTTRANSPARENT) {
        CheckMouseLeave(nullptr, true);
        return nullptr;
    }
    return target;
}

void WindowSystem::DispatchMouseMove(MSG msg, WindowObject& top, bool client)
{
    CheckMouseLeave(msg.hwnd, client);
    m_backend.SetCursor(top.display, client ? Find(msg.hwnd)->cursor : CursorShape::Arrow);
    msg.message = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    DispatchQueued(msg);
}

void WindowSystem::DispatchButtonDown(const DisplayEvent& e, MSG msg, WindowObject& top, bool client)
{
    HWND target = msg.hwnd;
    if (!top.parent && top.handle != m_active && !IsPopupStyle(top.ex_style) && !m_capture) {
        Activate(top.handle, WA_CLICKACTIVE, false);
        if (!Find(target))
            return;
    }
    // A click inside a child of an MDI client activates that child.
    for (WindowObject* o = Find(target); o; o = Find(o->parent)) {
        if (o->ex_style & WS_EX_MDICHILD) {
            SendMessage(o->handle, WM_CHILDACTIVATE);
            if (!Find(target))
                return;
            break;
        }
    }
    static constexpr UINT kClient[] = { WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN };
    static constexpr UINT kNonClient[] = { WM_NCLBUTTONDOWN, WM_NCMBUTTONDOWN, WM_NCRBUTTONDOWN };
    int b = static_cast<int>(e.button) - 1;
    msg.message = client ? kClient[b] : kNonClient[b];
    bool wants_double = Find(target)->class_style & CS_DBLCLKS;
    if (m_clicks.Press(target, msg.message, e.screen, std::chrono::steady_clock::now(), wants_double))
        msg.message += 2; // WM_xBUTTONDBLCLK follows WM_xBUTTONDOWN by two, client and non-client alike
    DispatchQueued(msg);
}

void WindowSystem::DispatchButtonUp(const DisplayEvent& e, MSG msg, bool client)
{
    static constexpr UINT kClient[] = { WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP };
    static constexpr UINT kNonClient[] = { WM_NCLBUTTONUP, WM_NCMBUTTONUP, WM_NCRBUTTONUP };
    int b = static_cast<int>(e.button) - 1;
    msg.message = client ? kClient[b] : kNonClient[b];
    DispatchQueued(msg);
}

void WindowSystem::DispatchWheel(const DisplayEvent& e, MSG msg)
{
    msg.hwnd = m_focus && IsWindowEnabled(GetTopLevel(m_focus)) ? m_focus : msg.hwnd;
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MAKEWPARAM(static_cast<int>(MouseKeys(e.modifiers)), e.wheel_delta);
    msg.lParam = PackPoint(e.screen);
    DispatchQueued(msg);
}

void WindowSystem::HandleDrop(const DisplayEvent& e, WindowObject& top)
{
    // A window a modal loop has disabled takes no drops, as it takes no clicks.
    if (top.style & WS_DISABLED)
        return;
    HWND target = ChildAt(top, e.screen);
    while (target && target != top.handle && !(GetExStyle(target) & WS_EX_ACCEPTFILES))
        target = GetParent(target);
    if (!target || !(GetExStyle(target) & WS_EX_ACCEPTFILES))
        return;
    DROPFILES drop { ScreenToClient(target, e.screen), e.items };
    SendMessage(target, WM_DROPFILES, reinterpret_cast<WPARAM>(&drop), 0);
}

void WindowSystem::HandleKey(const DisplayEvent& e)
{
    m_key_modifiers = e.modifiers & (kModShift | kModControl | kModAlt);
    HWND target = m_focus ? m_focus : m_active;
    if (!target || !IsWindowEnabled(GetTopLevel(target)))
        return;
    KeyMessages k = TranslateKey(e.vk, e.modifiers, e.type == DisplayEvent::Type::KeyDown, e.repeat);
    MSG msg { target, k.message, e.vk, k.lparam, 0, m_cursor };
    // The hook may take the key; then it is not translated into a character.
    if (HookTakes(msg))
        return;
    m_key_taken_whole = false;
    SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    if (k.char_message && !std::exchange(m_key_taken_whole, false))
        DispatchQueued(MSG { target, k.char_message, k.ch, k.lparam, 0, m_cursor });
}

}
