#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"

#include <cstdint>
#include <vector>

namespace pellamo {

// Images of one fixed size, each with an optional mask. A bitmap wider than
// the image size becomes several images, cut left to right; columns beyond
// the last whole image are dropped, and a bitmap narrower than one image
// becomes one image whose missing pixels are transparent.
class ImageList {
public:
    ImageList(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Count() const { return static_cast<int>(m_images.size()); }

    // Both return the index of the first image added, or -1 when nothing
    // was added (an empty bitmap).
    int Add(const Bitmap& bitmap);
    int AddMasked(const Bitmap& bitmap, TColor mask_color);
    void Clear();

    // Draws image `index` at (x, y), leaving masked pixels alone. Disabled
    // images are drawn as a light grey embossed shape. Indices out of range
    // draw nothing.
    void Draw(Canvas& canvas, int x, int y, int index, bool enabled = true) const;
    // The target becomes the image size and receives image `index`; masked
    // pixels come out black (what the list stores for them). Returns false
    // for an index out of range, leaving the target alone.
    bool GetBitmap(int index, Bitmap& target) const;

private:
    int AddImages(const Bitmap& bitmap, const TColor* mask_color);

    int m_width;
    int m_height;
    std::vector<Bitmap> m_images;
    std::vector<std::vector<uint8_t>> m_masks; // 1 = transparent
};

}
