#include "platform/window/non_client.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr TColor kFace = Rgb(212, 208, 200);
constexpr TColor kLight = Rgb(255, 255, 255);
constexpr TColor kShadow = Rgb(128, 128, 128);
constexpr TColor kDark = Rgb(64, 64, 64);
constexpr TColor kActiveCaption = Rgb(10, 36, 106);
constexpr TColor kInactiveCaption = Rgb(128, 128, 128);
constexpr TColor kTrack = Rgb(236, 233, 216);

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

void Raised(DeviceContext& dc, const Rect& r)
{
    dc.FillRect(r, kFace);
    dc.FillRect({ r.left, r.top, r.right - 1, r.top + 1 }, kLight);
    dc.FillRect({ r.left, r.top, r.left + 1, r.bottom - 1 }, kLight);
    dc.FillRect({ r.left, r.bottom - 1, r.right, r.bottom }, kDark);
    dc.FillRect({ r.right - 1, r.top, r.right, r.bottom }, kDark);
}

void Arrow(DeviceContext& dc, const Rect& r, int direction)
{
    // A small filled triangle: 0 up, 1 down, 2 left, 3 right.
    int cx = (r.left + r.right) / 2;
    int cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        switch (direction) {
        case 0:
            dc.FillRect({ cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i }, 0);
            break;
        case 1:
            dc.FillRect({ cx - i, cy + 1 - i, cx + i + 1, cy + 2 - i }, 0);
            break;
        case 2:
            dc.FillRect({ cx - 2 + i, cy - i, cx - 1 + i, cy + i + 1 }, 0);
            break;
        default:
            dc.FillRect({ cx + 1 - i, cy - i, cx + 2 - i, cy + i + 1 }, 0);
            break;
        }
    }
}

}

int NonClient::FrameWidth(DWORD style, DWORD ex_style)
{
    int width = 0;
    if ((style & (WS_THICKFRAME | WS_DLGFRAME)) || (ex_style & WS_EX_DLGMODALFRAME))
        width = kDialogFrame;
    else if (style & WS_BORDER)
        width = 1;
    if (ex_style & WS_EX_CLIENTEDGE)
        width += 2;
    return width;
}

int NonClient::CaptionHeight(DWORD style, DWORD ex_style)
{
    if (!HasCaption(style))
        return 0;
    return (ex_style & WS_EX_TOOLWINDOW) ? kToolCaptionHeight : kCaptionHeight;
}

Rect NonClient::ClientFromWindow(const Rect& window, DWORD style, DWORD ex_style)
{
    int f = FrameWidth(style, ex_style);
    Rect c { window.left + f, window.top + f + CaptionHeight(style, ex_style), window.right - f, window.bottom - f };
    if (style & WS_VSCROLL)
        c.right -= kScrollBarSize;
    if (style & WS_HSCROLL)
        c.bottom -= kScrollBarSize;
    // A window smaller than its frame has an empty client area, never a negative one.
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

Rect NonClient::CaptionRect(Size window, DWORD style, DWORD ex_style)
{
    int h = CaptionHeight(style, ex_style);
    if (h == 0)
        return {};
    int f = FrameWidth(style, ex_style);
    return { f, f, window.cx - f, f + h };
}

Rect NonClient::CaptionButtonRect(Size window, DWORD style, DWORD ex_style, LRESULT hit)
{
    Rect caption = CaptionRect(window, style, ex_style);
    if (caption.IsEmpty() || !(style & WS_SYSMENU))
        return {};
    int h = caption.Height() - 4;
    int w = h + 2;
    int right = caption.right - 2;
    Rect close { right - w, caption.top + 2, right, caption.top + 2 + h };
    if (hit == HTCLOSE)
        return close;
    right = close.left - 2;
    bool has_max = style & WS_MAXIMIZEBOX;
    bool has_min = style & WS_MINIMIZEBOX;
    if (!has_max && !has_min)
        return {};
    Rect max { right - w, close.top, right, close.bottom };
    Rect min = max.Offset(-w, 0);
    if (hit == HTMAXBUTTON)
        return has_max ? max : Rect {};
    if (hit == HTMINBUTTON)
        return has_min ? (has_max ? min : max) : Rect {};
    return {};
}

Rect NonClient::ScrollBarRect(Size window, DWORD style, DWORD ex_style, int bar)
{
    Rect client = ClientFromWindow({ 0, 0, window.cx, window.cy }, style, ex_style);
    if (bar == SB_VERT && (style & WS_VSCROLL))
        return { client.right, client.top, std::min(client.right + kScrollBarSize, window.cx), client.bottom };
    if (bar == SB_HORZ && (style & WS_HSCROLL))
        return { client.left, client.bottom, client.right, std::min(client.bottom + kScrollBarSize, window.cy) };
    return {};
}

LRESULT NonClient::HitTest(Size window, Point p, DWORD style, DWORD ex_style)
{
    Rect whole { 0, 0, window.cx, window.cy };
    if (!whole.Contains(p))
        return HTNOWHERE;
    if (ClientFromWindow(whole, style, ex_style).Contains(p))
        return HTCLIENT;
    if (ScrollBarRect(window, style, ex_style, SB_VERT).Contains(p))
        return HTVSCROLL;
    if (ScrollBarRect(window, style, ex_style, SB_HORZ).Contains(p))
        return HTHSCROLL;
    for (LRESULT button : { HTCLOSE, HTMAXBUTTON, HTMINBUTTON })
        if (CaptionButtonRect(window, style, ex_style, button).Contains(p))
            return button;
    if (CaptionRect(window, style, ex_style).Contains(p))
        return HTCAPTION;
    int f = FrameWidth(style, ex_style);
    if (f > 0 && (style & WS_THICKFRAME)) {
        bool left = p.x < f, right = p.x >= window.cx - f, top = p.y < f, bottom = p.y >= window.cy - f;
        if (top && left)
            return HTTOPLEFT;
        if (top && right)
            return HTTOPRIGHT;
        if (bottom && left)
            return HTBOTTOMLEFT;
        if (bottom && right)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    return f > 0 ? HTBORDER : HTNOWHERE;
}

int NonClient::MaxScrollPos(const SCROLLINFO& info)
{
    int page = static_cast<int>(std::min<UINT>(info.nPage, 0x7FFFFFFF));
    return std::max(info.nMin, info.nMax - std::max(page - 1, 0));
}

NonClient::ScrollGeometry NonClient::ScrollThumb(int length, const SCROLLINFO& info, int pos)
{
    ScrollGeometry g;
    g.arrow = std::min(kScrollBarSize, length / 2);
    int track = length - 2 * g.arrow;
    long long range = static_cast<long long>(info.nMax) - info.nMin + 1;
    if (track <= 0 || range <= 0) {
        g.thumb_top = g.thumb_bottom = 0;
        return g;
    }
    int thumb = info.nPage > 0
        ? static_cast<int>(std::min<long long>(track, track * static_cast<long long>(info.nPage) / range))
        : kScrollBarSize;
    thumb = std::max(thumb, std::min(kMinThumb, track));
    thumb = std::min(thumb, track);
    long long span = static_cast<long long>(MaxScrollPos(info)) - info.nMin;
    int offset = 0;
    if (span > 0) {
        long long p = std::clamp<long long>(pos, info.nMin, MaxScrollPos(info)) - info.nMin;
        offset = static_cast<int>((track - thumb) * p / span);
    }
    g.thumb_top = g.arrow + offset;
    g.thumb_bottom = g.thumb_top + thumb;
    return g;
}

int NonClient::ScrollPosFromThumb(int length, const SCROLLINFO& info, int thumb_top)
{
    ScrollGeometry g = ScrollThumb(length, info, info.nMin);
    int thumb = g.thumb_bottom - g.thumb_top;
    int free_space = length - 2 * g.arrow - thumb;
    long long span = static_cast<long long>(MaxScrollPos(info)) - info.nMin;
    if (free_space <= 0 || span <= 0)
        return info.nMin;
    long long offset = std::clamp(thumb_top - g.arrow, 0, free_space);
    // Round to the nearest position so a thumb put back where it was keeps its position.
    return static_cast<int>(info.nMin + (offset * span + free_space / 2) / free_space);
}

void NonClient::Paint(DeviceContext& dc, Size window, DWORD style, DWORD ex_style, const PaintState& state)
{
    int f = FrameWidth(style, ex_style);
    Rect whole { 0, 0, window.cx, window.cy };
    if (f == 1) {
        dc.FrameRect(whole, kDark);
    } else if (f >= 3) {
        // Classic raised dialog frame: light outer-top/left, dark bottom/right, face inside.
        for (int i = 0; i < f; ++i)
            dc.FrameRect(whole.Inflate(-i, -i), kFace);
        dc.FillRect({ 0, 0, window.cx - 1, 1 }, kFace);
        dc.FillRect({ 0, 0, 1, window.cy - 1 }, kFace);
        dc.FillRect({ 1, 1, window.cx - 2, 2 }, kLight);
        dc.FillRect({ 1, 1, 2, window.cy - 2 }, kLight);
        dc.FillRect({ 0, window.cy - 1, window.cx, window.cy }, kDark);
        dc.FillRect({ window.cx - 1, 0, window.cx, window.cy }, kDark);
        dc.FillRect({ 1, window.cy - 2, window.cx - 1, window.cy - 1 }, kShadow);
        dc.FillRect({ window.cx - 2, 1, window.cx - 1, window.cy - 1 }, kShadow);
    }
    Rect caption = CaptionRect(window, style, ex_style);
    if (!caption.IsEmpty()) {
        dc.FillRect(caption, state.active ? kActiveCaption : kInactiveCaption);
        if (!state.title.empty()) {
            Canvas& canvas = dc.GetCanvas();
            int saved = canvas.SaveState();
            canvas.font = Font { "Tahoma", -11, true };
            canvas.font.color = kLight;
            canvas.brush.style = BrushStyle::Clear;
            // The title is UTF-8 at this layer; it must not run under the buttons.
            Rect text { caption.left + 4, caption.top, caption.right - 4, caption.bottom };
            for (LRESULT button : { HTMINBUTTON, HTMAXBUTTON, HTCLOSE }) {
                Rect b = CaptionButtonRect(window, style, ex_style, button);
                if (!b.IsEmpty())
                    text.right = std::min(text.right, b.left - 2);
            }
            canvas.DrawTextUtf8(state.title, text, kTextSingleLine | kTextVCenter | kTextEndEllipsis | kTextNoPrefix);
            canvas.RestoreState(saved);
        }
        for (LRESULT button : { HTCLOSE, HTMAXBUTTON, HTMINBUTTON }) {
            Rect r = CaptionButtonRect(window, style, ex_style, button);
            if (r.IsEmpty())
                continue;
            Raised(dc, r);
            int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
            if (button == HTCLOSE) {
                for (int i = -3; i <= 3; ++i) {
                    dc.SetPixel(cx + i, cy + i, 0);
                    dc.SetPixel(cx + i, cy - i, 0);
                }
            } else if (button == HTMINBUTTON) {
                dc.FillRect({ cx - 3, cy + 2, cx + 3, cy + 4 }, 0);
            } else {
                dc.FrameRect({ cx - 4, cy - 4, cx + 4, cy + 4 }, 0);
                dc.FillRect({ cx - 4, cy - 3, cx + 4, cy - 2 }, 0);
            }
        }
    }
    for (int bar : { SB_VERT, SB_HORZ }) {
        Rect r = ScrollBarRect(window, style, ex_style, bar);
        if (r.IsEmpty())
            continue;
        bool vertical = bar == SB_VERT;
        int length = vertical ? r.Height() : r.Width();
        const SCROLLINFO& info = state.scroll[bar];
        ScrollGeometry g = ScrollThumb(length, info, info.nPos);
        dc.FillRect(r, kTrack);
        auto part = [&](int from, int to) {
            return vertical ? Rect { r.left, r.top + from, r.right, r.top + to }
                            : Rect { r.left + from, r.top, r.left + to, r.bottom };
        };
        Rect first = part(0, g.arrow), second = part(length - g.arrow, length);
        Raised(dc, first);
        Raised(dc, second);
        Arrow(dc, first, vertical ? 0 : 2);
        Arrow(dc, second, vertical ? 1 : 3);
        bool scrollable = state.scroll_enabled[bar] && MaxScrollPos(info) > info.nMin;
        if (scrollable && g.thumb_bottom > g.thumb_top)
            Raised(dc, part(g.thumb_top, g.thumb_bottom));
    }
    // The corner between two scroll bars.
    if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) {
        Rect v = ScrollBarRect(window, style, ex_style, SB_VERT);
        Rect h = ScrollBarRect(window, style, ex_style, SB_HORZ);
        dc.FillRect({ v.left, h.top, v.right, h.bottom }, kFace);
    }
}

}
