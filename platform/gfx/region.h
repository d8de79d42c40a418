#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"

#include <utility>
#include <vector>

namespace pellamo {

// A set of pixels kept as y-x banded rectangles (sorted by top, then left;
// rectangles of one band share top and bottom, never touch or overlap, and
// two vertically touching bands never hold the same spans). That canonical
// form makes equality and point tests simple.
class Region {
public:
    Region() = default;
    explicit Region(const Rect& rect);

    // Rounded rectangle and ellipse regions keep the platform's rule that
    // the right and bottom edges lie outside: (0, 0, 10, 10) covers 9 x 9
    // pixels. Corner ellipses are ellipse_width x ellipse_height.
    // Coordinates are clamped to +-2^20.
    static Region RoundRect(const Rect& rect, int ellipse_width, int ellipse_height);
    static Region Ellipse(const Rect& rect);
    // Row y of RoundRect(rect, ...) as [left, right); empty (left >= right)
    // outside the shape. Lets a canvas walk only the rows it can see.
    static std::pair<int, int> RoundRectRow(const Rect& rect, int ellipse_width, int ellipse_height, int y);
    // Every run of pixels whose colour differs from `key`, row by row.
    static Region FromBitmap(const Bitmap& bitmap, TColor key);

    bool IsEmpty() const { return m_rects.empty(); }
    bool Contains(Point p) const;
    bool Contains(int x, int y) const { return Contains(Point { x, y }); }
    Rect Bounds() const;
    const std::vector<Rect>& Rects() const { return m_rects; }

    Region Union(const Region& other) const;
    Region Intersect(const Region& other) const;
    Region Subtract(const Region& other) const;
    Region Xor(const Region& other) const;
    Region Offset(int dx, int dy) const;

    bool operator==(const Region& other) const { return m_rects == other.m_rects; }

private:
    enum class Op { Union, Intersect, Subtract, Xor };
    static Region Combine(const Region& a, const Region& b, Op op);
    // Rows of a shape as [left, right) spans, one per row, from `top`.
    static Region FromRows(int top, const std::vector<std::pair<int, int>>& rows);
    void AppendBand(int top, int bottom, const std::vector<std::pair<int, int>>& spans);

    std::vector<Rect> m_rects;
};

}
