#pragma once

#include "platform/gfx/geometry.h"

#include <vector>

namespace pellamo {

// A set of pixels held as non-overlapping rectangles: update regions and
// clip areas of the window layer.
class RectList {
public:
    RectList() = default;
    explicit RectList(const Rect& r) { Add(r); }
    explicit RectList(const std::vector<Rect>& rects);

    void Add(const Rect& r);
    void Add(const RectList& other);
    void Subtract(const Rect& r);
    void Intersect(const Rect& r);
    void Intersect(const RectList& other);
    void Offset(int dx, int dy);
    void Clear() { m_rects.clear(); }

    bool IsEmpty() const { return m_rects.empty(); }
    bool Contains(Point p) const;
    Rect Bounds() const;
    const std::vector<Rect>& Rects() const { return m_rects; }

private:
    std::vector<Rect> m_rects;
};

}
