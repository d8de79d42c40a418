#pragma once

#include "platform/loop/event_loop.h"

#include <chrono>

namespace pellamo::test {

// Runs passes until nothing is left to do (painting included).
inline void Pump(EventLoop& loop)
{
    for (int i = 0; i < 20 && loop.ProcessMessages(); ++i) { }
    loop.ProcessMessages();
}

// Runs the loop for `time` (timers fire, the CPU idles between them), then pumps.
inline void RunFor(EventLoop& loop, std::chrono::milliseconds time)
{
    auto until = std::chrono::steady_clock::now() + time;
    loop.WaitUntil([&] { return std::chrono::steady_clock::now() >= until; }, time + std::chrono::milliseconds(100));
    Pump(loop);
}

}
