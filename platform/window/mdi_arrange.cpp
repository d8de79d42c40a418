#include "platform/window/mdi_arrange.h"

#include <algorithm>

namespace pellamo {

std::vector<Rect> MdiArrange::Cascade(Size client, int count)
{
    std::vector<Rect> rects;
    if (count <= 0)
        return rects;
    // Each window three quarters of the client.
    int w = std::max(0, client.cx * 3 / 4);
    int h = std::max(0, client.cy * 3 / 4);
    for (int i = 0; i < count; ++i) {
        int offset = (count - 1 - i) * kCascadeStep;
        rects.push_back(Rect::FromSize(offset, offset, w, h));
    }
    return rects;
}

std::vector<Rect> MdiArrange::Tile(Size client, int count, bool vertical)
{
    std::vector<Rect> rects;
    if (count <= 0)
        return rects;
    int cx = std::max(0, client.cx);
    int cy = std::max(0, client.cy);
    for (int i = 0; i < count; ++i) {
        // Integer shares that add up to the whole client.
        if (vertical) {
            int left = cx * i / count;
            rects.push_back({ left, 0, cx * (i + 1) / count, cy });
        } else {
            int top = cy * i / count;
            rects.push_back({ 0, top, cx, cy * (i + 1) / count });
        }
    }
    return rects;
}

Rect MdiArrange::Icon(Size client, int index)
{
    int per_row = std::max(1, client.cx / kIconWidth);
    int row = index / per_row;
    int column = index % per_row;
    return Rect::FromSize(column * kIconWidth, client.cy - (row + 1) * kIconHeight, kIconWidth, kIconHeight);
}

}
