#include "platform/components/controls/menu_window.h"

#include "platform/components/controls/menu.h"
#include "platform/components/controls/sub_menu_arrow.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/system_fonts.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr char kClassName[] = "TMenuWindow";
// Posted to the first level once the chain has closed: click and clean up.
constexpr UINT kFinishMessage = WM_USER + 0x301;
constexpr int kMinItemHeight = 19;
constexpr int kCheckColumn = 20;
constexpr int kShortCutGap = 20;

int CheckColumn(TMenu* menu)
{
    const ImageList* images = menu ? menu->Images() : nullptr;
    return images ? std::max(kCheckColumn, images->Width() + 6) : kCheckColumn;
}

// Items paint themselves when the menu says so or carries images.
bool OwnerDrawn(TMenu* menu) { return menu && (menu->OwnerDraw() || menu->Images()); }

}

namespace {

// Every living menu window, for ItemGoing.
std::vector<TMenuWindow*>& LivingWindows()
{
    static std::vector<TMenuWindow*> windows;
    return windows;
}

bool Within(const TMenuItem* item, const TMenuItem* ancestor)
{
    for (; item; item = item->Parent())
        if (item == ancestor)
            return true;
    return false;
}

}

void TMenuWindow::ItemGoing(const TMenuItem* item)
{
    for (TMenuWindow* w : std::vector<TMenuWindow*>(LivingWindows())) {
        auto& living = LivingWindows();
        if (std::find(living.begin(), living.end(), w) == living.end())
            continue;
        TMenuWindow* root = w->Root();
        if (root->m_chosen && Within(root->m_chosen, item))
            root->m_chosen = nullptr;
        // A closed chain never touches its items again.
        if (root->IsOpen() && Within(&w->m_parent_item, item))
            root->CloseAll(nullptr);
    }
}

Font TMenuWindow::MenuFont() { return SystemFonts::Menu(); }

Size TMenuWindow::MeasureItem(Canvas& canvas, TMenuItem& item, TMenu* menu)
{
    Size size;
    if (item.IsLine()) {
        size = { kCheckColumn, kSeparatorHeight };
    } else {
        int text_height = canvas.TextHeight("Wg");
        size.cy = std::max(kMinItemHeight, text_height + 6);
        if (menu && menu->Images())
            size.cy = std::max(size.cy, menu->Images()->Height() + 4);
        Font plain = canvas.font;
        canvas.font.bold = canvas.font.bold || item.Default(); // drawn bold
        size.cx = CheckColumn(menu) + canvas.TextWidth(StripHotkey(item.Caption())) + kSubMenuArrowColumn;
        std::string shortcut = ShortCutToText(item.GetShortCut());
        if (!shortcut.empty())
            size.cx += kShortCutGap + canvas.TextWidth(shortcut);
        canvas.font = plain;
    }
    if (OwnerDrawn(menu)) {
        int width = size.cx, height = size.cy;
        item.OnMeasureItem(&item, canvas, width, height);
        size = { std::max(0, width), std::max(0, height) };
    }
    return size;
}

void TMenuWindow::DrawItem(Canvas& canvas, TMenuItem& item, TMenu* menu, const Rect& rect, bool selected)
{
    if (OwnerDrawn(menu)) {
        if (item.OnAdvancedDrawItem) {
            TOwnerDrawState state = 0;
            if (selected)
                state |= odSelected;
            if (item.Checked())
                state |= odChecked;
            if (!item.Enabled())
                state |= odDisabled | odGrayed;
            if (item.Default())
                state |= odDefault;
            item.OnAdvancedDrawItem(&item, canvas, rect, state);
            return;
        }
        if (item.OnDrawItem) {
            item.OnDrawItem(&item, canvas, rect, selected);
            return;
        }
    }
    canvas.brush.style = BrushStyle::Solid;
    if (item.IsLine()) {
        canvas.brush.color = SystemColors::Resolve(clMenu);
        canvas.FillRect(rect);
        int y = rect.top + rect.Height() / 2 - 1;
        canvas.brush.color = SystemColors::Resolve(clBtnShadow);
        canvas.FillRect({ rect.left + 1, y, rect.right - 1, y + 1 });
        canvas.brush.color = SystemColors::Resolve(clBtnHighlight);
        canvas.FillRect({ rect.left + 1, y + 1, rect.right - 1, y + 2 });
        return;
    }
    canvas.brush.color = SystemColors::Resolve(selected ? clHighlight : clMenu);
    canvas.FillRect(rect);
    TColor text = !item.Enabled() ? clGrayText : selected ? clHighlightText : clMenuText;
    canvas.font.color = SystemColors::Resolve(text);
    if (item.Default())
        canvas.font.bold = true;
    int check = CheckColumn(menu);
    const ImageList* images = menu ? menu->Images() : nullptr;
    if (images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count()) {
        images->Draw(canvas, rect.left + (check - images->Width()) / 2,
            rect.top + (rect.Height() - images->Height()) / 2, item.ImageIndex(), item.Enabled());
    } else if (item.Checked()) {
        // A small tick in the check column.
        canvas.brush.color = canvas.font.color;
        int x = rect.left + check / 2 - 3, y = rect.top + rect.Height() / 2;
        for (int i = 0; i < 3; ++i)
            canvas.FillRect({ x + i, y - 1 + i, x + i + 1, y + 2 + i });
        for (int i = 0; i < 4; ++i)
            canvas.FillRect({ x + 3 + i, y + 1 - i, x + 4 + i, y + 4 - i });
    }
    canvas.brush.style = BrushStyle::Clear;
    Rect text_rect { rect.left + check, rect.top, rect.right - kSubMenuArrowColumn, rect.bottom };
    canvas.DrawText(item.Caption(), text_rect, kTextSingleLine | kTextVCenter | kTextLeft);
    std::string shortcut = ShortCutToText(item.GetShortCut());
    if (!shortcut.empty())
        canvas.DrawText(shortcut, text_rect, kTextSingleLine | kTextVCenter | kTextRight | kTextNoPrefix);
    canvas.brush.style = BrushStyle::Solid;
    if (item.Count() > 0)
        DrawSubMenuArrow(canvas, rect, canvas.font.color);
}

TMenuWindow::TMenuWindow(TMenuItem& parent, Point at, Host* host, Rect avoid, TMenuWindow* parent_window)
    : m_ws(*WindowSystem::Current())
    , m_parent_item(parent)
    , m_menu(parent.GetParentMenu())
    , m_host(host)
    , m_parent_window(parent_window)
    , m_alive(std::make_shared<bool>(true))
{
    if (!m_ws.IsClassRegistered(kClassName))
        m_ws.RegisterClass({ kClassName, nullptr, 0, -1, CursorShape::Arrow });
    LivingWindows().push_back(this);
    Layout();
    int width = kBorder * 2, height = kBorder * 2;
    for (const Rect& r : m_rects) {
        width = std::max(width, r.right + kBorder);
        height = std::max(height, r.bottom + kBorder);
    }
    Rect work = m_ws.GetWorkArea();
    Point p = at;
    if (p.x + width > work.right)
        p.x = avoid.IsEmpty() ? work.right - width : avoid.left - width;
    if (p.y + height > work.bottom)
        p.y = avoid.IsEmpty() || parent_window ? work.bottom - height : avoid.top - height;
    p.x = std::max(p.x, work.left);
    p.y = std::max(p.y, work.top);

    CreateWindowParams params;
    params.class_name = kClassName;
    params.style = WS_POPUP;
    params.ex_style = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.bounds = Rect::FromSize(p.x, p.y, width, height);
    m_hwnd = m_ws.CreateWindowEx(params);
    m_ws.SetWindowProc(m_hwnd, [this](HWND, UINT msg, WPARAM w, LPARAM l) { return Proc(msg, w, l); });
    m_ws.ShowWindow(m_hwnd, SW_SHOWNA);
    if (!m_parent_window) {
        m_ws.SetCapture(m_hwnd);
        m_hook = m_ws.AddMessageHook([this](MSG& msg) { return HandleKey(msg); });
    }
}

TMenuWindow::~TMenuWindow()
{
    auto& living = LivingWindows();
    living.erase(std::remove(living.begin(), living.end(), this), living.end());
    *m_alive = false;
    m_sub.reset();
    if (m_hook)
        m_ws.RemoveMessageHook(m_hook);
    if (m_ws.GetCapture() == m_hwnd)
        m_ws.ReleaseCapture();
    if (m_ws.IsWindow(m_hwnd)) {
        m_ws.SetWindowProc(m_hwnd, nullptr);
        m_ws.DestroyWindow(m_hwnd);
    }
}

void TMenuWindow::Layout()
{
    Bitmap scratch(1, 1);
    Canvas canvas(scratch);
    canvas.font = MenuFont();
    std::vector<Size> sizes;
    int width = 0;
    for (int i = 0; i < m_parent_item.Count(); ++i) {
        TMenuItem& item = *m_parent_item.Items(i);
        Size s = item.Visible() ? MeasureItem(canvas, item, m_menu) : Size {};
        sizes.push_back(s);
        width = std::max(width, s.cx);
    }
    int y = kBorder;
    m_rects.clear();
    for (int i = 0; i < m_parent_item.Count(); ++i) {
        if (!m_parent_item.Items(i)->Visible()) {
            m_rects.push_back({});
            continue;
        }
        m_rects.push_back({ kBorder, y, kBorder + width, y + sizes[static_cast<size_t>(i)].cy });
        y += sizes[static_cast<size_t>(i)].cy;
    }
}

Rect TMenuWindow::ItemRect(int index) const
{
    return index >= 0 && index < static_cast<int>(m_rects.size()) ? m_rects[static_cast<size_t>(index)] : Rect {};
}

TMenuWindow* TMenuWindow::Root()
{
    TMenuWindow* w = this;
    while (w->m_parent_window)
        w = w->m_parent_window;
    return w;
}

TMenuWindow* TMenuWindow::Deepest()
{
    TMenuWindow* w = this;
    while (w->m_sub)
        w = w->m_sub.get();
    return w;
}

TMenuWindow* TMenuWindow::WindowAt(Point screen)
{
    for (TMenuWindow* w = Deepest(); w; w = w->m_parent_window)
        if (m_ws.GetWindowRect(w->m_hwnd).Contains(screen))
            return w;
    return nullptr;
}

int TMenuWindow::IndexAt(Point client) const
{
    for (size_t i = 0; i < m_rects.size(); ++i)
        if (m_rects[i].Contains(client))
            return static_cast<int>(i);
    return -1;
}

bool TMenuWindow::Selectable(int index) const
{
    if (index < 0 || index >= m_parent_item.Count())
        return false;
    TMenuItem* item = m_parent_item.Items(index);
    return item->Visible() && !item->IsLine();
}

void TMenuWindow::SetHot(int index)
{
    if (!Selectable(index))
        index = -1;
    if (index == m_hot)
        return;
    m_hot = index;
    m_ws.InvalidateRect(m_hwnd, nullptr, false);
}

void TMenuWindow::MoveHot(int dir)
{
    int count = m_parent_item.Count();
    if (count == 0)
        return;
    int i = m_hot;
    for (int step = 0; step < count; ++step) {
        i = i < 0 ? (dir > 0 ? 0 : count - 1) : (i + dir + count) % count;
        if (Selectable(i)) {
            SetHot(i);
            return;
        }
    }
}

void TMenuWindow::OpenSub(int index, bool select_first)
{
    if (m_sub && m_sub->m_parent_item.MenuIndex() == index && &m_sub->m_parent_item == m_parent_item.Items(index)) {
        if (select_first && m_sub->m_hot < 0)
            m_sub->MoveHot(1);
        return;
    }
    CloseSub();
    if (!Selectable(index))
        return;
    TMenuItem* item = m_parent_item.Items(index);
    if (item->Count() == 0 || !item->Enabled())
        return;
    Rect r = ItemRect(index);
    Point tl = m_ws.ClientToScreen(m_hwnd, { r.left, r.top });
    Rect window = m_ws.GetWindowRect(m_hwnd);
    Rect avoid { window.left, tl.y, window.right, tl.y + r.Height() };
    m_sub = std::make_unique<TMenuWindow>(*item, Point { window.right - kBorder, tl.y - kBorder }, m_host, avoid, this);
    if (select_first)
        m_sub->MoveHot(1);
}

void TMenuWindow::CloseSub() { m_sub.reset(); }

void TMenuWindow::CloseAll(TMenuItem* chosen)
{
    TMenuWindow* root = Root();
    if (root != this) {
        // This level may be on the call stack: the first level keeps it
        // until the chain has finished.
        root->CloseAll(chosen);
        return;
    }
    if (m_closed)
        return;
    m_closed = true;
    m_chosen = chosen;
    for (TMenuWindow* w = m_sub.get(); w; w = w->m_sub.get())
        m_ws.ShowWindow(w->m_hwnd, SW_HIDE);
    m_dead = std::move(m_sub);
    if (m_hook) {
        m_ws.RemoveMessageHook(m_hook);
        m_hook = 0;
    }
    m_ws.ShowWindow(m_hwnd, SW_HIDE);
    if (m_ws.GetCapture() == m_hwnd)
        m_ws.ReleaseCapture();
    if (m_host)
        m_host->MenuClosed(chosen);
    m_ws.PostMessage(m_hwnd, kFinishMessage, 0, 0);
}

void TMenuWindow::Activate(int index, bool by_key)
{
    if (!Selectable(index))
        return;
    TMenuItem* item = m_parent_item.Items(index);
    SetHot(index);
    if (item->Count() > 0) {
        OpenSub(index, by_key);
        return;
    }
    if (item->Enabled())
        CloseAll(item);
}

bool TMenuWindow::HandleKey(const MSG& msg)
{
    if (m_closed)
        return false;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        TMenuWindow* w = Deepest();
        switch (msg.wParam) {
        case VK_UP:
            w->MoveHot(-1);
            break;
        case VK_DOWN:
            w->MoveHot(1);
            break;
        case VK_RIGHT:
            if (w->m_hot >= 0 && w->m_parent_item.Items(w->m_hot)->Count() > 0)
                w->OpenSub(w->m_hot, true);
            else if (m_host)
                m_host->MenuSideways(1);
            break;
        case VK_LEFT:
            if (w->m_parent_window)
                w->m_parent_window->CloseSub();
            else if (m_host)
                m_host->MenuSideways(-1);
            break;
        case VK_RETURN:
            if (w->m_hot >= 0)
                w->Activate(w->m_hot, true);
            break;
        case VK_ESCAPE:
            if (w->m_parent_window)
                w->m_parent_window->CloseSub();
            else
                CloseAll(nullptr);
            break;
        case VK_MENU:
        case VK_F10:
            CloseAll(nullptr);
            break;
        default:
            break;
        }
        return true;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        TMenuWindow* w = Deepest();
        if (msg.wParam < 0x80)
            if (TMenuItem* item = w->m_parent_item.FindByHotkey(static_cast<char>(msg.wParam)))
                w->Activate(item->MenuIndex(), true);
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return true;
    default:
        return false;
    }
}

void TMenuWindow::HandleMouse(UINT msg, Point screen)
{
    if (m_closed)
        return;
    TMenuWindow* w = WindowAt(screen);
    if (!w) {
        if (m_host && m_host->MenuOutsideMouse(msg, screen))
            return;
        if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN)
            CloseAll(nullptr);
        else if (msg == WM_MOUSEMOVE) {
            TMenuWindow* deepest = Deepest();
            if (!deepest->m_sub)
                deepest->SetHot(-1);
        }
        return;
    }
    int index = w->IndexAt(m_ws.ScreenToClient(w->m_hwnd, screen));
    switch (msg) {
    case WM_MOUSEMOVE:
        w->SetHot(index);
        if (w->m_hot >= 0 && w->m_parent_item.Items(w->m_hot)->Count() > 0)
            w->OpenSub(w->m_hot, false);
        else if (w->m_sub && index >= 0)
            w->CloseSub();
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (index >= 0 && w->m_parent_item.Items(index)->Count() == 0)
            w->Activate(index, false);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (index >= 0 && w->m_parent_item.Items(index)->Count() > 0)
            w->Activate(index, false);
        break;
    default:
        break;
    }
}

LRESULT TMenuWindow::Proc(UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        DeviceContext* dc = m_ws.BeginPaint(m_hwnd, &ps);
        if (dc)
            Paint(dc->GetCanvas());
        m_ws.EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return 3; // MA_NOACTIVATE
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!m_parent_window) {
            Point screen = m_ws.ClientToScreen(m_hwnd, { GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam) });
            HandleMouse(msg == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN : msg, screen);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (!m_parent_window && !m_closed && reinterpret_cast<HWND>(lparam) != m_hwnd)
            CloseAll(nullptr);
        return 0;
    case kFinishMessage: {
        // The chain is closed and hidden; its host frees it when it opens
        // another or goes away, never from here.
        TMenuItem* item = m_chosen;
        m_chosen = nullptr;
        m_dead.reset();
        if (item)
            item->Click();
        return 0;
    }
    default:
        return m_ws.DefWindowProc(m_hwnd, msg, wparam, lparam);
    }
}

void TMenuWindow::Paint(Canvas& canvas)
{
    Rect client = m_ws.GetClientRect(m_hwnd);
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = SystemColors::Resolve(clMenu);
    canvas.FillRect(client);
    canvas.brush.color = SystemColors::Resolve(clBtnShadow);
    canvas.FrameRect(client);
    canvas.brush.color = SystemColors::Resolve(clBtnHighlight);
    canvas.FrameRect(client.Inflate(-1, -1));
    for (int i = 0; i < m_parent_item.Count(); ++i) {
        Rect r = ItemRect(i);
        if (r.IsEmpty())
            continue;
        int saved = canvas.SaveState();
        canvas.IntersectClipRect(r);
        canvas.font = MenuFont();
        DrawItem(canvas, *m_parent_item.Items(i), m_menu, r, i == m_hot);
        canvas.RestoreState(saved);
    }
}

}
