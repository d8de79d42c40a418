#include "platform/loop/event_loop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <ctime>
#include <string>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace pellamo;
using namespace std::chrono_literals;

namespace {

double ProcessCpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

TEST(EventLoop, RepeatingAndOneShotTimersFireOnTheLoop)
{
    EventLoop loop;
    int ticks = 0, once = 0;
    auto repeating = loop.StartTimer(5ms, [&] { ++ticks; });
    loop.StartTimer(
        5ms, [&] { ++once; }, false);
    EXPECT_TRUE(loop.WaitUntil([&] { return ticks >= 3; }, 2000ms));
    loop.StopTimer(repeating);
    int seen = ticks;
    loop.WaitUntil([] { return false; }, 30ms);
    EXPECT_EQ(ticks, seen);
    EXPECT_EQ(once, 1);
}

TEST(EventLoop, TimersFollowAClockMovedByHand)
{
    EventLoop loop;
    auto now = EventLoop::Clock::time_point {};
    loop.SetTimeSource([&] { return now; });
    int ticks = 0, once = 0;
    loop.StartTimer(100ms, [&] { ++ticks; });
    loop.StartTimer(
        250ms, [&] { ++once; }, false);
    loop.ProcessMessages();
    EXPECT_EQ(ticks, 0);
    now += 99ms;
    loop.ProcessMessages();
    EXPECT_EQ(ticks, 0);
    // Each tick sets the next one an interval after the time it ran.
    for (int step = 0; step < 25; ++step) {
        now += 10ms;
        loop.ProcessMessages();
    }
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(once, 1);
}

TEST(EventLoop, DescriptorHandlerSeesReadableDataAndCanUnwatchItself)
{
    EventLoop loop;
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::string got;
    EventLoop::Id id = 0;
    id = loop.WatchDescriptor(fds[0], EventLoop::kReadable, [&](unsigned events) {
        ASSERT_TRUE(events & EventLoop::kReadable);
        char buffer[16];
        ssize_t n = read(fds[0], buffer, sizeof buffer);
        got.append(buffer, n > 0 ? n : 0);
        loop.UnwatchDescriptor(id);
    });
    ASSERT_EQ(write(fds[1], "abc", 3), 3);
    EXPECT_TRUE(loop.WaitUntil([&] { return !got.empty(); }, 1000ms));
    EXPECT_EQ(got, "abc");
    ASSERT_EQ(write(fds[1], "d", 1), 1);
    loop.ProcessMessages();
    EXPECT_EQ(got, "abc");
    close(fds[0]);
    close(fds[1]);
}

TEST(EventLoop, NestedPassesRunOtherWorkButNotTheSameTimerTwice)
{
    EventLoop loop;
    std::vector<std::string> order;
    int outer_calls = 0;
    bool inner_done = false;
    loop.StartTimer(
        1ms,
        [&] {
            ++outer_calls;
            order.push_back("outer begin");
            loop.Post([&] { order.push_back("posted"); });
            loop.WaitUntil([&] { return inner_done; }, 2000ms);
            order.push_back("outer end");
        },
        false);
    loop.StartTimer(
        20ms,
        [&] {
            order.push_back("inner timer");
            inner_done = true;
        },
        false);
    loop.WaitUntil([&] { return order.size() == 4; }, 2000ms);
    EXPECT_EQ(outer_calls, 1);
    // A machine busy for 20 ms makes the second timer due before the nested
    // pass runs the posted task: the two may come in either order.
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order.front(), "outer begin");
    EXPECT_EQ(order.back(), "outer end");
    std::vector<std::string> nested(order.begin() + 1, order.end() - 1);
    std::sort(nested.begin(), nested.end());
    EXPECT_EQ(nested, (std::vector<std::string> { "inner timer", "posted" }));
}

TEST(EventLoop, PostFromAnotherThreadWakesABlockingPass)
{
    EventLoop loop;
    bool ran = false;
    std::thread other([&] {
        std::this_thread::sleep_for(20ms);
        loop.Post([&] { ran = true; });
    });
    EXPECT_TRUE(loop.WaitUntil([&] { return ran; }, 5000ms));
    other.join();
}

TEST(EventLoop, IdleWaitUsesAlmostNoCpu)
{
    EventLoop loop;
    int ticks = 0;
    loop.StartTimer(50ms, [&] { ++ticks; });
    double before = ProcessCpuSeconds();
    EXPECT_FALSE(loop.WaitUntil([] { return false; }, 400ms));
    double used = ProcessCpuSeconds() - before;
    EXPECT_GE(ticks, 3);
    // A spinning wait would use the whole 0.4 s.
    EXPECT_LT(used, 0.1);
}

// An idle program wakes once per due timer: a wait that ends a fraction of a
// millisecond early would wake the loop twice per tick.
TEST(EventLoop, EveryBlockingPassOfAnIdleLoopFiresItsTimer)
{
    EventLoop loop;
    int ticks = 0;
    loop.StartTimer(7ms, [&] { ++ticks; });
    int passes = 0;
    while (ticks < 10) {
        loop.RunOnce();
        ++passes;
    }
    EXPECT_EQ(passes, ticks);
}

// Like a display's events: its own hook handles what its library holds, a
// later hook (painting) makes the library read more, which no descriptor
// then announces. The check keeps the loop from waiting on it.
TEST(EventLoop, WorkLeftByALaterPrepareHookIsDoneBeforeTheLoopWaits)
{
    EventLoop loop;
    int held = 0, handled = 0;
    loop.AddPrepareHook([&] {
        handled += held;
        return std::exchange(held, 0) > 0;
    });
    loop.AddWaitingCheck([&] { return held > 0; });
    bool painted = false;
    loop.AddPrepareHook([&] {
        if (!std::exchange(painted, true))
            ++held;
        return false;
    });
    EXPECT_TRUE(loop.WaitUntil([&] { return handled == 1; }, 5s));
}

TEST(EventLoop, QuitEndsRun)
{
    EventLoop loop;
    loop.StartTimer(
        5ms, [&] { loop.Quit(); }, false);
    loop.Run();
    EXPECT_TRUE(loop.Quitting());
}

}
