#pragma once

#include "platform/gfx/geometry.h"

namespace pellamo {

// Layout and hit testing of a player's "mini" face: the picture on top and a
// slim bar at the bottom with play/pause, stop, mute, a volume slider, the
// status text and, at the right end, the record button. Pure geometry, so the control paints and clicks through it.
class MiniBar {
public:
    enum class Action { None, PlayPause, Stop, Mute, Volume, Video, Record };

    struct Hit {
        Action action = Action::None;
        int volume = 0; // 0..100, for Action::Volume
        bool operator==(const Hit&) const = default;
    };

    static constexpr int kBarHeight = 24;
    static constexpr int kButtonWidth = 24;
    static constexpr int kVolumeWidth = 60;

    // `with_bar` false: the picture fills the control (the Real player's
    // "imagewindow" look).
    MiniBar(int width, int height, bool with_bar = true);

    Rect Video() const { return m_video; }
    Rect Bar() const { return m_bar; }
    Rect PlayPause() const { return m_play; }
    Rect Stop() const { return m_stop; }
    Rect Mute() const { return m_mute; }
    Rect Volume() const { return m_volume; }
    Rect Status() const { return m_status; }
    Rect Record() const { return m_record; }

    // The filled part of the volume slider for a level of 0..100.
    Rect VolumeLevel(int volume) const;

    Hit HitTest(Point p) const;

private:
    Rect m_video;
    Rect m_bar;
    Rect m_play;
    Rect m_stop;
    Rect m_mute;
    Rect m_volume;
    Rect m_status;
    Rect m_record;
};

}
