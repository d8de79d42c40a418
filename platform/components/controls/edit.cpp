#include "platform/components/controls/edit.h"

#include "platform/base/scope_exit.h"
#include "platform/components/props.h"
#include "platform/gfx/system_colors.h"
#include "platform/text/gbk.h"
#include "platform/text/gbk_chars.h"
#include "platform/window/window_system.h"

#include <algorithm>
#include <cctype>

namespace pellamo {

namespace {

constexpr int kMarginX = 2;
constexpr int kMarginY = 1;

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

}

TCustomEdit::TCustomEdit(TComponent* owner)
    : TCustomControl(owner)
{
    control_style_ = { csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csFixedHeight };
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetCursor(TCursor::crIBeam);
}

const ClassInfo& TCustomEdit::StaticClass()
{
    static const ClassInfo info("TCustomEdit", &TCustomControl::StaticClass(),
        {
            props::Bool<TCustomEdit>("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect),
            props::Bool<TCustomEdit>("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize),
            props::Enum<TCustomEdit>(
                "CharCase", EditCharCaseNames(), &TCustomEdit::CharCase, &TCustomEdit::SetCharCase),
            props::Bool<TCustomEdit>("OEMConvert", &TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert),
            props::Enum<TCustomEdit>(
                "BorderStyle", BorderStyleNames(), &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle),
            props::Bool<TCustomEdit>("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection),
            props::Int<TCustomEdit>("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
            props::Str<TCustomEdit>("PasswordChar", &TCustomEdit::PasswordCharText, &TCustomEdit::SetPasswordCharText),
            props::Bool<TCustomEdit>("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
            props::Str<TCustomEdit>("Text", &TCustomEdit::Text, &TCustomEdit::SetText),
            props::Event<TCustomEdit>("OnChange", &TCustomEdit::OnChange),
        });
    return info;
}

const ClassInfo& TEdit::StaticClass()
{
    static const ClassInfo info("TEdit", &TCustomEdit::StaticClass(), {}, FactoryOf<TEdit>());
    return info;
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    if (border_style_ == TBorderStyle::bsSingle)
        params.ex_style |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::SetBorderStyle(TBorderStyle style)
{
    if (border_style_ == style)
        return;
    border_style_ = style;
    if (HandleAllocated()) {
        WindowSystem& ws = Windows();
        DWORD ex = ws.GetExStyle(HandleOrNull());
        ws.SetExStyle(HandleOrNull(), style == TBorderStyle::bsSingle ? ex | WS_EX_CLIENTEDGE : ex & ~WS_EX_CLIENTEDGE);
        FrameChanged();
    }
}

void TCustomEdit::SetPasswordChar(char c)
{
    password_char_ = c;
    InvalidateLayout();
}

void TCustomEdit::SetHideSelection(bool on)
{
    hide_selection_ = on;
    Invalidate();
}

void TCustomEdit::SetAlignment(TAlignment a)
{
    if (alignment_ == a)
        return;
    alignment_ = a;
    ScrollCaretIntoView();
    Invalidate();
}

void TCustomEdit::SetRightMargin(int pixels)
{
    pixels = std::max(0, pixels);
    if (right_margin_ == pixels)
        return;
    right_margin_ = pixels;
    InvalidateLayout();
    ScrollCaretIntoView();
}

// ---- Layout

void TCustomEdit::InvalidateLayout()
{
    layout_valid_ = false;
    widths_.clear();
    line_height_ = 0;
    Invalidate();
}

int TCustomEdit::CharWidth(unsigned code) const
{
    auto it = widths_.find(code);
    if (it != widths_.end())
        return it->second;
    static Bitmap scratch(1, 1);
    pellamo::Canvas measure(scratch);
    measure.font = Font().GetFont();
    std::string s;
    if (code > 0xFF)
        s = { static_cast<char>(code >> 8), static_cast<char>(code & 0xFF) };
    else
        s = std::string(1, static_cast<char>(code));
    int w = code == '\t' ? measure.TextWidth("    ") : measure.TextWidth(s);
    widths_[code] = w;
    return w;
}

int TCustomEdit::TextWidth(int from, int to) const
{
    const std::string& t = Caption();
    int w = 0;
    for (int i = from; i < to && i < static_cast<int>(t.size());) {
        if (password_char_) {
            w += CharWidth(static_cast<unsigned char>(password_char_));
            i += static_cast<int>(GbkCharLength(t, static_cast<size_t>(i)));
            continue;
        }
        unsigned code = static_cast<unsigned char>(t[static_cast<size_t>(i)]);
        if (GbkCharLength(t, static_cast<size_t>(i)) == 2) {
            code = (code << 8) | static_cast<unsigned char>(t[static_cast<size_t>(i + 1)]);
            i += 2;
        } else {
            ++i;
        }
        w += CharWidth(code);
    }
    return w;
}

std::string TCustomEdit::DisplayText(int from, int to) const
{
    const std::string& t = Caption();
    if (!password_char_)
        return t.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
    std::string out;
    for (int i = from; i < to; i = NextPos(i))
        out += password_char_;
    return out;
}

int TCustomEdit::LineHeight() const
{
    if (line_height_ == 0) {
        static Bitmap scratch(1, 1);
        pellamo::Canvas measure(scratch);
        measure.font = Font().GetFont();
        line_height_ = std::max(1, measure.TextHeight("Ay"));
    }
    return line_height_;
}

Rect TCustomEdit::TextArea() const
{
    Rect r = ClientRect().Inflate(-kMarginX, -kMarginY);
    r.right -= right_margin_;
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

int TCustomEdit::VisibleLineCount() const { return std::max(1, TextArea().Height() / LineHeight()); }

const std::vector<TCustomEdit::LineSpan>& TCustomEdit::Lines() const
{
    if (layout_valid_)
        return lines_;
    lines_.clear();
    content_width_ = -1;
    const std::string& t = Caption();
    int n = static_cast<int>(t.size());
    if (!multi_line_) {
        lines_.push_back({ 0, n });
        layout_valid_ = true;
        return lines_;
    }
    int limit = std::max(1, TextArea().Width());
    auto add_wrapped = [&](int s, int e) {
        if (!word_wrap_) {
            lines_.push_back({ s, e });
            return;
        }
        while (true) {
            int w = 0;
            int i = s;
            int last_space = -1;
            while (i < e) {
                int next = NextPos(i);
                int cw = TextWidth(i, next);
                if (w + cw > limit && i > s)
                    break;
                w += cw;
                if (t[static_cast<size_t>(i)] == ' ')
                    last_space = next;
                i = next;
            }
            if (i >= e) {
                lines_.push_back({ s, e });
                return;
            }
            int brk = last_space > s ? last_space : i;
            lines_.push_back({ s, brk });
            s = brk;
        }
    };
    int start = 0;
    for (int i = 0; i < n;) {
        if (IsBreak(t[static_cast<size_t>(i)])) {
            add_wrapped(start, i);
            int len = (t[static_cast<size_t>(i)] == '\r' && i + 1 < n && t[static_cast<size_t>(i + 1)] == '\n') ? 2 : 1;
            i += len;
            start = i;
            continue;
        }
        i += static_cast<int>(GbkCharLength(t, static_cast<size_t>(i)));
    }
    add_wrapped(start, n);
    layout_valid_ = true;
    return lines_;
}

int TCustomEdit::ContentWidth() const
{
    const auto& lines = Lines();
    if (content_width_ < 0) {
        int widest = 0;
        for (const LineSpan& l : lines)
            widest = std::max(widest, TextWidth(l.start, l.end));
        content_width_ = widest + 1; // the caret after the last character
    }
    return content_width_;
}

int TCustomEdit::LineOfPos(int pos) const
{
    const auto& lines = Lines();
    auto it = std::upper_bound(lines.begin(), lines.end(), pos, [](int p, const LineSpan& l) { return p < l.start; });
    return std::max(0, static_cast<int>(it - lines.begin()) - 1);
}

int TCustomEdit::NextPos(int pos) const { return model_.NextPos(pos); }

int TCustomEdit::PrevPos(int pos) const { return model_.PrevPos(pos); }

int TCustomEdit::LineLeft(int index) const
{
    const LineSpan& l = Lines()[static_cast<size_t>(index)];
    Rect area = TextArea();
    int free = area.Width() - TextWidth(l.start, l.end);
    // Text wider than the edit scrolls as left-aligned text does.
    if (free <= 0 || alignment_ == TAlignment::taLeftJustify)
        return area.left - x_offset_;
    return area.left + (alignment_ == TAlignment::taRightJustify ? free - 1 : free / 2);
}

Point TCustomEdit::PointFromPos(int pos) const
{
    const auto& lines = Lines();
    int line = LineOfPos(pos);
    const LineSpan& l = lines[static_cast<size_t>(line)];
    Rect area = TextArea();
    int x = LineLeft(line) + TextWidth(l.start, std::min(pos, l.end));
    int y = area.top + (line - top_line_) * LineHeight();
    return { x, y };
}

int TCustomEdit::PosFromPoint(Point p) const
{
    const auto& lines = Lines();
    Rect area = TextArea();
    int line = top_line_ + (p.y - area.top) / LineHeight();
    if (p.y < area.top)
        line = top_line_ - 1;
    line = std::clamp(line, 0, static_cast<int>(lines.size()) - 1);
    const LineSpan& l = lines[static_cast<size_t>(line)];
    int x = LineLeft(line);
    for (int i = l.start; i < l.end;) {
        int next = NextPos(i);
        int w = TextWidth(i, next);
        if (p.x < x + w / 2)
            return i;
        x += w;
        i = next;
    }
    return l.end;
}

// ---- Selection and editing

int TCustomEdit::SelStart() const { return model_.SelStart(); }

int TCustomEdit::SelLength() const { return model_.SelLength(); }

void TCustomEdit::SetSelStart(int pos)
{
    model_.Select(pos, pos);
    CaretMoved();
}

void TCustomEdit::SetSelLength(int length)
{
    int start = SelStart();
    int end = std::clamp(start + std::max(0, length), start, static_cast<int>(Caption().size()));
    int b = start;
    while (b < end)
        b = NextPos(b);
    model_.Select(start, b);
    CaretMoved();
}

std::string TCustomEdit::SelText() const { return model_.SelText(); }

void TCustomEdit::SetSelText(const std::string& text) { Insert(text, false); }

void TCustomEdit::SelectAll()
{
    model_.SelectAll();
    Invalidate();
}

void TCustomEdit::ClearSelection()
{
    if (!read_only_ && model_.DeleteSelection())
        Commit();
}

void TCustomEdit::CopyToClipboard()
{
    if (SelLength() == 0 || password_char_)
        return;
    Windows().Backend().SetClipboardText(GbkToUtf8(SelText()));
}

void TCustomEdit::CutToClipboard()
{
    if (read_only_ || password_char_)
        return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard()
{
    std::string text = Utf8ToGbk(Windows().Backend().ClipboardText());
    if (!text.empty())
        Insert(text, true);
}

void TCustomEdit::Undo()
{
    if (!model_.Undo())
        return;
    SetTextKeepingCaret(model_.Text());
    ScrollCaretIntoView();
}

bool TCustomEdit::AcceptInsert(std::string&) { return true; }

void TCustomEdit::Insert(std::string text, bool typed)
{
    if (typed && read_only_)
        return;
    if (!multi_line_) {
        size_t brk = text.find_first_of("\r\n");
        if (brk != std::string::npos)
            text.resize(brk);
    }
    if (typed && char_case_ != TEditCharCase::ecNormal) {
        for (size_t i = 0; i < text.size(); ++i) {
            if (IsGbkLeadByte(text[i])) {
                ++i; // a double-byte character has no case
                continue;
            }
            auto u = static_cast<unsigned char>(text[i]);
            text[i] = static_cast<char>(char_case_ == TEditCharCase::ecUpperCase ? std::toupper(u) : std::tolower(u));
        }
    }
    if (typed && !AcceptInsert(text))
        return;
    if (model_.Replace(std::move(text), typed))
        Commit();
}

void TCustomEdit::Commit()
{
    modified_ = true;
    SetTextKeepingCaret(model_.Text());
    ScrollCaretIntoView();
}

void TCustomEdit::SetTextKeepingCaret(const std::string& text)
{
    changing_ = true;
    ScopeExit done([this] { changing_ = false; });
    SetText(text);
}

void TCustomEdit::TextChanged()
{
    layout_valid_ = false;
    if (!changing_) {
        // Text set by code: the caret goes to the start.
        model_.SetText(Caption());
        top_line_ = 0;
        x_offset_ = 0;
    } else if (Caption() != model_.Text()) {
        model_.Adopt(Caption()); // an OnChange handler set other text
    }
    TCustomControl::TextChanged();
    UpdateScrollBar();
    Change();
}

void TCustomEdit::Change() { OnChange(this); }

void TCustomEdit::FontChanged()
{
    InvalidateLayout();
    TCustomControl::FontChanged();
}

void TCustomEdit::Resize()
{
    layout_valid_ = false;
    UpdateScrollBar();
    TCustomControl::Resize();
}

void TCustomEdit::MoveCaret(int pos, bool extend)
{
    model_.MoveTo(pos, extend);
    CaretMoved();
}

void TCustomEdit::CaretMoved()
{
    ScrollCaretIntoView();
    Invalidate();
}

void TCustomEdit::ScrollToLine(int line)
{
    int count = static_cast<int>(Lines().size());
    int top = std::clamp(line, 0, std::max(0, count - VisibleLineCount()));
    if (top == top_line_)
        return;
    top_line_ = top;
    UpdateScrollBar();
    Invalidate();
}

void TCustomEdit::ScrollToX(int x)
{
    x = std::clamp(x, 0, std::max(0, ContentWidth() - TextArea().Width()));
    if (x == x_offset_)
        return;
    x_offset_ = x;
    UpdateScrollBar();
    Invalidate();
}

void TCustomEdit::ScrollCaretIntoView()
{
    int x = 0;
    if (multi_line_) {
        int line = LineOfPos(model_.Caret());
        int visible = VisibleLineCount();
        if (line < top_line_)
            top_line_ = line;
        else if (line >= top_line_ + visible)
            top_line_ = line - visible + 1;
        if (word_wrap_) {
            UpdateScrollBar();
            return;
        }
        // Long lines scroll sideways as a single line does.
        x = TextWidth(Lines()[static_cast<size_t>(line)].start, model_.Caret());
    } else {
        x = TextWidth(0, model_.Caret());
    }
    int width = TextArea().Width();
    if (x - x_offset_ > width - 1)
        x_offset_ = x - width + 1;
    if (x < x_offset_)
        x_offset_ = x;
    x_offset_ = std::max(0, x_offset_);
    if (multi_line_)
        UpdateScrollBar();
}

// ---- Input

void TCustomEdit::KeyDown(UINT& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (key == 0)
        return;
    bool ext = shift.Contains(ssShift);
    bool ctrl = shift.Contains(ssCtrl);
    const auto& lines = Lines();
    int line = LineOfPos(model_.Caret());
    auto vertical = [&](int lines_down) {
        int target = std::clamp(line + lines_down, 0, static_cast<int>(lines.size()) - 1);
        Point p = PointFromPos(model_.Caret());
        p.y += (target - line) * LineHeight();
        if (target - top_line_ < 0 || target - top_line_ >= VisibleLineCount())
            ScrollToLine(target - (lines_down < 0 ? 0 : VisibleLineCount() - 1));
        p.y = TextArea().top + (target - top_line_) * LineHeight();
        MoveCaret(PosFromPoint(p), ext);
    };
    switch (key) {
    case VK_LEFT:
        model_.MoveLeft(ext);
        CaretMoved();
        break;
    case VK_RIGHT:
        model_.MoveRight(ext);
        CaretMoved();
        break;
    case VK_UP:
        if (multi_line_)
            vertical(-1);
        break;
    case VK_DOWN:
        if (multi_line_)
            vertical(1);
        break;
    case VK_PRIOR:
        if (multi_line_)
            vertical(-VisibleLineCount());
        break;
    case VK_NEXT:
        if (multi_line_)
            vertical(VisibleLineCount());
        break;
    case VK_HOME:
        MoveCaret(ctrl ? 0 : lines[static_cast<size_t>(line)].start, ext);
        break;
    case VK_END:
        MoveCaret(ctrl ? static_cast<int>(Caption().size()) : lines[static_cast<size_t>(line)].end, ext);
        break;
    case VK_DELETE:
        if (ext)
            CutToClipboard();
        else if (read_only_)
            break;
        else if (SelLength() > 0)
            ClearSelection();
        else if (model_.DeleteForward())
            Commit();
        break;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (ext)
            PasteFromClipboard();
        break;
    default:
        if (!ctrl)
            break;
        switch (key) {
        case 'A':
            SelectAll();
            break;
        case 'C':
            CopyToClipboard();
            break;
        case 'X':
            CutToClipboard();
            break;
        case 'V':
            PasteFromClipboard();
            break;
        case 'Z':
            if (!read_only_)
                Undo();
            break;
        }
    }
}

void TCustomEdit::KeyPress(char16_t& key)
{
    TCustomControl::KeyPress(key);
    char16_t ch = key;
    if (ch == 0 || !AcceptChar(ch))
        return;
    if (ch == u'\b') {
        if (read_only_)
            return;
        if (SelLength() > 0)
            ClearSelection();
        else if (model_.Backspace())
            Commit();
        return;
    }
    if (ch == u'\r') {
        if (multi_line_ && want_returns_)
            Insert("\r\n", true);
        return;
    }
    if (ch == u'\t') {
        if (multi_line_ && want_tabs_)
            Insert("\t", true);
        return;
    }
    if (ch < 0x20 || ch == 0x7F)
        return;
    std::string gbk = TypedUnitToGbk(high_surrogate_, ch);
    if (!gbk.empty())
        Insert(gbk, true);
}

void TCustomEdit::DoEnter()
{
    // Entered by keyboard: the whole text is selected; a click places the caret.
    if (auto_select_ && !multi_line_ && !selecting_)
        SelectAll();
    Invalidate();
    TCustomControl::DoEnter();
}

void TCustomEdit::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        selecting_ = true;
        if (CanFocus() && !Focused())
            SetFocus();
        Point p { GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam) };
        int pos = PosFromPoint(p);
        if (message.Msg == WM_LBUTTONDBLCLK) {
            // The word under the pointer.
            auto [from, to] = model_.WordAround(pos);
            model_.MoveTo(from, false);
            MoveCaret(to, true);
            selecting_ = false;
        } else {
            MoveCaret(pos, (message.WParam & MK_SHIFT) != 0);
            selecting_ = true;
        }
        TCustomControl::WndProc(message);
        return;
    }
    case WM_MOUSEMOVE:
        if (selecting_ && (message.WParam & MK_LBUTTON))
            MoveCaret(PosFromPoint({ GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam) }), true);
        TCustomControl::WndProc(message);
        return;
    case WM_LBUTTONUP:
        selecting_ = false;
        TCustomControl::WndProc(message);
        return;
    case WM_KILLFOCUS:
        selecting_ = false;
        Invalidate();
        TCustomControl::WndProc(message);
        return;
    default:
        TCustomControl::WndProc(message);
    }
}

// ---- Painting

void TCustomEdit::Paint()
{
    pellamo::Canvas& c = Canvas();
    Rect client = ClientRect();
    c.brush = SolidBrush(Color());
    c.FillRect(client);
    Rect area = TextArea();
    int saved = c.SaveState();
    c.IntersectClipRect(area);
    c.font = Font().GetFont();
    if (!Enabled())
        c.font.color = clGrayText;
    c.brush.style = BrushStyle::Clear;
    const auto& lines = Lines();
    int lh = LineHeight();
    bool show_selection = SelLength() > 0 && (Focused() || !hide_selection_);
    int sel_from = SelStart();
    int sel_to = SelStart() + SelLength();
    for (int i = multi_line_ ? top_line_ : 0; i < static_cast<int>(lines.size()); ++i) {
        int y = area.top + (i - top_line_) * lh;
        if (y >= area.bottom)
            break;
        const LineSpan& l = lines[static_cast<size_t>(i)];
        int x = LineLeft(i);
        c.TextOut(x, y, DisplayText(l.start, l.end));
        if (show_selection) {
            int a = std::max(sel_from, l.start);
            int b = std::min(sel_to, l.end);
            if (a < b) {
                int xa = x + TextWidth(l.start, a);
                int xb = x + TextWidth(l.start, b);
                c.brush = SolidBrush(clHighlight);
                c.FillRect({ xa, y, xb, y + lh });
                c.brush.style = BrushStyle::Clear;
                TColor normal = c.font.color;
                c.font.color = clHighlightText;
                c.TextOut(xa, y, DisplayText(a, b));
                c.font.color = normal;
            }
        }
    }
    if (Focused()) {
        Point p = PointFromPos(model_.Caret());
        c.brush = SolidBrush(Font().Color());
        c.FillRect({ p.x, p.y, p.x + 1, p.y + lh });
    }
    c.RestoreState(saved);
}

}
