// Invalidation, device contexts, painting, presenting and window regions.
#include "platform/window/window_system.h"
#include "platform/window/window_system_shared.h"

#include <algorithm>

namespace pellamo {

using namespace window_system_shared;

// ---------------------------------------------------------------- painting

void WindowSystem::InvalidateWhole(WindowObject& w, bool children)
{
    w.update = Region(Rect { 0, 0, w.client_rect.Width(), w.client_rect.Height() });
    w.erase_pending = true;
    w.frame_pending = true;
    if (children)
        for (HWND h : w.children)
            if (WindowObject* c = Find(h))
                InvalidateWhole(*c, true);
}

void WindowSystem::InvalidateTree(WindowObject& w, const Rect& rect, bool include_self)
{
    // `rect` is in w's client coordinates.
    Rect client { 0, 0, w.client_rect.Width(), w.client_rect.Height() };
    Rect area = rect.Intersect(client);
    if (area.IsEmpty())
        return;
    if (include_self) {
        w.update = w.update.Union(Region(area));
        w.erase_pending = true;
    }
    for (HWND h : w.children) {
        WindowObject* c = Find(h);
        if (!c || !(c->style & WS_VISIBLE) || c->window_rect.Intersect(area).IsEmpty())
            continue;
        c->frame_pending = true;
        Rect in_child
            = area.Offset(-c->window_rect.left - c->client_rect.left, -c->window_rect.top - c->client_rect.top);
        InvalidateTree(*c, in_child, true);
    }
}

bool WindowSystem::InvalidateRect(HWND hwnd, const Rect* rect, bool erase)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    Rect client { 0, 0, w->client_rect.Width(), w->client_rect.Height() };
    Rect r = rect ? rect->Intersect(client) : client;
    if (!r.IsEmpty())
        w->update = w->update.Union(Region(r));
    if (erase && !r.IsEmpty())
        w->erase_pending = true;
    // Transparent children above the area are drawn over it again.
    for (HWND h : w->children)
        if (WindowObject* c = Find(h);
            c && (c->ex_style & WS_EX_TRANSPARENT) && (c->style & WS_VISIBLE) && !c->window_rect.Intersect(r).IsEmpty())
            InvalidateTree(*w, c->window_rect.Intersect(r), false);
    return true;
}

bool WindowSystem::ValidateRect(HWND hwnd, const Rect* rect)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    if (rect)
        w->update = w->update.Subtract(Region(*rect));
    else
        w->update = Region();
    if (w->update.IsEmpty())
        w->erase_pending = false;
    return true;
}

bool WindowSystem::RedrawWindow(HWND hwnd, const Rect* rect, UINT flags)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    if (flags & RDW_INVALIDATE) {
        Rect client { 0, 0, w->client_rect.Width(), w->client_rect.Height() };
        Rect r = rect ? *rect : client;
        if (flags & RDW_ALLCHILDREN)
            InvalidateTree(*w, r, true);
        else
            InvalidateRect(hwnd, &r, flags & RDW_ERASE);
        if (flags & RDW_FRAME)
            w->frame_pending = true;
    }
    if (flags & RDW_VALIDATE)
        ValidateRect(hwnd, rect);
    if (flags & RDW_UPDATENOW)
        UpdateWindow(hwnd);
    return true;
}

bool WindowSystem::GetUpdateRect(HWND hwnd, Rect* rect) const
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    if (rect)
        *rect = w->update.Bounds();
    return !w->update.IsEmpty();
}

bool WindowSystem::UpdateWindow(HWND hwnd)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    PaintTree(*w);
    if (WindowObject* top = TopOf(Find(hwnd)))
        Present(*top);
    return true;
}

Rect WindowSystem::VisibleAreaInTop(const WindowObject& w, bool whole_window) const
{
    Point o = whole_window ? WindowOriginInTop(w) : ClientOriginInTop(w);
    Size s = whole_window ? Size { w.window_rect.Width(), w.window_rect.Height() }
                          : Size { w.client_rect.Width(), w.client_rect.Height() };
    return Rect::FromSize(o.x, o.y, s.cx, s.cy);
}

Region WindowSystem::ClipFor(const WindowObject& w, bool whole_window) const
{
    Region clip(VisibleAreaInTop(w, whole_window));
    auto intersect_region = [&](const WindowObject& o) {
        if (!o.region)
            return;
        Point origin = WindowOriginInTop(o);
        clip = clip.Intersect(o.region->Offset(origin.x, origin.y));
    };
    auto subtract_window = [&](const WindowObject& o) {
        // A transparent window shows what lies beneath it: that stays paintable.
        if (o.ex_style & WS_EX_TRANSPARENT)
            return;
        Point origin = WindowOriginInTop(o);
        if (o.region)
            clip = clip.Subtract(o.region->Offset(origin.x, origin.y));
        else
            clip = clip.Subtract(
                Region(Rect::FromSize(origin.x, origin.y, o.window_rect.Width(), o.window_rect.Height())));
    };
    intersect_region(w);
    // Children cover their parent; windows above cover those below.
    for (HWND h : w.children)
        if (WindowObject* c = Find(h); c && (c->style & WS_VISIBLE))
            subtract_window(*c);
    const WindowObject* node = &w;
    while (node->parent) {
        const WindowObject* parent = Find(node->parent);
        if (!parent)
            break;
        clip = clip.Intersect(Region(VisibleAreaInTop(*parent, false)));
        intersect_region(*parent);
        auto it = std::find(parent->children.begin(), parent->children.end(), node->handle);
        if (it != parent->children.end())
            for (++it; it != parent->children.end(); ++it)
                if (WindowObject* s = Find(*it); s && (s->style & WS_VISIBLE))
                    subtract_window(*s);
        node = parent;
    }
    const WindowObject* top = node;
    clip = clip.Intersect(Region(BufferRect(*top)));
    return clip;
}

Rect WindowSystem::BufferRect(const WindowObject& top)
{
    return { 0, 0, std::min(top.window_rect.Width(), kMaxBufferSide),
        std::min(top.window_rect.Height(), kMaxBufferSide) };
}

Bitmap& WindowSystem::SizedBackBuffer(WindowObject& top)
{
    if (!top.back_buffer_sized) {
        Rect size = BufferRect(top);
        if (size.Width() != top.back_buffer.Width() || size.Height() != top.back_buffer.Height())
            top.back_buffer.Resize(size.Width(), size.Height());
        top.back_buffer_sized = true;
    }
    return top.back_buffer;
}

DeviceContext* WindowSystem::MakeDC(WindowObject& w, bool whole_window)
{
    WindowObject* top = TopOf(&w);
    Point origin = whole_window ? WindowOriginInTop(w) : ClientOriginInTop(w);
    m_dcs.push_back(std::make_unique<DeviceContext>(w.handle, SizedBackBuffer(*top), origin, ClipFor(w, whole_window)));
    return m_dcs.back().get();
}

DeviceContext* WindowSystem::GetDC(HWND hwnd)
{
    WindowObject* w = Find(hwnd);
    return w ? MakeDC(*w, false) : nullptr;
}

DeviceContext* WindowSystem::GetWindowDC(HWND hwnd)
{
    WindowObject* w = Find(hwnd);
    return w ? MakeDC(*w, true) : nullptr;
}

int WindowSystem::ReleaseDC(HWND hwnd, DeviceContext* dc)
{
    (void)hwnd;
    auto it = std::find_if(m_dcs.begin(), m_dcs.end(), [&](const auto& p) { return p.get() == dc; });
    if (it == m_dcs.end())
        return 0;
    // What was drawn through it is shown with the next present.
    if (WindowObject* top = TopOf(Find(dc->Window())); top && !dc->Detached())
        MarkPresent(*top, dc->Clip().Bounds());
    m_dcs.erase(it);
    return 1;
}

HWND WindowSystem::WindowFromDC(const Canvas& canvas) const
{
    for (const auto& dc : m_dcs)
        if (dc->HasCanvas(canvas) && !dc->Detached())
            return dc->Window();
    return nullptr;
}

DeviceContext* WindowSystem::BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    WindowObject* w = Find(hwnd);
    if (!w || !ps)
        return nullptr;
    if (w->frame_pending) {
        w->frame_pending = false;
        Dispatch(*w, WM_NCPAINT, 1, 0);
        if (!IsWindow(hwnd))
            return nullptr;
    }
    Region update = w->update;
    bool erase = w->erase_pending;
    w->update = Region();
    w->erase_pending = false;
    w->paint_begun = true;
    DeviceContext* dc = MakeDC(*w, false);
    Point origin = ClientOriginInTop(*w);
    dc->IntersectClip(update.Offset(origin.x, origin.y));
    ps->hdc = dc;
    ps->rcPaint = dc->ClipBox();
    ps->fErase = false;
    if (erase)
        ps->fErase = Dispatch(*w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    return dc;
}

void WindowSystem::EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    if (ps && ps->hdc)
        ReleaseDC(hwnd, ps->hdc);
}

void WindowSystem::MarkPresent(WindowObject& top, const Rect& rect)
{
    top.present_dirty = top.present_dirty.Union(rect.Intersect(BufferRect(top)));
}

void WindowSystem::Present(WindowObject& top)
{
    if (top.present_dirty.IsEmpty() || !(top.style & WS_VISIBLE))
        return;
    m_backend.Present(top.display, SizedBackBuffer(top), top.present_dirty);
    top.present_dirty = {};
}

void WindowSystem::PaintTree(WindowObject& w)
{
    if (!(w.style & WS_VISIBLE) || (w.style & WS_MINIMIZE))
        return;
    auto hold = Hold(w.handle);
    if (w.frame_pending) {
        w.frame_pending = false;
        Dispatch(w, WM_NCPAINT, 1, 0);
        if (!IsWindow(w.handle))
            return;
    }
    if (!w.update.IsEmpty()) {
        // A handler that did not paint (or failed) must not make us paint
        // forever; what one that did paint invalidated meanwhile (a control
        // that sizes itself as it paints) is painted next time.
        auto forget = [&] {
            if (IsWindow(w.handle)) {
                w.update = Region();
                w.erase_pending = false;
            }
        };
        w.paint_begun = false;
        try {
            Dispatch(w, WM_PAINT, 0, 0);
        } catch (...) {
            forget();
            throw;
        }
        if (!IsWindow(w.handle))
            return;
        if (!w.paint_begun)
            forget();
    }
    std::vector<HWND> kids = w.children;
    for (HWND h : kids)
        if (WindowObject* c = Find(h))
            PaintTree(*c);
}

void WindowSystem::PaintPending()
{
    if (m_painting)
        return;
    m_painting = true;
    std::exception_ptr failure;
    std::vector<HWND> tops = m_top_order;
    for (HWND h : tops) {
        try {
            if (WindowObject* w = Find(h))
                PaintTree(*w);
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
        if (WindowObject* w = Find(h))
            Present(*w);
    }
    m_painting = false;
    // Reported once painting is over, so that a message box about it can paint.
    if (failure)
        Report(failure);
}

const Bitmap* WindowSystem::BackBuffer(HWND top) const
{
    WindowObject* w = Find(top);
    return w && w->display ? &SizedBackBuffer(*w) : nullptr;
}

DisplayWindowId WindowSystem::DisplayWindowOf(HWND top) const
{
    WindowObject* w = TopOf(Find(top));
    return w ? w->display : 0;
}

// ---------------------------------------------------------------- regions

void WindowSystem::ApplyShape(WindowObject& w)
{
    if (!w.display)
        return;
    if (w.region)
        m_backend.SetShape(w.display, w.region->Rects());
    else
        m_backend.SetShape(w.display, std::nullopt);
}

bool WindowSystem::SetWindowRgn(HWND hwnd, std::optional<Region> region, bool redraw)
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return false;
    Rect old = w->window_rect;
    w->region = std::move(region);
    if (w->display) {
        ApplyShape(*w);
        if (redraw)
            InvalidateWhole(*w, true);
    } else if (WindowObject* parent = Find(w->parent); parent && redraw && (w->style & WS_VISIBLE)) {
        InvalidateTree(*parent, old, true);
        InvalidateWhole(*w, true);
    }
    return true;
}

std::optional<Region> WindowSystem::GetWindowRgn(HWND hwnd) const
{
    WindowObject* w = Find(hwnd);
    if (!w)
        return std::nullopt;
    return w->region;
}

}
