#include "skin/frame/frame_border_pictures.h"

#include "platform/window/window_system.h"
#include "skin/draw/rotate.h"
#include "skin/frame/title_bar.h"
#include "skin/theme/theme_source.h"

namespace pellamo {

void FrameBorderPictures::Take(ThemeSource& theme)
{
    m_right.reset();
    m_left = Bitmap();
    m_bottom = Bitmap();
    if (!theme.UsesFileTheme())
        return;
    m_left = theme.Picture(ThemeItem::FormLeftBorderImage);
    if (m_left.Width() > 0 && m_left.Height() > 0) {
        m_right = std::make_unique<Bitmap>(m_left);
        RoundPicture2(*m_right);
    }
    m_bottom = theme.Picture(ThemeItem::FormBottomBorderImage);
}

void FrameBorderPictures::Describe(FormBorderFace& face) const
{
    if (!m_right)
        return;
    face.left_border = &m_left;
    face.right_border = m_right.get();
    face.bottom_border = m_bottom.Empty() ? nullptr : &m_bottom;
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
