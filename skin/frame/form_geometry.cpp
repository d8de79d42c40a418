#include "skin/frame/form_geometry.h"

#include <algorithm>

namespace pellamo {

Rect FrameCalcRect(const Rect& window, const FrameEdges& edges)
{
    Rect r = window;
    if (edges.side_picture > 0) {
        r.left += edges.side_picture - 2;
        r.right -= edges.side_picture - 2;
    }
    if (edges.bottom_picture != 0)
        r.bottom -= edges.bottom_picture - 2;
    else if (edges.border_width != 3)
        r.bottom -= edges.border_width - 2;
    return r;
}

Region FrameRegion(Size window, int round_corner, int round_corner_bottom)
{
    int w = window.cx;
    int h = window.cy;
    int rc = std::max(0, round_corner);
    int rcb = std::max(0, round_corner_bottom);
    int half = h / 2;
    Region top = Region::RoundRect({ 0, 0, w + 1, half + 1 }, rc, rc)
                     .Union(Region({ 0, half - 2 * rc, 2 * rc, half }))
                     .Union(Region({ w - 2 * rc, half - 2 * rc, w, half }));
    Region bottom = Region::RoundRect({ 0, half, w + 1, h + 1 }, rcb, rcb)
                        .Union(Region({ 0, half, 2 * rcb, half + 2 * rcb }))
                        .Union(Region({ w - 2 * rcb, half, w, half + 2 * rcb }));
    return top.Union(bottom);
}

Rect MaximisedFrameBounds(const Rect& work_area)
{
    return { work_area.left - 2, work_area.top - 2, work_area.right + 2, work_area.bottom - 1 };
}

void ApplyFrameCalcRect(WPARAM wparam, LPARAM lparam, const FrameEdges& edges)
{
    if (wparam) {
        auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam);
        p->rgrc[0] = FrameCalcRect(p->rgrc[0], edges);
        p->rgrc[1] = p->rgrc[0];
    } else if (auto* r = reinterpret_cast<Rect*>(lparam)) {
        *r = FrameCalcRect(*r, edges);
    }
}

}
