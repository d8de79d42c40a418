#pragma once

#include <algorithm>

namespace pellamo {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    bool operator==(const Size&) const = default;
};

// End-exclusive like a Win32 RECT: right and bottom are outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Rect FromSize(int x, int y, int width, int height) { return { x, y, x + width, y + height }; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect Offset(int dx, int dy) const { return { left + dx, top + dy, right + dx, bottom + dy }; }
    Rect Inflate(int dx, int dy) const { return { left - dx, top - dy, right + dx, bottom + dy }; }
    Rect Intersect(const Rect& o) const
    {
        Rect r { std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom) };
        return r.IsEmpty() ? Rect {} : r;
    }
    Rect Union(const Rect& o) const
    {
        if (IsEmpty())
            return o;
        if (o.IsEmpty())
            return *this;
        return { std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom) };
    }
    bool operator==(const Rect&) const = default;
};

}
