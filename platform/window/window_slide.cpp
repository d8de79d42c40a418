#include "platform/window/window_slide.h"

#include "platform/window/window_system.h"

#include <algorithm>
#include <cmath>

namespace pellamo {

namespace {

// About sixty steps a second.
constexpr std::chrono::milliseconds kStepInterval(15);

constexpr DWORD kHorizontal = AW_HOR_POSITIVE | AW_HOR_NEGATIVE;
constexpr DWORD kVertical = AW_VER_POSITIVE | AW_VER_NEGATIVE;

// How much of `length` shows at `fraction`.
int Uncovered(int length, double fraction)
{
    return std::clamp(static_cast<int>(std::lround(fraction * length)), 0, length);
}

// One axis of a step moving towards its positive or negative end (or
// neither: all of it shows): the shown part [lo, hi) and the window's
// shift. A roll uncovers the part next to the edge it starts from; a slide
// shows the picture's far edge there, moving the window.
void StepAxis(bool positive, bool negative, bool slide, int length, double fraction, int& lo, int& hi, int& shift)
{
    if (!positive && !negative)
        return;
    int shown = Uncovered(length, fraction), hidden = length - shown;
    lo = positive == slide ? hidden : 0;
    hi = lo + shown;
    shift = !slide ? 0 : positive ? -hidden : hidden;
}

}

bool WindowSlide::Playable(DWORD flags)
{
    if (flags & (AW_CENTER | AW_BLEND))
        return false;
    DWORD h = flags & kHorizontal, v = flags & kVertical;
    if (h == kHorizontal || v == kVertical)
        return false;
    return h || v;
}

WindowSlide::Step WindowSlide::StepAt(DWORD flags, Size size, double fraction)
{
    // Hiding towards one side looks like showing from it, played backwards.
    if (flags & AW_HIDE) {
        DWORD h = flags & kHorizontal, v = flags & kVertical;
        flags &= ~(kHorizontal | kVertical);
        if (h)
            flags |= h ^ kHorizontal;
        if (v)
            flags |= v ^ kVertical;
    }
    bool slide = flags & AW_SLIDE;
    Step step { { 0, 0, size.cx, size.cy }, { 0, 0 } };
    StepAxis(flags & AW_HOR_POSITIVE, flags & AW_HOR_NEGATIVE, slide, size.cx, fraction, step.shown.left,
        step.shown.right, step.shift.x);
    StepAxis(flags & AW_VER_POSITIVE, flags & AW_VER_NEGATIVE, slide, size.cy, fraction, step.shown.top,
        step.shown.bottom, step.shift.y);
    return step;
}

WindowSlide::WindowSlide(WindowSystem& ws, HWND hwnd, std::chrono::milliseconds duration, DWORD flags)
    : m_ws(ws)
    , m_hwnd(hwnd)
    , m_duration(duration)
    , m_flags(flags)
    , m_place(ws.GetWindowRect(hwnd))
    , m_region(ws.GetWindowRgn(hwnd))
    , m_start(EventLoop::Clock::now())
{
    if (!(m_flags & AW_HIDE)) {
        Apply(0.0);
        m_ws.ShowWindow(m_hwnd, (m_flags & AW_ACTIVATE) ? SW_SHOW : SW_SHOWNA);
    }
}

WindowSlide::~WindowSlide()
{
    if (m_timer)
        m_ws.Loop().StopTimer(m_timer);
}

void WindowSlide::Start(std::function<void()> at_end)
{
    m_at_end = std::move(at_end);
    m_start = EventLoop::Clock::now();
    m_timer = m_ws.Loop().StartTimer(kStepInterval, [this] { Tick(); });
}

void WindowSlide::Tick()
{
    double done = 1.0;
    if (m_duration.count() > 0) {
        auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(EventLoop::Clock::now() - m_start);
        done = static_cast<double>(elapsed.count()) / static_cast<double>(m_duration.count());
    }
    if (done >= 1.0) {
        // The owner ends the slide from here; this object may be gone after.
        if (m_at_end)
            m_at_end();
        return;
    }
    Apply((m_flags & AW_HIDE) ? 1.0 - done : done);
}

void WindowSlide::Apply(double fraction)
{
    if (!m_ws.IsWindow(m_hwnd))
        return;
    Step step = StepAt(m_flags, { m_place.Width(), m_place.Height() }, fraction);
    Region shown(step.shown);
    if (m_region)
        shown = shown.Intersect(*m_region);
    Point at { m_place.left + step.shift.x, m_place.top + step.shift.y };
    auto move = [&] {
        Rect now = m_ws.GetWindowRect(m_hwnd);
        if (now.left != at.x || now.top != at.y)
            m_ws.SetWindowPos(m_hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // Shrink before moving and move before growing, so a step never shows
    // more than the window's own place and the edge it slides over.
    if (m_flags & AW_HIDE) {
        m_ws.SetWindowRgn(m_hwnd, shown, true);
        move();
    } else {
        move();
        m_ws.SetWindowRgn(m_hwnd, shown, true);
    }
}

void WindowSlide::Complete()
{
    if (m_timer) {
        m_ws.Loop().StopTimer(m_timer);
        m_timer = 0;
    }
    if (!m_ws.IsWindow(m_hwnd))
        return;
    if (m_flags & AW_HIDE)
        m_ws.ShowWindow(m_hwnd, SW_HIDE);
    Rect now = m_ws.GetWindowRect(m_hwnd);
    if (now.left != m_place.left || now.top != m_place.top)
        m_ws.SetWindowPos(m_hwnd, nullptr, m_place.left, m_place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_ws.SetWindowRgn(m_hwnd, m_region, true);
}

}
