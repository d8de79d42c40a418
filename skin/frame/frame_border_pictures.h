#pragma once

// What both skinned frames keep for their border: a file theme's side and
// bottom pictures (the right side is the left one turned round), described
// into the painter's face, and the border painted on the frame's window.

#include "platform/gfx/bitmap.h"
#include "platform/window/window_object.h"
#include "skin/frame/form_border_painter.h"

#include <memory>

namespace pellamo {

class ThemeSource;
class TsuiTitleBar;
class WindowSystem;

class FrameBorderPictures {
public:
    // Takes the file theme's pictures (FormLeftBorderImage and FormBottomBorderImage); none for a built-in style.
    void Take(ThemeSource& theme);
    bool HasSides() const { return right_ != nullptr; }
    int SideWidth() const { return right_ ? right_->Width() : 0; }
    int BottomHeight() const { return bottom_.Height(); }
    // Sets the face's picture borders when there are side pictures.
    void Describe(FormBorderFace& face) const;

private:
    Bitmap left_;
    std::unique_ptr<Bitmap> right_;
    Bitmap bottom_;
};

// The window's size and the title bar's part of a border face.
void DescribeFrameWindow(FormBorderFace& face, const WindowSystem& ws, HWND host, const TsuiTitleBar& title_bar);
// Paints the border into the whole window `host`.
void PaintBorderOnWindow(WindowSystem& ws, HWND host, const FormBorderFace& face);

}
