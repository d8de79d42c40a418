#include "platform/loop/event_loop.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

namespace pellamo {

EventLoop::EventLoop()
{
    m_wake_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wake_fd < 0)
        throw std::runtime_error(std::string("Cannot create the loop's wake descriptor: ") + std::strerror(errno));
}

EventLoop::~EventLoop() { close(m_wake_fd); }

EventLoop& EventLoop::Main()
{
    static EventLoop loop;
    return loop;
}

EventLoop::Id EventLoop::WatchDescriptor(int fd, unsigned events, std::function<void(unsigned)> handler)
{
    Id id = m_next_id++;
    m_watches[id] = Watch { fd, events, std::make_shared<std::function<void(unsigned)>>(std::move(handler)) };
    return id;
}

void EventLoop::SetDescriptorEvents(Id id, unsigned events)
{
    auto it = m_watches.find(id);
    if (it != m_watches.end())
        it->second.events = events;
}

void EventLoop::UnwatchDescriptor(Id id) { m_watches.erase(id); }

EventLoop::Id EventLoop::StartTimer(std::chrono::milliseconds interval, std::function<void()> handler, bool repeat)
{
    Id id = m_next_id++;
    interval = std::max(interval, std::chrono::milliseconds(0));
    m_timers[id] = Timer { Now() + interval, interval, repeat, false,
        std::make_shared<std::function<void()>>(std::move(handler)) };
    return id;
}

void EventLoop::StopTimer(Id id) { m_timers.erase(id); }

EventLoop::Id EventLoop::AddPrepareHook(std::function<bool()> hook)
{
    Id id = m_next_id++;
    m_prepare_hooks[id] = std::move(hook);
    return id;
}

void EventLoop::RemovePrepareHook(Id id) { m_prepare_hooks.erase(id); }

EventLoop::Id EventLoop::AddWaitingCheck(std::function<bool()> check)
{
    Id id = m_next_id++;
    m_waiting_checks[id] = std::move(check);
    return id;
}

void EventLoop::RemoveWaitingCheck(Id id) { m_waiting_checks.erase(id); }

void EventLoop::Post(std::function<void()> work)
{
    {
        std::lock_guard lock(m_posted_mutex);
        m_posted.push_back(std::move(work));
    }
    Wake();
}

void EventLoop::Wake()
{
    if (m_wake_pending.exchange(true))
        return;
    uint64_t one = 1;
    ssize_t written = write(m_wake_fd, &one, sizeof one);
    (void)written; // a full counter still wakes the poll
}

void EventLoop::DrainWake()
{
    uint64_t value;
    while (read(m_wake_fd, &value, sizeof value) > 0) { }
    m_wake_pending = false;
}

bool EventLoop::ProcessMessages() { return RunPass(0); }

bool EventLoop::RunOnce(std::chrono::milliseconds timeout)
{
    return RunPass(timeout.count() < 0 ? -1 : static_cast<int>(std::min<long long>(timeout.count(), 1 << 30)));
}

bool EventLoop::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    auto deadline = Clock::now() + timeout;
    while (!done()) {
        if (m_quit)
            return done(); // a quitting program ends every nested wait
        if (timeout.count() < 0) {
            RunPass(-1);
            continue;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return done();
        // Round up so a wait for 0.4 ms left does not turn into a busy spin.
        RunPass(static_cast<int>(left.count()) + 1);
    }
    return true;
}

void EventLoop::Run()
{
    m_quit = false;
    while (!m_quit)
        RunPass(-1);
}

void EventLoop::Quit()
{
    m_quit = true;
    Wake();
}

int EventLoop::NextTimerTimeout() const
{
    int timeout = -1;
    auto now = Now();
    for (auto const& [id, timer] : m_timers) {
        if (timer.running)
            continue;
        // Rounded up: a wait that ends before the timer is due wakes the
        // loop for nothing and then once more for the timer.
        auto left = std::chrono::ceil<std::chrono::milliseconds>(timer.due - now).count();
        int ms = static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
        timeout = timeout < 0 ? ms : std::min(timeout, ms);
    }
    return timeout;
}

bool EventLoop::FireDueTimers()
{
    auto now = Now();
    std::vector<Id> due;
    for (auto const& [id, timer] : m_timers)
        if (!timer.running && timer.due <= now)
            due.push_back(id);
    for (Id id : due) {
        auto it = m_timers.find(id);
        if (it == m_timers.end() || it->second.running)
            continue;
        auto handler = it->second.handler;
        if (it->second.repeat) {
            it->second.due = Now() + it->second.interval;
            it->second.running = true;
        } else {
            m_timers.erase(it);
        }
        struct Reset {
            EventLoop* loop;
            Id id;
            ~Reset()
            {
                auto it = loop->m_timers.find(id);
                if (it != loop->m_timers.end())
                    it->second.running = false;
            }
        } reset { this, id };
        (*handler)();
    }
    return !due.empty();
}

bool EventLoop::RunPosted()
{
    std::deque<std::function<void()>> work;
    {
        std::lock_guard lock(m_posted_mutex);
        work.swap(m_posted);
    }
    for (auto& item : work)
        item();
    return !work.empty();
}

bool EventLoop::RunPass(int timeout_ms)
{
    bool pending = false;
    for (auto const& [id, hook] : std::map(m_prepare_hooks))
        pending |= hook();
    {
        std::lock_guard lock(m_posted_mutex);
        pending |= !m_posted.empty();
    }
    for (auto const& [id, check] : m_waiting_checks)
        if (!pending)
            pending = check();
    if (pending || m_quit)
        timeout_ms = 0;
    int timer_timeout = NextTimerTimeout();
    if (timer_timeout >= 0 && (timeout_ms < 0 || timer_timeout < timeout_ms))
        timeout_ms = timer_timeout;

    std::vector<pollfd> fds;
    std::vector<Id> ids;
    fds.push_back({ m_wake_fd, POLLIN, 0 });
    ids.push_back(0);
    for (auto const& [id, watch] : m_watches) {
        short events = 0;
        if (watch.events & kReadable)
            events |= POLLIN;
        if (watch.events & kWritable)
            events |= POLLOUT;
        fds.push_back({ watch.fd, events, 0 });
        ids.push_back(id);
    }

    int ready = poll(fds.data(), fds.size(), timeout_ms);
    if (ready < 0 && errno != EINTR)
        throw std::runtime_error(std::string("poll failed: ") + std::strerror(errno));

    bool ran = false;
    if (ready > 0) {
        if (fds[0].revents)
            DrainWake();
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!fds[i].revents)
                continue;
            auto it = m_watches.find(ids[i]);
            if (it == m_watches.end() || it->second.fd != fds[i].fd)
                continue; // removed by an earlier handler of this pass
            unsigned events = 0;
            if (fds[i].revents & (POLLIN | POLLHUP))
                events |= kReadable;
            if (fds[i].revents & POLLOUT)
                events |= kWritable;
            if (fds[i].revents & (POLLERR | POLLNVAL | POLLHUP))
                events |= kError;
            events &= it->second.events | kError;
            if (!events)
                continue;
            auto handler = it->second.handler;
            (*handler)(events);
            ran = true;
        }
    }
    ran |= FireDueTimers();
    ran |= RunPosted();
    return ran || pending;
}

}
