#include "platform/window/double_click.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

using namespace std::chrono_literals;
using Clock = DoubleClickDetector::Clock;

const HWND kWindow = reinterpret_cast<HWND>(0x10);
const HWND kOther = reinterpret_cast<HWND>(0x20);

TEST(DoubleClick, TheSecondPressNearInTimeAndPlaceOnTheSameWindowAndButton)
{
    struct Case {
        const char* what;
        HWND hwnd;
        UINT message;
        Point offset;
        Clock::duration later;
        bool wants_double;
        bool expected;
    } const cases[] = {
        { "at once, same place", kWindow, WM_LBUTTONDOWN, { 0, 0 }, 0ms, true, true },
        { "at the time limit", kWindow, WM_LBUTTONDOWN, { 0, 0 }, 500ms, true, true },
        { "just after it", kWindow, WM_LBUTTONDOWN, { 0, 0 }, 501ms, true, false },
        { "within the slop", kWindow, WM_LBUTTONDOWN, { 2, -2 }, 100ms, true, true },
        { "3 pixels across", kWindow, WM_LBUTTONDOWN, { 3, 0 }, 100ms, true, false },
        { "3 pixels down", kWindow, WM_LBUTTONDOWN, { 0, 3 }, 100ms, true, false },
        { "another window", kOther, WM_LBUTTONDOWN, { 0, 0 }, 100ms, true, false },
        { "another button", kWindow, WM_RBUTTONDOWN, { 0, 0 }, 100ms, true, false },
        { "the frame, not the client area", kWindow, WM_NCLBUTTONDOWN, { 0, 0 }, 100ms, true, false },
        { "a class without CS_DBLCLKS", kWindow, WM_LBUTTONDOWN, { 0, 0 }, 100ms, false, false },
    };
    const Point at { 100, 50 };
    for (const Case& c : cases) {
        DoubleClickDetector clicks;
        Clock::time_point start = Clock::now();
        EXPECT_FALSE(clicks.Press(kWindow, WM_LBUTTONDOWN, at, start, true)) << c.what;
        Point second { at.x + c.offset.x, at.y + c.offset.y };
        EXPECT_EQ(clicks.Press(c.hwnd, c.message, second, start + c.later, c.wants_double), c.expected) << c.what;
    }
}

TEST(DoubleClick, ADoubleClickStartsNoNewOneAndAGoneWindowForgetsItsClick)
{
    DoubleClickDetector clicks;
    Clock::time_point t = Clock::now();
    const Point at { 5, 5 };
    const bool presses[] = { false, true, false, true }; // a triple click is a double and a single
    for (bool expected : presses) {
        EXPECT_EQ(clicks.Press(kWindow, WM_LBUTTONDOWN, at, t, true), expected);
        t += 100ms;
    }

    EXPECT_FALSE(clicks.Press(kWindow, WM_LBUTTONDOWN, at, t, true));
    clicks.Forget(kOther);
    EXPECT_TRUE(clicks.Press(kWindow, WM_LBUTTONDOWN, at, t + 100ms, true));
    EXPECT_FALSE(clicks.Press(kWindow, WM_LBUTTONDOWN, at, t + 200ms, true));
    clicks.Forget(kWindow); // a new window may get the handle again
    EXPECT_FALSE(clicks.Press(kWindow, WM_LBUTTONDOWN, at, t + 300ms, true));
}

}
}
