#include "chooser/file_list.h"

#include "platform/components/class_info.h"
#include "platform/gfx/system_colors.h"

#include <algorithm>
#include <cctype>

namespace pellamo {

namespace {

// Column edges, from the right: the date, then the size.
constexpr int kDateWidth = 118;
constexpr int kSizeWidth = 76;
constexpr int kTextInset = 4;

// The header's texts, "名称", "大小", "修改日期".
constexpr const char* kNameTitle = "\xE5\x90\x8D\xE7\xA7\xB0";
constexpr const char* kSizeTitle = "\xE5\xA4\xA7\xE5\xB0\x8F";
constexpr const char* kDateTitle = "\xE4\xBF\xAE\xE6\x94\xB9\xE6\x97\xA5\xE6\x9C\x9F";

}

TFileList::TFileList(TComponent* owner)
    : TCustomControl(owner)
{
    SetTabStop(true);
    SetColor(clWindow);
}

const ClassInfo& TFileList::StaticClass()
{
    static const ClassInfo info("TFileList", &TCustomControl::StaticClass());
    return info;
}

void TFileList::SetEntries(std::vector<FolderEntry> entries)
{
    entries_ = std::move(entries);
    index_ = entries_.empty() ? -1 : 0;
    top_ = 0;
    Invalidate();
    if (OnScroll)
        OnScroll();
    if (OnSelect)
        OnSelect();
}

void TFileList::SetItemIndex(int index)
{
    index = entries_.empty() ? -1 : std::clamp(index, 0, static_cast<int>(entries_.size()) - 1);
    if (index == index_)
        return;
    index_ = index;
    ScrollIntoView();
    Invalidate();
    if (OnSelect)
        OnSelect();
}

const FolderEntry* TFileList::Selected() const
{
    return index_ >= 0 && index_ < static_cast<int>(entries_.size()) ? &entries_[static_cast<size_t>(index_)] : nullptr;
}

int TFileList::VisibleRows() const { return std::max(1, (ClientHeight() - kHeaderHeight - 2) / kRowHeight); }

void TFileList::SetTopIndex(int top)
{
    top = std::clamp(top, 0, std::max(0, static_cast<int>(entries_.size()) - VisibleRows()));
    if (top == top_)
        return;
    top_ = top;
    Invalidate();
    if (OnScroll)
        OnScroll();
}

void TFileList::ScrollIntoView()
{
    if (index_ < top_)
        SetTopIndex(index_);
    else if (index_ >= top_ + VisibleRows())
        SetTopIndex(index_ - VisibleRows() + 1);
}

int TFileList::RowAt(int y) const
{
    if (y < kHeaderHeight + 1)
        return -1;
    int row = top_ + (y - kHeaderHeight - 1) / kRowHeight;
    return row < static_cast<int>(entries_.size()) ? row : -1;
}

void TFileList::SetLineColor(TColor color)
{
    line_color_ = color;
    Invalidate();
}

void TFileList::Paint()
{
    pellamo::Canvas& c = Canvas();
    const Rect client = ClientRect();
    c.brush = SolidBrush(Color());
    c.FillRect(client);
    c.font = Font().GetFont();
    const int right = client.right - 1;
    const int size_left = right - kDateWidth - kSizeWidth;
    const int date_left = right - kDateWidth;
    auto cell = [&](const std::string& text, int left, int cell_right, int top, int height, unsigned align) {
        Rect r { left + kTextInset, top, cell_right - kTextInset, top + height };
        c.DrawTextUtf8(text, r, align | kTextSingleLine | kTextVCenter | kTextNoPrefix | kTextEndEllipsis);
    };

    // The header, in the face colour with lines below and between.
    c.brush = SolidBrush(clBtnFace);
    c.FillRect({ 1, 1, right, kHeaderHeight });
    c.brush.style = BrushStyle::Clear;
    c.font.color = SystemColors::Resolve(clWindowText);
    cell(kNameTitle, 1, size_left, 1, kHeaderHeight - 1, kTextLeft);
    cell(kSizeTitle, size_left, date_left, 1, kHeaderHeight - 1, kTextRight);
    cell(kDateTitle, date_left, right, 1, kHeaderHeight - 1, kTextLeft);
    c.brush = SolidBrush(line_color_);
    c.FillRect({ 1, kHeaderHeight, right, kHeaderHeight + 1 });
    c.FillRect({ size_left, 1, size_left + 1, kHeaderHeight });
    c.FillRect({ date_left, 1, date_left + 1, kHeaderHeight });

    int y = kHeaderHeight + 1;
    c.IntersectClipRect({ 1, y, right, client.bottom - 1 });
    for (int i = top_; i < static_cast<int>(entries_.size()) && y < client.bottom - 1; ++i, y += kRowHeight) {
        const FolderEntry& entry = entries_[static_cast<size_t>(i)];
        bool selected = i == index_;
        if (selected) {
            c.brush = SolidBrush(Focused() ? clHighlight : clBtnFace);
            c.FillRect({ 1, y, right, y + kRowHeight });
        }
        c.brush.style = BrushStyle::Clear;
        c.font.color = SystemColors::Resolve(selected && Focused() ? clHighlightText : clWindowText);
        // Folders end in "/", as a path would show them.
        cell(entry.folder ? entry.name + "/" : entry.name, 1, size_left, y, kRowHeight, kTextLeft);
        cell(SizeText(entry), size_left, date_left, y, kRowHeight, kTextRight);
        cell(DateText(entry.modified), date_left, right, y, kRowHeight, kTextLeft);
        if (selected && Focused())
            c.DrawFocusRect({ 1, y, right, y + kRowHeight });
    }
    c.ClearClip();
    c.brush = SolidBrush(line_color_);
    c.FrameRect(client);
}

void TFileList::KeyDown(UINT& key, TShiftState shift)
{
    const int page = VisibleRows();
    switch (key) {
    case VK_UP:
        SetItemIndex(index_ - 1);
        break;
    case VK_DOWN:
        SetItemIndex(index_ + 1);
        break;
    case VK_PRIOR:
        SetItemIndex(index_ - page);
        break;
    case VK_NEXT:
        SetItemIndex(index_ + page);
        break;
    case VK_HOME:
        SetItemIndex(0);
        break;
    case VK_END:
        SetItemIndex(static_cast<int>(entries_.size()) - 1);
        break;
    case VK_RETURN:
        if (const FolderEntry* entry = Selected(); entry && OnOpen) {
            FolderEntry copy = *entry; // the handler may list another folder
            OnOpen(copy);
        }
        break;
    case VK_BACK:
        if (OnUp)
            OnUp();
        break;
    default:
        TCustomControl::KeyDown(key, shift);
        return;
    }
    key = 0;
}

void TFileList::KeyPress(char16_t& key)
{
    if (key <= ' ' || key >= 0x80 || entries_.empty()) {
        TCustomControl::KeyPress(key);
        return;
    }
    // The next name after the selection that starts with the letter.
    const int count = static_cast<int>(entries_.size());
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    for (int step = 1; step <= count; ++step) {
        int i = (index_ + step + count) % count;
        const std::string& name = entries_[static_cast<size_t>(i)].name;
        if (!name.empty() && std::tolower(static_cast<unsigned char>(name[0])) == letter) {
            SetItemIndex(i);
            break;
        }
    }
    key = 0;
}

void TFileList::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus())
        SetFocus();
    if (int row = RowAt(y); row >= 0 && button == TMouseButton::mbLeft)
        SetItemIndex(row);
    TCustomControl::MouseDown(button, shift, x, y);
}

void TFileList::DblClick()
{
    TCustomControl::DblClick();
    if (const FolderEntry* entry = Selected(); entry && OnOpen) {
        FolderEntry copy = *entry;
        OnOpen(copy);
    }
}

void TFileList::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEWHEEL: {
        wheel_rest_ += static_cast<int16_t>(HIWORD(message.WParam));
        int notches = wheel_rest_ / WHEEL_DELTA;
        wheel_rest_ -= notches * WHEEL_DELTA;
        if (notches)
            SetTopIndex(top_ - notches * 3);
        message.Result = 0;
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

}
