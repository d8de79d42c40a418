#pragma once

#include "platform/backend/x11/x11_backend.h"
#include "platform/loop/event_loop.h"
#include "platform/window/window_system.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <optional>

namespace pellamo {

// A window system on a private X server; the test is skipped where Xvfb
// cannot be started.
class X11ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!server.Running())
            GTEST_SKIP() << "Xvfb could not be started";
        backend.emplace(loop, server.Display().c_str());
        windows.emplace(*backend, loop);
    }

    XvfbServer server;
    EventLoop loop;
    std::optional<X11Backend> backend;
    std::optional<WindowSystem> windows;
};

}
