#pragma once

#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"
#include "platform/loop/event_loop.h"
#include "platform/window/messages.h"

#include <chrono>
#include <functional>
#include <optional>

namespace pellamo {

class WindowSystem;

// One show or hide of a top-level window played over a duration by the
// loop's timers: a roll uncovers (or covers) the window from one edge, a
// slide moves its picture in from (or out over) that edge. Each step gives
// the window a region that shows only the uncovered part and, for a slide,
// moves the window so the part shown is the picture's leading edge. At the
// end the window has its own place and region again (and is hidden after a
// hide). WindowSystem::AnimateWindow runs these; nothing here blocks.
class WindowSlide {
public:
    // Whether `flags` name something this can play: a roll or a slide with
    // one horizontal and/or one vertical direction.
    static bool Playable(DWORD flags);

    // Shows the window (hidden and at its first step) for a show; records
    // the window's place and region. Call Start() afterwards.
    WindowSlide(WindowSystem& ws, HWND hwnd, std::chrono::milliseconds duration, DWORD flags);
    ~WindowSlide();
    WindowSlide(const WindowSlide&) = delete;
    WindowSlide& operator=(const WindowSlide&) = delete;

    // Starts the timer; `at_end` is called from a tick once the time is up.
    void Start(std::function<void()> at_end);
    // Puts the window in its end state: its place and region back, hidden
    // after a hide. The timer stops.
    void Complete();

    // The part of a w x h window shown at `fraction` (0 to 1) of the way
    // from hidden to shown, and where the picture's (0, 0) lies relative to
    // the window's own place. Pure geometry.
    struct Step {
        Rect shown; // window coordinates
        Point shift;
    };
    static Step StepAt(DWORD flags, Size size, double fraction);

private:
    void Apply(double fraction);
    void Tick();

    WindowSystem& m_ws;
    HWND m_hwnd;
    std::chrono::milliseconds m_duration;
    DWORD m_flags;
    Rect m_place; // screen
    std::optional<Region> m_region;
    EventLoop::Clock::time_point m_start;
    EventLoop::Id m_timer = 0;
    std::function<void()> m_at_end;
};

}
