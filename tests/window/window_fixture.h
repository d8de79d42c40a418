#pragma once

#include "platform/backend/headless/headless_backend.h"
#include "platform/loop/event_loop.h"
#include "platform/window/window_system.h"
#include "tests/support/pump.h"
#include "tests/window/message_log.h"

#include <gtest/gtest.h>

namespace pellamo::test {

// A headless screen 1024 x 768 (work area 1024 x 740), a loop of its own
// and a message log. Window styles of the skinned forms: a pop-up with the
// 3-pixel dialog frame and no caption.
class WindowFixture : public ::testing::Test {
protected:
    static constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    static constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME;

    EventLoop loop;
    HeadlessBackend screen;
    WindowSystem ws { screen, loop };
    MessageLog log { ws };

    void Pump() { test::Pump(loop); }
    Point Screen(HWND hwnd, Point client) const { return ws.ClientToScreen(hwnd, client); }
};

}
