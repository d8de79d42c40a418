#pragma once

#include "platform/loop/event_loop.h"

#include <exception>
#include <functional>

namespace pellamo {

// A millisecond timer delivered on the user-interface loop (despite its
// name no thread is involved). It runs while Enabled, Interval > 0 and
// OnTimer is set; changing any of the three restarts it, setting the same
// value again does not.
class TThreadTimer {
public:
    using TimerEvent = std::function<void(TThreadTimer& sender)>;

    explicit TThreadTimer(EventLoop& loop = EventLoop::Main());
    ~TThreadTimer();
    TThreadTimer(const TThreadTimer&) = delete;
    TThreadTimer& operator=(const TThreadTimer&) = delete;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned milliseconds);
    const TimerEvent& OnTimer() const { return m_on_timer; }
    void SetOnTimer(TimerEvent handler);

    bool Running() const { return m_timer != 0; }

    // Where exceptions thrown by OnTimer handlers go (the application's
    // exception display). Without one they are written to stderr.
    static void SetExceptionHandler(std::function<void(std::exception_ptr)> handler);

private:
    void Restart();
    void Fire();

    EventLoop& m_loop;
    bool m_enabled = true;
    unsigned m_interval = 1000;
    TimerEvent m_on_timer;
    EventLoop::Id m_timer = 0;
};

}
