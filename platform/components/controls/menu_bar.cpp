#include "platform/components/controls/menu_bar.h"

#include "platform/gfx/canvas.h"
#include "platform/gfx/system_colors.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr int kItemPadding = 7;

}

TMenuBar::TMenuBar(HWND form, TMainMenu& menu)
    : m_ws(*WindowSystem::Current())
    , m_form(form)
    , m_menu(menu)
{
    Layout();
    m_old_proc = m_ws.SetWindowProc(m_form, [this](HWND h, UINT msg, WPARAM w, LPARAM l) { return Proc(h, msg, w, l); });
    m_hook = m_ws.AddMessageHook([this](MSG& msg) { return Hook(msg); });
    m_listener = m_menu.AddChangeListener([this] {
        Layout();
        Repaint();
    });
    // Recalculate the frame so the bar takes its strip.
    m_ws.SetWindowPos(m_form, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TMenuBar::~TMenuBar()
{
    m_drop.reset();
    m_menu.RemoveChangeListener(m_listener);
    m_ws.RemoveMessageHook(m_hook);
    if (m_ws.IsWindow(m_form)) {
        m_ws.SetWindowProc(m_form, m_old_proc);
        m_ws.SetWindowPos(m_form, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

int TMenuBar::BarHeight() const
{
    Bitmap scratch(1, 1);
    Canvas canvas(scratch);
    canvas.font = TMenuWindow::MenuFont();
    return std::max(19, canvas.TextHeight("Wg") + 6);
}

void TMenuBar::Layout()
{
    Bitmap scratch(1, 1);
    Canvas canvas(scratch);
    canvas.font = TMenuWindow::MenuFont();
    int height = BarHeight();
    int x = 0;
    m_items.clear();
    TMenuItem* root = m_menu.Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible()) {
            m_items.push_back({});
            continue;
        }
        int width = canvas.TextWidth(StripHotkey(item->Caption())) + 2 * kItemPadding;
        m_items.push_back({ x, 0, x + width, height });
        x += width;
    }
}

Rect TMenuBar::BarRectInWindow() const
{
    Rect client = m_ws.GetClientRectInWindow(m_form);
    return { client.left, client.top - BarHeight(), client.right, client.top };
}

Rect TMenuBar::ItemRect(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_items.size()) || m_items[static_cast<size_t>(index)].IsEmpty())
        return {};
    Rect window = m_ws.GetWindowRect(m_form);
    Rect bar = BarRectInWindow();
    return m_items[static_cast<size_t>(index)].Offset(window.left + bar.left, window.top + bar.top);
}

int TMenuBar::IndexAtScreen(Point screen) const
{
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i)
        if (ItemRect(i).Contains(screen))
            return i;
    return -1;
}

bool TMenuBar::Selectable(int index) const
{
    TMenuItem* root = m_menu.Items();
    return index >= 0 && index < root->Count() && root->Items(index)->Visible() && !root->Items(index)->IsLine();
}

int TMenuBar::NextSelectable(int from, int dir) const
{
    int count = m_menu.Items()->Count();
    int i = from;
    for (int step = 0; step < count; ++step) {
        i = i < 0 ? (dir > 0 ? 0 : count - 1) : (i + dir + count) % count;
        if (Selectable(i))
            return i;
    }
    return -1;
}

void TMenuBar::SetHot(int index)
{
    if (index == m_hot)
        return;
    m_hot = index;
    Repaint();
}

void TMenuBar::Repaint()
{
    if (m_ws.IsWindow(m_form))
        m_ws.RedrawWindow(m_form, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TMenuBar::DropItem(int index, bool select_first)
{
    if (!Selectable(index))
        return;
    TMenuItem* item = m_menu.Items()->Items(index);
    if (m_drop && m_drop->IsOpen()) {
        m_switching = true;
        m_drop->CloseAll(nullptr);
        m_switching = false;
    }
    if (item->Count() == 0 || !item->Enabled()) {
        // A bar entry without a sub-menu is a command of its own.
        m_keyboard = false;
        SetHot(-1);
        if (item->Count() == 0)
            item->Click();
        return;
    }
    m_keyboard = false;
    m_hot = index;
    Rect r = ItemRect(index);
    // The previous chain may be on the call stack (a switch by the mouse):
    // it is freed on the next drop or with the bar.
    std::unique_ptr<TMenuWindow> previous = std::move(m_drop);
    m_drop = std::make_unique<TMenuWindow>(*item, Point { r.left, r.bottom }, static_cast<TMenuWindow::Host*>(this), r);
    if (select_first)
        for (int i = 0; i < item->Count() && m_drop->HotIndex() < 0; ++i)
            m_drop->SetHot(i);
    Repaint();
    if (previous)
        m_ws.Loop().Post([dead = previous.release()] { delete dead; });
}

void TMenuBar::CloseMenus()
{
    if (m_drop && m_drop->IsOpen())
        m_drop->CloseAll(nullptr);
    m_keyboard = false;
    SetHot(-1);
}

bool TMenuBar::MenuOutsideMouse(UINT msg, Point screen)
{
    int index = IndexAtScreen(screen);
    if (index < 0)
        return false;
    switch (msg) {
    case WM_MOUSEMOVE:
        if (index != m_hot && Selectable(index) && m_menu.Items()->Items(index)->Count() > 0)
            DropItem(index, false);
        return true;
    case WM_LBUTTONDOWN:
        if (index == m_hot)
            CloseMenus();
        else
            DropItem(index, false);
        return true;
    default:
        return true;
    }
}

void TMenuBar::MenuSideways(int dir)
{
    int next = NextSelectable(m_hot, dir);
    if (next >= 0 && next != m_hot)
        DropItem(next, true);
}

void TMenuBar::MenuClosed(TMenuItem*)
{
    if (m_switching)
        return;
    m_keyboard = false;
    m_hot = -1;
    Repaint();
}

bool TMenuBar::Hook(MSG& msg)
{
    if (IsDropped() || !msg.hwnd || m_ws.GetTopLevel(msg.hwnd) != m_form)
        return false;
    switch (msg.message) {
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_MENU) {
            m_alt_pending = true;
            return false;
        }
        m_alt_pending = false;
        // Shift+F10 is the context menu's key, not the bar's.
        if (msg.wParam == VK_F10 && !(m_ws.KeyModifiers() & kModShift)) {
            if (m_keyboard)
                CloseMenus();
            else {
                m_keyboard = true;
                SetHot(NextSelectable(-1, 1));
            }
            return true;
        }
        break;
    case WM_SYSKEYUP:
        if (msg.wParam == VK_MENU && m_alt_pending) {
            m_alt_pending = false;
            if (m_keyboard) {
                CloseMenus();
            } else {
                m_keyboard = true;
                SetHot(NextSelectable(-1, 1));
            }
            return true;
        }
        return m_keyboard;
    case WM_SYSCHAR:
        if (msg.wParam < 0x80)
            if (TMenuItem* item = m_menu.Items()->FindByHotkey(static_cast<char>(msg.wParam))) {
                DropItem(item->MenuIndex(), true);
                return true;
            }
        return m_keyboard;
    default:
        m_alt_pending = m_alt_pending && msg.message != WM_KEYDOWN;
        break;
    }
    if (m_keyboard) {
        if (msg.message == WM_KEYDOWN) {
            switch (msg.wParam) {
            case VK_LEFT:
            case VK_RIGHT:
                SetHot(NextSelectable(m_hot, msg.wParam == VK_RIGHT ? 1 : -1));
                break;
            case VK_DOWN:
            case VK_RETURN:
                DropItem(m_hot, true);
                break;
            case VK_ESCAPE:
                CloseMenus();
                break;
            default:
                break;
            }
            return true;
        }
        if (msg.message == WM_CHAR) {
            if (msg.wParam < 0x80)
                if (TMenuItem* item = m_menu.Items()->FindByHotkey(static_cast<char>(msg.wParam)))
                    DropItem(item->MenuIndex(), true);
            return true;
        }
        if (msg.message == WM_KEYUP)
            return true;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        UINT vk = static_cast<UINT>(msg.wParam);
        if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU)
            return false;
        unsigned held = m_ws.KeyModifiers();
        TShortCut modifiers = ((held & kModShift) ? scShift : 0) | ((held & kModControl) ? scCtrl : 0)
            | ((held & kModAlt) || msg.message == WM_SYSKEYDOWN ? scAlt : 0);
        if (msg.message == WM_SYSKEYDOWN && vk == VK_F10)
            modifiers &= static_cast<TShortCut>(~scAlt);
        return m_menu.DispatchShortCut(ShortCut(vk, modifiers));
    }
    return false;
}

LRESULT TMenuBar::Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_NCCALCSIZE: {
        LRESULT result = m_ws.CallWindowProc(m_old_proc, hwnd, msg, wparam, lparam);
        RECT* client = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : reinterpret_cast<RECT*>(lparam);
        client->top = std::min(client->bottom, client->top + BarHeight());
        return result;
    }
    case WM_NCHITTEST: {
        Point p { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) };
        Rect window = m_ws.GetWindowRect(m_form);
        if (BarRectInWindow().Offset(window.left, window.top).Contains(p))
            return HTMENU;
        break;
    }
    case WM_NCPAINT: {
        LRESULT result = m_ws.CallWindowProc(m_old_proc, hwnd, msg, wparam, lparam);
        PaintBar();
        return result;
    }
    case WM_NCLBUTTONDOWN:
        if (wparam == static_cast<WPARAM>(HTMENU)) {
            int index = IndexAtScreen({ GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) });
            if (index >= 0)
                DropItem(index, false);
            return 0;
        }
        break;
    case WM_KILLFOCUS:
    case WM_ACTIVATE:
        if (m_keyboard && (msg == WM_KILLFOCUS || LOWORD(wparam) == WA_INACTIVE)) {
            m_keyboard = false;
            SetHot(-1);
        }
        break;
    default:
        break;
    }
    return m_ws.CallWindowProc(m_old_proc, hwnd, msg, wparam, lparam);
}

void TMenuBar::PaintBar()
{
    DeviceContext* dc = m_ws.GetWindowDC(m_form);
    if (!dc)
        return;
    Canvas& canvas = dc->GetCanvas();
    int saved = canvas.SaveState();
    Rect bar = BarRectInWindow();
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = SystemColors::Resolve(clMenu);
    canvas.FillRect(bar);
    canvas.font = TMenuWindow::MenuFont();
    TMenuItem* root = m_menu.Items();
    for (int i = 0; i < static_cast<int>(m_items.size()) && i < root->Count(); ++i) {
        Rect r = m_items[static_cast<size_t>(i)];
        if (r.IsEmpty())
            continue;
        r = r.Offset(bar.left, bar.top).Intersect(bar);
        if (r.IsEmpty())
            continue;
        TMenuItem* item = root->Items(i);
        bool hot = i == m_hot;
        canvas.brush.style = BrushStyle::Solid;
        if (hot) {
            canvas.brush.color = SystemColors::Resolve(clHighlight);
            canvas.FillRect(r);
        }
        canvas.font.color = SystemColors::Resolve(!item->Enabled() ? clGrayText : hot ? clHighlightText : clMenuText);
        canvas.brush.style = BrushStyle::Clear;
        canvas.DrawText(item->Caption(), r, kTextSingleLine | kTextVCenter | kTextCenter);
    }
    canvas.RestoreState(saved);
    m_ws.ReleaseDC(m_form, dc);
}

}
