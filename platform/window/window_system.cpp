#include "platform/window/window_system.h"

#include "platform/text/gbk.h"
#include "platform/window/non_client.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace pellamo {

namespace {

WindowSystem* g_current = nullptr;

// Back buffers beyond this are refused by the bitmap type; a window that
// large shows only its top-left part.
constexpr int kMaxBufferSide = 8192;
constexpr auto kDoubleClickTime = std::chrono::milliseconds(500);
constexpr int kDoubleClickSlop = 2;
constexpr UINT kMinTimer = 10;

LPARAM PackPoint(Point p) { return MAKELPARAM(p.x, p.y); }
Point UnpackPoint(LPARAM l) { return { GET_X_LPARAM(l), GET_Y_LPARAM(l) }; }

bool IsPopupStyle(DWORD ex_style)
{
    return (ex_style & WS_EX_NOACTIVATE) || ((ex_style & WS_EX_TOOLWINDOW) && (ex_style & WS_EX_TOPMOST));
}

WPARAM SizeKind(DWORD style)
{
    if (style & WS_MINIMIZE)
        return SIZE_MINIMIZED;
    if (style & WS_MAXIMIZE)
        return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

}

WindowSystem::WindowSystem(DisplayBackend& backend, EventLoop& loop)
    : m_backend(backend)
    , m_loop(loop)
    , m_alive(std::make_shared<bool>(true))
{
    m_previous_current = g_current;
    g_current = this;
    m_backend.SetEventSink([this](const DisplayEvent& e) { HandleDisplayEvent(e); });
    m_prepare_hook = m_loop.AddPrepareHook([this] {
        PaintPending();
        m_backend.Flush();
        return false;
    });
}

WindowSystem::~WindowSystem()
{
    m_loop.RemovePrepareHook(m_prepare_hook);
    m_backend.SetEventSink(nullptr);
    *m_alive = false;
    // Ending the program: windows go without messages, as at process exit.
    for (auto& [handle, w] : m_windows) {
        for (auto& [id, timer] : w->timers)
            m_loop.StopTimer(timer);
        if (w->display)
            m_backend.DestroyWindow(w->display);
    }
    if (m_capture)
        m_backend.SetCapture(0);
    m_dcs.clear();
    m_windows.clear();
    if (g_current == this)
        g_current = m_previous_current;
}

WindowSystem* WindowSystem::Current() { return g_current; }

WindowObject* WindowSystem::Find(HWND hwnd) const
{
    if (!hwnd)
        return nullptr;
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.get();
}

std::shared_ptr<WindowObject> WindowSystem::Hold(HWND hwnd) const
{
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second;
}

WindowObject* WindowSystem::TopOf(WindowObject* w) const
{
    while (w && w->parent)
        w = Find(w->parent);
    return w;
}

// ---------------------------------------------------------------- classes, creation

void WindowSystem::RegisterClass(const WindowClass& cls)
{
    if (cls.name.empty())
        throw std::invalid_argument("Window class needs a name");
    m_classes[cls.name] = cls;
}

HWND WindowSystem::CreateWindowEx(const CreateWindowParams& params)
{
    auto cls = m_classes.find(params.class_name);
    if (cls == m_classes.end())
        throw std::invalid_argument("Unknown window class \"" + params.class_name + "\"");
    bool child = params.style & WS_CHILD;
    WindowObject* parent = Find(params.parent);
    if (child && !parent)
        throw std::invalid_argument("A child window needs an existing parent");

    auto w = std::make_shared<WindowObject>();
    w->handle = reinterpret_cast<HWND>(m_next_handle);
    m_next_handle += 4;
    w->class_name = cls->second.name;
    w->class_style = cls->second.style;
    w->background = cls->second.background;
    w->cursor = cls->second.cursor;
    w->proc = cls->second.proc;
    w->style = params.style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    w->ex_style = params.ex_style;
    w->text = params.text;
    Rect b = params.bounds;
    b.right = std::max(b.right, b.left);
    b.bottom = std::max(b.bottom, b.top);
    w->window_rect = b;
    w->restore_rect = b;
    w->client_rect = { 0, 0, b.Width(), b.Height() };
    HWND hwnd = w->handle;
    m_windows[hwnd] = w;

    if (child) {
        w->parent = parent->handle;
        parent->children.push_back(hwnd);
    } else {
        WindowObject* owner = TopOf(parent);
        w->owner = owner ? owner->handle : nullptr;
        m_top_order.push_back(hwnd);
        DisplayWindowParams dp;
        dp.bounds = b;
        dp.title = params.text;
        dp.popup = IsPopupStyle(w->ex_style);
        dp.topmost = w->ex_style & WS_EX_TOPMOST;
        dp.owner = owner ? owner->display : 0;
        w->display = m_backend.CreateWindow(dp);
        if (w->ex_style & WS_EX_ACCEPTFILES)
            m_backend.SetAcceptDrops(w->display, true);
        m_by_display[w->display] = hwnd;
    }

    LPARAM create = reinterpret_cast<LPARAM>(&params);
    if (!Dispatch(*w, WM_NCCREATE, 0, create)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    Rect client = b;
    Dispatch(*w, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&client));
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    w->client_rect = client.Offset(-b.left, -b.top);
    if (Dispatch(*w, WM_CREATE, 0, create) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    Dispatch(*w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client_rect.Width(), w->client_rect.Height()));
    Point origin { b.left + w->client_rect.left, b.top + w->client_rect.top };
    Dispatch(*w, WM_MOVE, 0, PackPoint(origin));
    if (!IsWindow(hwnd))
        return nullptr;

    if (params.style & WS_MAXIMIZE)
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    else if (params.style & WS_MINIMIZE)
        ShowWindow(hwnd, SW_SHOWMINIMIZED);
    else if (params.style & WS_VISIBLE)
        ShowWindow(hwnd, child || IsPopupStyle(params.ex_style) ? SW_SHOWNA : SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

bool WindowSystem::DestroyWindow(HWND hwnd)
{
    WindowObject* w = Find(hwnd);
    if (!w || w->destroying)
        return false;
    auto hold = Hold(hwnd);

    // Owned windows go first, as they cannot outlive their owner.
    if (!w->parent) {
        std::vector<HWND> owned;
        for (HWND top : m_top_order)
            if (WindowObject* o = Find(top); o && o->owner == hwnd)
                owned.push_back(top);
        for (HWND o : owned)
            DestroyWindow(o);
    }
    if (w->style & WS_VISIBLE)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!IsWindow(hwnd))
        return true;
    auto in_tree = [&](HWND h) { return h == hwnd || IsChild(hwnd, h); };
    if (m_capture && in_tree(m_capture))
        ReleaseCapture();
    if (m_focus && in_tree(m_focus)) {
        if (w->parent)
            SetFocus(w->parent);
        else if (m_active != hwnd) {
            HWND old = m_focus;
            m_focus = nullptr;
            SendMessage(old, WM_KILLFOCUS, 0, 0);
        }
    }
    if (m_active == hwnd)
        ActivateAnother(hwnd);
    if (!IsWindow(hwnd))
        return true;
    if (m_focus && in_tree(m_focus))
        m_focus = nullptr;

    // WM_DESTROY parent first, then the children.
    std::function<void(HWND)> send_destroy = [&](HWND h) {
        WindowObject* o = Find(h);
        if (!o)
            return;
        o->destroying = true;
        for (auto& [id, timer] : o->timers)
            m_loop.StopTimer(timer);
        o->timers.clear();
        if (o->modal_depth > 0)
            o->modal_ended = true;
        Dispatch(*o, WM_DESTROY, 0, 0);
        std::vector<HWND> kids = o->children;
        for (HWND k : kids)
            send_destroy(k);
    };
    send_destroy(hwnd);
    DestroyTree(hwnd);
    return true;
}

void WindowSystem::DestroyTree(HWND hwnd)
{
    // WM_NCDESTROY children first; then the window is gone.
    auto hold = Hold(hwnd);
    if (!hold)
        return;
    std::vector<HWND> kids = hold->children;
    for (HWND k : kids)
        DestroyTree(k);
    Dispatch(*hold, WM_NCDESTROY, 0, 0);
    if (WindowObject* parent = Find(hold->parent)) {
        auto& c = parent->children;
        c.erase(std::remove(c.begin(), c.end(), hwnd), c.end());
    }
    m_top_order.erase(std::remove(m_top_order.begin(), m_top_order.end(), hwnd), m_top_order.end());
    if (hold->display) {
        for (auto& dc : m_dcs)
            if (&dc->Target() == &hold->back_buffer)
                dc->Detach();
        m_by_display.erase(hold->display);
        m_backend.DestroyWindow(hold->display);
        hold->display = 0;
    }
    if (m_focus == hwnd)
        m_focus = nullptr;
    if (m_active == hwnd)
        m_active = nullptr;
    if (m_capture == hwnd)
        m_capture = nullptr;
    if (m_tracked == hwnd)
        m_tracked = nullptr;
    if ((m_move && m_move->hwnd == hwnd) || (m_scroll && m_scroll->hwnd == hwnd)) {
        m_move.reset();
        m_scroll.reset();
        EndTrackingGrab();
    }
    if (m_last_click.hwnd == hwnd)
        m_last_click = {};
    m_windows.erase(hwnd);
}

// ---------------------------------------------------------------- messages

LRESULT WindowSystem::Dispatch(WindowObject& w, UINT msg, WPARAM wparam, LPARAM lparam)
{
    // The window (and the procedure being run) stay alive for the whole
    // call even if the handler destroys the window or replaces its procedure.
    auto hold = Hold(w.handle);
    if (!hold)
        return 0;
    WndProc proc = w.proc;
    if (proc)
        return proc(w.handle, msg, wparam, lparam);
    return DefWindowProc(w.handle, msg, wparam, lparam);
}

LRESULT WindowSystem::SendMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    WindowObject* w = Find(hwnd);
    return w ? Dispatch(*w, msg, wparam, lparam) : 0;
}

bool WindowSystem::PostMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (!Find(hwnd))
        return false;
    MSG m { hwnd, msg, wparam, lparam, 0, m_cursor };
    std::weak_ptr<bool> alive = m_alive;
    m_loop.Post([this, alive, m] {
        if (alive.lock() && *alive.lock())
            DispatchQueued(m);
    });
    return true;
}

void WindowSystem::PostQuitMessage(int) { m_loop.Quit(); }

void WindowSystem::Guarded(const std::function<void()>& work)
{
    try {
        work();
    } catch (...) {
        Report(std::current_exception());
    }
}

void WindowSystem::Report(std::exception_ptr failure)
{
    if (m_exception_handler) {
        m_exception_handler(failure);
        return;
    }
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Unhandled exception in a window handler: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "Unhandled exception in a window handler\n");
    }
}

void WindowSystem::DispatchQueued(MSG msg)
{
    Guarded([&] {
        if (!m_hooks.empty()) {
            auto hooks = m_hooks;
            for (auto& [id, hook] : hooks)
                if (m_hooks.count(id) && hook(msg))
                    return;
        }
        SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    });
}

WndProc WindowSystem::SetWindowProc(HWND hwnd, WndProc proc)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return {};
    WndProc old = w->proc;
    w->proc = std::move(proc);
    if (!old) {
        // The class had no procedure of its own: the old one is the default.
        old = [this](HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); };
    }
    return old;
}

WndProc WindowSystem::GetWindowProc(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w ? w->proc : WndProc {};
}

LRESULT WindowSystem::CallWindowProc(const WndProc& proc, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (!Find(hwnd))
        return 0;
    if (!proc)
        return DefWindowProc(hwnd, msg, wparam, lparam);
    auto hold = Hold(hwnd);
    return proc(hwnd, msg, wparam, lparam);
}

uint64_t WindowSystem::AddMessageHook(MessageHook hook)
{
    uint64_t id = m_next_hook++;
    m_hooks[id] = std::move(hook);
    return id;
}

void WindowSystem::RemoveMessageHook(uint64_t id) { m_hooks.erase(id); }

// ---------------------------------------------------------------- attributes

DWORD WindowSystem::GetStyle(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w ? w->style : 0;
}

void WindowSystem::SetStyle(HWND hwnd, DWORD style)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return;
    constexpr DWORD kState = WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE | WS_DISABLED | WS_CHILD;
    w->style = (style & ~kState) | (w->style & kState);
}

DWORD WindowSystem::GetExStyle(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w ? w->ex_style : 0;
}

void WindowSystem::SetExStyle(HWND hwnd, DWORD ex_style)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return;
    bool drops_changed = (w->ex_style ^ ex_style) & WS_EX_ACCEPTFILES;
    w->ex_style = ex_style;
    if (drops_changed && w->display)
        m_backend.SetAcceptDrops(w->display, ex_style & WS_EX_ACCEPTFILES);
}

void WindowSystem::DragAcceptFiles(HWND hwnd, bool accept)
{
    DWORD ex = GetExStyle(hwnd);
    SetExStyle(hwnd, accept ? ex | WS_EX_ACCEPTFILES : ex & ~WS_EX_ACCEPTFILES);
}

std::string WindowSystem::GetClassName(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w ? w->class_name : std::string {};
}

std::string WindowSystem::GetWindowText(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w ? w->text : std::string {};
}

void WindowSystem::SetWindowText(HWND hwnd, const std::string& text)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return;
    w->text = text;
    if (w->display)
        m_backend.SetTitle(w->display, text);
    if (NonClient::CaptionHeight(w->style, w->ex_style) > 0)
        w->frame_pending = true;
}

void* WindowSystem::GetUserData(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w ? w->user_data : nullptr;
}

void WindowSystem::SetUserData(HWND hwnd, void* data)
{
    if (WindowObject* w = Find(hwnd))
        w->user_data = data;
}

HWND WindowSystem::GetParent(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return nullptr;
    return w->parent ? w->parent : w->owner;
}

HWND WindowSystem::GetTopLevel(HWND hwnd) const
{
    WindowObject* top = TopOf(Find(hwnd));
    return top ? top->handle : nullptr;
}

std::vector<HWND> WindowSystem::GetChildren(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w ? w->children : std::vector<HWND> {};
}

std::vector<HWND> WindowSystem::TopLevelWindows() const { return m_top_order; }

bool WindowSystem::IsChild(HWND parent, HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    while (w && w->parent) {
        if (w->parent == parent)
            return true;
        w = Find(w->parent);
    }
    return false;
}

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
    return Rect::FromSize(top->window_rect.left + o.x, top->window_rect.top + o.y, w->window_rect.Width(), w->window_rect.Height());
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
    Dispatch(w, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&p));
    Rect c = p.rgrc[0];
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    w.client_rect = c.Offset(-new_rect.left, -new_rect.top);
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
        } else if (pos.hwndInsertAfter && pos.hwndInsertAfter != HWND_TOPMOST && pos.hwndInsertAfter != HWND_NOTOPMOST) {
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
            if (!(pos.flags & SWP_NOCLIENTMOVE) || !(pos.flags & SWP_NOCLIENTSIZE) || w->client_rect != old_client.Offset(-old_rect.left, -old_rect.top))
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
    bool was_visible = w->style & WS_VISIBLE;
    constexpr UINT kKeep = SWP_NOZORDER | SWP_NOACTIVATE;
    auto activate = [&] {
        if (!w->parent && !IsPopupStyle(w->ex_style) && IsWindow(hwnd))
            Activate(hwnd, WA_ACTIVE, false);
    };
    switch (cmd) {
    case SW_HIDE: {
        if (!was_visible)
            return false;
        Dispatch(*w, WM_SHOWWINDOW, 0, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | kKeep);
        if (!IsWindow(hwnd))
            return true;
        auto in_tree = [&](HWND h) { return h == hwnd || IsChild(hwnd, h); };
        if (m_capture && in_tree(m_capture))
            ReleaseCapture();
        if (m_focus && in_tree(m_focus) && w->parent)
            SetFocus(w->parent);
        if (m_active == hwnd)
            ActivateAnother(hwnd);
        return true;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED: {
        if (w->style & WS_MINIMIZE)
            return was_visible;
        if (!(w->style & WS_MAXIMIZE))
            w->restore_rect = w->window_rect;
        if (!was_visible)
            Dispatch(*w, WM_SHOWWINDOW, 1, 0);
        w->style = (w->style | WS_MINIMIZE | WS_VISIBLE) & ~WS_MAXIMIZE;
        if (w->display) {
            if (!was_visible)
                m_backend.Show(w->display, true);
            m_backend.Minimize(w->display);
        } else if (WindowObject* parent = Find(w->parent)) {
            InvalidateTree(*parent, w->window_rect, true);
        }
        Dispatch(*w, WM_SIZE, SIZE_MINIMIZED, 0);
        if (IsWindow(hwnd) && m_active == hwnd)
            ActivateAnother(hwnd);
        return was_visible;
    }
    case SW_SHOWMAXIMIZED: {
        bool was_iconic = w->style & WS_MINIMIZE;
        if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE)))
            w->restore_rect = w->window_rect;
        if (!was_visible)
            Dispatch(*w, WM_SHOWWINDOW, 1, 0);
        if (!IsWindow(hwnd))
            return was_visible;
        w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        // The frame lies just outside the work area, as on Windows.
        int f = NonClient::FrameWidth(w->style, w->ex_style);
        Rect area = w->parent ? GetClientRect(w->parent) : m_backend.WorkArea();
        area = area.Inflate(f, f);
        if (was_iconic && w->display)
            m_backend.Show(w->display, true);
        m_force_size = true;
        SetWindowPos(hwnd, nullptr, area.left, area.top, area.Width(), area.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED | kKeep);
        m_force_size = false;
        activate();
        return was_visible;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            bool was_iconic = w->style & WS_MINIMIZE;
            w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
            if (was_iconic && w->display && !m_from_display)
                m_backend.Show(w->display, true);
            Rect r = w->restore_rect;
            m_force_size = true;
            SetWindowPos(hwnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED | kKeep);
            m_force_size = false;
            if (IsWindow(hwnd) && w->display && was_iconic)
                InvalidateWhole(*w, true);
            activate();
            return was_visible;
        }
        [[fallthrough]];
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
    default:
        if (!was_visible) {
            Dispatch(*w, WM_SHOWWINDOW, 1, 0);
            if (!IsWindow(hwnd))
                return false;
            UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
            // A top-level window comes up above the others; a child keeps its place.
            if (w->parent)
                flags |= SWP_NOZORDER;
            SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, flags);
        }
        if (cmd == SW_SHOW || cmd == SW_SHOWNORMAL || cmd == SW_RESTORE)
            activate();
        return was_visible;
    }
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
            Dispatch(*o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (o->style & WS_MINIMIZE) ? 1 : 0), reinterpret_cast<LPARAM>(new_active));
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
        Dispatch(*top, WM_ACTIVATE, MAKEWPARAM(static_cast<int>(how), (top->style & WS_MINIMIZE) ? 1 : 0), reinterpret_cast<LPARAM>(old));
    // Keyboard focus never stays in a window that is no longer active.
    if (m_focus && m_active == new_active && TopOf(Find(m_focus)) != Find(new_active))
        SetFocus(nullptr);
}

void WindowSystem::ActivateAnother(HWND leaving)
{
    auto usable = [&](HWND h) {
        WindowObject* o = Find(h);
        return o && h != leaving && !o->destroying && (o->style & WS_VISIBLE) && !(o->style & (WS_DISABLED | WS_MINIMIZE))
            && !IsPopupStyle(o->ex_style);
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

// ---------------------------------------------------------------- painting

void WindowSystem::InvalidateWhole(WindowObject& w, bool children)
{
    w.update = Region(Rect { 0, 0, w.client_rect.Width(), w.client_rect.Height() });
    w.erase_pending = true;
    w.frame_pending = true;
    if (children)
        for (HWND h : w.children)
            if (WindowObject* c = Find(h))
                InvalidateWhole(*c, true);
}

void WindowSystem::InvalidateTree(WindowObject& w, const Rect& rect, bool include_self)
{
    // `rect` is in w's client coordinates.
    Rect client { 0, 0, w.client_rect.Width(), w.client_rect.Height() };
    Rect area = rect.Intersect(client);
    if (area.IsEmpty())
        return;
    if (include_self) {
        w.update = w.update.Union(Region(area));
        w.erase_pending = true;
    }
    for (HWND h : w.children) {
        WindowObject* c = Find(h);
        if (!c || !(c->style & WS_VISIBLE) || c->window_rect.Intersect(area).IsEmpty())
            continue;
        c->frame_pending = true;
        Rect in_child = area.Offset(-c->window_rect.left - c->client_rect.left, -c->window_rect.top - c->client_rect.top);
        InvalidateTree(*c, in_child, true);
    }
}

bool WindowSystem::InvalidateRect(HWND hwnd, const Rect* rect, bool erase)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    Rect client { 0, 0, w->client_rect.Width(), w->client_rect.Height() };
    Rect r = rect ? rect->Intersect(client) : client;
    if (!r.IsEmpty())
        w->update = w->update.Union(Region(r));
    if (erase && !r.IsEmpty())
        w->erase_pending = true;
    // Transparent children above the area are drawn over it again.
    for (HWND h : w->children)
        if (WindowObject* c = Find(h); c && (c->ex_style & WS_EX_TRANSPARENT) && (c->style & WS_VISIBLE)
            && !c->window_rect.Intersect(r).IsEmpty())
            InvalidateTree(*w, c->window_rect.Intersect(r), false);
    return true;
}

bool WindowSystem::ValidateRect(HWND hwnd, const Rect* rect)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    if (rect)
        w->update = w->update.Subtract(Region(*rect));
    else
        w->update = Region();
    if (w->update.IsEmpty())
        w->erase_pending = false;
    return true;
}

bool WindowSystem::RedrawWindow(HWND hwnd, const Rect* rect, UINT flags)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    if (flags & RDW_INVALIDATE) {
        Rect client { 0, 0, w->client_rect.Width(), w->client_rect.Height() };
        Rect r = rect ? *rect : client;
        if (flags & RDW_ALLCHILDREN)
            InvalidateTree(*w, r, true);
        else
            InvalidateRect(hwnd, &r, flags & RDW_ERASE);
        if (flags & RDW_FRAME)
            w->frame_pending = true;
    }
    if (flags & RDW_VALIDATE)
        ValidateRect(hwnd, rect);
    if (flags & RDW_UPDATENOW)
        UpdateWindow(hwnd);
    return true;
}

bool WindowSystem::GetUpdateRect(HWND hwnd, Rect* rect) const
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    if (rect)
        *rect = w->update.Bounds();
    return !w->update.IsEmpty();
}

bool WindowSystem::UpdateWindow(HWND hwnd)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    PaintTree(*w);
    if (WindowObject* top = TopOf(Find(hwnd)))
        Present(*top);
    return true;
}

Rect WindowSystem::VisibleAreaInTop(const WindowObject& w, bool whole_window) const
{
    Point o = whole_window ? WindowOriginInTop(w) : ClientOriginInTop(w);
    Size s = whole_window ? Size { w.window_rect.Width(), w.window_rect.Height() } : Size { w.client_rect.Width(), w.client_rect.Height() };
    return Rect::FromSize(o.x, o.y, s.cx, s.cy);
}

Region WindowSystem::ClipFor(const WindowObject& w, bool whole_window) const
{
    Region clip(VisibleAreaInTop(w, whole_window));
    auto intersect_region = [&](const WindowObject& o) {
        if (!o.region)
            return;
        Point origin = WindowOriginInTop(o);
        clip = clip.Intersect(o.region->Offset(origin.x, origin.y));
    };
    auto subtract_window = [&](const WindowObject& o) {
        // A transparent window shows what lies beneath it: that stays paintable.
        if (o.ex_style & WS_EX_TRANSPARENT)
            return;
        Point origin = WindowOriginInTop(o);
        if (o.region)
            clip = clip.Subtract(o.region->Offset(origin.x, origin.y));
        else
            clip = clip.Subtract(Region(Rect::FromSize(origin.x, origin.y, o.window_rect.Width(), o.window_rect.Height())));
    };
    intersect_region(w);
    // Children cover their parent; windows above cover those below.
    for (HWND h : w.children)
        if (WindowObject* c = Find(h); c && (c->style & WS_VISIBLE))
            subtract_window(*c);
    const WindowObject* node = &w;
    while (node->parent) {
        const WindowObject* parent = Find(node->parent);
        if (!parent)
            break;
        clip = clip.Intersect(Region(VisibleAreaInTop(*parent, false)));
        intersect_region(*parent);
        auto it = std::find(parent->children.begin(), parent->children.end(), node->handle);
        if (it != parent->children.end())
            for (++it; it != parent->children.end(); ++it)
                if (WindowObject* s = Find(*it); s && (s->style & WS_VISIBLE))
                    subtract_window(*s);
        node = parent;
    }
    const WindowObject* top = node;
    clip = clip.Intersect(Region(BufferRect(*top)));
    return clip;
}

Rect WindowSystem::BufferRect(const WindowObject& top)
{
    return { 0, 0, std::min(top.window_rect.Width(), kMaxBufferSide), std::min(top.window_rect.Height(), kMaxBufferSide) };
}

Bitmap& WindowSystem::SizedBackBuffer(WindowObject& top)
{
    if (!top.back_buffer_sized) {
        Rect size = BufferRect(top);
        if (size.Width() != top.back_buffer.Width() || size.Height() != top.back_buffer.Height())
            top.back_buffer.Resize(size.Width(), size.Height());
        top.back_buffer_sized = true;
    }
    return top.back_buffer;
}

DeviceContext* WindowSystem::MakeDC(WindowObject& w, bool whole_window)
{
    WindowObject* top = TopOf(&w);
    Point origin = whole_window ? WindowOriginInTop(w) : ClientOriginInTop(w);
    m_dcs.push_back(std::make_unique<DeviceContext>(w.handle, SizedBackBuffer(*top), origin, ClipFor(w, whole_window)));
    return m_dcs.back().get();
}

DeviceContext* WindowSystem::GetDC(HWND hwnd)
{
    WindowObject* w = Find(hwnd);
    return w ? MakeDC(*w, false) : nullptr;
}

DeviceContext* WindowSystem::GetWindowDC(HWND hwnd)
{
    WindowObject* w = Find(hwnd);
    return w ? MakeDC(*w, true) : nullptr;
}

int WindowSystem::ReleaseDC(HWND hwnd, DeviceContext* dc)
{
    (void)hwnd;
    auto it = std::find_if(m_dcs.begin(), m_dcs.end(), [&](const auto& p) { return p.get() == dc; });
    if (it == m_dcs.end())
        return 0;
    // What was drawn through it is shown with the next present.
    if (WindowObject* top = TopOf(Find(dc->Window())); top && !dc->Detached())
        MarkPresent(*top, dc->Clip().Bounds());
    m_dcs.erase(it);
    return 1;
}

DeviceContext* WindowSystem::BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    WindowObject* w = Find(hwnd);
    if (!w || !ps)
        return nullptr;
    if (w->frame_pending) {
        w->frame_pending = false;
        Dispatch(*w, WM_NCPAINT, 1, 0);
        if (!IsWindow(hwnd))
            return nullptr;
    }
    Region update = w->update;
    bool erase = w->erase_pending;
    w->update = Region();
    w->erase_pending = false;
    DeviceContext* dc = MakeDC(*w, false);
    Point origin = ClientOriginInTop(*w);
    dc->IntersectClip(update.Offset(origin.x, origin.y));
    ps->hdc = dc;
    ps->rcPaint = dc->ClipBox();
    ps->fErase = false;
    if (erase)
        ps->fErase = Dispatch(*w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    return dc;
}

void WindowSystem::EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    if (ps && ps->hdc)
        ReleaseDC(hwnd, ps->hdc);
}

void WindowSystem::MarkPresent(WindowObject& top, const Rect& rect)
{
    top.present_dirty = top.present_dirty.Union(rect.Intersect(BufferRect(top)));
}

void WindowSystem::Present(WindowObject& top)
{
    if (top.present_dirty.IsEmpty() || !(top.style & WS_VISIBLE))
        return;
    m_backend.Present(top.display, SizedBackBuffer(top), top.present_dirty);
    top.present_dirty = {};
}

void WindowSystem::PaintTree(WindowObject& w)
{
    if (!(w.style & WS_VISIBLE) || (w.style & WS_MINIMIZE))
        return;
    auto hold = Hold(w.handle);
    if (w.frame_pending) {
        w.frame_pending = false;
        Dispatch(w, WM_NCPAINT, 1, 0);
        if (!IsWindow(w.handle))
            return;
    }
    if (!w.update.IsEmpty()) {
        // A handler that did not paint (or failed) must not make us paint forever.
        auto forget = [&] {
            if (IsWindow(w.handle)) {
                w.update = Region();
                w.erase_pending = false;
            }
        };
        try {
            Dispatch(w, WM_PAINT, 0, 0);
        } catch (...) {
            forget();
            throw;
        }
        if (!IsWindow(w.handle))
            return;
        forget();
    }
    std::vector<HWND> kids = w.children;
    for (HWND h : kids)
        if (WindowObject* c = Find(h))
            PaintTree(*c);
}

void WindowSystem::PaintPending()
{
    if (m_painting)
        return;
    m_painting = true;
    std::exception_ptr failure;
    std::vector<HWND> tops = m_top_order;
    for (HWND h : tops) {
        try {
            if (WindowObject* w = Find(h))
                PaintTree(*w);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
        if (WindowObject* w = Find(h))
            Present(*w);
    }
    m_painting = false;
    // Reported once painting is over, so that a message box about it can paint.
    if (failure)
        Report(failure);
}

const Bitmap* WindowSystem::BackBuffer(HWND top) const
{
    WindowObject* w = Find(top);
    return w && w->display ? &SizedBackBuffer(*w) : nullptr;
}

DisplayWindowId WindowSystem::DisplayWindowOf(HWND top) const
{
    WindowObject* w = TopOf(Find(top));
    return w ? w->display : 0;
}

// ---------------------------------------------------------------- regions

void WindowSystem::ApplyShape(WindowObject& w)
{
    if (!w.display)
        return;
    if (w.region)
        m_backend.SetShape(w.display, w.region->Rects());
    else
        m_backend.SetShape(w.display, std::nullopt);
}

bool WindowSystem::SetWindowRgn(HWND hwnd, std::optional<Region> region, bool redraw)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    Rect old = w->window_rect;
    w->region = std::move(region);
    if (w->display) {
        ApplyShape(*w);
        if (redraw)
            InvalidateWhole(*w, true);
    } else if (WindowObject* parent = Find(w->parent); parent && redraw && (w->style & WS_VISIBLE)) {
        InvalidateTree(*parent, old, true);
        InvalidateWhole(*w, true);
    }
    return true;
}

std::optional<Region> WindowSystem::GetWindowRgn(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return std::nullopt;
    return w->region;
}

// ---------------------------------------------------------------- scroll bars

int WindowSystem::SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw)
{
    WindowObject* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return 0;
    SCROLLINFO& si = w->scroll[bar];
    if (info.fMask & SIF_RANGE) {
        si.nMin = info.nMin;
        si.nMax = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE)
        si.nPage = info.nPage;
    long long span = static_cast<long long>(si.nMax) - si.nMin + 1;
    if (static_cast<long long>(si.nPage) > span)
        si.nPage = static_cast<UINT>(span);
    if (info.fMask & SIF_POS)
        si.nPos = info.nPos;
    si.nPos = std::clamp(si.nPos, si.nMin, NonClient::MaxScrollPos(si));
    if (!(m_scroll && m_scroll->hwnd == hwnd && m_scroll->bar == bar))
        si.nTrackPos = si.nPos;
    if (info.fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        // A bar with nothing to scroll goes away, or is only disabled when asked.
        bool needed = NonClient::MaxScrollPos(si) > si.nMin;
        if (needed) {
            w->scroll_enabled[bar] = true;
            ShowScrollBar(hwnd, bar, true);
        } else if (info.fMask & SIF_DISABLENOSCROLL) {
            w->scroll_enabled[bar] = false;
            ShowScrollBar(hwnd, bar, true);
        } else {
            ShowScrollBar(hwnd, bar, false);
        }
    }
    if (WindowObject* again = Find(hwnd); again && redraw)
        again->frame_pending = true;
    return si.nPos;
}

bool WindowSystem::GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) const
{
    WindowObject* w = Find(hwnd);
    if (!w || !info || (bar != SB_HORZ && bar != SB_VERT))
        return false;
    const SCROLLINFO& si = w->scroll[bar];
    if (info->fMask & SIF_RANGE) {
        info->nMin = si.nMin;
        info->nMax = si.nMax;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = si.nPage;
    if (info->fMask & SIF_POS)
        info->nPos = si.nPos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = si.nTrackPos;
    return true;
}

bool WindowSystem::GetScrollBarInfo(HWND hwnd, int32_t object, SCROLLBARINFO* info) const
{
    WindowObject* w = Find(hwnd);
    if (!w || !info || (object != OBJID_VSCROLL && object != OBJID_HSCROLL))
        return false;
    int bar = object == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
    *info = SCROLLBARINFO {};
    Size size { w->window_rect.Width(), w->window_rect.Height() };
    Rect r = NonClient::ScrollBarRect(size, w->style, w->ex_style, bar);
    if (r.IsEmpty()) {
        info->rgstate[0] = STATE_SYSTEM_INVISIBLE;
        return true;
    }
    Rect screen = GetWindowRect(hwnd);
    info->rcScrollBar = r.Offset(screen.left, screen.top);
    const SCROLLINFO& si = w->scroll[bar];
    int length = bar == SB_VERT ? r.Height() : r.Width();
    NonClient::ScrollGeometry g = NonClient::ScrollThumb(length, si, si.nTrackPos);
    info->dxyLineButton = g.arrow;
    info->xyThumbTop = g.thumb_top;
    info->xyThumbBottom = g.thumb_bottom;
    if (!w->scroll_enabled[bar] || NonClient::MaxScrollPos(si) <= si.nMin)
        info->rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    if (g.thumb_bottom <= g.thumb_top)
        info->rgstate[3] = STATE_SYSTEM_INVISIBLE;
    return true;
}

int WindowSystem::SetScrollPos(HWND hwnd, int bar, int pos, bool redraw)
{
    int old = GetScrollPos(hwnd, bar);
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(hwnd, bar, si, redraw);
    return old;
}

int WindowSystem::GetScrollPos(HWND hwnd, int bar) const
{
    SCROLLINFO si;
    si.fMask = SIF_POS;
    return GetScrollInfo(hwnd, bar, &si) ? si.nPos : 0;
}

bool WindowSystem::ShowScrollBar(HWND hwnd, int bar, bool show)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    DWORD bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : bar == SB_BOTH ? (WS_VSCROLL | WS_HSCROLL) : 0;
    DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style == w->style)
        return true;
    w->style = style;
    return SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool WindowSystem::EnableScrollBar(HWND hwnd, int bar, UINT arrows)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    for (int b : { SB_HORZ, SB_VERT })
        if (bar == b || bar == SB_BOTH)
            w->scroll_enabled[b] = arrows != ESB_DISABLE_BOTH;
    w->frame_pending = true;
    return true;
}

bool WindowSystem::StartScrollTrack(HWND hwnd, int bar, Point screen)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    Size size { w->window_rect.Width(), w->window_rect.Height() };
    Rect r = NonClient::ScrollBarRect(size, w->style, w->ex_style, bar);
    const SCROLLINFO& si = w->scroll[bar];
    if (r.IsEmpty() || !w->scroll_enabled[bar] || NonClient::MaxScrollPos(si) <= si.nMin)
        return false;
    Rect screen_rect = GetWindowRect(hwnd);
    Point p { screen.x - screen_rect.left, screen.y - screen_rect.top };
    bool vertical = bar == SB_VERT;
    int along = vertical ? p.y - r.top : p.x - r.left;
    int length = vertical ? r.Height() : r.Width();
    NonClient::ScrollGeometry g = NonClient::ScrollThumb(length, si, si.nPos);
    ScrollTrack track;
    track.hwnd = hwnd;
    track.bar = bar;
    track.last_pos = si.nPos;
    if (along < g.arrow)
        track.part = SB_LINEUP;
    else if (along >= length - g.arrow)
        track.part = SB_LINEDOWN;
    else if (along < g.thumb_top)
        track.part = SB_PAGEUP;
    else if (along >= g.thumb_bottom)
        track.part = SB_PAGEDOWN;
    else {
        track.part = SB_THUMBTRACK;
        track.grab_offset = along - g.thumb_top;
    }
    m_scroll = track;
    m_backend.SetCapture(TopOf(w)->display);
    if (track.part != SB_THUMBTRACK)
        StepScroll(hwnd, bar, track.part, 0);
    return true;
}

void WindowSystem::StepScroll(HWND hwnd, int bar, int code, int pos)
{
    SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), 0);
}

// ---------------------------------------------------------------- timers

uintptr_t WindowSystem::SetTimer(HWND hwnd, uintptr_t id, UINT milliseconds)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return 0;
    if (auto it = w->timers.find(id); it != w->timers.end())
        m_loop.StopTimer(it->second);
    std::weak_ptr<bool> alive = m_alive;
    w->timers[id] = m_loop.StartTimer(std::chrono::milliseconds(std::max(milliseconds, kMinTimer)),
        [this, alive, hwnd, id] {
            auto a = alive.lock();
            if (a && *a && Find(hwnd))
                DispatchQueued(MSG { hwnd, WM_TIMER, id, 0, 0, m_cursor });
        });
    return id ? id : 1;
}

bool WindowSystem::KillTimer(HWND hwnd, uintptr_t id)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    auto it = w->timers.find(id);
    if (it == w->timers.end())
        return false;
    m_loop.StopTimer(it->second);
    w->timers.erase(it);
    return true;
}

// ---------------------------------------------------------------- modal loops

int WindowSystem::RunModal(HWND hwnd)
{
    auto hold = Hold(hwnd);
    if (!hold || hold->parent)
        return 0;
    ++hold->modal_depth;
    hold->modal_ended = false;
    hold->modal_result = 0;
    HWND previous_active = m_active;
    std::vector<HWND> disabled;
    for (HWND top : std::vector<HWND>(m_top_order)) {
        WindowObject* o = Find(top);
        if (top != hwnd && o && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED) && !IsPopupStyle(o->ex_style)) {
            EnableWindow(top, false);
            disabled.push_back(top);
        }
    }
    ShowWindow(hwnd, SW_SHOW);
    m_loop.WaitUntil([&] {
        return !IsWindow(hwnd) || hold->destroying || hold->modal_ended || !(hold->style & WS_VISIBLE) || m_loop.Quitting();
    });
    int result = hold->modal_ended ? hold->modal_result : 0;
    --hold->modal_depth;
    hold->modal_ended = false;
    for (HWND d : disabled)
        EnableWindow(d, true);
    if (IsWindow(hwnd) && (hold->style & WS_VISIBLE))
        ShowWindow(hwnd, SW_HIDE);
    if (IsWindow(previous_active) && IsWindowVisible(previous_active) && !IsIconic(previous_active))
        SetActiveWindow(previous_active);
    return result;
}

void WindowSystem::EndModal(HWND hwnd, int result)
{
    WindowObject* w = Find(hwnd);
    if (!w || w->modal_depth == 0)
        return;
    w->modal_ended = true;
    w->modal_result = result;
    m_loop.Wake();
}

bool WindowSystem::IsInModalLoop(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    return w && w->modal_depth > 0;
}

// ---------------------------------------------------------------- moving

void WindowSystem::StartMove(HWND hwnd)
{
    WindowObject* w = Find(hwnd);
    // Only a held left button moves a window; a maximised one stays.
    if (!w || !(m_buttons & kModLeftButton) || (w->style & WS_MAXIMIZE))
        return;
    m_move = MoveTrack { hwnd, m_backend.CursorPos(), w->window_rect };
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
            SetWindowPos(top->handle, nullptr, e.rect.left, e.rect.top, e.rect.Width(), e.rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
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
    DWORD time = static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch()).count());

    // A release we never saw (another program took the pointer) ends tracking
    // at the next move without the button.
    bool released = (e.type == T::ButtonUp && e.button == MouseButton::Left)
        || (e.type == T::MouseMove && !(e.modifiers & kModLeftButton));
    if (m_move) {
        if (e.type == T::MouseMove && !released) {
            Rect r = m_move->start_rect;
            Point d { e.screen.x - m_move->start_cursor.x, e.screen.y - m_move->start_cursor.y };
            SetWindowPos(m_move->hwnd, nullptr, r.left + d.x, r.top + d.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
            Size size { w->window_rect.Width(), w->window_rect.Height() };
            Rect r = NonClient::ScrollBarRect(size, w->style, w->ex_style, s.bar);
            Rect screen_rect = GetWindowRect(s.hwnd);
            bool vertical = s.bar == SB_VERT;
            int along = vertical ? e.screen.y - screen_rect.top - r.top : e.screen.x - screen_rect.left - r.left;
            int pos = NonClient::ScrollPosFromThumb(vertical ? r.Height() : r.Width(), w->scroll[s.bar], along - s.grab_offset);
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
    MSG msg { target, 0, client ? keys : static_cast<WPARAM>(hit), client ? client_point : PackPoint(e.screen), time, e.screen };

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
        static constexpr UINT kClient[] = { WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN };
        static constexpr UINT kNonClient[] = { WM_NCLBUTTONDOWN, WM_NCMBUTTONDOWN, WM_NCRBUTTONDOWN };
        int b = static_cast<int>(e.button) - 1;
        msg.message = client ? kClient[b] : kNonClient[b];
        WindowObject* t = Find(target);
        auto now = std::chrono::steady_clock::now();
        bool dbl = (t->class_style & CS_DBLCLKS) && m_last_click.hwnd == target && m_last_click.message == msg.message
            && now - m_last_click.time <= kDoubleClickTime && std::abs(e.screen.x - m_last_click.screen.x) <= kDoubleClickSlop
            && std::abs(e.screen.y - m_last_click.screen.y) <= kDoubleClickSlop;
        if (dbl) {
            m_last_click = {};
            msg.message += 2; // WM_xBUTTONDBLCLK follows WM_xBUTTONDOWN by two, client and non-client alike
        } else {
            m_last_click = { target, msg.message, e.screen, now };
        }
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

void WindowSystem::HandleKey(const DisplayEvent& e)
{
    m_key_modifiers = e.modifiers & (kModShift | kModControl | kModAlt);
    HWND target = m_focus ? m_focus : m_active;
    if (!target || !IsWindowEnabled(GetTopLevel(target)))
        return;
    bool alt = e.modifiers & kModAlt;
    bool control = e.modifiers & kModControl;
    bool sys = (alt && !control) || e.vk == VK_F10 || e.vk == VK_MENU;
    bool down = e.type == DisplayEvent::Type::KeyDown;
    uint32_t bits = 1u | (alt ? 1u << 29 : 0u);
    if (down && e.repeat)
        bits |= 1u << 30;
    if (!down)
        bits |= (1u << 30) | (1u << 31);
    LPARAM lparam = static_cast<int32_t>(bits);
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    MSG msg { target, message, e.vk, lparam, 0, m_cursor };
    // The hook may take the key; then it is not translated into a character.
    if (!m_hooks.empty()) {
        auto hooks = m_hooks;
        for (auto& [id, hook] : hooks)
            if (m_hooks.count(id) && hook(msg))
                return;
    }
    SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    if (!down)
        return;
    if (message == WM_KEYDOWN && !control) {
        WPARAM ch = 0;
        switch (e.vk) {
        case VK_RETURN:
            ch = '\r';
            break;
        case VK_ESCAPE:
            ch = 0x1B;
            break;
        case VK_BACK:
            ch = '\b';
            break;
        case VK_TAB:
            ch = '\t';
            break;
        }
        if (ch)
            DispatchQueued(MSG { target, WM_CHAR, ch, lparam, 0, m_cursor });
    } else if (message == WM_SYSKEYDOWN && alt) {
        WPARAM ch = 0;
        if (e.vk == VK_SPACE || (e.vk >= '0' && e.vk <= '9'))
            ch = e.vk;
        else if (e.vk >= 'A' && e.vk <= 'Z')
            ch = (e.modifiers & kModShift) ? e.vk : e.vk + ('a' - 'A');
        if (ch)
            DispatchQueued(MSG { target, WM_SYSCHAR, ch, lparam, 0, m_cursor });
    }
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
    case WM_NCCALCSIZE: {
        Rect* r = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : reinterpret_cast<Rect*>(lparam);
        if (r)
            *r = NonClient::ClientFromWindow(*r, w->style, w->ex_style);
        return 0;
    }
    case WM_NCHITTEST: {
        Rect screen = GetWindowRect(hwnd);
        Point p = UnpackPoint(lparam);
        Point local { p.x - screen.left, p.y - screen.top };
        if (w->region && !w->region->Contains(local))
            return HTNOWHERE;
        return NonClient::HitTest({ screen.Width(), screen.Height() }, local, w->style, w->ex_style);
    }
    case WM_NCPAINT: {
        Size size { w->window_rect.Width(), w->window_rect.Height() };
        if (w->client_rect == Rect { 0, 0, size.cx, size.cy })
            return 0;
        DeviceContext* dc = GetWindowDC(hwnd);
        NonClient::PaintState state;
        state.active = w->nc_active;
        state.title = w->text;
        for (int b : { SB_HORZ, SB_VERT }) {
            state.scroll[b] = w->scroll[b];
            state.scroll_enabled[b] = w->scroll_enabled[b];
        }
        NonClient::Paint(*dc, size, w->style, w->ex_style, state);
        ReleaseDC(hwnd, dc);
        return 0;
    }
    case WM_NCACTIVATE:
        w->nc_active = wparam != 0;
        if (NonClient::CaptionHeight(w->style, w->ex_style) > 0)
            w->frame_pending = true;
        return 1;
    case WM_ACTIVATE:
        if (LOWORD(wparam) != WA_INACTIVE && !(w->style & WS_MINIMIZE) && !(m_focus && (m_focus == hwnd || IsChild(hwnd, m_focus))))
            SetFocus(hwnd);
        return 0;
    case WM_ERASEBKGND: {
        auto* dc = reinterpret_cast<DeviceContext*>(wparam);
        if (!dc || w->background < 0)
            return 0;
        dc->FillRect(GetClientRect(hwnd), w->background);
        return 1;
    }
    case WM_PAINT: {
        if (wparam) // painting into a caller's context validates nothing
            return 0;
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
        if (!pos)
            return 0;
        if (!(pos->flags & SWP_NOCLIENTMOVE)) {
            Point origin { w->window_rect.left + w->client_rect.left, w->window_rect.top + w->client_rect.top };
            SendMessage(hwnd, WM_MOVE, 0, PackPoint(origin));
        }
        if (!(pos->flags & SWP_NOCLIENTSIZE) && IsWindow(hwnd))
            SendMessage(hwnd, WM_SIZE, SizeKind(w->style), MAKELPARAM(w->client_rect.Width(), w->client_rect.Height()));
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_NCLBUTTONDOWN:
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
            w->pressed_button = static_cast<LRESULT>(wparam);
            break;
        }
        return 0;
    case WM_NCLBUTTONUP: {
        LRESULT pressed = w->pressed_button;
        w->pressed_button = HTNOWHERE;
        if (pressed != static_cast<LRESULT>(wparam))
            return 0;
        if (pressed == HTCLOSE)
            SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lparam);
        else if (pressed == HTMINBUTTON)
            SendMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, lparam);
        else if (pressed == HTMAXBUTTON)
            SendMessage(hwnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lparam);
        return 0;
    }
    case WM_NCLBUTTONDBLCLK:
        if (wparam == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
            SendMessage(hwnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lparam);
        return 0;
    case WM_SYSCOMMAND:
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
            StartMove(hwnd);
            break;
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wparam == VK_F4 && (lparam & (1 << 29)))
            SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_MOUSEWHEEL:
        if (w->parent)
            return SendMessage(w->parent, msg, wparam, lparam);
        return 0;
    case WM_SETTEXT:
        if (lparam)
            SetWindowText(hwnd, reinterpret_cast<const char*>(lparam));
        return 1;
    default:
        return 0;
    }
}

}
