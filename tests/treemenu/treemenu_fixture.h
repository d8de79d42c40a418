#pragma once

#include "platform/backend/headless/headless_backend.h"
#include "platform/loop/event_loop.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace pellamo::test {

// A headless screen, a loop of its own and one shown top-level window
// (white client area at 100, 100) to put controls on.
class TreeMenuFixture : public ::testing::Test {
protected:
    TreeMenuFixture()
    {
        if (!ws.IsClassRegistered("TestHost"))
            ws.RegisterClass({ "TestHost", nullptr, CS_DBLCLKS, Rgb(255, 255, 255) });
        CreateWindowParams p;
        p.class_name = "TestHost";
        p.style = WS_POPUP | WS_VISIBLE;
        p.bounds = Rect::FromSize(100, 100, 400, 500);
        host = ws.CreateWindowEx(p);
        ws.SetActiveWindow(host);
        Pump();
    }

    void Pump()
    {
        for (int i = 0; i < 10 && loop.ProcessMessages(); ++i) {
        }
        loop.ProcessMessages();
    }
    // Runs the loop for a while (timers fire).
    void RunFor(std::chrono::milliseconds time)
    {
        auto until = std::chrono::steady_clock::now() + time;
        loop.WaitUntil([&] { return std::chrono::steady_clock::now() >= until; }, time + std::chrono::milliseconds(100));
        Pump();
    }
    Point OnScreen(HWND hwnd, Point client) const { return ws.ClientToScreen(hwnd, client); }
    TColor ScreenPixel(HWND hwnd, Point client) const
    {
        Point p = OnScreen(hwnd, client);
        return screen.Screenshot().GetPixel(p.x, p.y);
    }
    static std::string Gbk(const std::string& utf8) { return Utf8ToGbk(utf8); }

    EventLoop loop;
    HeadlessBackend screen;
    WindowSystem ws { screen, loop };
    HWND host = nullptr;
};

}
