#include "skin/frame/mdi_control_button.h"

#include "platform/gfx/canvas.h"
#include "skin/frame/title_bar_button.h"

#include <utility>
#include <vector>

namespace pellamo {

namespace {

// A title bar's button pictures are drawn on the bar's own ground, which
// would show as a square on the menu bar. The ground is what reaches in
// from the picture's edges in each row's edge colour; it is left out
// unless it is most of the picture (then it is the button's face).
std::vector<bool> GroundOf(const Bitmap& picture)
{
    int w = picture.Width();
    int h = picture.Height();
    std::vector<bool> ground(static_cast<size_t>(w * h), false);
    std::vector<Point> todo;
    auto visit = [&](int x, int y) {
        size_t at = static_cast<size_t>(y * w + x);
        if (x < 0 || y < 0 || x >= w || y >= h || ground[at] || picture.GetPixel(x, y) != picture.GetPixel(0, y))
            return;
        ground[at] = true;
        todo.push_back({ x, y });
    };
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    while (!todo.empty()) {
        Point p = todo.back();
        todo.pop_back();
        visit(p.x - 1, p.y);
        visit(p.x + 1, p.y);
        visit(p.x, p.y - 1);
        visit(p.x, p.y + 1);
    }
    size_t count = 0;
    for (bool g : ground)
        count += g;
    if (count * 2 > ground.size())
        ground.assign(ground.size(), false);
    return ground;
}

// `picture` with its ground (or, when transparent, its key colour) left out.
void DrawFace(Canvas& canvas, const Bitmap& picture, bool transparent)
{
    if (picture.Empty())
        return;
    TColor key = picture.GetPixel(0, picture.Height() - 1);
    std::vector<bool> ground = GroundOf(picture);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            TColor c = picture.GetPixel(x, y);
            if (ground[static_cast<size_t>(y * picture.Width() + x)] || (transparent && c == key))
                continue;
            canvas.SetPixel(x, y, c);
        }
}

}

MdiControlButton::MdiControlButton(TComponent* owner, BackgroundPainter background)
    : TsuiToolBarSpeedButton(owner)
    , background_(std::move(background))
{
}

void MdiControlButton::TakePictures(const TsuiTitleBarButton* source)
{
    normal_ = source ? source->PicNormal().Graphic() : Bitmap();
    over_ = source ? source->PicMouseOn().Graphic() : Bitmap();
    down_ = source ? source->PicMouseDown().Graphic() : Bitmap();
    transparent_ = source && source->Transparent();
    if (HasPictures())
        SetBounds(Left(), Top(), normal_.Width(), normal_.Height());
    Invalidate();
}

void MdiControlButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TsuiToolBarSpeedButton::MouseDown(button, shift, x, y);
    pressed_ = button == TMouseButton::mbLeft;
    Invalidate();
}

void MdiControlButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    pressed_ = false;
    Invalidate();
    TsuiToolBarSpeedButton::MouseUp(button, shift, x, y);
}

void MdiControlButton::Paint()
{
    if (!HasPictures() || Width() <= 0 || Height() <= 0) {
        TsuiToolBarSpeedButton::Paint();
        return;
    }
    Bitmap buffer(Width(), Height());
    pellamo::Canvas canvas(buffer);
    canvas.brush = SolidBrush(Color());
    canvas.FillRect({ 0, 0, Width(), Height() });
    if (background_)
        background_(canvas, BoundsRect());
    // As a title bar shows its buttons: the pressed picture only under the pointer.
    const Bitmap& shown = !Hover() ? normal_ : pressed_ ? down_ : over_;
    const Bitmap& picture = shown.Empty() ? normal_ : shown;
    DrawFace(canvas, picture, transparent_);
    Canvas().Draw(0, 0, buffer);
}

}
