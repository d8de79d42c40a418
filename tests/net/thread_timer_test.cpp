#include "net/thread_timer.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace pellamo;
using namespace std::chrono_literals;

namespace {

TEST(TThreadTimer, RunsOnlyWhenEnabledWithIntervalAndHandler)
{
    EventLoop loop;
    struct Case {
        bool enabled;
        unsigned interval;
        bool handler;
        bool runs;
    } cases[] = {
        { true, 10, true, true },
        { false, 10, true, false },
        { true, 0, true, false },
        { true, 10, false, false },
    };
    for (auto const& c : cases) {
        TThreadTimer timer(loop);
        int ticks = 0;
        timer.SetEnabled(c.enabled);
        timer.SetInterval(c.interval);
        if (c.handler)
            timer.SetOnTimer([&](TThreadTimer&) { ++ticks; });
        EXPECT_EQ(timer.Running(), c.runs);
        loop.WaitUntil([&] { return ticks >= 3; }, 300ms);
        EXPECT_EQ(ticks >= 3, c.runs) << c.enabled << c.interval << c.handler;
    }
}

TEST(TThreadTimer, SettingTheSameValuesDoesNotRestartTheCount)
{
    EventLoop loop;
    TThreadTimer timer(loop);
    timer.SetEnabled(false);
    timer.SetInterval(400);
    auto start = EventLoop::Clock::now();
    EventLoop::Clock::time_point fired {};
    timer.SetOnTimer([&](TThreadTimer& t) {
        fired = EventLoop::Clock::now();
        t.SetEnabled(false);
    });
    timer.SetEnabled(true);
    loop.WaitUntil([] { return false; }, 300ms);
    timer.SetEnabled(true);
    timer.SetInterval(400);
    loop.WaitUntil([&] { return fired != EventLoop::Clock::time_point {}; }, 2000ms);
    ASSERT_NE(fired, EventLoop::Clock::time_point {});
    // A restart at 300 ms would fire at 700 ms.
    EXPECT_LT(fired - start, 650ms);
}

TEST(TThreadTimer, HandlerExceptionsGoToTheExceptionHandlerAndTheTimerGoesOn)
{
    EventLoop loop;
    std::vector<std::string> caught;
    TThreadTimer::SetExceptionHandler([&](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            caught.push_back(e.what());
        }
    });
    TThreadTimer timer(loop);
    timer.SetInterval(5);
    timer.SetOnTimer([](TThreadTimer&) { throw std::runtime_error("tick failed"); });
    loop.WaitUntil([&] { return caught.size() >= 2; }, 1000ms);
    TThreadTimer::SetExceptionHandler(nullptr);
    ASSERT_GE(caught.size(), 2u);
    EXPECT_EQ(caught[0], "tick failed");
}

}
