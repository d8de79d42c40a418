#include "platform/components/controls/check_list_box.h"

#include "platform/components/props.h"
#include "platform/window/window_system.h"

#include <stdexcept>

namespace pellamo {

namespace {

constexpr int kBoxSize = 13;

}

TCheckListBox::TCheckListBox(TComponent* owner)
    : TCustomControl(owner)
{
    // Quick clicks on a box toggle it each time.
    control_style_ = { csCaptureMouse, csClickEvents, csSetCaption, csOpaque };
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    items_.OnChange = [this](TObject*) { ItemsChanged(); };
}

TCheckListBox::~TCheckListBox() { items_.OnChange.Clear(); }

const ClassInfo& TCheckListBox::StaticClass()
{
    static const ClassInfo info("TCheckListBox", &TCustomControl::StaticClass(),
        {
            props::Enum<TCheckListBox>(
                "BorderStyle", BorderStyleNames(), &TCheckListBox::BorderStyle, &TCheckListBox::SetBorderStyle),
            props::Int<TCheckListBox>("ItemHeight", &TCheckListBox::ItemHeight, &TCheckListBox::SetItemHeight),
            props::Object<TCheckListBox>("Items", [](TCheckListBox& c) -> TStringList& { return c.items_; }),
            props::Event<TCheckListBox>("OnClickCheck", &TCheckListBox::OnClickCheck),
        },
        FactoryOf<TCheckListBox>());
    return info;
}

void TCheckListBox::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.style |= WS_VSCROLL;
    if (border_style_ == TBorderStyle::bsSingle)
        params.ex_style |= WS_EX_CLIENTEDGE;
}

void TCheckListBox::CreateWindowHandle()
{
    TCustomControl::CreateWindowHandle();
    UpdateScrollBar();
}

bool TCheckListBox::Checked(int index) const
{
    if (index < 0 || index >= items_.Count())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return checked_[static_cast<size_t>(index)];
}

void TCheckListBox::SetChecked(int index, bool checked)
{
    Checked(index); // range check
    checked_[static_cast<size_t>(index)] = checked;
    Invalidate();
}

void TCheckListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= items_.Count())
        index = -1;
    item_index_ = index;
    MakeVisible(index);
    Invalidate();
}

void TCheckListBox::SetItemHeight(int height)
{
    item_height_ = std::max(1, height);
    UpdateScrollBar();
    Invalidate();
}

int TCheckListBox::VisibleCount() const { return std::max(1, ClientHeight() / item_height_); }

void TCheckListBox::SetTopIndex(int index)
{
    int top = std::clamp(index, 0, std::max(0, items_.Count() - VisibleCount()));
    if (top == top_index_)
        return;
    top_index_ = top;
    UpdateScrollBar();
    Invalidate();
}

void TCheckListBox::MakeVisible(int index)
{
    if (index < 0)
        return;
    if (index < top_index_)
        SetTopIndex(index);
    else if (index >= top_index_ + VisibleCount())
        SetTopIndex(index - VisibleCount() + 1);
}

void TCheckListBox::ItemsChanged()
{
    checked_.resize(static_cast<size_t>(items_.Count()), false);
    if (item_index_ >= items_.Count())
        item_index_ = items_.Count() - 1;
    top_index_ = std::clamp(top_index_, 0, std::max(0, items_.Count() - VisibleCount()));
    UpdateScrollBar();
    Invalidate();
}

void TCheckListBox::UpdateScrollBar()
{
    if (!HandleAllocated())
        return;
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = std::max(0, items_.Count() - 1);
    si.nPage = static_cast<UINT>(VisibleCount());
    si.nPos = top_index_;
    Windows().SetScrollInfo(HandleOrNull(), SB_VERT, si, true);
}

void TCheckListBox::Resize()
{
    UpdateScrollBar();
    TCustomControl::Resize();
}

Rect TCheckListBox::ItemRect(int index) const
{
    return Rect::FromSize(0, (index - top_index_) * item_height_, ClientWidth(), item_height_);
}

int TCheckListBox::ItemAtPos(Point p) const
{
    if (p.y < 0 || p.x < 0 || p.x >= ClientWidth())
        return -1;
    int index = top_index_ + p.y / item_height_;
    return index < items_.Count() ? index : -1;
}

void TCheckListBox::Toggle(int index)
{
    if (index < 0 || index >= items_.Count() || !Enabled())
        return;
    checked_[static_cast<size_t>(index)] = !checked_[static_cast<size_t>(index)];
    Invalidate();
    OnClickCheck(this);
}

void TCheckListBox::KeyDown(UINT& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    int n = items_.Count();
    if (n == 0)
        return;
    int i = item_index_;
    switch (key) {
    case VK_UP:
        i = std::max(0, i - 1);
        break;
    case VK_DOWN:
        i = std::min(n - 1, i + 1);
        break;
    case VK_HOME:
        i = 0;
        break;
    case VK_END:
        i = n - 1;
        break;
    case VK_PRIOR:
        i = std::max(0, i - VisibleCount());
        break;
    case VK_NEXT:
        i = std::min(n - 1, i + VisibleCount());
        break;
    case VK_SPACE:
        Toggle(item_index_);
        return;
    default:
        return;
    }
    if (i != item_index_) {
        SetItemIndex(i);
        Click();
    }
}

void TCheckListBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN: {
        if (CanFocus() && !Focused())
            SetFocus();
        Point p { GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam) };
        int index = ItemAtPos(p);
        if (index >= 0) {
            if (p.x < kBoxSize + 4)
                Toggle(index);
            if (index != item_index_)
                SetItemIndex(index);
        }
        TCustomControl::WndProc(message);
        return;
    }
    case WM_VSCROLL: {
        int code = LOWORD(message.WParam);
        int top = top_index_;
        if (code == SB_LINEUP)
            --top;
        else if (code == SB_LINEDOWN)
            ++top;
        else if (code == SB_PAGEUP)
            top -= VisibleCount();
        else if (code == SB_PAGEDOWN)
            top += VisibleCount();
        else if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)
            top = static_cast<int16_t>(HIWORD(message.WParam));
        else if (code == SB_TOP)
            top = 0;
        else if (code == SB_BOTTOM)
            top = items_.Count();
        SetTopIndex(top);
        message.Result = 0;
        return;
    }
    case WM_MOUSEWHEEL:
        SetTopIndex(top_index_ - static_cast<int16_t>(HIWORD(message.WParam)) / WHEEL_DELTA * 3);
        message.Result = 0;
        return;
    default:
        TCustomControl::WndProc(message);
    }
}

void TCheckListBox::Paint()
{
    pellamo::Canvas& c = Canvas();
    c.brush = SolidBrush(Color());
    c.FillRect(ClientRect());
    c.font = Font().GetFont();
    for (int i = top_index_; i < items_.Count(); ++i) {
        Rect r = ItemRect(i);
        if (r.top >= ClientHeight())
            break;
        bool selected = i == item_index_;
        Rect text = { r.left + kBoxSize + 6, r.top, r.right, r.bottom };
        if (selected) {
            c.brush = SolidBrush(clHighlight);
            c.FillRect(text);
        }
        Rect box = Rect::FromSize(r.left + 2, r.top + (r.Height() - kBoxSize) / 2, kBoxSize, kBoxSize);
        c.brush = SolidBrush(clWindow);
        c.FillRect(box);
        c.brush = SolidBrush(clBtnShadow);
        c.FrameRect(box);
        if (checked_[static_cast<size_t>(i)]) {
            // A tick: two strokes.
            c.pen.color = clWindowText;
            c.MoveTo(box.left + 3, box.top + 6);
            c.LineTo(box.left + 5, box.top + 8);
            c.LineTo(box.left + 10, box.top + 3);
            c.MoveTo(box.left + 3, box.top + 7);
            c.LineTo(box.left + 5, box.top + 9);
            c.LineTo(box.left + 10, box.top + 4);
        }
        c.brush.style = BrushStyle::Clear;
        c.font.color = selected ? clHighlightText : (Enabled() ? Font().Color() : clGrayText);
        Rect tr = text.Inflate(-2, 0);
        c.DrawText(items_.Get(i), tr, kTextSingleLine | kTextVCenter | kTextNoPrefix);
        if (selected && Focused())
            c.DrawFocusRect(text);
    }
}

}
