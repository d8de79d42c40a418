#include "platform/window/device_context.h"

#include <algorithm>

namespace pellamo {

DeviceContext DeviceContext::Over(const Canvas& canvas)
{
    // Target() is only non-const for drawing; the context draws where the canvas would.
    Bitmap& target = const_cast<Bitmap&>(canvas.Target());
    return DeviceContext(nullptr, target, canvas.ToBitmap({ 0, 0 }), canvas.BitmapClip());
}

void DeviceContext::IntersectClip(const Region& area)
{
    m_clip = m_clip.Intersect(area);
    m_canvas.reset();
}

Canvas& DeviceContext::GetCanvas()
{
    if (!m_canvas)
        m_canvas.emplace(*m_target, m_origin, m_clip.Offset(-m_origin.x, -m_origin.y));
    return *m_canvas;
}

void DeviceContext::Detach()
{
    static Bitmap nowhere;
    m_target = &nowhere;
    m_clip = Region();
    m_canvas.reset();
    m_detached = true;
}

void DeviceContext::FillRect(const Rect& r, TColor color)
{
    Rect target = r.Offset(m_origin.x, m_origin.y).Intersect({ 0, 0, m_target->Width(), m_target->Height() });
    if (target.IsEmpty())
        return;
    Pixel p = ColorToPixel(color);
    for (const Rect& c : m_clip.Rects()) {
        Rect a = target.Intersect(c);
        for (int y = a.top; y < a.bottom; ++y)
            std::fill(m_target->Row(y) + a.left, m_target->Row(y) + a.right, p);
    }
}

void DeviceContext::FrameRect(const Rect& r, TColor color)
{
    if (r.IsEmpty())
        return;
    FillRect({ r.left, r.top, r.right, r.top + 1 }, color);
    FillRect({ r.left, r.bottom - 1, r.right, r.bottom }, color);
    FillRect({ r.left, r.top + 1, r.left + 1, r.bottom - 1 }, color);
    FillRect({ r.right - 1, r.top + 1, r.right, r.bottom - 1 }, color);
}

void DeviceContext::SetPixel(int x, int y, TColor color)
{
    Point p { x + m_origin.x, y + m_origin.y };
    if (m_clip.Contains(p))
        m_target->SetPixel(p.x, p.y, color);
}

TColor DeviceContext::GetPixel(int x, int y) const { return m_target->GetPixel(x + m_origin.x, y + m_origin.y); }

}
