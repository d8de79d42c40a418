#include "platform/window/mdi_client.h"

#include "platform/window/mdi_arrange.h"

#include <algorithm>

namespace pellamo {

namespace {

// A child leaves the active ones (wParam: the child; lParam: 1 when it is
// being destroyed, 0 when it is hidden). Private to the class.
constexpr UINT kChildLeaving = WM_USER + 0x221;
constexpr UINT kKeep = SWP_NOZORDER | SWP_NOACTIVATE;

struct ClientState {
    std::vector<HWND> order; // the active child first
    HWND active = nullptr;
    LPARAM frame_menu = 0;
    uint64_t hook = 0;
};

ClientState* StateOf(const WindowSystem& ws, HWND client)
{
    if (!MdiClient::IsClient(ws, client))
        return nullptr;
    return static_cast<ClientState*>(ws.GetUserData(client));
}

bool IsChildOf(const WindowSystem& ws, HWND client, HWND hwnd)
{
    return hwnd && ws.IsWindow(hwnd) && ws.GetParent(hwnd) == client && (ws.GetExStyle(hwnd) & WS_EX_MDICHILD);
}

// Drops children that went away and takes in new ones (behind the others).
void Sync(const WindowSystem& ws, HWND client, ClientState& s)
{
    std::erase_if(s.order, [&](HWND h) { return !IsChildOf(ws, client, h); });
    if (s.active && !IsChildOf(ws, client, s.active))
        s.active = nullptr;
    std::vector<HWND> children = ws.GetChildren(client);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (IsChildOf(ws, client, *it) && std::find(s.order.begin(), s.order.end(), *it) == s.order.end())
            s.order.push_back(*it);
}

bool Shown(const WindowSystem& ws, HWND hwnd) { return ws.GetStyle(hwnd) & WS_VISIBLE; }

Size ClientSize(const WindowSystem& ws, HWND client)
{
    Rect r = ws.GetClientRect(client);
    return { r.Width(), r.Height() };
}

// A maximised child covers the client; its caption and frame lie outside.
void FitMaximized(WindowSystem& ws, HWND client, HWND child)
{
    Size cs = ClientSize(ws, client);
    Rect outer = ws.GetWindowRect(child);
    Rect inner = ws.GetClientRectInWindow(child);
    int left = inner.left, top = inner.top;
    int right = outer.Width() - inner.right, bottom = outer.Height() - inner.bottom;
    ws.SetWindowPos(child, nullptr, -left, -top, cs.cx + left + right, cs.cy + top + bottom, kKeep);
}

void ArrangeIcons(WindowSystem& ws, HWND client, ClientState& s)
{
    Size cs = ClientSize(ws, client);
    int slot = 0;
    for (HWND h : std::vector<HWND>(s.order)) {
        if (!ws.IsWindow(h) || !ws.IsIconic(h) || !Shown(ws, h))
            continue;
        Rect r = MdiArrange::Icon(cs, slot++);
        ws.SetWindowPos(h, nullptr, r.left, r.top, r.Width(), r.Height(), kKeep);
    }
}

void Activate(WindowSystem& ws, HWND client, ClientState& s, HWND child)
{
    if (!IsChildOf(ws, client, child) || child == s.active)
        return;
    HWND old = s.active;
    bool was_maximized = old && ws.IsZoomed(old);
    s.active = child;
    std::erase(s.order, child);
    s.order.insert(s.order.begin(), child);
    ws.SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // A maximised child hands its state on to the one that takes its place.
    if (was_maximized && ws.IsWindow(old)) {
        ws.ShowWindow(old, SW_RESTORE);
        if (ws.IsWindow(child) && !ws.IsIconic(child)) {
            ws.ShowWindow(child, SW_MAXIMIZE);
            FitMaximized(ws, client, child);
        }
    }
    LPARAM pair_new = reinterpret_cast<LPARAM>(child);
    WPARAM pair_old = reinterpret_cast<WPARAM>(old);
    if (old && ws.IsWindow(old)) {
        ws.SendMessage(old, WM_NCACTIVATE, 0, 0);
        ws.SendMessage(old, WM_MDIACTIVATE, pair_old, pair_new);
    }
    if (!ws.IsWindow(child) || s.active != child)
        return;
    HWND top = ws.GetTopLevel(client);
    HWND focus = ws.GetFocus();
    if (ws.GetActiveWindow() == top && !(focus && (focus == child || ws.IsChild(child, focus))))
        ws.SetFocus(child);
    ws.SendMessage(child, WM_NCACTIVATE, 1, 0);
    ws.SendMessage(child, WM_MDIACTIVATE, pair_old, pair_new);
    // The frame shows the active child's menu: have it looked at again.
    if (ws.IsWindow(client))
        ws.SendMessage(client, WM_MDISETMENU, 0, 0);
}

void Leave(WindowSystem& ws, HWND client, ClientState& s, HWND child, bool destroyed)
{
    auto it = std::find(s.order.begin(), s.order.end(), child);
    if (it == s.order.end())
        return;
    s.order.erase(it);
    if (!destroyed)
        s.order.push_back(child);
    if (s.active != child)
        return;
    bool was_maximized = ws.IsZoomed(child);
    s.active = nullptr;
    for (HWND h : std::vector<HWND>(s.order)) {
        if (h != child && IsChildOf(ws, client, h) && Shown(ws, h)) {
            // Maximised before it is activated, so the frame sees it so.
            if (was_maximized && !ws.IsIconic(h)) {
                ws.ShowWindow(h, SW_MAXIMIZE);
                if (ws.IsWindow(h))
                    FitMaximized(ws, client, h);
            }
            Activate(ws, client, s, h);
            return;
        }
    }
    ws.SendMessage(client, WM_MDISETMENU, 0, 0);
}

// The shown children to arrange: not minimised, the active first.
std::vector<HWND> Arrangeable(WindowSystem& ws, const ClientState& s)
{
    std::vector<HWND> list;
    for (HWND h : s.order)
        if (Shown(ws, h) && !ws.IsIconic(h))
            list.push_back(h);
    return list;
}

void Place(WindowSystem& ws, HWND client, ClientState& s, bool cascade, bool vertical)
{
    std::vector<HWND> list = Arrangeable(ws, s);
    for (HWND h : list)
        if (ws.IsZoomed(h))
            ws.ShowWindow(h, SW_RESTORE);
    Size cs = ClientSize(ws, client);
    bool icons = std::any_of(s.order.begin(), s.order.end(), [&](HWND h) { return Shown(ws, h) && ws.IsIconic(h); });
    if (icons)
        cs.cy = std::max(0, cs.cy - MdiArrange::kIconHeight);
    int n = static_cast<int>(list.size());
    std::vector<Rect> rects = cascade ? MdiArrange::Cascade(cs, n) : MdiArrange::Tile(cs, n, vertical);
    for (int i = 0; i < n; ++i)
        if (ws.IsWindow(list[i]))
            ws.SetWindowPos(list[i], nullptr, rects[i].left, rects[i].top, rects[i].Width(), rects[i].Height(), kKeep);
    ArrangeIcons(ws, client, s);
}

void Next(WindowSystem& ws, HWND client, ClientState& s, HWND from, bool previous)
{
    std::vector<HWND> shown;
    for (HWND h : s.order)
        if (Shown(ws, h))
            shown.push_back(h);
    if (shown.size() < 2)
        return;
    HWND current = from && IsChildOf(ws, client, from) ? from : s.active;
    if (previous) {
        Activate(ws, client, s, shown.back());
        return;
    }
    Activate(ws, client, s, shown[1]);
    // The one left goes behind all others, so that repeating visits each.
    if (std::erase(s.order, current))
        s.order.push_back(current);
}

LRESULT ClientProc(WindowSystem& ws, HWND client, UINT msg, WPARAM wparam, LPARAM lparam)
{
    ClientState* s = StateOf(ws, client);
    if (!s)
        return ws.DefWindowProc(client, msg, wparam, lparam);
    Sync(ws, client, *s);
    HWND child = reinterpret_cast<HWND>(wparam);
    switch (msg) {
    case WM_MDIACTIVATE:
        Activate(ws, client, *s, child);
        return 0;
    case WM_MDIGETACTIVE:
        if (lparam)
            *reinterpret_cast<int*>(lparam) = s->active && ws.IsZoomed(s->active);
        return reinterpret_cast<LRESULT>(s->active);
    case WM_MDINEXT:
        Next(ws, client, *s, child, lparam != 0);
        return 0;
    case WM_MDIMAXIMIZE:
        if (IsChildOf(ws, client, child)) {
            ws.ShowWindow(child, SW_MAXIMIZE);
            if (ws.IsWindow(child)) {
                FitMaximized(ws, client, child);
                Activate(ws, client, *s, child);
                ArrangeIcons(ws, client, *s);
            }
        }
        return 0;
    case WM_MDIRESTORE:
        if (IsChildOf(ws, client, child)) {
            ws.ShowWindow(child, SW_RESTORE);
            ArrangeIcons(ws, client, *s);
        }
        return 0;
    case WM_MDIDESTROY:
        if (IsChildOf(ws, client, child))
            ws.DestroyWindow(child);
        return 0;
    case WM_MDITILE:
        Place(ws, client, *s, false, !(wparam & MDITILE_HORIZONTAL));
        return 1;
    case WM_MDICASCADE:
        Place(ws, client, *s, true, false);
        return 1;
    case WM_MDIICONARRANGE:
        ArrangeIcons(ws, client, *s);
        return 0;
    case WM_MDISETMENU: {
        LPARAM previous = s->frame_menu;
        if (wparam)
            s->frame_menu = static_cast<LPARAM>(wparam);
        return previous;
    }
    case kChildLeaving:
        Leave(ws, client, *s, child, lparam != 0);
        return 0;
    case WM_SIZE:
        if (s->active && ws.IsZoomed(s->active))
            FitMaximized(ws, client, s->active);
        ArrangeIcons(ws, client, *s);
        return 0;
    case WM_NCDESTROY:
        ws.RemoveMessageHook(s->hook);
        ws.SetUserData(client, nullptr);
        delete s;
        return 0;
    default:
        return ws.DefWindowProc(client, msg, wparam, lparam);
    }
}

// Ctrl+F4 and Ctrl+F6 for the frame's children, while the frame is active.
bool TakesKey(WindowSystem& ws, HWND client, const MSG& m)
{
    if (m.message != WM_KEYDOWN || (m.wParam != VK_F4 && m.wParam != VK_F6))
        return false;
    unsigned mods = ws.KeyModifiers();
    if (!(mods & kModControl) || (mods & kModAlt))
        return false;
    HWND top = ws.GetTopLevel(client);
    if (!m.hwnd || !ws.IsWindow(m.hwnd) || ws.GetTopLevel(m.hwnd) != top || ws.GetActiveWindow() != top
        || !ws.IsWindowEnabled(top) || !ws.IsWindowVisible(client))
        return false;
    HWND active = MdiClient::Active(ws, client);
    if (!active)
        return false;
    WPARAM command = m.wParam == VK_F4 ? SC_CLOSE : (mods & kModShift) ? SC_PREVWINDOW : SC_NEXTWINDOW;
    ws.SendMessage(active, WM_SYSCOMMAND, command, 0);
    return true;
}

}

HWND MdiClient::Create(WindowSystem& ws, HWND frame, const Rect& bounds)
{
    if (!ws.IsClassRegistered(kClassName)) {
        WindowClass cls;
        cls.name = kClassName;
        cls.background = 0x808080; // the dark grey behind the children
        cls.proc = [&ws](HWND h, UINT msg, WPARAM w, LPARAM l) { return ClientProc(ws, h, msg, w, l); };
        ws.RegisterClass(cls);
    }
    CreateWindowParams params;
    params.class_name = kClassName;
    params.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.bounds = bounds;
    params.parent = frame;
    HWND client = ws.CreateWindowEx(params);
    if (!client)
        return nullptr;
    auto* state = new ClientState;
    ws.SetUserData(client, state);
    state->hook = ws.AddMessageHook([&ws, client](MSG& m) { return ws.IsWindow(client) && TakesKey(ws, client, m); });
    return client;
}

bool MdiClient::IsClient(const WindowSystem& ws, HWND hwnd)
{
    return hwnd && ws.IsWindow(hwnd) && ws.GetClassName(hwnd) == kClassName;
}

std::vector<HWND> MdiClient::Children(WindowSystem& ws, HWND client)
{
    ClientState* s = StateOf(ws, client);
    if (!s)
        return {};
    Sync(ws, client, *s);
    return s->order;
}

HWND MdiClient::Active(WindowSystem& ws, HWND client)
{
    return reinterpret_cast<HWND>(ws.SendMessage(client, WM_MDIGETACTIVE, 0, 0));
}

LRESULT MdiClient::DefChildProc(WindowSystem& ws, HWND child, UINT msg, WPARAM wparam, LPARAM lparam)
{
    HWND client = ws.GetParent(child);
    if (!IsClient(ws, client))
        return ws.DefWindowProc(child, msg, wparam, lparam);
    WPARAM self = reinterpret_cast<WPARAM>(child);
    switch (msg) {
    case WM_SYSCOMMAND:
        switch (wparam & 0xFFF0) {
        case SC_MAXIMIZE:
            ws.SendMessage(client, WM_MDIMAXIMIZE, self, 0);
            return 0;
        case SC_RESTORE:
            ws.SendMessage(client, WM_MDIRESTORE, self, 0);
            return 0;
        case SC_MINIMIZE:
            ws.ShowWindow(child, SW_MINIMIZE);
            if (ws.IsWindow(client))
                ws.SendMessage(client, WM_MDIICONARRANGE, 0, 0);
            return 0;
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
            ws.SendMessage(client, WM_MDINEXT, self, (wparam & 0xFFF0) == SC_PREVWINDOW);
            return 0;
        }
        break;
    case WM_CHILDACTIVATE:
        ws.SendMessage(client, WM_MDIACTIVATE, self, 0);
        return 0;
    case WM_SHOWWINDOW:
        if (wparam)
            ws.PostMessage(client, WM_MDIACTIVATE, self, 0);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        // Hidden now: the activation moves on.
        LRESULT result = ws.DefWindowProc(child, msg, wparam, lparam);
        auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
        if (pos && (pos->flags & SWP_HIDEWINDOW) && ws.IsWindow(client))
            ws.SendMessage(client, kChildLeaving, self, 0);
        return result;
    }
    case WM_DESTROY:
        ws.SendMessage(client, kChildLeaving, self, 1);
        return 0;
    }
    return ws.DefWindowProc(child, msg, wparam, lparam);
}

}
