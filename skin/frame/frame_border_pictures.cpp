#include "skin/frame/frame_border_pictures.h"

#include "platform/window/window_system.h"
#include "skin/draw/rotate.h"
#include "skin/frame/title_bar.h"
#include "skin/theme/theme_source.h"

namespace pellamo {

void FrameBorderPictures::Take(ThemeSource& theme)
{
    right_.reset();
    left_ = Bitmap();
    bottom_ = Bitmap();
    if (!theme.UsesFileTheme())
        return;
    left_ = theme.Picture(ThemeItem::FormLeftBorderImage);
    if (left_.Width() > 0 && left_.Height() > 0) {
        right_ = std::make_unique<Bitmap>(left_);
        RoundPicture2(*right_);
    }
    bottom_ = theme.Picture(ThemeItem::FormBottomBorderImage);
}

void FrameBorderPictures::Describe(FormBorderFace& face) const
{
    if (!right_)
        return;
    face.left_border = &left_;
    face.right_border = right_.get();
    face.bottom_border = bottom_.Empty() ? nullptr : &bottom_;
}

void DescribeFrameWindow(FormBorderFace& face, const WindowSystem& ws, HWND host, const TsuiTitleBar& title_bar)
{
    Rect bounds = ws.GetWindowRect(host);
    face.window = { bounds.Width(), bounds.Height() };
    face.title_visible = title_bar.Visible();
    face.title_height = title_bar.Height();
    if (title_bar.CanPaint()) {
        face.title_left = title_bar.LeftImage();
        face.title_right = title_bar.RightImage();
        face.title_centre = title_bar.CenterImage();
    }
}

void PaintBorderOnWindow(WindowSystem& ws, HWND host, const FormBorderFace& face)
{
    // A hidden window gets its frame painted when it is shown; painting it
    // now would only size a back buffer at every step of loading.
    if (!ws.IsWindowVisible(host))
        return;
    DeviceContext* dc = ws.GetWindowDC(host);
    if (!dc)
        return;
    PaintFormBorder(dc->GetCanvas(), face);
    ws.ReleaseDC(host, dc);
}

}
