#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace pellamo {

// The program's one message loop. Everything runs on the thread that drives
// it: descriptor readiness (the display connection, sockets, host lookups),
// timers and posted work. Passes may nest: a handler can call
// ProcessMessages() or WaitUntil() to keep the window live while it waits.
class EventLoop {
public:
    using Id = uint64_t;
    enum Events : unsigned { kReadable = 1, kWritable = 2, kError = 4 };
    using Clock = std::chrono::steady_clock;

    EventLoop();
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    // The loop of the user-interface thread.
    static EventLoop& Main();

    // `handler` gets the ready events (kReadable | kWritable | kError).
    Id WatchDescriptor(int fd, unsigned events, std::function<void(unsigned)> handler);
    void SetDescriptorEvents(Id id, unsigned events);
    void UnwatchDescriptor(Id id);

    // A timer fires on the loop every `interval` (once when !repeat). A timer
    // whose handler is still running (a nested pass) is not fired again
    // until that handler returns.
    Id StartTimer(std::chrono::milliseconds interval, std::function<void()> handler, bool repeat = true);
    void StopTimer(Id id);
    bool TimerActive(Id id) const { return m_timers.count(id) != 0; }

    // The clock timers run by: the steady clock, unless a test sets a clock
    // it moves by hand (an empty function restores the steady clock). Set it
    // before starting timers. WaitUntil's timeout always counts real time.
    using TimeSource = std::function<Clock::time_point()>;
    void SetTimeSource(TimeSource source) { m_time_source = std::move(source); }
    Clock::time_point Now() const { return m_time_source ? m_time_source() : Clock::now(); }

    // Called before every pass; returns true when it has work waiting that
    // the descriptors do not show (for example events already buffered by
    // Xlib), so the pass must not block. Also the place to flush output.
    Id AddPrepareHook(std::function<bool()> hook);
    void RemovePrepareHook(Id id);
    // Asked after every prepare hook, just before the pass blocks: whether
    // work waits that no descriptor will announce. A later hook (painting)
    // can make Xlib read events ahead after the display's own hook looked;
    // left there, they would wait for the next input to wake the loop.
    // Only tells; the work is done by the next pass.
    Id AddWaitingCheck(std::function<bool()> check);
    void RemoveWaitingCheck(Id id);

    // Thread-safe: runs `work` on the loop's thread in a later pass.
    void Post(std::function<void()> work);
    // Thread-safe: makes a blocking pass return.
    void Wake();

    // One pass that never blocks. Returns true when anything ran.
    bool ProcessMessages();
    // One pass that blocks up to `timeout` (negative: no limit) for work.
    bool RunOnce(std::chrono::milliseconds timeout = std::chrono::milliseconds(-1));
    // Runs passes, blocking between them, until `done()` holds or the
    // timeout (negative: none) passes. Returns done().
    bool WaitUntil(
        const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::milliseconds(-1));

    // Runs until Quit(). Quit also ends every WaitUntil (their conditions are
    // checked against Quitting() by callers that care).
    void Run();
    void Quit();
    bool Quitting() const { return m_quit; }

private:
    struct Watch {
        int fd;
        unsigned events;
        std::shared_ptr<std::function<void(unsigned)>> handler;
    };
    struct Timer {
        Clock::time_point due;
        std::chrono::milliseconds interval;
        bool repeat;
        bool running = false;
        std::shared_ptr<std::function<void()>> handler;
    };

    bool RunPass(int timeout_ms);
    int NextTimerTimeout() const;
    bool FireDueTimers();
    bool RunPosted();
    void DrainWake();

    Id m_next_id = 1;
    std::map<Id, Watch> m_watches;
    std::map<Id, Timer> m_timers;
    std::map<Id, std::function<bool()>> m_prepare_hooks;
    std::map<Id, std::function<bool()>> m_waiting_checks;
    TimeSource m_time_source;

    std::mutex m_posted_mutex;
    std::deque<std::function<void()>> m_posted;
    int m_wake_fd = -1;
    std::atomic<bool> m_wake_pending { false };
    bool m_quit = false;
};

}
