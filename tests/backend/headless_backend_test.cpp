#include "platform/backend/headless/headless_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace pellamo {
namespace {

struct Recorder {
    std::vector<DisplayEvent> events;
    std::vector<std::string> Kinds() const
    {
        std::vector<std::string> out;
        for (const DisplayEvent& e : events) {
            static const char* names[] = { "move", "down", "up", "wheel", "leave", "keydown", "keyup", "text", "expose",
                "focusin", "focusout", "close", "configure", "mapped", "unmapped" };
            out.push_back(std::string(names[static_cast<int>(e.type)]) + "@" + std::to_string(e.window));
        }
        return out;
    }
};

class Headless : public ::testing::Test {
protected:
    Headless()
    {
        screen.SetEventSink([this](const DisplayEvent& e) { rec.events.push_back(e); });
    }
    DisplayWindowId Make(Rect bounds, TColor color, bool topmost = false)
    {
        DisplayWindowParams p;
        p.bounds = bounds;
        p.topmost = topmost;
        DisplayWindowId id = screen.CreateWindow(p);
        Bitmap pixels(bounds.Width(), bounds.Height(), color);
        screen.Present(id, pixels, { 0, 0, bounds.Width(), bounds.Height() });
        screen.Show(id, true);
        return id;
    }
    HeadlessBackend screen { { 300, 200 }, { 0, 0, 300, 180 } };
    Recorder rec;
};

TEST_F(Headless, ComposesWindowsInZOrderWithTheirShapes)
{
    DisplayWindowId top_most = Make({ 0, 0, 50, 50 }, Rgb(0, 0, 255), true);
    DisplayWindowId a = Make({ 10, 10, 110, 110 }, Rgb(255, 0, 0));
    DisplayWindowId b = Make({ 60, 60, 160, 160 }, Rgb(0, 255, 0));
    screen.SetShape(b, std::vector<Rect> { { 0, 0, 10, 10 } });
    Bitmap shot = screen.Screenshot();
    EXPECT_EQ(shot.GetPixel(20, 20), Rgb(0, 0, 255)); // the top-most window stays above a later one
    EXPECT_EQ(shot.GetPixel(65, 65), Rgb(0, 255, 0)); // b inside its shape
    EXPECT_EQ(shot.GetPixel(80, 80), Rgb(255, 0, 0)); // outside b's shape: a shows through
    EXPECT_EQ(shot.GetPixel(150, 150), 0); // and the desktop
    EXPECT_EQ(screen.WindowAt({ 80, 80 }), a);
    screen.Raise(a);
    EXPECT_EQ(screen.ZOrder(), (std::vector<DisplayWindowId> { b, a, top_most }));
    screen.Minimize(a);
    EXPECT_EQ(screen.Screenshot().GetPixel(80, 80), 0);
    // A present outside the window's pixels is cut to them.
    Bitmap small(5, 5, Rgb(9, 9, 9));
    screen.Present(b, small, { -10, -10, 500, 500 });
    EXPECT_EQ(screen.Screenshot().GetPixel(60, 60), Rgb(9, 9, 9));
}

// Screenshots copy whole runs of rows; each pixel must still be that of
// the top window whose pixels and shape cover it. Shapes here overlap,
// reach past their window, and windows hang off the screen's edges.
TEST_F(Headless, EachScreenshotPixelComesFromTheTopWindowCoveringIt)
{
    struct Shaped {
        Rect bounds;
        std::optional<std::vector<Rect>> shape;
    } const windows[] = {
        { { -20, -10, 90, 70 }, std::vector<Rect> { { 0, 0, 30, 80 }, { 10, 5, 60, 20 }, { 50, 40, 200, 45 } } },
        { { 40, 30, 140, 130 }, std::nullopt },
        { { 100, 90, 330, 230 }, std::vector<Rect> { { 5, 5, 6, 6 }, { 0, 100, 240, 101 }, { 200, 0, 230, 140 } } },
        { { 70, 20, 120, 60 }, std::vector<Rect> {} },
    };
    std::vector<Bitmap> pixels;
    for (size_t i = 0; i < std::size(windows); ++i) {
        DisplayWindowId id = Make(windows[i].bounds, 0);
        // Each pixel tells its window and place, so a run copied from the
        // wrong column shows.
        Bitmap look(windows[i].bounds.Width(), windows[i].bounds.Height());
        for (int y = 0; y < look.Height(); ++y)
            for (int x = 0; x < look.Width(); ++x)
                look.SetPixel(x, y, Rgb(40 * (i + 1), x, y));
        screen.Present(id, look, { 0, 0, look.Width(), look.Height() });
        screen.SetShape(id, windows[i].shape);
        pixels.push_back(look);
    }
    Bitmap shot = screen.Screenshot();
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
            TColor expected = 0;
            for (size_t i = 0; i < std::size(windows); ++i) {
                Point local { x - windows[i].bounds.left, y - windows[i].bounds.top };
                const auto& shape = windows[i].shape;
                bool inside = windows[i].bounds.Contains({ x, y })
                    && (!shape
                        || std::any_of(shape->begin(), shape->end(), [&](const Rect& r) { return r.Contains(local); }));
                if (inside)
                    expected = pixels[i].GetPixel(local.x, local.y);
            }
            ASSERT_EQ(shot.GetPixel(x, y), expected) << "at " << x << "," << y;
        }
}

TEST_F(Headless, PointerStaysWithThePressedWindowAndReportsLeaving)
{
    DisplayWindowId a = Make({ 0, 0, 100, 100 }, 0);
    DisplayWindowId b = Make({ 100, 0, 200, 100 }, 0);
    screen.MoveMouse({ 50, 50 });
    screen.PressButton();
    screen.MoveMouse({ 150, 50 }); // still a's: the implicit grab
    screen.ReleaseButton(); // now the pointer is over b: a learns it left
    screen.MoveMouse({ 151, 50 });
    screen.MoveMouse({ 250, 150 }); // over nothing
    std::string A = std::to_string(a), B = std::to_string(b);
    EXPECT_EQ(rec.Kinds(),
        (std::vector<std::string> {
            "move@" + A, "down@" + A, "move@" + A, "up@" + A, "leave@" + A, "move@" + B, "leave@" + B }));
    EXPECT_EQ(rec.events[1].modifiers & kModLeftButton, kModLeftButton);
    EXPECT_EQ(rec.events[3].modifiers & kModLeftButton, 0u);
    EXPECT_EQ(rec.events[2].screen, (Point { 150, 50 }));
}

TEST_F(Headless, KeysAndTextGoToTheFocusedWindowOnly)
{
    DisplayWindowId a = Make({ 0, 0, 100, 100 }, 0);
    screen.PressKey('A'); // nobody has the focus
    screen.Activate(a);
    screen.KeyDown(0x12);
    screen.PressKey(' ');
    screen.KeyUp(0x12);
    screen.TypeText("台");
    ASSERT_EQ(rec.events.size(), 5u);
    EXPECT_EQ(rec.events[1].vk, 0x20u);
    EXPECT_EQ(rec.events[1].modifiers & kModAlt, kModAlt);
    EXPECT_EQ(rec.events[3].modifiers & kModAlt, 0u);
    EXPECT_EQ(rec.events[4].text, "台");
    screen.DestroyWindow(a);
    EXPECT_EQ(screen.FocusWindow(), 0u);
    screen.TypeText("x");
    EXPECT_EQ(rec.events.size(), 5u);
}

TEST_F(Headless, RecordsOpenedAddressesInsteadOfStartingABrowser)
{
    EXPECT_TRUE(screen.OpenUrl("http://www.example.invalid/soft/3336.htm"));
    EXPECT_FALSE(screen.OpenUrl(""));
    EXPECT_EQ(screen.OpenedUrls(), (std::vector<std::string> { "http://www.example.invalid/soft/3336.htm" }));
}

}
}
