// Where windows are and how they show: geometry, SetWindowPos, ShowWindow, enabling.
#include "platform/window/window_system.h"

#include "platform/window/non_client.h"
#include "platform/window/show_command.h"
#include "platform/window/window_system_shared.h"

#include <algorithm>

namespace pellamo {

using namespace window_system_shared;

// ---------------------------------------------------------------- geometry

Point WindowSystem::WindowOriginInTop(const WindowObject& w) const
{
    if (!w.parent)
        return { 0, 0 };
    WindowObject* parent = Find(w.parent);
    Point p = parent ? ClientOriginInTop(*parent) : Point {};
    return { p.x + w.window_rect.left, p.y + w.window_rect.top };
}

Point WindowSystem::ClientOriginInTop(const WindowObject& w) const
{
    Point p = WindowOriginInTop(w);
    return { p.x + w.client_rect.left, p.y + w.client_rect.top };
}

Rect WindowSystem::GetWindowRect(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return {};
    WindowObject* top = TopOf(w);
    Point o = WindowOriginInTop(*w);
    return Rect::FromSize(
        top->window_rect.left + o.x, top->window_rect.top + o.y, w->window_rect.Width(), w->window_rect.Height());
}

Rect WindowSystem::GetClientRect(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w ? Rect { 0, 0, w->client_rect.Width(), w->client_rect.Height() } : Rect {};
}

Rect WindowSystem::GetClientRectInWindow(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w ? w->client_rect : Rect {};
}

Point WindowSystem::ClientToScreen(HWND hwnd, Point p) const
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return p;
    WindowObject* top = TopOf(w);
    Point o = ClientOriginInTop(*w);
    return { p.x + o.x + top->window_rect.left, p.y + o.y + top->window_rect.top };
}

Point WindowSystem::ScreenToClient(HWND hwnd, Point p) const
{
    Point zero = ClientToScreen(hwnd, { 0, 0 });
    return { p.x - zero.x, p.y - zero.y };
}

Point WindowSystem::GetCursorPos() const { return m_backend.CursorPos(); }

void WindowSystem::RecalcFrame(WindowObject& w, const Rect& new_rect, WINDOWPOS& pos)
{
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = new_rect;
    p.rgrc[1] = w.window_rect;
    p.rgrc[2] = w.client_rect.Offset(w.window_rect.left, w.window_rect.top);
    p.lppos = &pos;
    w.nc_given = new_rect;
    Dispatch(w, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&p));
    Rect c = p.rgrc[0];
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    w.client_rect = c.Offset(-new_rect.left, -new_rect.top);
    w.default_frame = w.nc_given.Offset(-new_rect.left, -new_rect.top);
}

bool WindowSystem::SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    auto hold = Hold(hwnd);
    WINDOWPOS pos { hwnd, insert_after, x, y, cx, cy, flags };
    if (flags & SWP_NOMOVE) {
        pos.x = w->window_rect.left;
        pos.y = w->window_rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->window_rect.Width();
        pos.cy = w->window_rect.Height();
    }
    Dispatch(*w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!IsWindow(hwnd))
        return false;
    flags = pos.flags;
    Rect old_rect = w->window_rect;
    Rect old_client = w->client_rect.Offset(old_rect.left, old_rect.top);
    bool was_visible = w->style & WS_VISIBLE;
    Rect new_rect = Rect::FromSize(pos.x, pos.y, std::max(0, pos.cx), std::max(0, pos.cy));
    bool sized = new_rect.Width() != old_rect.Width() || new_rect.Height() != old_rect.Height();
    bool moved = new_rect.left != old_rect.left || new_rect.top != old_rect.top;
    if (sized || (flags & SWP_FRAMECHANGED))
        RecalcFrame(*w, new_rect, pos);
    if (!IsWindow(hwnd))
        return false;
    w->window_rect = new_rect;
    if (!(flags & SWP_NOZORDER)) {
        std::vector<HWND>& order = w->parent ? Find(w->parent)->children : m_top_order;
        order.erase(std::remove(order.begin(), order.end(), hwnd), order.end());
        if (pos.hwndInsertAfter == HWND_TOPMOST)
            w->ex_style |= WS_EX_TOPMOST;
        else if (pos.hwndInsertAfter == HWND_NOTOPMOST)
            w->ex_style &= ~WS_EX_TOPMOST;
        auto at = order.end();
        if (pos.hwndInsertAfter == HWND_BOTTOM) {
            at = order.begin();
        } else if (pos.hwndInsertAfter && pos.hwndInsertAfter != HWND_TOPMOST
            && pos.hwndInsertAfter != HWND_NOTOPMOST) {
            at = std::find(order.begin(), order.end(), pos.hwndInsertAfter); // below that window
            if (at == order.end())
                at = order.end();
        } else if (!w->parent && !(w->ex_style & WS_EX_TOPMOST)) {
            at = std::find_if(order.begin(), order.end(), [&](HWND h) {
                WindowObject* o = Find(h);
                return o && (o->ex_style & WS_EX_TOPMOST);
            });
        }
        order.insert(at, hwnd);
        if (w->display)
            m_backend.Raise(w->display);
    }
    if (flags & SWP_SHOWWINDOW)
        w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        w->style &= ~WS_VISIBLE;
    bool visible = w->style & WS_VISIBLE;
    Rect new_client = w->client_rect.Offset(new_rect.left, new_rect.top);
    if (new_client.Width() == old_client.Width() && new_client.Height() == old_client.Height() && !m_force_size)
        pos.flags |= SWP_NOCLIENTSIZE;
    if (new_client.left == old_client.left && new_client.top == old_client.top)
        pos.flags |= SWP_NOCLIENTMOVE;

    if (w->display) {
        if ((moved || sized) && !m_from_display)
            m_backend.SetBounds(w->display, new_rect);
        if (sized) {
            w->back_buffer_sized = false;
            InvalidateWhole(*w, true);
        } else if (flags & SWP_FRAMECHANGED) {
            w->frame_pending = true;
            if (!(pos.flags & SWP_NOCLIENTMOVE) || !(pos.flags & SWP_NOCLIENTSIZE)
                || w->client_rect != old_client.Offset(-old_rect.left, -old_rect.top))
                InvalidateWhole(*w, true);
        }
        if (visible && !was_visible) {
            InvalidateWhole(*w, true);
            if (!m_from_display)
                m_backend.Show(w->display, true);
        } else if (!visible && was_visible && !m_from_display) {
            m_backend.Show(w->display, false);
        }
    } else if (!(flags & SWP_NOREDRAW)) {
        WindowObject* parent = Find(w->parent);
        bool zorder = !(flags & SWP_NOZORDER);
        if (parent && (moved || sized || zorder || visible != was_visible || (flags & SWP_FRAMECHANGED))) {
            if (was_visible)
                InvalidateTree(*parent, old_rect, true);
            if (visible) {
                InvalidateTree(*parent, new_rect, false);
                InvalidateWhole(*w, true);
            }
        }
    }
    Dispatch(*w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return true;
}

bool WindowSystem::MoveWindow(HWND hwnd, int x, int y, int cx, int cy, bool repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool WindowSystem::BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HWND WindowSystem::ChildAt(WindowObject& w, Point screen) const
{
    Point client = ScreenToClient(w.handle, screen);
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
        WindowObject* c = Find(*it);
        if (!c || !(c->style & WS_VISIBLE) || !c->window_rect.Contains(client))
            continue;
        Point local { client.x - c->window_rect.left, client.y - c->window_rect.top };
        if (c->region && !c->region->Contains(local))
            continue;
        if (!w.client_rect.Offset(-w.client_rect.left, -w.client_rect.top).Contains(client))
            continue;
        // Input for a disabled control goes to its parent.
        if (c->style & WS_DISABLED)
            return w.handle;
        return ChildAt(*c, screen);
    }
    return w.handle;
}

HWND WindowSystem::WindowFromPoint(Point screen) const
{
    for (auto it = m_top_order.rbegin(); it != m_top_order.rend(); ++it) {
        WindowObject* w = Find(*it);
        if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE) || !w->window_rect.Contains(screen))
            continue;
        Point local { screen.x - w->window_rect.left, screen.y - w->window_rect.top };
        if (w->region && !w->region->Contains(local))
            continue;
        return ChildAt(*w, screen);
    }
    return nullptr;
}

// ---------------------------------------------------------------- visibility and state

bool WindowSystem::ShowWindow(HWND hwnd, int cmd)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    auto hold = Hold(hwnd);
    if (m_slides.count(hwnd)) {
        EndAnimation(hwnd);
        if (!IsWindow(hwnd))
            return false;
    }
    bool was_visible = w->style & WS_VISIBLE;
    ShowCommand command = ShowCommandOf(cmd);
    switch (command.action) {
    case ShowAction::Hide:
        return ShowWindowHide(*w, was_visible);
    case ShowAction::Minimize:
        return ShowWindowMinimize(*w, was_visible);
    case ShowAction::Maximize:
        return ShowWindowMaximize(*w, was_visible, command.activate);
    case ShowAction::Restore:
        if (w->style & (WS_MINIMIZE | WS_MAXIMIZE))
            return ShowWindowRestore(*w, was_visible, command.activate);
        [[fallthrough]];
    case ShowAction::Show:
        return ShowWindowShow(*w, was_visible, command.activate);
    }
    return false;
}

namespace {

// ShowWindow changes the state and the place itself, never the z order or the activation.
constexpr UINT kKeepOrder = SWP_NOZORDER | SWP_NOACTIVATE;

}

void WindowSystem::ActivateShown(WindowObject& w)
{
    if (!w.parent && !IsPopupStyle(w.ex_style) && IsWindow(w.handle))
        Activate(w.handle, WA_ACTIVE, false);
}

bool WindowSystem::ShowWindowHide(WindowObject& w, bool was_visible)
{
    HWND hwnd = w.handle;
    if (!was_visible)
        return false;
    Dispatch(w, WM_SHOWWINDOW, 0, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | kKeepOrder);
    if (!IsWindow(hwnd))
        return true;
    auto in_tree = [&](HWND h) { return h == hwnd || IsChild(hwnd, h); };
    if (m_capture && in_tree(m_capture))
        ReleaseCapture();
    if (m_focus && in_tree(m_focus) && w.parent)
        SetFocus(w.parent);
    if (m_active == hwnd)
        ActivateAnother(hwnd);
    return true;
}

bool WindowSystem::ShowWindowMinimize(WindowObject& w, bool was_visible)
{
    HWND hwnd = w.handle;
    if (w.style & WS_MINIMIZE)
        return was_visible;
    if (!(w.style & WS_MAXIMIZE))
        w.restore_rect = w.window_rect;
    if (!was_visible)
        Dispatch(w, WM_SHOWWINDOW, 1, 0);
    w.style = (w.style | WS_MINIMIZE | WS_VISIBLE) & ~WS_MAXIMIZE;
    if (w.display) {
        if (!was_visible)
            m_backend.Show(w.display, true);
        m_backend.Minimize(w.display);
    } else if (WindowObject* parent = Find(w.parent)) {
        InvalidateTree(*parent, w.window_rect, true);
    }
    Dispatch(w, WM_SIZE, SIZE_MINIMIZED, 0);
    if (IsWindow(hwnd) && m_active == hwnd)
        ActivateAnother(hwnd);
    return was_visible;
}

bool WindowSystem::ShowWindowMaximize(WindowObject& w, bool was_visible, bool activate)
{
    HWND hwnd = w.handle;
    bool was_iconic = w.style & WS_MINIMIZE;
    if (!(w.style & (WS_MAXIMIZE | WS_MINIMIZE)))
        w.restore_rect = w.window_rect;
    if (!was_visible)
        Dispatch(w, WM_SHOWWINDOW, 1, 0);
    if (!IsWindow(hwnd))
        return was_visible;
    w.style = (w.style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    // The frame lies just outside the work area, as on Windows.
    int f = NonClient::FrameWidth(w.style, w.ex_style);
    Rect area = w.parent ? GetClientRect(w.parent) : m_backend.WorkArea();
    area = area.Inflate(f, f);
    if (was_iconic && w.display)
        m_backend.Show(w.display, true);
    m_force_size = true;
    SetWindowPos(hwnd, nullptr, area.left, area.top, area.Width(), area.Height(),
        SWP_SHOWWINDOW | SWP_FRAMECHANGED | kKeepOrder);
    m_force_size = false;
    if (activate)
        ActivateShown(w);
    return was_visible;
}

bool WindowSystem::ShowWindowRestore(WindowObject& w, bool was_visible, bool activate)
{
    HWND hwnd = w.handle;
    bool was_iconic = w.style & WS_MINIMIZE;
    w.style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    if (was_iconic && w.display && !m_from_display)
        m_backend.Show(w.display, true);
    Rect r = w.restore_rect;
    m_force_size = true;
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED | kKeepOrder);
    m_force_size = false;
    if (IsWindow(hwnd) && w.display && was_iconic)
        InvalidateWhole(w, true);
    if (activate)
        ActivateShown(w);
    return was_visible;
}

bool WindowSystem::ShowWindowShow(WindowObject& w, bool was_visible, bool activate)
{
    if (!was_visible) {
        Dispatch(w, WM_SHOWWINDOW, 1, 0);
        if (!IsWindow(w.handle))
            return false;
        UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        // A top-level window comes up above the others; a child keeps its place.
        if (w.parent)
            flags |= SWP_NOZORDER;
        SetWindowPos(w.handle, HWND_TOP, 0, 0, 0, 0, flags);
    }
    if (activate)
        ActivateShown(w);
    return was_visible;
}

bool WindowSystem::IsWindowVisible(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    for (; w; w = Find(w->parent))
        if (!(w->style & WS_VISIBLE))
            return false;
    return true;
}

bool WindowSystem::IsIconic(HWND hwnd) const { return GetStyle(hwnd) & WS_MINIMIZE; }
bool WindowSystem::IsZoomed(HWND hwnd) const { return GetStyle(hwnd) & WS_MAXIMIZE; }

bool WindowSystem::EnableWindow(HWND hwnd, bool enable)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    bool was_disabled = w->style & WS_DISABLED;
    if (enable != was_disabled)
        return was_disabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        auto in_tree = [&](HWND h) { return h == hwnd || IsChild(hwnd, h); };
        if (m_focus && in_tree(m_focus))
            SetFocus(nullptr);
        if (m_capture && in_tree(m_capture))
            ReleaseCapture();
    }
    SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    return was_disabled;
}

bool WindowSystem::IsWindowEnabled(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

}
