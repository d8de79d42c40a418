// Focus, activation, capture and the pointer.
#include "platform/window/window_system.h"

#include "platform/window/window_system_shared.h"

#include <algorithm>

namespace pellamo {

using namespace window_system_shared;

// ---------------------------------------------------------------- focus, activation, capture

void WindowSystem::Activate(HWND hwnd, WPARAM how, bool from_display)
{
    WindowObject* top = TopOf(Find(hwnd));
    if (hwnd && (!top || top->destroying || (top->style & WS_DISABLED) || IsPopupStyle(top->ex_style)))
        return;
    HWND new_active = top ? top->handle : nullptr;
    if (new_active == m_active)
        return;
    HWND old = m_active;
    if (WindowObject* o = Find(old)) {
        Dispatch(*o, WM_NCACTIVATE, 0, 0);
        if (Find(old))
            Dispatch(*o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (o->style & WS_MINIMIZE) ? 1 : 0),
                reinterpret_cast<LPARAM>(new_active));
    }
    if (new_active && !IsWindow(new_active))
        new_active = nullptr;
    m_active = new_active;
    if (!new_active) {
        if (m_focus)
            SetFocus(nullptr);
        return;
    }
    // Raise it, and the windows it owns above it.
    std::function<void(HWND)> raise = [&](HWND h) {
        WindowObject* o = Find(h);
        if (!o)
            return;
        m_top_order.erase(std::remove(m_top_order.begin(), m_top_order.end(), h), m_top_order.end());
        auto at = m_top_order.end();
        if (!(o->ex_style & WS_EX_TOPMOST))
            at = std::find_if(m_top_order.begin(), m_top_order.end(), [&](HWND t) {
                WindowObject* x = Find(t);
                return x && (x->ex_style & WS_EX_TOPMOST);
            });
        m_top_order.insert(at, h);
        if (o->style & WS_VISIBLE)
            m_backend.Raise(o->display);
        std::vector<HWND> owned;
        for (HWND t : m_top_order)
            if (WindowObject* x = Find(t); x && x->owner == h)
                owned.push_back(t);
        for (HWND t : owned)
            raise(t);
    };
    raise(new_active);
    if (!from_display)
        m_backend.Activate(top->display);
    Dispatch(*top, WM_NCACTIVATE, 1, 0);
    if (IsWindow(new_active))
        Dispatch(*top, WM_ACTIVATE, MAKEWPARAM(static_cast<int>(how), (top->style & WS_MINIMIZE) ? 1 : 0),
            reinterpret_cast<LPARAM>(old));
    // Keyboard focus never stays in a window that is no longer active.
    if (m_focus && m_active == new_active && TopOf(Find(m_focus)) != Find(new_active))
        SetFocus(nullptr);
}

void WindowSystem::ActivateAnother(HWND leaving)
{
    auto usable = [&](HWND h) {
        WindowObject* o = Find(h);
        return o && h != leaving && !o->destroying && (o->style & WS_VISIBLE)
            && !(o->style & (WS_DISABLED | WS_MINIMIZE)) && !IsPopupStyle(o->ex_style);
    };
    WindowObject* w = Find(leaving);
    HWND next = nullptr;
    if (w && usable(w->owner))
        next = w->owner;
    for (auto it = m_top_order.rbegin(); !next && it != m_top_order.rend(); ++it)
        if (usable(*it))
            next = *it;
    if (next)
        Activate(next, WA_ACTIVE, false);
    else
        Activate(nullptr, WA_INACTIVE, false);
}

HWND WindowSystem::SetActiveWindow(HWND hwnd)
{
    HWND old = m_active;
    Activate(hwnd, WA_ACTIVE, false);
    return old;
}

HWND WindowSystem::SetFocus(HWND hwnd)
{
    HWND old = m_focus;
    if (!hwnd) {
        if (old) {
            m_focus = nullptr;
            SendMessage(old, WM_KILLFOCUS, 0, 0);
        }
        return old;
    }
    WindowObject* w = Find(hwnd);
    if (!w || w->destroying)
        return nullptr;
    for (WindowObject* a = w; a; a = Find(a->parent))
        if (a->style & WS_DISABLED)
            return nullptr;
    if (hwnd == old)
        return old;
    WindowObject* top = TopOf(w);
    if (top->handle != m_active && !IsPopupStyle(top->ex_style)) {
        Activate(top->handle, WA_ACTIVE, false);
        if (m_focus == hwnd || !IsWindow(hwnd))
            return old;
    }
    HWND previous = m_focus;
    if (previous) {
        SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (!IsWindow(hwnd))
            return old;
    }
    m_focus = hwnd;
    SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return old;
}

HWND WindowSystem::SetCapture(HWND hwnd)
{
    WindowObject* w = Find(hwnd);
    HWND old = m_capture;
    if (!w)
        return old;
    m_capture = hwnd;
    m_backend.SetCapture(TopOf(w)->display);
    if (old && old != hwnd)
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

bool WindowSystem::ReleaseCapture()
{
    HWND old = m_capture;
    if (!old)
        return true;
    m_capture = nullptr;
    m_backend.SetCapture(0);
    SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

bool WindowSystem::TrackMouseEvent(TRACKMOUSEEVENT& tme)
{
    if (!Find(tme.hwndTrack))
        return false;
    if (tme.dwFlags & TME_CANCEL) {
        if (m_tracked == tme.hwndTrack)
            m_tracked = nullptr;
        return true;
    }
    if (!(tme.dwFlags & TME_LEAVE))
        return true;
    WindowObject* w = Find(tme.hwndTrack);
    bool nonclient = tme.dwFlags & TME_NONCLIENT;
    // A pointer that is not over the window (or its wanted part) leaves at once.
    HWND under = WindowFromPoint(m_cursor);
    bool over = under == tme.hwndTrack;
    if (over) {
        LRESULT hit = SendMessage(under, WM_NCHITTEST, 0, PackPoint(m_cursor));
        over = (hit == HTCLIENT) != nonclient;
    }
    if (!over) {
        PostMessage(tme.hwndTrack, nonclient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE);
        return true;
    }
    if (m_tracked && m_tracked != tme.hwndTrack)
        if (WindowObject* o = Find(m_tracked))
            o->track_flags = 0;
    m_tracked = tme.hwndTrack;
    w->track_flags = tme.dwFlags & (TME_LEAVE | TME_NONCLIENT);
    return true;
}

void WindowSystem::SetWindowCursor(HWND hwnd, CursorShape shape)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return;
    w->cursor = shape;
    if (WindowFromPoint(m_cursor) == hwnd)
        m_backend.SetCursor(TopOf(w)->display, shape);
}

void WindowSystem::CheckMouseLeave(HWND target, bool client)
{
    WindowObject* t = Find(m_tracked);
    if (!t) {
        m_tracked = nullptr;
        return;
    }
    bool nonclient = t->track_flags & TME_NONCLIENT;
    if (m_tracked == target && client != nonclient)
        return;
    HWND leaving = m_tracked;
    t->track_flags = 0;
    m_tracked = nullptr;
    PostMessage(leaving, nonclient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE);
}

}
