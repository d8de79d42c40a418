#include "platform/gfx/canvas.h"

#include "platform/gfx/system_colors.h"
#include "platform/gfx/text_renderer.h"
#include "platform/text/gbk.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace pellamo {

namespace {

using Rows = std::vector<std::pair<int, int>>;

// On/off run lengths of the styled cosmetic pens, as the platform uses them.
std::span<const int> DashPattern(PenStyle style)
{
    static constexpr std::array<int, 2> dash { 18, 6 };
    static constexpr std::array<int, 2> dot { 3, 3 };
    static constexpr std::array<int, 4> dash_dot { 9, 6, 3, 6 };
    static constexpr std::array<int, 6> dash_dot_dot { 9, 3, 3, 3, 3, 3 };
    switch (style) {
    case PenStyle::Dash:
        return dash;
    case PenStyle::Dot:
        return dot;
    case PenStyle::DashDot:
        return dash_dot;
    case PenStyle::DashDotDot:
        return dash_dot_dot;
    default:
        return {};
    }
}

bool PatternOn(PenStyle style, int pos)
{
    auto pattern = DashPattern(style);
    if (pattern.empty())
        return true;
    int total = 0;
    for (int n : pattern)
        total += n;
    pos %= total;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pos < pattern[i])
            return i % 2 == 0;
        pos -= pattern[i];
    }
    return true;
}

// Coordinates are clamped to this range so that sums never overflow and a
// line or shape to "infinity" costs bounded time.
constexpr long long kCoordLimit = 1 << 20;

int ClampCoord(long long v) { return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit)); }

Point ClampPoint(Point p) { return { ClampCoord(p.x), ClampCoord(p.y) }; }

Rect ClampRect(const Rect& r)
{
    return { ClampCoord(r.left), ClampCoord(r.top), ClampCoord(r.right), ClampCoord(r.bottom) };
}

Rect Normalized(const Rect& rect)
{
    Rect r = ClampRect(rect);
    return { std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
        std::max(r.top, r.bottom) };
}

}

Canvas::Canvas(Bitmap& target)
    : m_target(&target)
{
}

Canvas::Canvas(Bitmap& target, Point device_origin, const Region& device_clip)
    : m_target(&target)
    , m_device_origin(ClampPoint(device_origin))
    , m_device_clip(device_clip.Intersect(Region(ClampRect({ INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX }))))
{
}

void Canvas::SetViewportOrigin(Point origin) { m_state.viewport = ClampPoint(origin); }

void Canvas::OffsetViewportOrigin(int dx, int dy)
{
    SetViewportOrigin({ ClampCoord(static_cast<long long>(m_state.viewport.x) + dx),
        ClampCoord(static_cast<long long>(m_state.viewport.y) + dy) });
}

void Canvas::SetClipRegion(const Region& device_region)
{
    m_state.clip = device_region.Intersect(Region(ClampRect({ INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX })));
    InvalidateClip();
}

void Canvas::ClearClip()
{
    m_state.clip.reset();
    InvalidateClip();
}

void Canvas::IntersectClipRect(const Rect& rect)
{
    Region r(Normalized(rect).Offset(m_state.viewport.x, m_state.viewport.y));
    m_state.clip = m_state.clip ? m_state.clip->Intersect(r) : r;
    InvalidateClip();
}

void Canvas::ExcludeClipRect(const Rect& rect)
{
    Region r(Normalized(rect).Offset(m_state.viewport.x, m_state.viewport.y));
    if (!m_state.clip) {
        // Without a clip everything drawable is allowed: start from the device.
        Rect device
            = Rect { 0, 0, m_target->Width(), m_target->Height() }.Offset(-m_device_origin.x, -m_device_origin.y);
        m_state.clip = m_device_clip ? *m_device_clip : Region(device);
    }
    m_state.clip = m_state.clip->Subtract(r);
    InvalidateClip();
}

Rect Canvas::ClipBox() const
{
    Point origin = ToBitmap({ 0, 0 });
    return Clip().Bounds().Offset(-origin.x, -origin.y);
}

int Canvas::SaveState()
{
    m_state.pen = pen;
    m_state.brush = brush;
    m_state.font = font;
    m_saved.push_back(m_state);
    return static_cast<int>(m_saved.size());
}

void Canvas::RestoreState(int saved)
{
    long long index = saved < 0 ? static_cast<long long>(m_saved.size()) + saved : static_cast<long long>(saved) - 1;
    if (saved == 0 || index < 0 || index >= static_cast<long long>(m_saved.size()))
        return;
    m_state = m_saved[index];
    m_saved.resize(index);
    pen = m_state.pen;
    brush = m_state.brush;
    font = m_state.font;
    InvalidateClip();
}

Point Canvas::ToBitmap(Point p) const
{
    Point c = ClampPoint(p);
    return { c.x + m_state.viewport.x + m_device_origin.x, c.y + m_state.viewport.y + m_device_origin.y };
}

const Region& Canvas::Clip() const
{
    // The target may have been resized since the clip was worked out.
    Size size { m_target->Width(), m_target->Height() };
    if (!m_clip_valid || size != m_clip_size) {
        m_clip_size = size;
        Region clip(Rect { 0, 0, m_target->Width(), m_target->Height() });
        if (m_device_clip)
            clip = clip.Intersect(m_device_clip->Offset(m_device_origin.x, m_device_origin.y));
        if (m_state.clip)
            clip = clip.Intersect(m_state.clip->Offset(m_device_origin.x, m_device_origin.y));
        m_clip_cache = std::move(clip);
        m_clip_valid = true;
    }
    return m_clip_cache;
}

Region Canvas::BitmapClip() const { return Clip(); }

bool Canvas::Clipped(int bx, int by) const { return !Clip().Contains(bx, by); }

TColor Canvas::GetPixel(int x, int y) const
{
    Point p = ToBitmap({ x, y });
    return m_target->GetPixel(p.x, p.y);
}

void Canvas::SetPixel(int x, int y, TColor color)
{
    Point p = ToBitmap({ x, y });
    if (!Clipped(p.x, p.y))
        m_target->SetPixel(p.x, p.y, SystemColors::Resolve(color));
}

void Canvas::PenPixel(int bx, int by)
{
    if (Clipped(bx, by))
        return;
    Pixel& px = m_target->Row(by)[bx];
    switch (pen.mode) {
    case PenMode::Copy:
        px = ColorToPixel(SystemColors::Resolve(pen.color));
        break;
    case PenMode::Xor:
        px ^= ColorToPixel(SystemColors::Resolve(pen.color)) & 0xFFFFFF;
        break;
    case PenMode::Not:
        px ^= 0xFFFFFF;
        break;
    }
}

void Canvas::PlotPen(int bx, int by)
{
    if (pen.width <= 1) {
        PenPixel(bx, by);
        return;
    }
    // Wide pens stamp a square centred on the line.
    int lo = -(pen.width - 1) / 2;
    for (int dy = lo; dy < lo + pen.width; ++dy)
        for (int dx = lo; dx < lo + pen.width; ++dx)
            PenPixel(bx + dx, by + dy);
}

void Canvas::FillSpanColor(int y, int x0, int x1, TColor color)
{
    Pixel pixel = ColorToPixel(color);
    for (const Rect& r : Clip().Rects()) {
        if (r.top > y)
            break;
        if (r.bottom <= y)
            continue;
        int a = std::max(x0, r.left), b = std::min(x1, r.right);
        if (a < b)
            std::fill(m_target->Row(y) + a, m_target->Row(y) + b, pixel);
    }
}

void Canvas::FillSpan(int y, int x0, int x1)
{
    if (brush.pattern && !brush.pattern->Empty()) {
        // Pattern cells are aligned to the device origin.
        const Bitmap& pattern = *brush.pattern;
        int pw = std::min(8, pattern.Width()), ph = std::min(8, pattern.Height());
        for (const Rect& r : Clip().Rects()) {
            if (r.top > y)
                break;
            if (r.bottom <= y)
                continue;
            int a = std::max(x0, r.left), b = std::min(x1, r.right);
            int py = ((y - m_device_origin.y) % ph + ph) % ph;
            for (int x = a; x < b; ++x) {
                int px = ((x - m_device_origin.x) % pw + pw) % pw;
                m_target->Row(y)[x] = pattern.Row(py)[px] | 0xFF000000u;
            }
        }
        return;
    }
    if (brush.style == BrushStyle::Clear)
        return;
    FillSpanColor(y, x0, x1, SystemColors::Resolve(brush.color));
}

void Canvas::FillRows(int top, const Rows& rows)
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].first < rows[i].second)
            FillSpan(top + static_cast<int>(i), rows[i].first, rows[i].second);
}

void Canvas::FillRect(const Rect& rect)
{
    Rect r = Normalized(rect);
    Point a = ToBitmap({ r.left, r.top });
    Point b = ToBitmap({ r.right, r.bottom });
    Rect box = Rect { a.x, a.y, b.x, b.y }.Intersect(Clip().Bounds());
    for (int y = box.top; y < box.bottom; ++y)
        FillSpan(y, box.left, box.right);
}

void Canvas::FrameRect(const Rect& rect)
{
    Rect r = Normalized(rect);
    if (r.IsEmpty())
        return;
    if (brush.IsClear())
        return;
    FillRect({ r.left, r.top, r.right, r.top + 1 });
    FillRect({ r.left, r.bottom - 1, r.right, r.bottom });
    FillRect({ r.left, r.top + 1, r.left + 1, r.bottom - 1 });
    FillRect({ r.right - 1, r.top + 1, r.right, r.bottom - 1 });
}

void Canvas::Line(Point from, Point to, int& pattern_pos)
{
    // Step i along the major axis lands on the minor coordinate rounded
    // from the exact line (ties away from the start), which is what an
    // error-term walk gives; the closed form lets us skip the steps that fall
    // outside the clip, so a line to "infinity" costs only what is visible.
    Point a = ToBitmap(from), b = ToBitmap(to);
    long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
    bool x_major = std::llabs(dx) >= std::llabs(dy);
    long long major = x_major ? std::llabs(dx) : std::llabs(dy);
    long long minor = x_major ? std::llabs(dy) : std::llabs(dx);
    int s_major = (x_major ? dx : dy) < 0 ? -1 : 1;
    int s_minor = (x_major ? dy : dx) < 0 ? -1 : 1;
    int start_major = x_major ? a.x : a.y;
    int start_minor = x_major ? a.y : a.x;
    int first = pattern_pos;
    pattern_pos += static_cast<int>(major);
    if (major == 0)
        return;
    // Steps whose major coordinate is near the clip (wide pens reach out).
    Rect bounds = Clip().Bounds().Inflate(pen.width, pen.width);
    long long lo = x_major ? bounds.left : bounds.top, hi = x_major ? bounds.right : bounds.bottom;
    long long i0 = 0, i1 = major;
    if (s_major > 0) {
        i0 = std::max(i0, lo - start_major);
        i1 = std::min(i1, hi - start_major);
    } else {
        i0 = std::max(i0, start_major - hi + 1);
        i1 = std::min(i1, start_major - lo + 1);
    }
    for (long long i = i0; i < i1; ++i) {
        if (!PatternOn(pen.style, first + static_cast<int>(i)))
            continue;
        int mj = start_major + static_cast<int>(s_major * i);
        int mn = start_minor + static_cast<int>(s_minor * ((2 * i * minor + major) / (2 * major)));
        if (x_major)
            PlotPen(mj, mn);
        else
            PlotPen(mn, mj);
    }
}

void Canvas::MoveTo(int x, int y) { m_state.pen_pos = ClampPoint({ x, y }); }

void Canvas::LineTo(int x, int y)
{
    Point to = ClampPoint({ x, y });
    if (pen.style != PenStyle::Clear) {
        int pos = 0;
        Line(m_state.pen_pos, to, pos);
    }
    m_state.pen_pos = to;
}

void Canvas::Polyline(std::span<const Point> points)
{
    if (points.empty())
        return;
    int pos = 0;
    for (size_t i = 1; i < points.size() && pen.style != PenStyle::Clear; ++i)
        Line(points[i - 1], points[i], pos);
}

void Canvas::Polygon(std::span<const Point> given)
{
    if (given.size() < 2)
        return;
    std::vector<Point> points(given.begin(), given.end());
    for (Point& p : points)
        p = ClampPoint(p);
    if (!brush.IsClear()) {
        // Alternate fill of the pixels whose centres lie inside or on the
        // outline; the pen then draws the outline itself.
        int top = points[0].y, bottom = points[0].y;
        for (Point p : points) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        Point origin = ToBitmap({ 0, 0 });
        Rect clip = Clip().Bounds();
        top = std::max(top, clip.top - origin.y);
        bottom = std::min(bottom, clip.bottom - origin.y);
        for (int y = top; y < bottom; ++y) {
            double yc = y + 0.5;
            std::vector<double> xs;
            for (size_t i = 0; i < points.size(); ++i) {
                Point p = points[i], q = points[(i + 1) % points.size()];
                if ((p.y <= yc) == (q.y <= yc))
                    continue;
                xs.push_back(p.x + (yc - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                int x0 = static_cast<int>(std::ceil(xs[i] - 0.5));
                int x1 = static_cast<int>(std::floor(xs[i + 1] - 0.5)) + 1;
                if (x0 < x1)
                    FillSpan(y + origin.y, x0 + origin.x, x1 + origin.x);
            }
        }
    }
    if (pen.style != PenStyle::Clear) {
        int pos = 0;
        for (size_t i = 0; i < points.size(); ++i)
            Line(points[i], points[(i + 1) % points.size()], pos);
    }
}

void Canvas::Rectangle(const Rect& rect)
{
    Rect r = Normalized(rect);
    if (r.IsEmpty())
        return;
    if (pen.style == PenStyle::Clear) {
        // Without a pen the fill is one pixel smaller, as on the platform.
        FillRect({ r.left, r.top, r.right - 1, r.bottom - 1 });
        return;
    }
    if (!brush.IsClear())
        FillRect({ r.left + 1, r.top + 1, r.right - 1, r.bottom - 1 });
    const Point corners[] = { { r.left, r.top }, { r.right - 1, r.top }, { r.right - 1, r.bottom - 1 },
        { r.left, r.bottom - 1 }, { r.left, r.top } };
    if (r.Width() == 1 || r.Height() == 1) {
        // A degenerate frame still covers its one row or column.
        int pos = 0;
        Line({ r.left, r.top }, { r.right - (r.Height() == 1 ? 0 : 1), r.bottom - (r.Height() == 1 ? 1 : 0) }, pos);
        return;
    }
    Polyline(corners);
}

void Canvas::Outline(int top, const Rows& rows, const Rect* arc_box, Point start, Point end)
{
    double cx = 0, cy = 0, a0 = 0, sweep = 0;
    if (arc_box) {
        cx = (arc_box->left + arc_box->right - 1) / 2.0;
        cy = (arc_box->top + arc_box->bottom - 1) / 2.0;
        a0 = std::atan2(-(start.y - cy), start.x - cx);
        double a1 = std::atan2(-(end.y - cy), end.x - cx);
        sweep = std::fmod(a1 - a0 + 4 * std::numbers::pi, 2 * std::numbers::pi);
        if (sweep == 0)
            sweep = 2 * std::numbers::pi;
    }
    Point origin = ToBitmap({ 0, 0 });
    auto plot = [&](int x, int y) {
        if (arc_box) {
            double angle = std::atan2(-(y - cy), x - cx);
            double rel = std::fmod(angle - a0 + 4 * std::numbers::pi, 2 * std::numbers::pi);
            if (rel > sweep + 1e-9)
                return;
        }
        PlotPen(x + origin.x, y + origin.y);
    };
    // Boundary pixels of a convex shape are those with a 4-neighbour outside:
    // the ends of each row and whatever the rows above and below do not
    // cover. Walking only those keeps the cost to the perimeter.
    const int count = static_cast<int>(rows.size());
    Rect visible = Clip().Bounds().Offset(-origin.x, -origin.y).Inflate(pen.width, pen.width);
    for (int row = 0; row < count; ++row) {
        if (top + row < visible.top || top + row >= visible.bottom)
            continue;
        auto [a, b] = rows[row];
        if (a >= b)
            continue;
        auto [pa, pb] = row > 0 ? rows[row - 1] : std::pair { 0, 0 };
        auto [na, nb] = row + 1 < count ? rows[row + 1] : std::pair { 0, 0 };
        auto run = [&](int x0, int x1) {
            for (int x = std::max(x0, visible.left); x < std::min(x1, visible.right); ++x)
                plot(x, top + row);
        };
        if (pa >= pb || na >= nb) {
            run(a, b);
            continue;
        }
        int left_end = std::min(b, std::max({ a + 1, pa, na }));
        int right_start = std::max(left_end, std::min({ b - 1, pb, nb }));
        run(a, left_end);
        run(right_start, b);
    }
}

Rows Canvas::VisibleRows(const Rect& box, int ellipse_width, int ellipse_height, int& top) const
{
    // Only the rows the clip lets through, plus a margin wider than the pen
    // so that the outline test sees the neighbours of every row it draws.
    Point origin = ToBitmap({ 0, 0 });
    Rect clip = Clip().Bounds();
    int margin = std::max(1, pen.width) + 1;
    top = std::max(box.top, clip.top - origin.y - margin);
    int bottom = std::min(box.bottom, clip.bottom - origin.y + margin);
    Rows rows;
    for (int y = top; y < bottom; ++y)
        rows.push_back(Region::RoundRectRow(box, ellipse_width, ellipse_height, y));
    return rows;
}

void Canvas::RoundRect(const Rect& rect, int ellipse_width, int ellipse_height)
{
    Rect r = Normalized(rect);
    if (r.IsEmpty())
        return;
    bool with_pen = pen.style != PenStyle::Clear;
    // The shape covers the whole rectangle; without a pen it is one pixel
    // smaller, like the region of the same rectangle.
    Rect box = with_pen ? Rect { r.left, r.top, r.right + 1, r.bottom + 1 } : r;
    int top = 0;
    Rows rows = VisibleRows(box, ellipse_width, ellipse_height, top);
    Point origin = ToBitmap({ 0, 0 });
    if (!brush.IsClear()) {
        Rows fill = rows;
        for (auto& span : fill) {
            span.first += origin.x;
            span.second += origin.x;
        }
        FillRows(top + origin.y, fill);
    }
    if (with_pen)
        Outline(top, rows, nullptr, {}, {});
}

void Canvas::Ellipse(const Rect& rect)
{
    Rect r = Normalized(rect);
    RoundRect(r, r.Width(), r.Height());
}

void Canvas::Arc(const Rect& rect, Point start, Point end)
{
    Rect r = Normalized(rect);
    if (r.IsEmpty() || pen.style == PenStyle::Clear)
        return;
    int top = 0;
    Rows rows = VisibleRows({ r.left, r.top, r.right + 1, r.bottom + 1 }, r.Width() + 1, r.Height() + 1, top);
    Outline(top, rows, &r, ClampPoint(start), ClampPoint(end));
}

void Canvas::DrawFocusRect(const Rect& rect)
{
    Rect r = Normalized(rect);
    if (r.IsEmpty())
        return;
    auto dot = [&](int x, int y) {
        Point d { x + m_state.viewport.x, y + m_state.viewport.y };
        if ((d.x + d.y) % 2 != 0)
            return;
        Point b = ToBitmap({ x, y });
        if (!Clipped(b.x, b.y))
            m_target->Row(b.y)[b.x] ^= 0xFFFFFF;
    };
    // Only the part of the frame inside the clip needs walking.
    Point origin = ToBitmap({ 0, 0 });
    Rect visible = Clip().Bounds().Offset(-origin.x, -origin.y);
    for (int x = std::max(r.left, visible.left); x < std::min(r.right, visible.right); ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top)
            dot(x, r.bottom - 1);
    }
    for (int y = std::max(r.top + 1, visible.top); y < std::min(r.bottom - 1, visible.bottom); ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left)
            dot(r.right - 1, y);
    }
}

void Canvas::Blit(
    const Rect& dest, const Bitmap& source, const Rect& source_rect, std::optional<TColor> key, const uint8_t* mask)
{
    Rect d = Normalized(dest), s = Normalized(source_rect);
    if (d.IsEmpty() || s.IsEmpty() || source.Empty())
        return;
    bool mirror_x = (dest.right < dest.left) != (source_rect.right < source_rect.left);
    bool mirror_y = (dest.bottom < dest.top) != (source_rect.bottom < source_rect.top);
    Point origin = ToBitmap({ d.left, d.top });
    Rect box = Rect::FromSize(origin.x, origin.y, d.Width(), d.Height()).Intersect(Clip().Bounds());
    Pixel key_pixel = key ? (ColorToPixel(*key) & 0xFFFFFF) : 0;
    long long dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    if (dw == sw && dh == sh && !mirror_x && !mirror_y && !key && !mask) {
        // Same size (every video frame): straight rows the compiler can
        // vectorise, the same pixels the general path picks.
        const long long dx = static_cast<long long>(s.left) - origin.x;
        const long long dy = static_cast<long long>(s.top) - origin.y;
        const long long rows_end = std::min<long long>(box.bottom, source.Height() - dy);
        for (long long y = std::max<long long>(box.top, -dy); y < rows_end; ++y) {
            const Pixel* src = source.Row(static_cast<int>(y + dy));
            Pixel* dst = m_target->Row(static_cast<int>(y));
            for (const Rect& c : Clip().Rects()) {
                if (c.top > y)
                    break;
                if (c.bottom <= y)
                    continue;
                long long a = std::max<long long>({ box.left, c.left, -dx });
                long long b = std::min<long long>({ box.right, c.right, source.Width() - dx });
                for (long long x = a; x < b; ++x)
                    dst[x] = src[x + dx] | 0xFF000000u;
            }
        }
        return;
    }
    std::vector<int> column(box.Width());
    for (int x = box.left; x < box.right; ++x) {
        long long i = x - origin.x;
        long long si = (2 * i + 1) * sw / (2 * dw);
        column[x - box.left] = s.left + static_cast<int>(mirror_x ? sw - 1 - si : si);
    }
    for (int y = box.top; y < box.bottom; ++y) {
        long long j = y - origin.y;
        long long sj = (2 * j + 1) * sh / (2 * dh);
        int sy = s.top + static_cast<int>(mirror_y ? sh - 1 - sj : sj);
        if (sy < 0 || sy >= source.Height())
            continue;
        const Pixel* src = source.Row(sy);
        Pixel* dst = m_target->Row(y);
        for (const Rect& c : Clip().Rects()) {
            if (c.top > y)
                break;
            if (c.bottom <= y)
                continue;
            int a = std::max(box.left, c.left), b = std::min(box.right, c.right);
            for (int x = a; x < b; ++x) {
                int sx = column[x - box.left];
                if (sx < 0 || sx >= source.Width())
                    continue;
                Pixel p = src[sx];
                if (key && (p & 0xFFFFFF) == key_pixel)
                    continue;
                if (mask && mask[static_cast<size_t>(sy) * source.Width() + sx])
                    continue;
                dst[x] = p | 0xFF000000u;
            }
        }
    }
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap)
{
    std::optional<TColor> key;
    if (bitmap.Transparent())
        key = bitmap.TransparentColor();
    Blit(Rect::FromSize(x, y, bitmap.Width(), bitmap.Height()), bitmap, { 0, 0, bitmap.Width(), bitmap.Height() }, key);
}

void Canvas::DrawMasked(int x, int y, const Bitmap& bitmap, std::span<const uint8_t> mask)
{
    if (mask.size() < static_cast<size_t>(bitmap.Width()) * bitmap.Height())
        return;
    Blit(Rect::FromSize(x, y, bitmap.Width(), bitmap.Height()), bitmap, { 0, 0, bitmap.Width(), bitmap.Height() },
        std::nullopt, mask.data());
}

void Canvas::StretchDraw(const Rect& dest, const Bitmap& bitmap)
{
    std::optional<TColor> key;
    if (bitmap.Transparent())
        key = bitmap.TransparentColor();
    Blit(dest, bitmap, { 0, 0, bitmap.Width(), bitmap.Height() }, key);
}

void Canvas::DrawTransparent(int x, int y, const Bitmap& bitmap, TColor key)
{
    Blit(Rect::FromSize(x, y, bitmap.Width(), bitmap.Height()), bitmap, { 0, 0, bitmap.Width(), bitmap.Height() },
        SystemColors::Resolve(key));
}

void Canvas::StretchDrawTransparent(const Rect& dest, const Bitmap& bitmap, TColor key)
{
    Blit(dest, bitmap, { 0, 0, bitmap.Width(), bitmap.Height() }, SystemColors::Resolve(key));
}

void Canvas::CopyRect(const Rect& dest, const Bitmap& source, const Rect& source_rect)
{
    if (&source == m_target) {
        // Overlapping copies read from a snapshot of the source area.
        Rect s = Normalized(source_rect);
        Bitmap snapshot = source.Crop(s);
        Rect sr = source_rect.Offset(-s.left, -s.top);
        if (s.left < 0)
            sr = sr.Offset(s.left, 0);
        if (s.top < 0)
            sr = sr.Offset(0, s.top);
        Blit(dest, snapshot, sr, std::nullopt);
        return;
    }
    Blit(dest, source, source_rect, std::nullopt);
}

void Canvas::CopyRect(const Rect& dest, const Canvas& source, const Rect& source_rect)
{
    Point a = source.ToBitmap({ source_rect.left, source_rect.top });
    Point b = source.ToBitmap({ source_rect.right, source_rect.bottom });
    CopyRect(dest, source.Target(), { a.x, a.y, b.x, b.y });
}

Size Canvas::TextExtent(std::string_view text) const { return TextExtentUtf8(GbkToUtf8(std::string(text))); }

void Canvas::TextOut(int x, int y, std::string_view text) { TextOutUtf8(x, y, GbkToUtf8(std::string(text))); }

int Canvas::DrawText(std::string_view text, Rect& rect, unsigned flags)
{
    return DrawTextUtf8(GbkToUtf8(std::string(text)), rect, flags);
}

Size Canvas::TextExtentUtf8(std::string_view text) const
{
    Font f = font;
    return TextRenderer::Extent(f, text);
}

void Canvas::TextOutUtf8(int x, int y, std::string_view text)
{
    Font f = font;
    f.color = SystemColors::Resolve(f.color);
    std::optional<TColor> background;
    if (brush.style == BrushStyle::Solid)
        background = SystemColors::Resolve(brush.color);
    TextRenderer::TextOut(*m_target, Clip(), ToBitmap({ x, y }), f, text, background);
}

int Canvas::DrawTextUtf8(std::string_view text, Rect& rect, unsigned flags)
{
    Font f = font;
    f.color = SystemColors::Resolve(f.color);
    std::optional<TColor> background;
    if (brush.style == BrushStyle::Solid)
        background = SystemColors::Resolve(brush.color);
    Point origin = ToBitmap({ 0, 0 });
    Rect r = ClampRect(rect).Offset(origin.x, origin.y);
    Region clip = Clip();
    if (!(flags & (kTextNoClip | kTextCalcRect)))
        clip = clip.Intersect(Region(Normalized(r)));
    int height = TextRenderer::DrawText(*m_target, clip, f, text, r, flags, background);
    if (flags & kTextCalcRect)
        rect = r.Offset(-origin.x, -origin.y);
    return height;
}

}
