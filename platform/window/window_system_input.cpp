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
        break;
    case T::KeyDown:
    case T::KeyUp:
        HandleKey(e);
        break;
    case T::Text: {
        HWND target = m_focus ? m_focus : m_active;
        if (!target || !IsWindowEnabled(GetTopLevel(target)))
            break;
        for (char16_t unit : Utf8ToUtf16(e.text))
            if (unit >= 0x20 && unit != 0x7F)
                DispatchQueued(MSG { target, WM_CHAR, unit, 1, 0, m_cursor });
        break;
    }
    case T::Expose:
        if (top)
            MarkPresent(*top, e.rect);
        break;
    case T::FocusIn:
        if (top && top->handle != m_active)
            Activate(top->handle, WA_ACTIVE, true);
        break;
    case T::FocusOut:
        if (top && top->handle == m_active)
            Activate(nullptr, WA_INACTIVE, true);
        break;
    case T::CloseRequest:
        if (top && !(top->style & WS_DISABLED))
            PostMessage(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case T::Configure:
        if (top && e.rect != top->window_rect) {
            m_from_display = true;
            SetWindowPos(top->handle, nullptr, e.rect.left, e.rect.top, e.rect.Width(), e.rect.Height(),
                SWP_NOZORDER | SWP_NOACTIVATE);
            m_from_display = false;
        }
        break;
    case T::Mapped:
        if (top && (top->style & WS_MINIMIZE)) {
            m_from_display = true;
            ShowWindow(top->handle, SW_RESTORE);
            m_from_display = false;
        }
        break;
    case T::Unmapped:
        // Minimised by the desktop (our own hiding and minimising change the style first).
        if (top && (top->style & WS_VISIBLE) && !(top->style & WS_MINIMIZE)) {
            if (!(top->style & WS_MAXIMIZE))
                top->restore_rect = top->window_rect;
            top->style = (top->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
            HWND h = top->handle;
            SendMessage(h, WM_SIZE, SIZE_MINIMIZED, 0);
            if (m_active == h)
                ActivateAnother(h);
        }
        break;
    case T::Drop:
        if (top)
            HandleDrop(e, *top);
        break;
    }
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
    if (m_move) {
        if (e.type == T::MouseMove && !released) {
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
        return;
    }
    if (m_scroll) {
        ScrollTrack& s = *m_scroll;
        WindowObject* w = Find(s.hwnd);
        if (!w) {
            m_scroll.reset();
            EndTrackingGrab();
            return;
        }
        if (e.type == T::MouseMove && !released && s.part == SB_THUMBTRACK) {
            Rect r = DefaultScrollBarRect(*w, s.bar);
            Rect screen_rect = GetWindowRect(s.hwnd);
            bool vertical = s.bar == SB_VERT;
            int along = vertical ? e.screen.y - screen_rect.top - r.top : e.screen.x - screen_rect.left - r.left;
            int pos = NonClient::ScrollPosFromThumb(
                vertical ? r.Height() : r.Width(), w->scroll[s.bar], along - s.grab_offset);
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
        return;
    }

    if (e.type == T::PointerLeave) {
        if (!m_capture)
            CheckMouseLeave(nullptr, true);
        return;
    }

    HWND target = nullptr;
    LRESULT hit = HTCLIENT;
    if (m_capture && Find(m_capture)) {
        target = m_capture;
    } else {
        // A window hidden under a held button (the display still grabs the
        // pointer for it) gets nothing more: it is not there to click.
        if (!(top.style & WS_VISIBLE)) {
            CheckMouseLeave(nullptr, true);
            return;
        }
        if (top.style & WS_DISABLED) {
            // A click on a window disabled by a modal loop brings the modal window forward.
            if (e.type == T::ButtonDown)
                for (auto it = m_top_order.rbegin(); it != m_top_order.rend(); ++it)
                    if (WindowObject* o = Find(*it); o && o->modal_depth > 0 && (o->style & WS_VISIBLE)) {
                        Activate(o->handle, WA_ACTIVE, false);
                        break;
                    }
            return;
        }
        Point local { e.screen.x - top.window_rect.left, e.screen.y - top.window_rect.top };
        if (!top.window_rect.Contains(e.screen) || (top.region && !top.region->Contains(local))) {
            CheckMouseLeave(nullptr, true);
            return;
        }
        target = ChildAt(top, e.screen);
        hit = SendMessage(target, WM_NCHITTEST, 0, PackPoint(e.screen));
        while (hit == HTTRANSPARENT && Find(target) && Find(target)->parent) {
            target = Find(target)->parent;
            hit = SendMessage(target, WM_NCHITTEST, 0, PackPoint(e.screen));
        }
        if (!Find(target) || hit == HTNOWHERE || hit == HTERROR || hit == HTTRANSPARENT) {
            CheckMouseLeave(nullptr, true);
            return;
        }
    }
    bool client = hit == HTCLIENT;
    WPARAM keys = MouseKeys(e.modifiers);
    LPARAM client_point = PackPoint(ScreenToClient(target, e.screen));
    MSG msg { target, 0, client ? keys : static_cast<WPARAM>(hit), client ? client_point : PackPoint(e.screen), time,
        e.screen };

    switch (e.type) {
    case T::MouseMove:
        CheckMouseLeave(target, client);
        m_backend.SetCursor(top.display, client ? Find(target)->cursor : CursorShape::Arrow);
        msg.message = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
        break;
    case T::ButtonDown: {
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
        break;
    }
    case T::ButtonUp: {
        static constexpr UINT kClient[] = { WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP };
        static constexpr UINT kNonClient[] = { WM_NCLBUTTONUP, WM_NCMBUTTONUP, WM_NCRBUTTONUP };
        int b = static_cast<int>(e.button) - 1;
        msg.message = client ? kClient[b] : kNonClient[b];
        break;
    }
    case T::Wheel:
        msg.hwnd = m_focus && IsWindowEnabled(GetTopLevel(m_focus)) ? m_focus : target;
        msg.message = WM_MOUSEWHEEL;
        msg.wParam = MAKEWPARAM(static_cast<int>(keys), e.wheel_delta);
        msg.lParam = PackPoint(e.screen);
        break;
    default:
        return;
    }
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
