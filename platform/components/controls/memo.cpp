#include "platform/components/controls/memo.h"

#include "platform/base/scope_exit.h"
#include "platform/components/props.h"
#include "platform/window/window_system.h"

#include <algorithm>

namespace pellamo {

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner)
{
    multi_line_ = true;
    word_wrap_ = true;
    control_style_.Exclude(csFixedHeight);
    SetBounds(0, 0, 185, 89);
    lines_.OnChange = [this](TObject*) { LinesChanged(); };
}

TCustomMemo::~TCustomMemo() { lines_.OnChange.Clear(); }

const ClassInfo& TCustomMemo::StaticClass()
{
    static const ClassInfo info("TCustomMemo", &TCustomEdit::StaticClass(),
        {
            props::Enum<TCustomMemo>(
                "Alignment", AlignmentNames(), &TCustomMemo::Alignment, &TCustomMemo::SetAlignment),
            props::Object<TCustomMemo>("Lines", [](TCustomMemo& m) -> TStringList& { return m.lines_; }),
            props::Enum<TCustomMemo>(
                "ScrollBars", ScrollStyleNames(), &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars),
            props::Bool<TCustomMemo>("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns),
            props::Bool<TCustomMemo>("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs),
            props::Bool<TCustomMemo>("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap),
            // The text is stored through Lines.
            props::Stored<TCustomMemo>(props::Str<TCustomMemo>("Text", &TCustomMemo::Text, &TCustomMemo::SetText),
                [](const TCustomMemo&) { return false; }),
        });
    return info;
}

const ClassInfo& TMemo::StaticClass()
{
    static const ClassInfo info("TMemo", &TCustomMemo::StaticClass(), {}, FactoryOf<TMemo>());
    return info;
}

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    if (scroll_bars_ == TScrollStyle::ssVertical || scroll_bars_ == TScrollStyle::ssBoth)
        params.style |= WS_VSCROLL;
    if (scroll_bars_ == TScrollStyle::ssHorizontal || scroll_bars_ == TScrollStyle::ssBoth)
        params.style |= WS_HSCROLL;
}

void TCustomMemo::CreateWindowHandle()
{
    TCustomEdit::CreateWindowHandle();
    UpdateScrollBar();
}

void TCustomMemo::SetWordWrap(bool on)
{
    if (word_wrap_ == on)
        return;
    word_wrap_ = on;
    InvalidateLayout();
    if (on)
        ScrollToX(0); // wrapped lines fit
    UpdateScrollBar();
}

void TCustomMemo::SetScrollBars(TScrollStyle style)
{
    if (scroll_bars_ == style)
        return;
    scroll_bars_ = style;
    if (!HandleAllocated())
        return;
    WindowSystem& ws = Windows();
    HWND h = HandleOrNull();
    bool v = style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
    bool hz = style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
    DWORD s = ws.GetStyle(h) & ~(WS_VSCROLL | WS_HSCROLL);
    ws.SetStyle(h, s | (v ? WS_VSCROLL : 0) | (hz ? WS_HSCROLL : 0));
    FrameChanged();
    InvalidateLayout();
    UpdateScrollBar();
}

void TCustomMemo::UpdateScrollBar()
{
    bool vertical = scroll_bars_ == TScrollStyle::ssVertical || scroll_bars_ == TScrollStyle::ssBoth;
    bool horizontal = scroll_bars_ == TScrollStyle::ssHorizontal || scroll_bars_ == TScrollStyle::ssBoth;
    if (!HandleAllocated() || !(vertical || horizontal))
        return;
    // A hidden memo (a page kept for reading) lays its text out only when seen.
    if (!IsShowing() || !Windows().IsWindowVisible(HandleOrNull())) {
        scroll_dirty_ = true;
        return;
    }
    scroll_dirty_ = false;
    // As the platform's memo: the bars stay, disabled while all fits.
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    if (vertical) {
        si.nMin = 0;
        si.nMax = std::max(0, LineCount() - 1);
        si.nPage = static_cast<UINT>(VisibleLineCount());
        si.nPos = top_line_;
        Windows().SetScrollInfo(HandleOrNull(), SB_VERT, si, true);
    }
    if (horizontal) {
        // In pixels; wrapped text always fits.
        si.nMin = 0;
        si.nMax = word_wrap_ ? 0 : std::max(0, ContentWidth() - 1);
        si.nPage = static_cast<UINT>(std::max(1, TextArea().Width()));
        si.nPos = HorzOffset();
        Windows().SetScrollInfo(HandleOrNull(), SB_HORZ, si, true);
    }
}

void TCustomMemo::Paint()
{
    if (scroll_dirty_)
        UpdateScrollBar();
    TCustomEdit::Paint();
}

void TCustomMemo::VisibleChanged()
{
    TCustomEdit::VisibleChanged();
    if (scroll_dirty_)
        UpdateScrollBar();
}

void TCustomMemo::TextChanged()
{
    if (!syncing_lines_) {
        syncing_lines_ = true;
        ScopeExit done([this] { syncing_lines_ = false; });
        lines_.SetText(Text());
    }
    TCustomEdit::TextChanged();
}

void TCustomMemo::LinesChanged()
{
    if (syncing_lines_)
        return;
    std::string text;
    for (int i = 0; i < lines_.Count(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines_.Get(i);
    }
    syncing_lines_ = true;
    ScopeExit done([this] { syncing_lines_ = false; });
    SetText(text);
}

void TCustomMemo::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_VSCROLL: {
        int code = LOWORD(message.WParam);
        int page = VisibleLineCount();
        int top = top_line_;
        switch (code) {
        case SB_LINEUP:
            --top;
            break;
        case SB_LINEDOWN:
            ++top;
            break;
        case SB_PAGEUP:
            top -= page;
            break;
        case SB_PAGEDOWN:
            top += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            top = HandleAllocated() ? Windows().ThumbPosition(HandleOrNull(), SB_VERT, message.WParam)
                                    : HIWORD(message.WParam);
            break;
        case SB_TOP:
            top = 0;
            break;
        case SB_BOTTOM:
            top = LineCount();
            break;
        default:
            break;
        }
        ScrollToLine(top);
        message.Result = 0;
        return;
    }
    case WM_HSCROLL: {
        int page = std::max(1, TextArea().Width());
        int x = HorzOffset();
        switch (LOWORD(message.WParam)) {
        case SB_LINELEFT:
            x -= CharStep();
            break;
        case SB_LINERIGHT:
            x += CharStep();
            break;
        case SB_PAGELEFT:
            x -= page;
            break;
        case SB_PAGERIGHT:
            x += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            x = HandleAllocated() ? Windows().ThumbPosition(HandleOrNull(), SB_HORZ, message.WParam)
                                  : HIWORD(message.WParam);
            break;
        case SB_TOP:
            x = 0;
            break;
        case SB_BOTTOM:
            x = ContentWidth();
            break;
        default:
            break;
        }
        ScrollToX(x);
        message.Result = 0;
        return;
    }
    case WM_MOUSEWHEEL: {
        auto delta = static_cast<int16_t>(HIWORD(message.WParam));
        ScrollToLine(top_line_ - delta / WHEEL_DELTA * 3);
        message.Result = 0;
        return;
    }
    default:
        TCustomEdit::WndProc(message);
    }
}

}
