#include "platform/gfx/image_list.h"

#include "platform/gfx/system_colors.h"

#include <algorithm>
#include <stdexcept>

namespace pellamo {

ImageList::ImageList(int width, int height)
    : m_width(width)
    , m_height(height)
{
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("Image list size must be positive");
}

int ImageList::Add(const Bitmap& bitmap) { return AddImages(bitmap, nullptr); }

int ImageList::AddMasked(const Bitmap& bitmap, TColor mask_color)
{
    TColor key = SystemColors::Resolve(mask_color);
    return AddImages(bitmap, &key);
}

void ImageList::Clear()
{
    m_images.clear();
    m_masks.clear();
}

int ImageList::AddImages(const Bitmap& bitmap, const TColor* mask_color)
{
    if (bitmap.Empty())
        return -1;
    int count = std::max(1, bitmap.Width() / m_width);
    int first = Count();
    Pixel key = mask_color ? (ColorToPixel(*mask_color) & 0xFFFFFF) : 0;
    for (int n = 0; n < count; ++n) {
        Bitmap image(m_width, m_height, clBlack);
        std::vector<uint8_t> mask(static_cast<size_t>(m_width) * m_height, 1);
        for (int y = 0; y < std::min(m_height, bitmap.Height()); ++y) {
            for (int x = 0; x < m_width; ++x) {
                int sx = n * m_width + x;
                if (sx >= bitmap.Width())
                    break;
                Pixel p = bitmap.Row(y)[sx];
                if (mask_color && (p & 0xFFFFFF) == key)
                    continue;
                image.Row(y)[x] = p | 0xFF000000u;
                mask[static_cast<size_t>(y) * m_width + x] = 0;
            }
        }
        if (!mask_color) {
            // Unmasked images are opaque over their whole size.
            std::fill(mask.begin(), mask.end(), 0);
        }
        m_images.push_back(std::move(image));
        m_masks.push_back(std::move(mask));
    }
    return first;
}

void ImageList::Draw(Canvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    const Bitmap& image = m_images[index];
    const std::vector<uint8_t>& mask = m_masks[index];
    if (enabled) {
        canvas.DrawMasked(x, y, image, mask);
        return;
    }
    // Disabled look: bright pixels vanish, the rest become a grey shape with
    // a white highlight one pixel down and right, an embossed glyph.
    std::vector<uint8_t> shape(mask.size(), 1);
    for (int py = 0; py < m_height; ++py) {
        for (int px = 0; px < m_width; ++px) {
            size_t i = static_cast<size_t>(py) * m_width + px;
            TColor c = PixelToColor(image.Row(py)[px]);
            int lum = (RedOf(c) * 30 + GreenOf(c) * 59 + BlueOf(c) * 11) / 100;
            shape[i] = mask[i] || lum > 192;
        }
    }
    std::vector<uint8_t> light(mask.size(), 1);
    for (int py = 0; py + 1 < m_height; ++py)
        for (int px = 0; px + 1 < m_width; ++px)
            if (!shape[static_cast<size_t>(py) * m_width + px])
                light[static_cast<size_t>(py + 1) * m_width + px + 1] = 0;
    canvas.DrawMasked(x, y, Bitmap(m_width, m_height, SystemColors::Resolve(clBtnHighlight)), light);
    canvas.DrawMasked(x, y, Bitmap(m_width, m_height, SystemColors::Resolve(clBtnShadow)), shape);
}

bool ImageList::GetBitmap(int index, Bitmap& target) const
{
    if (index < 0 || index >= Count())
        return false;
    target = m_images[index];
    return true;
}

}
