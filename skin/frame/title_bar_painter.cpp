#include "skin/frame/title_bar_painter.h"

#include "platform/gfx/system_colors.h"
#include "platform/text/gbk_chars.h"

namespace pellamo {

namespace {

constexpr int kAppIconSize = 16;
constexpr int kRightToLeftGap = 10;

void DrawButtonPicture(Canvas& canvas, const TitleBarButtonFace& button, const Bitmap& shown, Point at)
{
    // Through a bitmap of the normal picture's size, as all three states share it.
    const Bitmap& size_of = button.normal && !button.normal->Empty() ? *button.normal : shown;
    if (size_of.Empty())
        return;
    Bitmap piece(size_of.Width(), size_of.Height());
    Canvas(piece).Draw(0, 0, shown);
    if (button.transparent)
        canvas.DrawTransparent(at.x, at.y, piece, piece.GetPixel(0, piece.Height() - 1));
    else
        canvas.Draw(at.x, at.y, piece);
}

const Bitmap* ShownPicture(const TitleBarButtonFace& button, bool hover, bool pressed)
{
    const Bitmap* p = !hover ? button.normal : pressed ? button.mouse_down : button.mouse_on;
    return p ? p : button.normal;
}

}

std::string FitCaption(const Canvas& canvas, std::string_view caption, int room)
{
    if (canvas.TextWidth(caption) <= room)
        return std::string(caption);
    // Character starts, so that a GBK character is never cut in half.
    std::vector<size_t> starts;
    for (size_t i = 0; i < caption.size(); i += GbkCharLength(caption, i))
        starts.push_back(i);
    size_t keep = starts.size();
    while (keep > 0) {
        --keep;
        std::string shortened = std::string(caption.substr(0, starts[keep])) + "...";
        if (canvas.TextWidth(shortened) <= room)
            return shortened;
    }
    return "...";
}

void PaintTitleBar(Canvas& canvas, Size size, const TitleBarFace& face)
{
    Point d = face.section_offset;
    int a = d.x;
    if (face.left) {
        canvas.Draw(d.x, d.y, *face.left);
        a = face.left->Width() + d.x;
    }
    int b = size.cx - d.x;
    if (face.right) {
        b = size.cx - face.right->Width() - d.x;
        canvas.Draw(b, d.y, *face.right);
    }
    if (face.centre && !face.centre->Empty())
        canvas.StretchDraw({ a, d.y, b, d.y + face.centre->Height() }, *face.centre);

    const TitleBarLayout& layout = face.layout;
    for (size_t i = 0; i < face.buttons.size() && i < layout.buttons.size(); ++i) {
        if (static_cast<int>(i) == layout.control_box || layout.buttons[i].IsEmpty())
            continue;
        bool hover = face.hover == static_cast<int>(i);
        if (const Bitmap* shown = ShownPicture(face.buttons[i], hover, face.pressed))
            DrawButtonPicture(canvas, face.buttons[i], *shown, { layout.buttons[i].left, layout.buttons[i].top });
    }
    if (layout.control_box >= 0 && static_cast<size_t>(layout.control_box) < face.buttons.size()) {
        const TitleBarButtonFace& box = face.buttons[static_cast<size_t>(layout.control_box)];
        Point at = layout.control_box_picture;
        if (face.app_icon) {
            if (!face.app_icon->Empty())
                canvas.StretchDraw(Rect::FromSize(at.x, at.y, kAppIconSize, kAppIconSize), *face.app_icon);
        } else if (const Bitmap* shown = ShownPicture(box, face.hover == layout.control_box, face.pressed)) {
            DrawButtonPicture(canvas, box, *shown, at);
        }
    }

    canvas.font = face.font;
    if (!face.active)
        canvas.font.color = SystemColors::Resolve(clInactiveCaption);
    canvas.brush.style = BrushStyle::Clear;
    std::string text = FitCaption(canvas, face.caption, layout.caption_right - layout.caption_left);
    Size extent = canvas.TextExtent(text);
    int top = layout.button_top + (face.button_height - extent.cy) / 2;
    int left = face.right_to_left ? layout.caption_right - extent.cx - kRightToLeftGap : layout.caption_left;
    canvas.TextOut(left, top, text);
}

}
