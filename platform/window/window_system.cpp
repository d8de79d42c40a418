#include "platform/window/window_system.h"

#include "platform/window/non_client.h"
#include "platform/window/window_system_shared.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace pellamo {

using namespace window_system_shared;

namespace {

WindowSystem* g_current = nullptr;

constexpr UINT kMinTimer = 10;

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
    m_slides.clear();
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
    w->nc_given = b;
    Dispatch(*w, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&client));
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    w->client_rect = client.Offset(-b.left, -b.top);
    w->default_frame = w->nc_given.Offset(-b.left, -b.top);
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
        SetWindowPos(
            hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
        m_slides.erase(h);
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
    m_clicks.Forget(hwnd);
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
    if (!w.subclasses.empty())
        return CallBelow(w.handle, UINT64_MAX, msg, wparam, lparam);
    WndProc proc = w.proc;
    if (proc)
        return proc(w.handle, msg, wparam, lparam);
    return DefWindowProc(w.handle, msg, wparam, lparam);
}

LRESULT WindowSystem::CallBelow(HWND hwnd, uint64_t below, UINT msg, WPARAM wparam, LPARAM lparam)
{
    auto hold = Hold(hwnd);
    if (!hold)
        return 0;
    // Looked up at call time, so a subclass removed meanwhile is skipped.
    auto it = hold->subclasses.lower_bound(below);
    if (it == hold->subclasses.begin()) {
        WndProc proc = hold->proc;
        if (proc)
            return proc(hwnd, msg, wparam, lparam);
        return DefWindowProc(hwnd, msg, wparam, lparam);
    }
    --it;
    uint64_t id = it->first;
    std::shared_ptr<const SubclassProc> proc = it->second;
    WndProc next = [this, id](HWND h, UINT m, WPARAM wp, LPARAM lp) { return CallBelow(h, id, m, wp, lp); };
    return (*proc)(hwnd, msg, wparam, lparam, next);
}

uint64_t WindowSystem::SetWindowSubclass(HWND hwnd, SubclassProc proc)
{
    WindowObject* w = Find(hwnd);
    if (!w || !proc)
        return 0;
    uint64_t id = m_next_subclass++;
    w->subclasses[id] = std::make_shared<const SubclassProc>(std::move(proc));
    return id;
}

bool WindowSystem::RemoveWindowSubclass(HWND hwnd, uint64_t id)
{
    WindowObject* w = Find(hwnd);
    return w && w->subclasses.erase(id) != 0;
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
        if (!HookTakes(msg))
            SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    });
}

bool WindowSystem::HookTakes(MSG& msg)
{
    if (m_hooks.empty())
        return false;
    // A hook may add or remove hooks: walk a copy, skipping removed ones.
    auto hooks = m_hooks;
    for (auto& [id, hook] : hooks)
        if (m_hooks.count(id) && hook(msg))
            return true;
    return false;
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
    bool was_popup = IsPopupStyle(w->ex_style);
    bool was_topmost = w->ex_style & WS_EX_TOPMOST;
    bool drops_changed = (w->ex_style ^ ex_style) & WS_EX_ACCEPTFILES;
    w->ex_style = ex_style;
    // The display decides these when its window is made.
    if (w->display && (IsPopupStyle(ex_style) != was_popup || ((ex_style & WS_EX_TOPMOST) != 0) != was_topmost))
        RecreateDisplay(*w);
    else if (drops_changed && w->display)
        m_backend.SetAcceptDrops(w->display, ex_style & WS_EX_ACCEPTFILES);
}

void WindowSystem::RecreateDisplay(WindowObject& w)
{
    WindowObject* owner = Find(w.owner);
    DisplayWindowParams dp;
    dp.bounds = w.window_rect;
    dp.title = w.text;
    dp.popup = IsPopupStyle(w.ex_style);
    dp.topmost = w.ex_style & WS_EX_TOPMOST;
    dp.owner = owner ? owner->display : 0;
    DisplayWindowId old = w.display;
    w.display = m_backend.CreateWindow(dp);
    m_by_display.erase(old);
    m_by_display[w.display] = w.handle;
    m_backend.SetCursor(w.display, w.cursor);
    if (w.ex_style & WS_EX_ACCEPTFILES)
        m_backend.SetAcceptDrops(w.display, true);
    ApplyShape(w);
    if (w.style & WS_VISIBLE) {
        m_backend.Show(w.display, true);
        MarkPresent(w, { 0, 0, w.window_rect.Width(), w.window_rect.Height() });
    }
    if (m_capture && TopOf(Find(m_capture)) == &w)
        m_backend.SetCapture(w.display);
    m_backend.DestroyWindow(old);
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

// ---------------------------------------------------------------- timers

uintptr_t WindowSystem::SetTimer(HWND hwnd, uintptr_t id, UINT milliseconds)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return 0;
    if (auto it = w->timers.find(id); it != w->timers.end())
        m_loop.StopTimer(it->second);
    std::weak_ptr<bool> alive = m_alive;
    w->timers[id]
        = m_loop.StartTimer(std::chrono::milliseconds(std::max(milliseconds, kMinTimer)), [this, alive, hwnd, id] {
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
        return !IsWindow(hwnd) || hold->destroying || hold->modal_ended || !(hold->style & WS_VISIBLE)
            || m_loop.Quitting();
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

}
