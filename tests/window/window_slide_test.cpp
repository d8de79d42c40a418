// Window slides: the geometry of each step, and slides played by the loop's
// timers while other windows keep getting their input.

#include "platform/window/window_slide.h"
#include "tests/window/window_fixture.h"

#include <chrono>
#include <functional>
#include <string>

namespace pellamo::test {
namespace {

using namespace std::chrono_literals;

TEST(WindowSlideSteps, ShowTheLeadingEdgeOfThePictureAtTheEdgeItComesFrom)
{
    const Size size { 100, 40 };
    struct Case {
        const char* what;
        DWORD flags;
        double fraction;
        Rect shown;
        Point shift;
    };
    const Case cases[] = {
        { "slide up, a quarter in: the top rows at the bottom of the place", AW_SLIDE | AW_VER_NEGATIVE, 0.25,
            { 0, 0, 100, 10 }, { 0, 30 } },
        { "slide down: the bottom rows at the top", AW_SLIDE | AW_VER_POSITIVE, 0.25, { 0, 30, 100, 40 }, { 0, -30 } },
        { "roll up: the bottom rows in place", AW_VER_NEGATIVE, 0.25, { 0, 30, 100, 40 }, { 0, 0 } },
        { "roll down: the top rows in place", AW_VER_POSITIVE, 0.25, { 0, 0, 100, 10 }, { 0, 0 } },
        { "slide right", AW_SLIDE | AW_HOR_POSITIVE, 0.5, { 50, 0, 100, 40 }, { -50, 0 } },
        { "slide left", AW_SLIDE | AW_HOR_NEGATIVE, 0.5, { 0, 0, 50, 40 }, { 50, 0 } },
        { "diagonal roll", AW_HOR_POSITIVE | AW_VER_POSITIVE, 0.5, { 0, 0, 50, 20 }, { 0, 0 } },
        { "hiding downwards with a quarter left: as sliding up", AW_HIDE | AW_SLIDE | AW_VER_POSITIVE, 0.25,
            { 0, 0, 100, 10 }, { 0, 30 } },
        { "hiding to the left", AW_HIDE | AW_SLIDE | AW_HOR_NEGATIVE, 0.5, { 50, 0, 100, 40 }, { -50, 0 } },
        { "all the way in", AW_SLIDE | AW_VER_NEGATIVE, 1.0, { 0, 0, 100, 40 }, { 0, 0 } },
        { "not yet in", AW_SLIDE | AW_VER_NEGATIVE, 0.0, { 0, 0, 100, 0 }, { 0, 40 } },
    };
    for (const Case& c : cases) {
        WindowSlide::Step step = WindowSlide::StepAt(c.flags, size, c.fraction);
        EXPECT_EQ(step.shown, c.shown) << c.what;
        EXPECT_EQ(step.shift, c.shift) << c.what;
    }

    struct Flags {
        DWORD flags;
        bool playable;
    };
    const Flags flags[] = {
        { AW_SLIDE | AW_VER_NEGATIVE, true },
        { AW_HIDE | AW_VER_POSITIVE, true },
        { AW_SLIDE, false }, // no direction
        { AW_SLIDE | AW_HOR_POSITIVE | AW_HOR_NEGATIVE, false },
        { AW_BLEND, false },
        { AW_CENTER | AW_VER_POSITIVE, false },
    };
    for (const Flags& f : flags)
        EXPECT_EQ(WindowSlide::Playable(f.flags), f.playable) << std::hex << f.flags;
}

// A notification-like pop-up at the work area's corner and an ordinary
// window beside it that logs what it gets.
class WindowSlideTest : public WindowFixture {
protected:
    static inline const Rect kPlace = Rect::FromSize(825, 624, 181, 116);

    void SetUp() override
    {
        log.Ignore({ WM_NCHITTEST, WM_NCPAINT, WM_PAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
            WM_NCMOUSEMOVE, WM_MOVE, WM_SETCURSOR });
        other = log.Create("other", WS_POPUP | WS_VISIBLE, Rect::FromSize(100, 100, 300, 200));
        log.SetHandler(other, [this](HWND h, UINT m, WPARAM w, LPARAM l) {
            if (m == WM_LBUTTONDOWN)
                sliding_at_click.push_back(ws.IsAnimating(note));
            return ws.DefWindowProc(h, m, w, l);
        });
        note = log.Create("note", WS_POPUP, kPlace, nullptr, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
        Pump();
        log.Clear();
    }

    // Runs the loop until the slide's notice, calling `each` after every
    // pass; false when it never came.
    bool RunSlide(const std::function<void()>& each = {})
    {
        auto until = std::chrono::steady_clock::now() + 5s;
        while (!done && std::chrono::steady_clock::now() < until) {
            loop.RunOnce(50ms);
            ws.PaintPending();
            if (each && !done)
                each();
        }
        Pump();
        return done;
    }
    std::function<void()> Notice()
    {
        return [this] { done = true; };
    }

    HWND other = nullptr;
    HWND note = nullptr;
    bool done = false;
    std::vector<bool> sliding_at_click;
};

TEST_F(WindowSlideTest, SlidesInFromTheBottomEdgeWhileOtherWindowsGetTheirInput)
{
    ASSERT_TRUE(ws.AnimateWindow(note, 600, AW_SLIDE | AW_VER_NEGATIVE, Notice()));
    EXPECT_TRUE(ws.IsWindowVisible(note)) << "shown at once, at its first step";
    EXPECT_TRUE(ws.IsAnimating(note));

    int last_height = -1;
    bool clicked = false, between = false;
    ASSERT_TRUE(RunSlide([&] {
        // Every step shows the picture's top rows at the bottom of the place.
        Rect at = ws.GetWindowRect(note);
        std::optional<Region> region = ws.GetWindowRgn(note);
        ASSERT_TRUE(region.has_value());
        Rect shown = region->Bounds();
        int height = shown.Height();
        EXPECT_EQ(shown.top, 0);
        EXPECT_EQ(at.top, kPlace.top + kPlace.Height() - height);
        EXPECT_EQ(at.left, kPlace.left);
        EXPECT_GE(height, last_height) << "never slides back";
        last_height = height;
        between = between || (height > 0 && height < kPlace.Height());
        if (!clicked) {
            clicked = true;
            screen.Click({ 150, 150 });
            screen.PressKey('A');
        }
    }));
    EXPECT_TRUE(between) << "the slide had steps between hidden and shown";
    EXPECT_EQ(sliding_at_click, std::vector<bool> { true }) << "the other window got its click during the slide";

    // The pop-up never took the activation or the keys.
    for (UINT m : log.MessagesOf("note"))
        EXPECT_TRUE(m != WM_ACTIVATE && m != WM_SETFOCUS && m != WM_KEYDOWN) << MessageName(m);
    std::vector<UINT> others;
    for (UINT m : log.MessagesOf("other"))
        if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_KEYDOWN)
            others.push_back(m);
    EXPECT_EQ(others, (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN }));

    // At the end: its own place, no region, on the screen.
    EXPECT_FALSE(ws.IsAnimating(note));
    EXPECT_EQ(ws.GetWindowRect(note), kPlace);
    EXPECT_FALSE(ws.GetWindowRgn(note).has_value());
    EXPECT_TRUE(ws.IsWindowVisible(note));
    EXPECT_EQ(screen.Screenshot().GetPixel(kPlace.left + 3, kPlace.top + 3), Rgb(255, 255, 255));
}

TEST_F(WindowSlideTest, SlidesOutDownwardsAndEndsHiddenWithItsOwnPlaceAndRegion)
{
    const Region own(Rect { 0, 0, 181, 100 });
    ws.SetWindowRgn(note, own, false);
    ws.ShowWindow(note, SW_SHOWNA);
    Pump();
    ASSERT_TRUE(ws.AnimateWindow(note, 300, AW_HIDE | AW_SLIDE | AW_VER_POSITIVE, Notice()));
    int last_top = kPlace.top;
    ASSERT_TRUE(RunSlide([&] {
        Rect at = ws.GetWindowRect(note);
        EXPECT_GE(at.top, last_top) << "moves down only";
        last_top = at.top;
        std::optional<Region> region = ws.GetWindowRgn(note);
        ASSERT_TRUE(region.has_value());
        EXPECT_TRUE(region->Subtract(own).IsEmpty()) << "never shows more than its own region";
    }));
    EXPECT_FALSE(ws.IsWindowVisible(note));
    EXPECT_EQ(ws.GetWindowRect(note), kPlace);
    ASSERT_TRUE(ws.GetWindowRgn(note).has_value());
    EXPECT_EQ(ws.GetWindowRgn(note)->Rects(), own.Rects());
    EXPECT_EQ(screen.Screenshot().GetPixel(kPlace.left + 3, kPlace.top + 3), screen.Screenshot().GetPixel(5, 5))
        << "the desktop shows again";
}

TEST_F(WindowSlideTest, EndsEarlyOrRefuses)
{
    struct Case {
        const char* what;
        std::function<void()> interrupt;
        bool notified;
        bool visible;
    };
    const std::vector<Case> cases = {
        { "hidden during the slide-in: ends first, with its notice", [&] { ws.ShowWindow(note, SW_HIDE); }, true,
            false },
        { "a slide-out during the slide-in: the first ends, the second plays",
            [&] {
                bool first = done;
                ASSERT_TRUE(ws.AnimateWindow(note, 50, AW_HIDE | AW_SLIDE | AW_VER_POSITIVE, Notice()));
                EXPECT_FALSE(first);
                EXPECT_TRUE(done) << "the slide-in told its end";
                done = false;
                RunSlide();
            },
            true, false },
    };
    for (const Case& c : cases) {
        done = false;
        ASSERT_TRUE(ws.AnimateWindow(note, 5000, AW_SLIDE | AW_VER_NEGATIVE, Notice()));
        loop.RunOnce(30ms);
        c.interrupt();
        Pump();
        EXPECT_EQ(done, c.notified) << c.what;
        EXPECT_EQ(ws.IsWindowVisible(note), c.visible) << c.what;
        EXPECT_EQ(ws.GetWindowRect(note), kPlace) << c.what;
        EXPECT_FALSE(ws.GetWindowRgn(note).has_value()) << c.what;
        EXPECT_FALSE(ws.IsAnimating(note)) << c.what;
    }

    // Refused: nothing happens and no notice comes.
    done = false;
    HWND child = log.Create("child", WS_CHILD, Rect::FromSize(0, 0, 20, 20), other);
    EXPECT_FALSE(ws.AnimateWindow(note, 100, AW_HIDE | AW_SLIDE | AW_VER_POSITIVE, Notice())) << "already hidden";
    EXPECT_FALSE(ws.AnimateWindow(other, 100, AW_SLIDE | AW_VER_NEGATIVE, Notice())) << "already shown";
    EXPECT_FALSE(ws.AnimateWindow(child, 100, AW_SLIDE | AW_VER_NEGATIVE, Notice())) << "a child window";
    EXPECT_FALSE(ws.AnimateWindow(note, 100, AW_BLEND, Notice())) << "a fade";
    EXPECT_FALSE(ws.IsWindowVisible(note));
    Pump();
    EXPECT_FALSE(done);

    // Destroyed while sliding: the slide just stops.
    ASSERT_TRUE(ws.AnimateWindow(note, 100, AW_SLIDE | AW_VER_NEGATIVE, Notice()));
    ws.DestroyWindow(note);
    loop.WaitUntil([] { return false; }, 200ms);
    Pump();
    EXPECT_FALSE(done);
}

}
}
