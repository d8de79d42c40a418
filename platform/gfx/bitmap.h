#pragma once

#include "platform/gfx/color.h"
#include "platform/gfx/geometry.h"

#include <cstddef>
#include <vector>

namespace pellamo {

// A 32-bit top-down bitmap we own. Rows are padded to a multiple of 64 bytes
// so the same memory can be handed to Cairo and to libmpv's software renderer.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, TColor fill = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_width == 0 || m_height == 0; }
    int StrideBytes() const { return m_stride * 4; }

    // Keeps the overlapping top-left content; new area is `fill`.
    void Resize(int width, int height, TColor fill = 0);
    void Fill(TColor color);

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // Out-of-range reads give 0 (black); out-of-range writes are ignored.
    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    Pixel* Row(int y) { return m_pixels.data() + static_cast<size_t>(y) * m_stride; }
    const Pixel* Row(int y) const { return m_pixels.data() + static_cast<size_t>(y) * m_stride; }
    Pixel* Data() { return m_pixels.data(); }
    const Pixel* Data() const { return m_pixels.data(); }

    // A copy of the part of this bitmap inside `rect` (clipped to the bitmap).
    Bitmap Crop(const Rect& rect) const;

    // Transparent mode, honoured by Canvas::Draw and StretchDraw: pixels of
    // the transparent colour are left out. Without a fixed colour the
    // bottom-left pixel is the key, as the platform's bitmaps do.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool on) { m_transparent = on; }
    void SetTransparentColor(TColor color);
    void ClearTransparentColor() { m_has_key = false; }
    bool HasTransparentColor() const { return m_has_key; }
    TColor TransparentColor() const;

    // Compares size and pixels only.
    bool operator==(const Bitmap& other) const;

private:
    static int StrideFor(int width) { return (width + 15) / 16 * 16; }

    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<Pixel> m_pixels;
    bool m_transparent = false;
    bool m_has_key = false;
    TColor m_key = 0;
};

}
