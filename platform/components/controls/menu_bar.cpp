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
    m_subclass = m_ws.SetWindowSubclass(
        m_form, [this](HWND h, UINT msg, WPARAM w, LPARAM l, const WndProc& next) { return Proc(h, msg, w, l, next); });
    m_hook = m_ws.AddMessageHook([this](MSG& msg) { return Hook(msg); });
    m_listener = m_menu.AddChangeListener([this] {
        Layout();
        Repaint();
    });
    // Recalculate the frame so the bar takes its strip.
    m_ws.SetWindowPos(
        m_form, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TMenuBar::~TMenuBar()
{
    m_drop.reset();
    m_menu.RemoveChangeListener(m_listener);
    m_ws.RemoveMessageHook(m_hook);
    if (m_ws.IsWindow(m_form)) {
        m_ws.RemoveWindowSubclass(m_form, m_subclass);
        m_ws.SetWindowPos(
            m_form, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
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
        m_keys.Leave();
        SetHot(-1);
        if (item->Count() == 0)
            item->Click();
        return;
    }
    m_keys.Leave();
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
    m_keys.Leave();
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
    int next = MenuBarKeys::NextSelectable(*this, m_hot, dir);
    if (next >= 0 && next != m_hot)
        DropItem(next, true);
}

void TMenuBar::MenuClosed(TMenuItem*)
{
    if (m_switching)
        return;
    m_keys.Leave();
    m_hot = -1;
    Repaint();
}

bool TMenuBar::Hook(MSG& msg)
{
    if (IsDropped() || !msg.hwnd || m_ws.GetTopLevel(msg.hwnd) != m_form)
        return false;
    return m_keys.Key(msg, m_ws.KeyModifiers());
}

LRESULT TMenuBar::Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const WndProc& next)
{
    switch (msg) {
    case WM_NCCALCSIZE: {
        LRESULT result = next(hwnd, msg, wparam, lparam);
        RECT* client
            = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0] : reinterpret_cast<RECT*>(lparam);
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
        LRESULT result = next(hwnd, msg, wparam, lparam);
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
        if (m_keys.InBar() && (msg == WM_KILLFOCUS || LOWORD(wparam) == WA_INACTIVE))
            m_keys.Leave();
        break;
    default:
        break;
    }
    return next(hwnd, msg, wparam, lparam);
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
