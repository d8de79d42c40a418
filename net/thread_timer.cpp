#include "net/thread_timer.h"

#include <iostream>
#include <stdexcept>

namespace pellamo {

namespace {
std::function<void(std::exception_ptr)>& ExceptionHandler()
{
    static std::function<void(std::exception_ptr)> handler;
    return handler;
}
}

void TThreadTimer::SetExceptionHandler(std::function<void(std::exception_ptr)> handler)
{
    ExceptionHandler() = std::move(handler);
}

TThreadTimer::TThreadTimer(EventLoop& loop)
    : m_loop(loop)
{
}

TThreadTimer::~TThreadTimer()
{
    if (m_timer)
        m_loop.StopTimer(m_timer);
}

void TThreadTimer::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Restart();
}

void TThreadTimer::SetInterval(unsigned milliseconds)
{
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    Restart();
}

void TThreadTimer::SetOnTimer(TimerEvent handler)
{
    m_on_timer = std::move(handler);
    Restart();
}

void TThreadTimer::Restart()
{
    if (m_timer) {
        m_loop.StopTimer(m_timer);
        m_timer = 0;
    }
    if (m_enabled && m_interval != 0 && m_on_timer) {
        m_timer = m_loop.StartTimer(std::chrono::milliseconds(m_interval), [this] { Fire(); });
        if (!m_timer)
            throw std::runtime_error("No Timer");
    }
}

void TThreadTimer::Fire()
{
    // The handler may change or destroy this timer; work on a copy.
    TimerEvent handler = m_on_timer;
    if (!handler)
        return;
    try {
        handler(*this);
    } catch (...) {
        if (ExceptionHandler()) {
            ExceptionHandler()(std::current_exception());
        } else {
            try {
                throw;
            } catch (const std::exception& e) {
                std::cerr << "Timer handler failed: " << e.what() << '\n';
            } catch (...) {
                std::cerr << "Timer handler failed\n";
            }
        }
    }
}

}
