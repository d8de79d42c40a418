#pragma once

#include "platform/backend/x11/x11_backend.h"
#include "platform/components/controls/application.h"
#include "platform/loop/event_loop.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <optional>

namespace pellamo {

// An application on a private X server, for tests that drive real windows
// with the X server's input; the test is skipped where Xvfb cannot be
// started.
class X11ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!server.Running())
            GTEST_SKIP() << "Xvfb could not be started";
        backend.emplace(loop, server.Display().c_str());
        application.emplace(*backend, loop);
    }

    XvfbServer server;
    EventLoop loop;
    std::optional<X11Backend> backend;
    std::optional<TApplication> application;
};

}
