#include "platform/gfx/bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace pellamo {

Bitmap::Bitmap(int width, int height, TColor fill) { Resize(width, height, fill); }

void Bitmap::Resize(int width, int height, TColor fill)
{
    if (width < 0 || height < 0)
        throw std::invalid_argument("Bitmap size must not be negative");
    if (static_cast<long long>(width) * height > (1LL << 28))
        throw std::invalid_argument("Bitmap too large");
    int stride = StrideFor(width);
    std::vector<Pixel> pixels(static_cast<size_t>(stride) * height, ColorToPixel(fill));
    int keep_w = std::min(width, m_width);
    int keep_h = std::min(height, m_height);
    for (int y = 0; y < keep_h; ++y)
        std::memcpy(pixels.data() + static_cast<size_t>(y) * stride, Row(y), keep_w * sizeof(Pixel));
    m_width = width;
    m_height = height;
    m_stride = stride;
    m_pixels = std::move(pixels);
}

void Bitmap::Fill(TColor color) { std::fill(m_pixels.begin(), m_pixels.end(), ColorToPixel(color)); }

TColor Bitmap::GetPixel(int x, int y) const { return Contains(x, y) ? PixelToColor(Row(y)[x]) : 0; }

void Bitmap::SetPixel(int x, int y, TColor color)
{
    if (Contains(x, y))
        Row(y)[x] = ColorToPixel(color);
}

Bitmap Bitmap::Crop(const Rect& rect) const
{
    Rect r = rect.Intersect({ 0, 0, m_width, m_height });
    Bitmap out(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
        std::memcpy(out.Row(y), Row(r.top + y) + r.left, static_cast<size_t>(r.Width()) * sizeof(Pixel));
    return out;
}

void Bitmap::SetTransparentColor(TColor color)
{
    m_has_key = true;
    m_key = color & 0xFFFFFF;
}

TColor Bitmap::TransparentColor() const
{
    if (m_has_key)
        return m_key;
    return Empty() ? 0 : GetPixel(0, m_height - 1);
}

bool Bitmap::operator==(const Bitmap& other) const
{
    if (m_width != other.m_width || m_height != other.m_height)
        return false;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if ((Row(y)[x] & 0xFFFFFF) != (other.Row(y)[x] & 0xFFFFFF))
                return false;
    return true;
}

}
