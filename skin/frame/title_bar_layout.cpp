#include "skin/frame/title_bar_layout.h"

#include "skin/window/placement.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr int kAppIconAdvance = 21;
constexpr int kAppIconInset = 3;
constexpr int kBoxGap = 5;
constexpr int kCaptionLeftWhenFlush = 6;

}

TitleBarLayout LayOutTitleBar(const std::vector<TitleBarButtonSlot>& buttons, const TitleBarMetrics& m)
{
    TitleBarLayout layout;
    layout.buttons.resize(buttons.size());
    int k = m.border_picture - 1;
    int y = m.button_top;
    int x = m.width + 1 + m.right_offset + k;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const TitleBarButtonSlot& b = buttons[i];
        if (!b.visible)
            continue;
        if (b.type == TsuiTitleBarBtnType::suiControlBox) {
            layout.control_box = static_cast<int>(i);
            continue;
        }
        int w = b.picture.cx;
        x -= w + 1 + m.interval;
        if (x + w + 1 > m.width)
            x = m.width - w - 1;
        layout.buttons[i] = Rect::FromSize(x, y, w, b.picture.cy);
    }
    int lx = std::max(0, m.left_offset - k);
    if (layout.control_box >= 0) {
        Size box = buttons[static_cast<size_t>(layout.control_box)].picture;
        layout.buttons[static_cast<size_t>(layout.control_box)] = Rect::FromSize(lx, y, box.cx, box.cy);
        if (m.draw_app_icon) {
            layout.control_box_picture = { lx + kAppIconInset, y };
            lx += kAppIconAdvance;
        } else {
            layout.control_box_picture = { lx, y - 1 };
            lx += box.cx + kBoxGap;
        }
    }
    if (lx == 0)
        lx = kCaptionLeftWhenFlush;
    layout.button_top = y;
    layout.caption_left = lx;
    layout.caption_right = x;
    return layout;
}

int TitleBarButtonAt(const TitleBarLayout& layout, Point p)
{
    int hit = -1;
    for (size_t i = 0; i < layout.buttons.size(); ++i)
        if (static_cast<int>(i) != layout.control_box && !layout.buttons[i].IsEmpty() && InRect(p, layout.buttons[i]))
            hit = static_cast<int>(i);
    if (layout.control_box >= 0 && InRect(p, layout.buttons[static_cast<size_t>(layout.control_box)]))
        hit = layout.control_box;
    return hit;
}

}
