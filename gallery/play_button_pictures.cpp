#include "gallery/play_button_pictures.h"

#include "platform/gfx/canvas.h"

#include <array>

namespace pellamo {

Bitmap PlayButtonPicture(PlayButtonState state)
{
    constexpr int kSize = 32;
    struct Look {
        TColor ring, face, mark;
        int shift; // pressed in: the mark moves down and right
    };
    static constexpr std::array<Look, 4> looks { {
        { Rgb(40, 80, 150), Rgb(90, 140, 220), Rgb(255, 255, 255), 0 },
        { Rgb(40, 90, 170), Rgb(130, 180, 250), Rgb(255, 255, 255), 0 },
        { Rgb(30, 60, 120), Rgb(60, 110, 190), Rgb(230, 230, 230), 1 },
        { Rgb(150, 150, 150), Rgb(205, 205, 205), Rgb(240, 240, 240), 0 },
    } };
    const Look& look = looks[static_cast<size_t>(state)];
    Bitmap picture(kSize, kSize, clWhite);
    Canvas canvas(picture);
    canvas.pen.color = look.ring;
    canvas.pen.width = 2;
    canvas.brush.color = look.face;
    canvas.Ellipse({ 1, 1, kSize - 1, kSize - 1 });
    canvas.pen.width = 1;
    canvas.pen.color = look.mark;
    canvas.brush.color = look.mark;
    const int s = look.shift;
    const Point mark[] = { { 12 + s, 9 + s }, { 23 + s, 16 + s }, { 12 + s, 23 + s } };
    canvas.Polygon(mark);
    return picture;
}

}
