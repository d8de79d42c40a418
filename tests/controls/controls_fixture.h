#pragma once

#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"
#include "platform/loop/event_loop.h"
#include "platform/window/window_system.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace pellamo::test {

// A headless screen 1024 x 768 (work area 1024 x 740), a loop of its own
// and an application on them whose message boxes are recorded instead of
// shown.
class ControlsFixture : public ::testing::Test {
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

    ControlsFixture()
    {
        app.MessageBoxFunction = [this](const std::string& text, const std::string& caption, UINT flags) {
            boxes.push_back({ text, caption, flags });
            return IDOK;
        };
    }

    WindowSystem& ws() { return app.Windows(); }

    // Runs passes until nothing is left to do (painting included).
    void Pump()
    {
        for (int i = 0; i < 20 && loop.ProcessMessages(); ++i) {
        }
        loop.ProcessMessages();
    }

    // Presses each key with its modifiers, then lets the loop handle them.
    void Keys(std::initializer_list<std::pair<unsigned, unsigned>> keys)
    {
        for (auto [vk, mods] : keys)
            screen.PressKey(vk, mods);
        Pump();
    }

    Point ScreenOf(TControl& control, Point client) { return control.ClientToScreen(client); }
    void ClickAt(TControl& control, Point client)
    {
        screen.Click(ScreenOf(control, client));
        Pump();
    }
    // The colour the screen shows at a client point of a control.
    TColor PixelAt(TControl& control, Point client)
    {
        Pump();
        Point p = ScreenOf(control, client);
        return screen.Screenshot().GetPixel(p.x, p.y);
    }
};

}
