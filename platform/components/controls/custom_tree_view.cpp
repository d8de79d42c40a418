#include "platform/components/controls/custom_tree_view.h"

#include "platform/components/controls/control_enums.h"
#include "platform/components/controls/font.h"
#include "platform/components/props.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/system_colors.h"
#include "platform/text/gbk.h"
#include "platform/text/gbk_chars.h"
#include "platform/text/text_edit_model.h"
#include "platform/window/window_system.h"

#include <algorithm>
#include <stdexcept>

namespace pellamo {

namespace {

constexpr char kClassName[] = "PellamoTreeView";
constexpr char kEditClassName[] = "TTreeViewEdit";
constexpr uintptr_t kEditTimer = 1;
constexpr UINT VK_ADD = 0x6B;
constexpr UINT VK_SUBTRACT = 0x6D;
constexpr UINT VK_MULTIPLY = 0x6A;
constexpr UINT VK_F2 = 0x71;
constexpr size_t kMaxLabel = 255; // what the stored tree format can hold

// Whether GBK `text` starts with `prefix`, ASCII letters compared without
// case; the trail byte of a double-byte character is compared exactly (it
// may fall in the ASCII letter range).
bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size();) {
        size_t n = GbkCharLength(prefix, i);
        if (n == 2) {
            if (text[i] != prefix[i] || text[i + 1] != prefix[i + 1])
                return false;
        } else {
            unsigned char a = static_cast<unsigned char>(text[i]);
            unsigned char b = static_cast<unsigned char>(prefix[i]);
            if (a < 0x80 && b < 0x80 ? std::tolower(a) != std::tolower(b) : a != b)
                return false;
        }
        i += n;
    }
    return true;
}

void DottedHLine(Canvas& c, int x1, int x2, int y, TColor color)
{
    for (int x = x1; x < x2; ++x)
        if (((x + y) & 1) == 0)
            c.SetPixel(x, y, color);
}

void DottedVLine(Canvas& c, int x, int y1, int y2, TColor color)
{
    for (int y = y1; y < y2; ++y)
        if (((x + y) & 1) == 0)
            c.SetPixel(x, y, color);
}

}

// The in-place editor of a label: a single-line GBK text in a child window
// over the label. Enter commits, Esc cancels, losing the focus commits. The
// whole label starts selected, so typing replaces it; any other key first
// drops that selection and leaves the caret at the end.
class TCustomTreeView::LabelEdit {
public:
    LabelEdit(TCustomTreeView& view, const std::string& text, Rect bounds)
        : m_view(view)
    {
        m_model.SetText(text);
        m_model.SetMaxLength(static_cast<int>(kMaxLabel));
        m_model.SelectAll();
        WindowSystem& ws = TControl::Windows();
        if (!ws.IsClassRegistered(kEditClassName))
            ws.RegisterClass({ kEditClassName, nullptr, 0, clWindow, CursorShape::IBeam });
        CreateWindowParams p;
        p.class_name = kEditClassName;
        p.style = WS_CHILD | WS_VISIBLE | WS_BORDER;
        p.bounds = bounds;
        p.parent = view.Wnd();
        m_hwnd = ws.CreateWindowEx(p);
        ws.SetWindowProc(m_hwnd, [this](HWND, UINT msg, WPARAM w, LPARAM l) { return Proc(msg, w, l); });
        ws.SetFocus(m_hwnd);
        ws.InvalidateRect(m_hwnd, nullptr, true);
    }
    ~LabelEdit()
    {
        WindowSystem& ws = TControl::Windows();
        if (ws.IsWindow(m_hwnd)) {
            ws.SetWindowProc(m_hwnd, nullptr);
            ws.DestroyWindow(m_hwnd);
        }
    }
    HWND Handle() const { return m_hwnd; }
    const std::string& Text() const { return m_model.Text(); }

private:
    LRESULT Proc(UINT msg, WPARAM w, LPARAM l)
    {
        WindowSystem& ws = TControl::Windows();
        switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            DeviceContext* dc = ws.BeginPaint(m_hwnd, &ps);
            if (dc) {
                pellamo::Canvas& c = dc->GetCanvas();
                Rect r = ws.GetClientRect(m_hwnd);
                c.brush.color = SystemColors::Resolve(clWindow);
                c.FillRect(r);
                c.font = m_view.Font().GetFont();
                c.font.color = SystemColors::Resolve(clWindowText);
                c.brush.style = BrushStyle::Clear;
                const std::string& text = m_model.Text();
                int caret = m_model.Caret();
                c.TextOut(1, 1, text);
                int caret_x = 1 + (caret ? c.TextWidth(text.substr(0, static_cast<size_t>(caret))) : 0);
                c.brush.style = BrushStyle::Solid;
                c.brush.color = SystemColors::Resolve(clWindowText);
                c.FillRect({ caret_x, 1, caret_x + 1, r.bottom - 1 });
            }
            ws.EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_KEYDOWN:
            switch (w) {
            case VK_RETURN:
                m_view.EndEdit(true); // destroys this editor
                return 0;
            case VK_ESCAPE:
                m_view.EndEdit(false);
                return 0;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_HOME:
            case VK_END:
            case VK_DELETE:
            case VK_BACK:
                m_model.Collapse();
                break;
            default:
                return 0;
            }
            switch (w) {
            case VK_LEFT:
                m_model.MoveLeft(false);
                break;
            case VK_RIGHT:
                m_model.MoveRight(false);
                break;
            case VK_HOME:
                m_model.MoveTo(0, false);
                break;
            case VK_END:
                m_model.MoveTo(static_cast<int>(m_model.Text().size()), false);
                break;
            case VK_DELETE:
                m_model.DeleteForward();
                break;
            default: // VK_BACK
                m_model.Backspace();
                break;
            }
            ws.InvalidateRect(m_hwnd, nullptr, true);
            return 0;
        case WM_CHAR: {
            if (w < 0x20)
                return 0;
            std::string piece = TypedUnitToGbk(m_high, static_cast<char16_t>(w));
            if (piece.empty())
                return 0;
            m_model.Replace(piece, true); // a character that does not fit is dropped
            ws.InvalidateRect(m_hwnd, nullptr, true);
            return 0;
        }
        case WM_KILLFOCUS:
            m_view.EndEdit(true);
            return 0;
        default:
            return ws.DefWindowProc(m_hwnd, msg, w, l);
        }
    }

    TCustomTreeView& m_view;
    HWND m_hwnd = nullptr;
    TextEditModel m_model;
    char16_t m_high = 0;
};

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TCustomControl(owner)
    , m_items(this, this)
{
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    TControlStyle style = ControlStyle();
    style.Include(csOpaque);
    style.Include(csDoubleClicks);
    style.Exclude(csCaptureMouse);
    SetControlStyle(style);
    SetTabStop(true);
}

TCustomTreeView::~TCustomTreeView()
{
    *m_alive = false;
    m_edit.reset();
}

const ClassInfo& TCustomTreeView::StaticClass()
{
    using V = TCustomTreeView;
    static const ClassInfo info("TCustomTreeView", &TCustomControl::StaticClass(),
        {
            props::Bool<V>("AutoExpand", &V::AutoExpand, &V::SetAutoExpand),
            props::Enum<V>("BorderStyle", BorderStyleNames(), &V::BorderStyle, &V::SetBorderStyle),
            props::Int<V>("ChangeDelay", &V::ChangeDelay, &V::SetChangeDelay),
            props::Bool<V>("HideSelection", &V::HideSelection, &V::SetHideSelection),
            props::Bool<V>("HotTrack", &V::HotTrack, &V::SetHotTrack),
            props::Int<V>("Indent", &V::Indent, &V::SetIndent),
            props::Bool<V>("ReadOnly", &V::ReadOnly, &V::SetReadOnly),
            props::Bool<V>("RightClickSelect", &V::RightClickSelect, &V::SetRightClickSelect),
            props::Bool<V>("RowSelect", &V::RowSelect, &V::SetRowSelect),
            props::Bool<V>("ShowButtons", &V::ShowButtons, &V::SetShowButtons),
            props::Bool<V>("ShowLines", &V::ShowLines, &V::SetShowLines),
            props::Bool<V>("ShowRoot", &V::ShowRoot, &V::SetShowRoot),
            props::Bool<V>("ToolTips", &V::ToolTips, &V::SetToolTips),
            props::Event<V>("OnChange", &V::OnChange),
            props::Event<V>("OnChanging", &V::OnChanging),
            props::Event<V>("OnCollapsed", &V::OnCollapsed),
            props::Event<V>("OnCollapsing", &V::OnCollapsing),
            props::Event<V>("OnEdited", &V::OnEdited),
            props::Event<V>("OnEditing", &V::OnEditing),
            props::Event<V>("OnExpanded", &V::OnExpanded),
            props::Event<V>("OnExpanding", &V::OnExpanding),
            props::Object<V>("Items", [](V& v) -> TTreeNodes& { return v.m_items; }),
        });
    return info;
}

void TCustomTreeView::Loaded()
{
    TCustomControl::Loaded();
    UpdateScrollInfo();
    Invalidate();
}

// ---- window ----

void TCustomTreeView::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.class_name = kClassName;
    params.style |= WS_TABSTOP | WS_CLIPCHILDREN;
    if (m_border_style == TBorderStyle::bsSingle)
        params.ex_style |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWindowHandle()
{
    TCustomControl::CreateWindowHandle();
    UpdateScrollInfo();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle style)
{
    if (style == m_border_style)
        return;
    m_border_style = style;
    if (HWND h = Wnd()) {
        WindowSystem& ws = Windows();
        DWORD ex = ws.GetExStyle(h);
        ws.SetExStyle(h, style == TBorderStyle::bsSingle ? ex | WS_EX_CLIENTEDGE : ex & ~WS_EX_CLIENTEDGE);
        ws.SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        UpdateScrollInfo();
        Invalidate();
    }
}

void TCustomTreeView::FontChanged()
{
    m_item_height = 0;
    m_label_widths.clear();
    TCustomControl::FontChanged();
    UpdateScrollInfo();
}

void TCustomTreeView::SetIndent(int indent)
{
    m_indent = std::clamp(indent, 0, 255);
    UpdateScrollInfo();
    Invalidate();
}

// ---- rows ----

int TCustomTreeView::ItemHeight() const
{
    if (m_item_height > 0)
        return m_item_height;
    Bitmap scratch(1, 1);
    pellamo::Canvas c(scratch);
    c.font = Font().GetFont();
    int h = c.TextHeight("Wg") + 2;
    if (m_images)
        h = std::max(h, m_images->Height());
    m_item_height = std::max(h, 16);
    return m_item_height;
}

int TCustomTreeView::VisibleRowCount() const { return std::max(0, ClientHeight() / ItemHeight()); }

int TCustomTreeView::RowOf(const TTreeNode* node) const
{
    if (!node || !node->IsVisible())
        return -1;
    int row = 0;
    for (TTreeNode* n = m_items.GetFirstNode(); n; n = n->GetNextVisible(), ++row)
        if (n == node)
            return row;
    return -1;
}

TTreeNode* TCustomTreeView::NodeAtRow(int row) const
{
    if (row < 0)
        return nullptr;
    TTreeNode* n = m_items.GetFirstNode();
    for (int i = 0; n && i < row; ++i)
        n = n->GetNextVisible();
    return n;
}

int TCustomTreeView::VisibleCount() const
{
    int count = 0;
    for (TTreeNode* n = m_items.GetFirstNode(); n; n = n->GetNextVisible())
        ++count;
    return count;
}

int TCustomTreeView::MaxTop() const { return std::max(0, VisibleCount() - std::max(1, VisibleRowCount())); }

int TCustomTreeView::ContentWidth() const
{
    int widest = 0;
    for (TTreeNode* n = m_items.GetFirstNode(); n; n = n->GetNextVisible())
        widest = std::max(widest, LabelLeft(n) + LabelWidth(n));
    return widest;
}

int TCustomTreeView::MaxLeft() const { return std::max(0, ContentWidth() - ClientWidth()); }

void TCustomTreeView::ScrollTo(int top)
{
    top = std::clamp(top, 0, MaxTop());
    if (top == m_top)
        return;
    m_top = top;
    UpdateScrollInfo();
    Invalidate();
}

void TCustomTreeView::SetHorzOffset(int x)
{
    x = std::clamp(x, 0, MaxLeft());
    if (x == m_left)
        return;
    m_left = x;
    if (m_edit)
        EndEdit(true); // the editor would stay where the label was
    UpdateScrollInfo();
    Invalidate();
}

void TCustomTreeView::SetScrollBar(int bar)
{
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    if (bar == SB_VERT) {
        si.nMax = std::max(0, VisibleCount() - 1);
        si.nPage = static_cast<UINT>(std::max(1, VisibleRowCount()));
        si.nPos = m_top;
    } else {
        si.nMax = std::max(0, ContentWidth() - 1);
        si.nPage = static_cast<UINT>(std::max(1, ClientWidth()));
        si.nPos = m_left;
    }
    Windows().SetScrollInfo(Wnd(), bar, si, true);
}

void TCustomTreeView::UpdateScrollInfo()
{
    m_top = std::clamp(m_top, 0, MaxTop());
    m_left = std::clamp(m_left, 0, MaxLeft());
    if (!Wnd())
        return;
    // A bar that comes or goes resizes the client area, which may call for
    // the other bar: a few rounds settle it.
    if (m_scroll_depth > 2)
        return;
    ++m_scroll_depth;
    for (int round = 0; round < 3; ++round) {
        Rect client = ClientRect();
        SetScrollBar(SB_VERT);
        SetScrollBar(SB_HORZ);
        if (ClientRect() == client)
            break;
    }
    --m_scroll_depth;
    // The page may have changed with a bar or a new border: keep the
    // positions valid.
    int max_top = MaxTop();
    int max_left = MaxLeft();
    if (m_top > max_top || m_left > max_left) {
        m_top = std::min(m_top, max_top);
        m_left = std::min(m_left, max_left);
        SCROLLINFO si;
        si.fMask = SIF_POS;
        si.nPos = m_top;
        Windows().SetScrollInfo(Wnd(), SB_VERT, si, true);
        si.nPos = m_left;
        Windows().SetScrollInfo(Wnd(), SB_HORZ, si, true);
    }
}

TTreeNode* TCustomTreeView::TopItem() const { return NodeAtRow(m_top); }

void TCustomTreeView::SetTopItem(TTreeNode* node)
{
    int row = RowOf(node);
    if (row >= 0)
        ScrollTo(row);
}

void TCustomTreeView::MakeVisible(TTreeNode* node)
{
    if (!node)
        return;
    for (TTreeNode* p = node->Parent(); p; p = p->Parent())
        if (!p->Expanded())
            ExpandNode(p, true);
    int row = RowOf(node);
    if (row < 0)
        return;
    int page = std::max(1, VisibleRowCount());
    if (row < m_top)
        ScrollTo(row);
    else if (row >= m_top + page)
        ScrollTo(row - page + 1);
    // Sideways the label's end comes into view, then the row's start (its
    // button), which wins when the two do not fit together.
    int left = m_left;
    int row_left = std::max(0, (node->Level() + (m_show_root ? 1 : 0) - 1) * m_indent);
    int label_right = LabelLeft(node) + LabelWidth(node);
    if (label_right - left > ClientWidth())
        left = label_right - ClientWidth();
    if (row_left < left)
        left = row_left;
    SetHorzOffset(left);
}

int TCustomTreeView::LabelLeft(const TTreeNode* node) const
{
    int columns = node->Level() + (m_show_root ? 1 : 0);
    int x = columns * m_indent;
    if (m_images)
        x += m_images->Width() + 2;
    return x;
}

int TCustomTreeView::LabelWidth(const TTreeNode* node) const
{
    // Measured once per label: the widest row is looked for after every change.
    auto it = m_label_widths.find(node->Text());
    if (it != m_label_widths.end())
        return it->second;
    if (m_label_widths.size() > (1u << 18))
        m_label_widths.clear();
    Bitmap scratch(1, 1);
    pellamo::Canvas c(scratch);
    c.font = Font().GetFont();
    int width = c.TextWidth(node->Text()) + 4;
    m_label_widths.emplace(node->Text(), width);
    return width;
}

Rect TCustomTreeView::DisplayRect(const TTreeNode* node, bool text_only) const
{
    int row = RowOf(node);
    if (row < m_top || row >= m_top + VisibleRowCount() + 1)
        return {};
    int h = ItemHeight();
    int y = (row - m_top) * h;
    if (!text_only) {
        return { 0, y, ClientWidth(), y + h };
    }
    int x = LabelLeft(node) - m_left;
    return { x, y, x + LabelWidth(node), y + h };
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const
{
    if (y < 0 || x < 0)
        return nullptr;
    return NodeAtRow(m_top + y / ItemHeight());
}

THitTest TCustomTreeView::GetHitTest(int x, int y) const
{
    TTreeNode* node = GetNodeAt(x, y);
    if (!node)
        return THitTest::htNowhere;
    x += m_left; // from the client area to the rows' own coordinates
    int columns = node->Level() + (m_show_root ? 1 : 0);
    int button_left = (columns - 1) * m_indent;
    if (m_show_buttons && columns > 0 && node->HasChildren() && x >= button_left && x < button_left + m_indent)
        return THitTest::htOnButton;
    int label = LabelLeft(node);
    if (x < columns * m_indent)
        return THitTest::htOnIndent;
    if (x < label)
        return THitTest::htOnIcon;
    if (x < label + LabelWidth(node))
        return THitTest::htOnLabel;
    return THitTest::htOnRight;
}

// ---- selection and expansion ----

void TCustomTreeView::SetSelected(TTreeNode* node)
{
    if (node && node->Owner() != &m_items)
        throw std::invalid_argument("Tree node belongs to another tree");
    if (node == m_selected) {
        MakeVisible(node);
        return;
    }
    if (m_edit)
        EndEdit(true);
    m_selected = node;
    MakeVisible(node);
    Invalidate();
    OnChange(this, node);
}

void TCustomTreeView::SelectByUser(TTreeNode* node)
{
    if (!node || node == m_selected) {
        MakeVisible(node);
        return;
    }
    bool allow = true;
    OnChanging(this, node, allow);
    if (allow)
        SetSelected(node);
}

bool TCustomTreeView::ExpandNode(TTreeNode* node, bool expand)
{
    if (!node || node->Expanded() == expand)
        return true;
    bool allow = true;
    if (expand)
        OnExpanding(this, node, allow);
    else
        OnCollapsing(this, node, allow);
    if (!allow)
        return false;
    node->SetExpanded(expand); // comes back through NodeExpansionChanged
    if (expand)
        OnExpanded(this, node);
    else
        OnCollapsed(this, node);
    return true;
}

bool TCustomTreeView::ToggleNode(TTreeNode* node)
{
    return node && node->HasChildren() && ExpandNode(node, !node->Expanded());
}

void TCustomTreeView::NodesChanged()
{
    UpdateScrollInfo();
    Invalidate();
    ItemsChanged();
}

void TCustomTreeView::NodeDeleting(TTreeNode* node)
{
    if (m_edit_node && node->IsAncestorOf(m_edit_node))
        EndEdit(false);
    if (m_edit_pending && node->IsAncestorOf(m_edit_pending))
        m_edit_pending = nullptr;
    if (m_selected && node->IsAncestorOf(m_selected))
        m_selected = nullptr;
}

void TCustomTreeView::NodeExpansionChanged(TTreeNode* node)
{
    // A collapse that hides the selection moves it to the collapsed node.
    if (!node->Expanded() && m_selected && m_selected != node && node->IsAncestorOf(m_selected))
        SetSelected(node);
    UpdateScrollInfo();
    Invalidate();
    ItemsChanged();
}

// ---- editing ----

bool TCustomTreeView::EditText(TTreeNode* node)
{
    if (!node || m_read_only || !Wnd() || node->Owner() != &m_items)
        return false;
    if (m_edit)
        EndEdit(true);
    bool allow = true;
    OnEditing(this, node, allow);
    if (!allow)
        return false;
    MakeVisible(node);
    Rect label = DisplayRect(node, true);
    if (label.IsEmpty())
        return false;
    Rect client = ClientRect();
    Rect bounds { label.left, label.top, std::min(client.right, std::max(label.right + 16, label.left + 64)),
        label.bottom };
    m_edit_node = node;
    m_edit = std::make_unique<LabelEdit>(*this, node->Text(), bounds);
    return true;
}

void TCustomTreeView::EndEdit(bool commit)
{
    if (!m_edit)
        return;
    std::unique_ptr<LabelEdit> edit = std::move(m_edit);
    TTreeNode* node = m_edit_node;
    m_edit_node = nullptr;
    std::string text = edit->Text();
    bool had_focus = Windows().GetFocus() == edit->Handle();
    edit.reset();
    if (had_focus)
        SetFocus();
    if (commit && node) {
        OnEdited(this, node, text);
        if (text.size() > kMaxLabel) {
            // Cut at a character boundary, never inside a double-byte character.
            size_t keep = 0;
            while (keep < text.size() && keep + GbkCharLength(text, keep) <= kMaxLabel)
                keep += GbkCharLength(text, keep);
            text.resize(keep);
        }
        node->SetText(text);
    }
    Invalidate();
}

HWND TCustomTreeView::EditHandle() const { return m_edit ? m_edit->Handle() : nullptr; }

// ---- input ----

void TCustomTreeView::Navigate(UINT vk)
{
    TTreeNode* sel = m_selected;
    TTreeNode* first = m_items.GetFirstNode();
    if (!first)
        return;
    int page = std::max(1, VisibleRowCount() - 1);
    switch (vk) {
    case VK_UP:
        SelectByUser(sel ? (sel->GetPrevVisible() ? sel->GetPrevVisible() : sel) : first);
        break;
    case VK_DOWN:
        SelectByUser(sel ? (sel->GetNextVisible() ? sel->GetNextVisible() : sel) : first);
        break;
    case VK_HOME:
        SelectByUser(first);
        break;
    case VK_END:
        SelectByUser(NodeAtRow(VisibleCount() - 1));
        break;
    case VK_PRIOR:
        SelectByUser(NodeAtRow(std::max(0, (sel ? RowOf(sel) : 0) - page)));
        break;
    case VK_NEXT:
        SelectByUser(NodeAtRow(std::min(VisibleCount() - 1, (sel ? RowOf(sel) : 0) + page)));
        break;
    case VK_LEFT:
        if (!sel)
            SelectByUser(first);
        else if (sel->Expanded() && sel->HasChildren())
            ExpandNode(sel, false);
        else if (sel->Parent())
            SelectByUser(sel->Parent());
        else
            SetHorzOffset(m_left - ItemHeight()); // nowhere to go: the view moves
        break;
    case VK_RIGHT:
        if (!sel)
            SelectByUser(first);
        else if (sel->HasChildren() && !sel->Expanded())
            ExpandNode(sel, true);
        else if (sel->HasChildren())
            SelectByUser(sel->GetFirstChild());
        else
            SetHorzOffset(m_left + ItemHeight());
        break;
    case VK_ADD:
        if (sel && sel->HasChildren())
            ExpandNode(sel, true);
        break;
    case VK_SUBTRACT:
        if (sel)
            ExpandNode(sel, false);
        break;
    case VK_MULTIPLY:
        if (sel) {
            for (TTreeNode* n = sel; n && sel->IsAncestorOf(n); n = n->GetNext())
                if (n->HasChildren())
                    ExpandNode(n, true);
        }
        break;
    case VK_F2:
        EditText(sel);
        break;
    default:
        break;
    }
}

void TCustomTreeView::CharInput(std::string gbk)
{
    if (gbk == "+" || gbk == "-") {
        Navigate(gbk == "+" ? VK_ADD : VK_SUBTRACT);
        return;
    }
    if (gbk == "*") {
        Navigate(VK_MULTIPLY);
        return;
    }
    auto now = Clock();
    if (m_typed.empty() || now - m_typed_at > kTypeAheadPause)
        m_typed.clear();
    m_typed_at = now;
    bool fresh = m_typed.empty();
    if (m_typed.size() + gbk.size() > kMaxLabel)
        return; // longer than any label: nothing can match
    m_typed += gbk;
    TTreeNode* first = m_items.GetFirstNode();
    if (!first)
        return;
    // A new search starts after the selection; a longer prefix may still
    // match the selection itself. One walk over the visible rows, wrapping.
    TTreeNode* start = m_selected && m_selected->IsVisible() ? m_selected : nullptr;
    TTreeNode* from = !start ? first : fresh ? start->GetNextVisible() : start;
    if (!from)
        from = first;
    TTreeNode* n = from;
    do {
        if (StartsWithNoCase(n->Text(), m_typed)) {
            SelectByUser(n);
            return;
        }
        n = n->GetNextVisible();
        if (!n)
            n = first;
    } while (n != from);
}

void TCustomTreeView::LeftButtonDown(int x, int y, bool dbl)
{
    WindowSystem& ws = Windows();
    bool was_focused = Focused();
    if (!was_focused && CanFocus())
        SetFocus();
    TTreeNode* node = GetNodeAt(x, y);
    THitTest hit = GetHitTest(x, y);
    if (!node)
        return;
    if (hit == THitTest::htOnButton) {
        ToggleNode(node);
        return;
    }
    bool on_item = hit == THitTest::htOnLabel || hit == THitTest::htOnIcon || m_row_select;
    if (!on_item)
        return;
    if (dbl) {
        ws.KillTimer(Wnd(), kEditTimer);
        m_edit_pending = nullptr;
        ToggleNode(node);
        return;
    }
    if (node == m_selected && was_focused && !m_read_only && hit == THitTest::htOnLabel) {
        // A slow second click on the selected label edits it.
        m_edit_pending = node;
        ws.SetTimer(Wnd(), kEditTimer, kEditDelay);
    } else {
        SelectByUser(node);
    }
}

void TCustomTreeView::KeyDown(UINT& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift); // OnKeyDown may take the key
    if (key == 0)
        return;
    Navigate(key);
    m_swallow_char = key == VK_ADD || key == VK_SUBTRACT || key == VK_MULTIPLY;
}

void TCustomTreeView::KeyPress(char16_t& key)
{
    TCustomControl::KeyPress(key);
    bool swallow = m_swallow_char;
    m_swallow_char = false;
    if (swallow && (key == u'+' || key == u'-' || key == u'*'))
        return; // the numeric-pad key did it already
    if (key < 0x20)
        return;
    std::string gbk = TypedUnitToGbk(m_high_surrogate, key);
    if (!gbk.empty())
        CharInput(gbk);
}

void TCustomTreeView::WndProc(TMessage& message)
{
    WindowSystem& ws = Windows();
    switch (message.Msg) {
    case WM_SIZE:
        TCustomControl::WndProc(message);
        UpdateScrollInfo();
        Invalidate();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(message);
        Invalidate();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        std::shared_ptr<bool> alive = m_alive;
        LeftButtonDown(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam), message.Msg == WM_LBUTTONDBLCLK);
        if (*alive) // OnChange may have freed the view
            TCustomControl::WndProc(message);
        return;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (m_right_click_select) {
            TTreeNode* node = GetNodeAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
            THitTest hit = GetHitTest(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
            if (node && (hit == THitTest::htOnLabel || hit == THitTest::htOnIcon || m_row_select)) {
                std::shared_ptr<bool> alive = m_alive;
                SelectByUser(node);
                if (!*alive)
                    return;
            }
        }
        break;
    case WM_TIMER:
        if (message.WParam == kEditTimer) {
            ws.KillTimer(Wnd(), kEditTimer);
            TTreeNode* node = m_edit_pending;
            m_edit_pending = nullptr;
            if (node && node == m_selected && Focused())
                EditText(node);
            message.Result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL: {
        m_wheel_rest += static_cast<int16_t>(HIWORD(message.WParam));
        int notches = m_wheel_rest / WHEEL_DELTA;
        m_wheel_rest -= notches * WHEEL_DELTA;
        // With Shift the wheel scrolls sideways, turned away to the right.
        if (notches && (LOWORD(message.WParam) & MK_SHIFT))
            SetHorzOffset(m_left - notches * 3 * ItemHeight());
        else if (notches)
            ScrollTo(m_top - notches * 3);
        message.Result = 0;
        return;
    }
    case WM_HSCROLL:
        // As the platform's tree view: a line is a row's height, a page the
        // client area's width.
        SetHorzOffset(
            ScrollTarget(SB_HORZ, message.WParam, m_left, ItemHeight(), std::max(1, ClientWidth()), MaxLeft()));
        message.Result = 0;
        return;
    case WM_VSCROLL:
        // Rows by one, pages by the whole rows that fit.
        ScrollTo(ScrollTarget(SB_VERT, message.WParam, m_top, 1, std::max(1, VisibleRowCount()), MaxTop()));
        message.Result = 0;
        return;
    case WM_DESTROY:
        m_edit.reset();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

int TCustomTreeView::ScrollTarget(int bar, WPARAM request, int pos, int line, int page, int max) const
{
    switch (LOWORD(request)) {
    case SB_LINEUP: // SB_LINELEFT
        return pos - line;
    case SB_LINEDOWN: // SB_LINERIGHT
        return pos + line;
    case SB_PAGEUP: // SB_PAGELEFT
        return pos - page;
    case SB_PAGEDOWN: // SB_PAGERIGHT
        return pos + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return Wnd() ? Windows().ThumbPosition(Wnd(), bar, request) : HIWORD(request);
    case SB_TOP: // SB_LEFT
        return 0;
    case SB_BOTTOM: // SB_RIGHT
        return max;
    default:
        return pos;
    }
}

// ---- painting ----

void TCustomTreeView::Paint() { PaintRows(Canvas()); }

void TCustomTreeView::PaintRows(pellamo::Canvas& canvas)
{
    Rect client = ClientRect();
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = SystemColors::Resolve(Color());
    canvas.FillRect(client);
    canvas.font = Font().GetFont();
    int h = ItemHeight();
    int rows = client.Height() / h + 1;
    // Rows are drawn in their own coordinates, shifted by the sideways scroll.
    int saved = canvas.SaveState();
    canvas.OffsetViewportOrigin(-m_left, 0);
    TTreeNode* node = NodeAtRow(m_top);
    for (int row = 0; node && row < rows; ++row, node = node->GetNextVisible())
        PaintNode(canvas, node, row);
    canvas.RestoreState(saved);
}

void TCustomTreeView::PaintNode(pellamo::Canvas& c, TTreeNode* node, int row)
{
    const int h = ItemHeight();
    const int y = row * h;
    const int mid = y + h / 2;
    const int columns = node->Level() + (m_show_root ? 1 : 0);
    const TColor line_color = SystemColors::Resolve(clGrayText);

    if (m_show_lines && m_indent > 0) {
        // Lines of the ancestors that have siblings further down.
        int col = columns - 2;
        for (TTreeNode* a = node->Parent(); a && col >= 0; a = a->Parent(), --col)
            if (a->GetNextSibling())
                DottedVLine(c, col * m_indent + m_indent / 2, y, y + h, line_color);
        if (columns > 0) {
            int x = (columns - 1) * m_indent + m_indent / 2;
            bool first_of_all = !node->Parent() && !node->GetPrevSibling();
            DottedVLine(c, x, first_of_all ? mid : y, node->GetNextSibling() ? y + h : mid + 1, line_color);
            DottedHLine(c, x, columns * m_indent, mid, line_color);
        }
    }
    if (m_show_buttons && columns > 0 && node->HasChildren()) {
        int cx = (columns - 1) * m_indent + m_indent / 2;
        Rect box { cx - 4, mid - 4, cx + 5, mid + 5 };
        c.brush.color = SystemColors::Resolve(Color());
        c.FillRect(box);
        c.brush.color = SystemColors::Resolve(clBtnShadow);
        c.FrameRect(box);
        c.brush.color = SystemColors::Resolve(clWindowText);
        c.FillRect({ cx - 2, mid, cx + 3, mid + 1 });
        if (!node->Expanded())
            c.FillRect({ cx, mid - 2, cx + 1, mid + 3 });
    }
    if (m_images) {
        bool sel = node == m_selected;
        int index = sel ? node->SelectedIndex : node->ImageIndex;
        if (index >= 0 && index < m_images->Count())
            m_images->Draw(c, columns * m_indent, y + (h - m_images->Height()) / 2, index, Enabled());
    }

    int x = LabelLeft(node);
    Rect label { x, y, x + LabelWidth(node), y + h };
    bool selected = node == m_selected;
    bool focused = Focused() || (m_edit && m_edit_node == node);
    TColor text_color = Enabled() ? Font().GetFont().color : clGrayText;
    if (selected && (focused || !m_hide_selection)) {
        Rect fill = m_row_select ? Rect { m_left, y, m_left + ClientWidth(), y + h } : label;
        c.brush.color = SystemColors::Resolve(focused ? clHighlight : clBtnFace);
        c.FillRect(fill);
        if (focused)
            text_color = clHighlightText;
    }
    c.brush.style = BrushStyle::Clear;
    c.font.color = SystemColors::Resolve(text_color);
    int th = c.TextHeight(node->Text().empty() ? std::string("W") : node->Text());
    c.TextOut(x + 2, y + (h - th) / 2, node->Text());
    c.brush.style = BrushStyle::Solid;
    if (selected && focused)
        c.DrawFocusRect(label);
}

}
