#include "platform/window/rect_list.h"

namespace pellamo {

namespace {

// Appends the parts of `r` outside `cut` (at most four pieces).
void AppendDifference(const Rect& r, const Rect& cut, std::vector<Rect>& out)
{
    Rect inner = r.Intersect(cut);
    if (inner.IsEmpty()) {
        out.push_back(r);
        return;
    }
    if (inner.top > r.top)
        out.push_back({ r.left, r.top, r.right, inner.top });
    if (inner.bottom < r.bottom)
        out.push_back({ r.left, inner.bottom, r.right, r.bottom });
    if (inner.left > r.left)
        out.push_back({ r.left, inner.top, inner.left, inner.bottom });
    if (inner.right < r.right)
        out.push_back({ inner.right, inner.top, r.right, inner.bottom });
}

}

RectList::RectList(const std::vector<Rect>& rects)
{
    for (const Rect& r : rects)
        Add(r);
}

void RectList::Add(const Rect& r)
{
    if (r.IsEmpty())
        return;
    // Keep the list free of overlaps: only the new parts of `r` are added.
    std::vector<Rect> pieces { r };
    for (const Rect& have : m_rects) {
        std::vector<Rect> next;
        for (const Rect& p : pieces)
            AppendDifference(p, have, next);
        pieces.swap(next);
        if (pieces.empty())
            return;
    }
    m_rects.insert(m_rects.end(), pieces.begin(), pieces.end());
}

void RectList::Add(const RectList& other)
{
    for (const Rect& r : other.m_rects)
        Add(r);
}

void RectList::Subtract(const Rect& r)
{
    if (r.IsEmpty())
        return;
    std::vector<Rect> out;
    for (const Rect& have : m_rects)
        AppendDifference(have, r, out);
    m_rects.swap(out);
}

void RectList::Intersect(const Rect& r)
{
    std::vector<Rect> out;
    for (const Rect& have : m_rects) {
        Rect i = have.Intersect(r);
        if (!i.IsEmpty())
            out.push_back(i);
    }
    m_rects.swap(out);
}

void RectList::Intersect(const RectList& other)
{
    std::vector<Rect> out;
    for (const Rect& a : m_rects)
        for (const Rect& b : other.m_rects) {
            Rect i = a.Intersect(b);
            if (!i.IsEmpty())
                out.push_back(i);
        }
    m_rects.swap(out);
}

void RectList::Offset(int dx, int dy)
{
    for (Rect& r : m_rects)
        r = r.Offset(dx, dy);
}

bool RectList::Contains(Point p) const
{
    for (const Rect& r : m_rects)
        if (r.Contains(p))
            return true;
    return false;
}

Rect RectList::Bounds() const
{
    Rect b;
    for (const Rect& r : m_rects)
        b = b.Union(r);
    return b;
}

}
