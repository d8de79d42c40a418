#include "platform/gfx/region.h"

#include <algorithm>
#include <cmath>

namespace pellamo {

namespace {

using Spans = std::vector<std::pair<int, int>>;

// Spans of the band of `rects` that covers row y, starting the search at
// `index` (bands are visited in order, so the index only moves forward).
Spans SpansAt(const std::vector<Rect>& rects, size_t& index, int y)
{
    while (index < rects.size() && rects[index].bottom <= y)
        ++index;
    Spans spans;
    for (size_t i = index; i < rects.size() && rects[i].top <= y; ++i)
        if (rects[i].bottom > y)
            spans.emplace_back(rects[i].left, rects[i].right);
    return spans;
}

// Boolean combination of two sorted span lists by a sweep over their edges.
template <typename Keep> Spans CombineSpans(const Spans& a, const Spans& b, Keep keep)
{
    std::vector<int> xs;
    for (auto [l, r] : a) {
        xs.push_back(l);
        xs.push_back(r);
    }
    for (auto [l, r] : b) {
        xs.push_back(l);
        xs.push_back(r);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    auto inside = [](const Spans& s, int x) {
        for (auto [l, r] : s)
            if (x >= l && x < r)
                return true;
        return false;
    };
    Spans out;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        if (!keep(inside(a, xs[i]), inside(b, xs[i])))
            continue;
        if (!out.empty() && out.back().second == xs[i])
            out.back().second = xs[i + 1];
        else
            out.emplace_back(xs[i], xs[i + 1]);
    }
    return out;
}

// Horizontal inset of row `row` (0-based from the top) of a corner ellipse
// with radii a and b, sampled at the row's centre; rows beyond the corner
// have no inset.
int CornerInset(int row, double a, double b)
{
    if (a <= 0 || b <= 0 || row + 0.5 >= b)
        return 0;
    double dy = (b - (row + 0.5)) / b;
    double dx = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    return static_cast<int>(std::lround(a - dx));
}

}

Region::Region(const Rect& rect)
{
    if (!rect.IsEmpty())
        m_rects.push_back(rect);
}

std::pair<int, int> Region::RoundRectRow(const Rect& rect, int ellipse_width, int ellipse_height, int y)
{
    // Like the platform, the shape's right and bottom edges are outside.
    long long left = std::min(rect.left, rect.right),
              right = static_cast<long long>(std::max(rect.left, rect.right)) - 1;
    long long top = std::min(rect.top, rect.bottom),
              bottom = static_cast<long long>(std::max(rect.top, rect.bottom)) - 1;
    long long width = right - left, height = bottom - top;
    if (width <= 0 || height <= 0 || y < top || y >= bottom)
        return { 0, 0 };
    double a = std::min<long long>(std::abs(static_cast<long long>(ellipse_width)), width) / 2.0;
    double b = std::min<long long>(std::abs(static_cast<long long>(ellipse_height)), height) / 2.0;
    long long row = y - top;
    int inset = CornerInset(static_cast<int>(std::min(row, height - 1 - row)), a, b);
    return { static_cast<int>(left + inset), static_cast<int>(right - inset) };
}

Region Region::RoundRect(const Rect& given, int ellipse_width, int ellipse_height)
{
    // Shapes are built row by row; coordinates beyond +-2^20 are clamped so
    // that an absurd rectangle cannot exhaust memory.
    auto clamp = [](int v) { return std::clamp(v, -(1 << 20), 1 << 20); };
    Rect rect { clamp(given.left), clamp(given.top), clamp(given.right), clamp(given.bottom) };
    int top = std::min(rect.top, rect.bottom), bottom = std::max(rect.top, rect.bottom);
    std::vector<std::pair<int, int>> rows;
    for (long long y = top; y < static_cast<long long>(bottom) - 1; ++y)
        rows.push_back(RoundRectRow(rect, ellipse_width, ellipse_height, static_cast<int>(y)));
    return FromRows(top, rows);
}

Region Region::Ellipse(const Rect& rect)
{
    auto extent = [](int a, int b) {
        return static_cast<int>(std::min<long long>(std::abs(static_cast<long long>(b) - a), 1LL << 30));
    };
    return RoundRect(rect, extent(rect.left, rect.right), extent(rect.top, rect.bottom));
}

Region Region::FromBitmap(const Bitmap& bitmap, TColor key)
{
    Region region;
    Pixel key_pixel = ColorToPixel(key) & 0xFFFFFF;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* row = bitmap.Row(y);
        Spans spans;
        int x = 0;
        while (x < bitmap.Width()) {
            if ((row[x] & 0xFFFFFF) == key_pixel) {
                ++x;
                continue;
            }
            int start = x;
            while (x < bitmap.Width() && (row[x] & 0xFFFFFF) != key_pixel)
                ++x;
            spans.emplace_back(start, x);
        }
        region.AppendBand(y, y + 1, spans);
    }
    return region;
}

Region Region::FromRows(int top, const std::vector<std::pair<int, int>>& rows)
{
    Region region;
    for (size_t i = 0; i < rows.size(); ++i) {
        Spans spans;
        if (rows[i].first < rows[i].second)
            spans.push_back(rows[i]);
        region.AppendBand(top + static_cast<int>(i), top + static_cast<int>(i) + 1, spans);
    }
    return region;
}

void Region::AppendBand(int top, int bottom, const std::vector<std::pair<int, int>>& spans)
{
    if (spans.empty() || top >= bottom)
        return;
    // Merge with the previous band when it touches and holds the same spans.
    if (!m_rects.empty() && m_rects.back().bottom == top) {
        int prev_top = m_rects.back().top;
        size_t first = m_rects.size();
        while (first > 0 && m_rects[first - 1].top == prev_top)
            --first;
        bool same = m_rects.size() - first == spans.size();
        for (size_t i = 0; same && i < spans.size(); ++i)
            same = m_rects[first + i].left == spans[i].first && m_rects[first + i].right == spans[i].second;
        if (same) {
            for (size_t i = first; i < m_rects.size(); ++i)
                m_rects[i].bottom = bottom;
            return;
        }
    }
    for (auto [l, r] : spans)
        m_rects.push_back({ l, top, r, bottom });
}

bool Region::Contains(Point p) const
{
    for (const Rect& r : m_rects) {
        if (r.top > p.y)
            break;
        if (r.Contains(p))
            return true;
    }
    return false;
}

Rect Region::Bounds() const
{
    Rect bounds;
    for (const Rect& r : m_rects)
        bounds = bounds.Union(r);
    return bounds;
}

Region Region::Combine(const Region& a, const Region& b, Op op)
{
    std::vector<int> ys;
    for (const Rect& r : a.m_rects) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    for (const Rect& r : b.m_rects) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    Region out;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        Spans sa = SpansAt(a.m_rects, ia, ys[i]);
        Spans sb = SpansAt(b.m_rects, ib, ys[i]);
        Spans spans;
        switch (op) {
        case Op::Union:
            spans = CombineSpans(sa, sb, [](bool x, bool y) { return x || y; });
            break;
        case Op::Intersect:
            spans = CombineSpans(sa, sb, [](bool x, bool y) { return x && y; });
            break;
        case Op::Subtract:
            spans = CombineSpans(sa, sb, [](bool x, bool y) { return x && !y; });
            break;
        case Op::Xor:
            spans = CombineSpans(sa, sb, [](bool x, bool y) { return x != y; });
            break;
        }
        out.AppendBand(ys[i], ys[i + 1], spans);
    }
    return out;
}

Region Region::Union(const Region& other) const { return Combine(*this, other, Op::Union); }
Region Region::Intersect(const Region& other) const { return Combine(*this, other, Op::Intersect); }
Region Region::Subtract(const Region& other) const { return Combine(*this, other, Op::Subtract); }
Region Region::Xor(const Region& other) const { return Combine(*this, other, Op::Xor); }

Region Region::Offset(int dx, int dy) const
{
    Region out = *this;
    for (Rect& r : out.m_rects)
        r = r.Offset(dx, dy);
    return out;
}

}
