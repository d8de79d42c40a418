#pragma once

// Real X input for tests through XTEST (xdotool) on a private server;
// after each command the loop and the server settle, so the program has
// seen the input and painted before the test looks.

#include "platform/backend/x11/x11_backend.h"
#include "platform/loop/event_loop.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace pellamo {

// A screen point as xdotool takes it: "x y".
inline std::string At(Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

class XInput {
public:
    XInput(const XvfbServer& server, EventLoop& loop, X11Backend& x11)
        : m_display(server.Display())
        , m_loop(loop)
        , m_x11(x11)
    {
    }

    void Settle()
    {
        for (int i = 0; i < 6; ++i) {
            m_loop.WaitUntil([] { return false; }, std::chrono::milliseconds(30));
            m_x11.Sync();
        }
    }
    // Runs "xdotool ARGS", then settles.
    void Do(const std::string& args)
    {
        std::string command = "DISPLAY=" + m_display + " xdotool " + args;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        Settle();
    }

private:
    std::string m_display;
    EventLoop& m_loop;
    X11Backend& m_x11;
};

}
