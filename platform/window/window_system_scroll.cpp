// The window scroll bars.
#include "platform/window/window_system.h"

#include "platform/window/non_client.h"

#include <algorithm>

namespace pellamo {

// ---------------------------------------------------------------- scroll bars

Rect WindowSystem::DefaultScrollBarRect(const WindowObject& w, int bar)
{
    const Rect& frame = w.default_frame;
    Rect r = NonClient::ScrollBarRect({ frame.Width(), frame.Height() }, w.style, w.ex_style, bar);
    return r.IsEmpty() ? r : r.Offset(frame.left, frame.top);
}

int WindowSystem::SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, bool redraw)
{
    WindowObject* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return 0;
    SCROLLINFO& si = w->scroll[bar];
    if (info.fMask & SIF_RANGE) {
        si.nMin = info.nMin;
        si.nMax = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE)
        si.nPage = info.nPage;
    long long span = static_cast<long long>(si.nMax) - si.nMin + 1;
    if (static_cast<long long>(si.nPage) > span)
        si.nPage = static_cast<UINT>(span);
    if (info.fMask & SIF_POS)
        si.nPos = info.nPos;
    si.nPos = std::clamp(si.nPos, si.nMin, NonClient::MaxScrollPos(si));
    if (!(m_scroll && m_scroll->hwnd == hwnd && m_scroll->bar == bar))
        si.nTrackPos = si.nPos;
    if (info.fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        // A bar with nothing to scroll goes away, or is only disabled when asked.
        bool needed = NonClient::MaxScrollPos(si) > si.nMin;
        if (needed) {
            w->scroll_enabled[bar] = true;
            ShowScrollBar(hwnd, bar, true);
        } else if (info.fMask & SIF_DISABLENOSCROLL) {
            w->scroll_enabled[bar] = false;
            ShowScrollBar(hwnd, bar, true);
        } else {
            ShowScrollBar(hwnd, bar, false);
        }
    }
    if (WindowObject* again = Find(hwnd); again && redraw)
        again->frame_pending = true;
    return si.nPos;
}

bool WindowSystem::GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) const
{
    WindowObject* w = Find(hwnd);
    if (!w || !info || (bar != SB_HORZ && bar != SB_VERT))
        return false;
    const SCROLLINFO& si = w->scroll[bar];
    if (info->fMask & SIF_RANGE) {
        info->nMin = si.nMin;
        info->nMax = si.nMax;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = si.nPage;
    if (info->fMask & SIF_POS)
        info->nPos = si.nPos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = si.nTrackPos;
    return true;
}

bool WindowSystem::GetScrollBarInfo(HWND hwnd, int32_t object, SCROLLBARINFO* info) const
{
    WindowObject* w = Find(hwnd);
    if (!w || !info || (object != OBJID_VSCROLL && object != OBJID_HSCROLL))
        return false;
    int bar = object == OBJID_VSCROLL ? SB_VERT : SB_HORZ;
    *info = SCROLLBARINFO {};
    Rect r = DefaultScrollBarRect(*w, bar);
    if (r.IsEmpty()) {
        info->rgstate[0] = STATE_SYSTEM_INVISIBLE;
        return true;
    }
    Rect screen = GetWindowRect(hwnd);
    info->rcScrollBar = r.Offset(screen.left, screen.top);
    const SCROLLINFO& si = w->scroll[bar];
    int length = bar == SB_VERT ? r.Height() : r.Width();
    NonClient::ScrollGeometry g = NonClient::ScrollThumb(length, si, si.nTrackPos);
    info->dxyLineButton = g.arrow;
    info->xyThumbTop = g.thumb_top;
    info->xyThumbBottom = g.thumb_bottom;
    if (!w->scroll_enabled[bar] || NonClient::MaxScrollPos(si) <= si.nMin)
        info->rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    if (g.thumb_bottom <= g.thumb_top)
        info->rgstate[3] = STATE_SYSTEM_INVISIBLE;
    return true;
}

int WindowSystem::SetScrollPos(HWND hwnd, int bar, int pos, bool redraw)
{
    int old = GetScrollPos(hwnd, bar);
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(hwnd, bar, si, redraw);
    return old;
}

int WindowSystem::GetScrollPos(HWND hwnd, int bar) const
{
    SCROLLINFO si;
    si.fMask = SIF_POS;
    return GetScrollInfo(hwnd, bar, &si) ? si.nPos : 0;
}

bool WindowSystem::ShowScrollBar(HWND hwnd, int bar, bool show)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    DWORD bits = bar == SB_VERT ? WS_VSCROLL
        : bar == SB_HORZ        ? WS_HSCROLL
        : bar == SB_BOTH        ? (WS_VSCROLL | WS_HSCROLL)
                                : 0;
    DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style == w->style)
        return true;
    w->style = style;
    return SetWindowPos(
        hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool WindowSystem::EnableScrollBar(HWND hwnd, int bar, UINT arrows)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    for (int b : { SB_HORZ, SB_VERT })
        if (bar == b || bar == SB_BOTH)
            w->scroll_enabled[b] = arrows != ESB_DISABLE_BOTH;
    w->frame_pending = true;
    return true;
}

void WindowSystem::SendThumbPosition(HWND hwnd, int bar, int pos)
{
    WindowObject* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return;
    bool tracking = m_scroll && m_scroll->hwnd == hwnd && m_scroll->bar == bar;
    w->scroll[bar].nTrackPos = pos;
    SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
    if (WindowObject* again = Find(hwnd); again && !tracking)
        again->scroll[bar].nTrackPos = again->scroll[bar].nPos;
}

int WindowSystem::ThumbPosition(HWND hwnd, int bar, WPARAM wparam) const
{
    int short_pos = HIWORD(wparam);
    WindowObject* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return short_pos;
    int track = w->scroll[bar].nTrackPos;
    return (static_cast<uint32_t>(track) & 0xFFFF) == static_cast<uint32_t>(short_pos) ? track : short_pos;
}

bool WindowSystem::StartScrollTrack(HWND hwnd, int bar, Point screen)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    Rect r = DefaultScrollBarRect(*w, bar);
    const SCROLLINFO& si = w->scroll[bar];
    if (r.IsEmpty() || !w->scroll_enabled[bar] || NonClient::MaxScrollPos(si) <= si.nMin)
        return false;
    Rect screen_rect = GetWindowRect(hwnd);
    Point p { screen.x - screen_rect.left, screen.y - screen_rect.top };
    bool vertical = bar == SB_VERT;
    int along = vertical ? p.y - r.top : p.x - r.left;
    int length = vertical ? r.Height() : r.Width();
    NonClient::ScrollGeometry g = NonClient::ScrollThumb(length, si, si.nPos);
    ScrollTrack track;
    track.hwnd = hwnd;
    track.bar = bar;
    track.last_pos = si.nPos;
    if (along < g.arrow)
        track.part = SB_LINEUP;
    else if (along >= length - g.arrow)
        track.part = SB_LINEDOWN;
    else if (along < g.thumb_top)
        track.part = SB_PAGEUP;
    else if (along >= g.thumb_bottom)
        track.part = SB_PAGEDOWN;
    else {
        track.part = SB_THUMBTRACK;
        track.grab_offset = along - g.thumb_top;
    }
    m_scroll = track;
    m_backend.SetCapture(TopOf(w)->display);
    if (track.part != SB_THUMBTRACK)
        StepScroll(hwnd, bar, track.part, 0);
    return true;
}

void WindowSystem::StepScroll(HWND hwnd, int bar, int code, int pos)
{
    SendMessage(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), 0);
}

}
