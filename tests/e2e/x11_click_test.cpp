// Clicks that reach the program while it paints. Xlib reads the display's
// events while it writes a large image or waits for a reply; events it has
// read that way no longer wake the loop's poll, and a click whose release
// was read during the press's repaint waited for the next input.

#include "platform/backend/x11/x11_backend.h"
#include "platform/window/window_system.h"
#include "tests/e2e/x11_screen_test.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

extern char** environ;

namespace pellamo {
namespace {

using namespace std::chrono_literals;

// Events the painting reads ahead are delivered at once: here the
// "painting" is a hook after the display's own that asks the server
// something, while xdotool's click is already on its way.
TEST(X11ReadAhead, EventsReadWhilePaintingAreDeliveredBeforeTheLoopWaits)
{
    XvfbServer server;
    if (!server.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    EventLoop loop;
    X11Backend x11(loop, server.Display().c_str());
    std::vector<DisplayEvent::Type> seen;
    x11.SetEventSink([&](const DisplayEvent& e) { seen.push_back(e.type); });
    DisplayWindowParams params;
    params.bounds = Rect::FromSize(100, 100, 200, 100);
    params.title = "ReadAhead";
    DisplayWindowId id = x11.CreateWindow(params);
    x11.Show(id, true);
    loop.WaitUntil([] { return false; }, 200ms);
    x11.Sync();
    loop.WaitUntil([] { return false; }, 100ms);

    bool armed = true;
    EventLoop::Id painting = loop.AddPrepareHook([&] {
        if (!std::exchange(armed, false))
            return false;
        std::string command = "DISPLAY=" + server.Display() + " xdotool mousemove 150 150 click 1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        x11.CursorPos(); // a round trip: Xlib reads the click on the way
        return false;
    });
    seen.clear();
    auto released = [&] { return std::count(seen.begin(), seen.end(), DisplayEvent::Type::ButtonUp) == 1; };
    EXPECT_TRUE(loop.WaitUntil(released, 3s)) << "the release waited for more input";
    loop.RemovePrepareHook(painting);
}

// A process running beside the test's loop, as a user's hand does.
class Beside {
public:
    explicit Beside(const std::string& command)
    {
        const char* argv[] = { "sh", "-c", command.c_str(), nullptr };
        if (posix_spawnp(&m_pid, "sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
            m_pid = 0;
    }
    ~Beside()
    {
        if (m_pid)
            waitpid(m_pid, nullptr, 0);
    }

private:
    pid_t m_pid = 0;
};

// As a viewer does it: the pointer comes in from outside onto a button and
// clicks at once; each press and release repaints the whole window, as
// pressing a style button redresses a form. Every click counts.
using X11Click = X11ScreenTest;

TEST_F(X11Click, APointerArrivingWithItsClickLosesNone)
{
    WindowSystem& ws = *windows;
    const Rect kWindow = Rect::FromSize(0, 0, 1000, 740);
    HWND top = nullptr;
    ws.RegisterClass({ "Ground", {}, 0, Rgb(200, 200, 200) });
    int clicks = 0;
    bool pressed = false;
    ws.RegisterClass({ "PressMe",
        [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_LBUTTONDOWN) {
                pressed = true;
                ws.SetCapture(h);
                ws.InvalidateRect(top, nullptr, true);
            } else if (m == WM_LBUTTONUP) {
                ws.ReleaseCapture();
                clicks += std::exchange(pressed, false);
                ws.InvalidateRect(top, nullptr, true);
            }
            return ws.DefWindowProc(h, m, w, l);
        },
        0, Rgb(90, 90, 160) });
    CreateWindowParams form;
    form.class_name = "Ground";
    form.style = WS_POPUP | WS_VISIBLE;
    form.bounds = kWindow;
    top = ws.CreateWindowEx(form);
    CreateWindowParams button;
    button.class_name = "PressMe";
    button.style = WS_CHILD | WS_VISIBLE;
    button.bounds = Rect::FromSize(200, 150, 120, 40);
    button.parent = top;
    ws.CreateWindowEx(button);
    loop.WaitUntil([] { return false; }, 300ms);

    const std::string click = "DISPLAY=" + server.Display() + " xdotool mousemove 1020 760 mousemove 260 170 click 1";
    // A click held back shows up with the next one's input: each must
    // arrive on its own.
    constexpr int kClicks = 20;
    std::vector<int> held_back;
    for (int i = 0; i < kClicks; ++i) {
        Beside hand(click);
        // No round trips of the test's own here: they would read the
        // release in its place.
        if (!loop.WaitUntil([&] { return clicks == i + 1; }, 3s))
            held_back.push_back(i);
        clicks = i + 1; // a late release counts for nothing
        pressed = false;
    }
    EXPECT_EQ(held_back, std::vector<int> {});
}

}
}
