#pragma once

#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/control.h"
#include "platform/components/controls/form.h"
#include "platform/loop/event_loop.h"
#include "platform/window/window_system.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace pellamo::test {

// A headless screen 1024 x 768 (work area 1024 x 740), a loop of its own
// and an application on them whose message boxes are recorded instead of
// shown.
class HeadlessAppFixture : public ::testing::Test {
protected:
    struct ShownBox {
        std::string text;
        std::string caption;
        UINT flags;
    };

    EventLoop loop;
    HeadlessBackend screen;
    TApplication app { screen, loop };
    std::vector<ShownBox> boxes;

private:
    WindowSystem& windows_ { app.Windows() };

protected:
    HeadlessAppFixture()
    {
        app.MessageBoxFunction = [this](const std::string& text, const std::string& caption, UINT flags) {
            boxes.push_back({ text, caption, flags });
            return IDOK;
        };
    }

    WindowSystem& ws() const { return windows_; }

    void Pump() { test::Pump(loop); }
    void RunFor(std::chrono::milliseconds time) { test::RunFor(loop, time); }

    // Presses each key with its modifiers, then lets the loop handle them.
    void Keys(std::initializer_list<std::pair<unsigned, unsigned>> keys)
    {
        for (auto [vk, mods] : keys)
            screen.PressKey(vk, mods);
        Pump();
    }

    Point ScreenOf(const TControl& control, Point client) const { return control.ClientToScreen(client); }
    Point ScreenOf(HWND hwnd, Point client) const { return ws().ClientToScreen(hwnd, client); }
    void ClickAt(TControl& control, Point client)
    {
        screen.Click(ScreenOf(control, client));
        Pump();
    }
    // The colour the screen shows at a client point, once painting is done.
    TColor PixelAt(TControl& control, Point client)
    {
        Pump();
        Point p = ScreenOf(control, client);
        return screen.Screenshot().GetPixel(p.x, p.y);
    }
    TColor PixelAt(HWND hwnd, Point client)
    {
        Pump();
        Point p = ScreenOf(hwnd, client);
        return screen.Screenshot().GetPixel(p.x, p.y);
    }
};

}
