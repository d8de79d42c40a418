#include "player/mpv/mini_bar.h"

#include <algorithm>

namespace pellamo {

MiniBar::MiniBar(int width, int height, bool with_bar)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!with_bar) {
        m_video = { 0, 0, width, height };
        return;
    }
    // A control shorter than the bar is all bar; never a negative picture.
    int bar_top = std::max(height - kBarHeight, 0);
    m_video = { 0, 0, width, bar_top };
    m_bar = { 0, bar_top, width, height };
    auto next = [&](int left, int item_width) {
        Rect r { left, bar_top, std::min(left + item_width, width), height };
        return r.IsEmpty() ? Rect {} : r;
    };
    m_play = next(0, kButtonWidth);
    m_stop = next(kButtonWidth, kButtonWidth);
    m_mute = next(2 * kButtonWidth, kButtonWidth);
    m_volume = next(3 * kButtonWidth + 4, kVolumeWidth);
    m_status = next(3 * kButtonWidth + 4 + kVolumeWidth + 8, width);
    // The record button takes the right end when the bar has room for it
    // beside the status text.
    if (!m_status.IsEmpty() && m_status.Width() >= 2 * kButtonWidth)
        m_record = { width - kButtonWidth, bar_top, width, height };
    m_status.right = std::max(m_status.left, (m_record.IsEmpty() ? width : m_record.left) - 4);
    if (m_status.IsEmpty())
        m_status = {};
}

Rect MiniBar::VolumeLevel(int volume) const
{
    Rect r = m_volume;
    if (r.IsEmpty())
        return {};
    r.right = r.left + r.Width() * std::clamp(volume, 0, 100) / 100;
    return r.IsEmpty() ? Rect {} : r;
}

MiniBar::Hit MiniBar::HitTest(Point p) const
{
    if (m_video.Contains(p))
        return { Action::Video, 0 };
    if (m_play.Contains(p))
        return { Action::PlayPause, 0 };
    if (m_stop.Contains(p))
        return { Action::Stop, 0 };
    if (m_mute.Contains(p))
        return { Action::Mute, 0 };
    if (m_record.Contains(p))
        return { Action::Record, 0 };
    if (m_volume.Contains(p)) {
        // The slider's last pixel is full volume.
        int span = std::max(m_volume.Width() - 1, 1);
        return { Action::Volume, (p.x - m_volume.left) * 100 / span };
    }
    return {};
}

}
