#pragma once

#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"
#include "platform/loop/event_loop.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace pellamo::test {

// A headless screen, a loop and an application of their own, and one
// shown form (at 100, 100) to put controls on.
class TreeMenuFixture : public ::testing::Test {
protected:
    TreeMenuFixture()
    {
        form = app.CreateForm<TForm>();
        form->SetBounds(100, 100, 400, 500);
        form->SetColor(Rgb(255, 255, 255));
        form->Show();
        host = form->Handle();
        Pump();
    }

    void Pump()
    {
        for (int i = 0; i < 20 && loop.ProcessMessages(); ++i) {
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
    TApplication app { screen, loop };
    WindowSystem& ws { app.Windows() };
    TForm* form = nullptr;
    HWND host = nullptr;
};

}
