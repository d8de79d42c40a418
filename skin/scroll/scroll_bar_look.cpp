#include "skin/scroll/scroll_bar_look.h"

#include "platform/gfx/canvas.h"
#include "skin/draw/rotate.h"
#include "skin/theme/theme_source.h"

#include <algorithm>

namespace pellamo {

ScrollBarLook ResolveScrollBarLook(const ThemeSource& theme, bool vertical)
{
    ScrollBarLook look;
    look.track_color = theme.Color(ThemeItem::ScrollBarBackgroundColor);
    for (int i = 0; i < 6; ++i) {
        Bitmap& arrow = look.arrows[static_cast<size_t>(i)];
        arrow = theme.Picture(ThemeItem::ScrollBarButtonImage, 6, i + 1);
        // Up turns to left, down to right.
        if (!vertical && !arrow.Empty())
            RoundPicture(arrow);
    }
    Bitmap* pieces[] = { &look.slider_start, &look.slider_middle, &look.slider_end };
    for (int i = 0; i < 3; ++i) {
        *pieces[i] = theme.Picture(ThemeItem::ScrollBarSliderImage, 3, i + 1);
        // The start cap comes on top.
        if (vertical && !pieces[i]->Empty())
            RoundPicture3(*pieces[i]);
    }
    return look;
}

Bitmap ComposeScrollSlider(const ScrollBarLook& look, int length, bool vertical)
{
    const Bitmap& start = look.slider_start;
    const Bitmap& end = look.slider_end;
    int thickness = vertical ? start.Width() : start.Height();
    if (length <= 0 || thickness <= 0)
        return Bitmap();
    Bitmap slider = vertical ? Bitmap(thickness, length) : Bitmap(length, thickness);
    Canvas canvas(slider);
    canvas.Draw(0, 0, start);
    if (vertical) {
        int middle_top = start.Height();
        int end_top = length - end.Height();
        if (end_top > middle_top && !look.slider_middle.Empty())
            canvas.StretchDraw({ 0, middle_top, thickness, end_top }, look.slider_middle);
        canvas.Draw(0, end_top, end);
    } else {
        int middle_left = start.Width();
        int end_left = length - end.Width();
        if (end_left > middle_left && !look.slider_middle.Empty())
            canvas.StretchDraw({ middle_left, 0, end_left, thickness }, look.slider_middle);
        canvas.Draw(end_left, 0, end);
    }
    return slider;
}

}
