#include "player/player_view.h"

#include "tests/player_controls/player_fixture.h"
#include "tests/support/loopback.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

using namespace std::chrono_literals;
using State = PlayerStatus::State;

class PlayerViewTest : public PlayerFixture {
protected:
    void SetUp() override { view.SetSize(463, 343); }

    Point VideoCentre() const
    {
        Rect video = view.Layout().Video();
        return { (video.left + video.right) / 2, (video.top + video.bottom) / 2 };
    }

    int invalidated = 0;
    PlayerView view { true, [this] { ++invalidated; }, loop };
};

// Starting the engine is slow; the main window must not wait for it.
TEST_F(PlayerViewTest, EngineStartsWithTheFirstAddress)
{
    Bitmap face(463, 343);
    Canvas canvas(face);
    view.SetAddress(u"");
    view.Paint(canvas);
    EXPECT_EQ(nullptr, view.Engine());
    EXPECT_EQ(State::Idle, view.Status().state);

    // (An engine of an earlier test may still be ending; the view waits.)
    view.SetAddress(u"file:///etc/passwd");
    ASSERT_TRUE(WaitFor([&] { return view.Engine() != nullptr; }));
    EXPECT_EQ(State::Error, view.Status().state);
    EXPECT_GT(invalidated, 0);
}

// The library loads on a thread of its own: the address waits, shown as
// connecting, and plays once the engine is there. An address taken back
// meanwhile starts nothing.
TEST_F(PlayerViewTest, AddressWaitsForTheLibraryWithoutBlocking)
{
    std::string body = Media("av.ts");
    StreamServer server(body, Live(body));
    for (bool taken_back : { true, false }) {
        SCOPED_TRACE(taken_back ? "taken back" : "played");
        MpvLibrary library({ "libmpv.so.2" });
        PlayerView fresh(
            true, [] {}, loop, library);
        fresh.SetSize(463, 343);
        fresh.SetAddress(U16(server.Url()));
        EXPECT_EQ(nullptr, fresh.Engine());
        EXPECT_EQ("Connecting...", fresh.Status().Text());
        if (taken_back) {
            fresh.SetAddress(u"");
            ASSERT_TRUE(library.Load());
            Idle(50ms);
            EXPECT_EQ(nullptr, fresh.Engine());
            EXPECT_EQ(State::Idle, fresh.Status().state);
            continue;
        }
        ASSERT_TRUE(WaitFor([&] { return fresh.Engine() && fresh.Engine()->FramesRendered() > 0; }))
            << fresh.Status().Text();
    }
}

// Without a usable engine library the program goes on; the face says why.
TEST_F(PlayerViewTest, UnusableLibraryIsExplainedInTheFace)
{
    struct Case {
        const char* name;
        const char* library;
        const char* reason;
    };
    const Case cases[] = {
        { "missing", "libpellamo-no-such-engine.so.9", "not installed" },
        { "not the engine", "libm.so.6", "damaged or too old" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MpvLibrary library({ c.library });
        PlayerView broken(
            true, [] {}, loop, library);
        broken.SetSize(463, 343);
        broken.WarmEngine();
        broken.SetAddress(u"http://127.0.0.1:9/live");
        ASSERT_TRUE(WaitFor([&] { return broken.Status().state == State::Error; })) << broken.Status().Text();
        EXPECT_NE(std::string::npos, broken.Status().Text().find(c.reason)) << broken.Status().Text();
        EXPECT_EQ(nullptr, broken.Engine());
        Bitmap face(463, 343);
        Canvas canvas(face);
        broken.Paint(canvas);
        EXPECT_GT(Colours(face, broken.Layout().Video()), 1u) << "the reason is written in the picture area";
        // A second channel says the same at once.
        broken.SetAddress(u"http://127.0.0.1:9/other");
        EXPECT_EQ(State::Error, broken.Status().state);
        broken.SetAddress(u"");
        EXPECT_EQ(State::Idle, broken.Status().state);
    }
}

TEST_F(PlayerViewTest, HiddenViewDrawsAndRendersNothing)
{
    std::string body = Media("av.ts");
    StreamServer server(body, Live(body));
    view.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return view.Engine() && view.Engine()->FramesRendered() > 0; })) << view.Status().Text();

    view.SetShown(false);
    uint64_t frames = view.Engine()->FramesRendered();
    Idle(300ms);
    EXPECT_EQ(frames, view.Engine()->FramesRendered());
    Bitmap face(463, 343, Rgb(1, 2, 3));
    Canvas canvas(face);
    view.Paint(canvas);
    EXPECT_EQ(Rgb(1, 2, 3), face.GetPixel(200, 150));

    // Shown again, the picture comes back by itself.
    view.SetShown(true);
    EXPECT_TRUE(WaitFor([&] { return view.Engine() && view.Engine()->FramesRendered() > frames; }));
}

// Every way out of full screen returns to the control, which keeps playing
// (except when the stream itself was stopped).
TEST_F(PlayerViewTest, FullScreenShowsThePictureUntilLeft)
{
    std::string body = Media("av.ts");
    StreamServer server(body, Live(body));

    enum class Leave { Escape, KeyF, DoubleClick, WindowManagerClose, EmptyAddress, Hidden };
    struct Case {
        const char* name;
        Leave leave;
    };
    const Case cases[] = {
        { "Esc", Leave::Escape },
        { "F", Leave::KeyF },
        { "double-click", Leave::DoubleClick },
        { "window manager", Leave::WindowManagerClose },
        { "stream stopped", Leave::EmptyAddress },
        { "control hidden", Leave::Hidden },
    };
    Size size = ws.GetScreenSize();
    Rect whole { 0, 0, size.cx, size.cy };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.SetShown(true);
        if (view.Address().empty())
            view.SetAddress(U16(server.Url()));
        ASSERT_TRUE(WaitFor([&] { return view.Engine() && view.Engine()->HasPicture(); })) << view.Status().Text();

        view.ToggleFullScreen(ws);
        ASSERT_TRUE(view.FullScreen());
        HWND window = view.FullScreenView()->Handle();
        EXPECT_EQ(whole, ws.GetWindowRect(window));
        EXPECT_EQ(window, ws.GetActiveWindow());
        Pump();
        Bitmap shot = screen.Screenshot();
        EXPECT_GT(Colours(shot, { 300, 200, 700, 560 }), 20u) << "the test picture, at screen size";

        switch (c.leave) {
        case Leave::Escape:
            screen.PressKey(VK_ESCAPE);
            break;
        case Leave::KeyF:
            screen.PressKey('F');
            break;
        case Leave::DoubleClick:
            screen.Click({ 500, 400 });
            screen.Click({ 500, 400 });
            break;
        case Leave::WindowManagerClose:
            screen.RequestClose(ws.DisplayWindowOf(window));
            break;
        case Leave::EmptyAddress:
            view.SetAddress(u"");
            break;
        case Leave::Hidden:
            view.SetShown(false);
            break;
        }
        ASSERT_TRUE(WaitFor([&] { return !view.FullScreen(); }, 2s));
        EXPECT_FALSE(ws.IsWindow(window));
        if (c.leave == Leave::EmptyAddress)
            EXPECT_EQ(State::Idle, view.Status().state);
        else
            EXPECT_NE(State::Idle, view.Status().state);
    }
}

TEST_F(PlayerViewTest, FullScreenNeedsSomethingPlaying)
{
    // Never started, then stopped: F and double-clicks do nothing.
    EXPECT_TRUE(view.KeyDown('F', ws));
    EXPECT_FALSE(view.FullScreen());
    view.SetAddress(u"http://127.0.0.1:" + U16(std::to_string(UnusedPort())) + u"/live");
    view.SetAddress(u"");
    view.DoubleClick(VideoCentre(), ws);
    EXPECT_FALSE(view.FullScreen());
    EXPECT_TRUE(ws.TopLevelWindows().empty());
    // Esc is only the player's while it is full screen.
    EXPECT_FALSE(view.KeyDown(VK_ESCAPE, ws));
}

// A double-click on the bar is two clicks on its buttons, not full screen.
TEST_F(PlayerViewTest, BarClicksReachTheEngine)
{
    std::string body = Media("av.ts");
    StreamServer server(body, Live(body));
    view.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return view.Status().state == State::Playing; })) << view.Status().Text();
    Rect mute = view.Layout().Mute();
    Point on_mute { mute.left + 2, mute.top + 2 };
    view.MouseDown(on_mute);
    EXPECT_TRUE(view.Engine()->Muted());
    view.DoubleClick(on_mute, ws);
    EXPECT_FALSE(view.FullScreen());
    view.MouseDown(VideoCentre());
    EXPECT_EQ(State::Playing, view.Status().state) << "a click on the picture is not a button";

    // The engine goes with the empty address; the viewer's sound setting stays.
    // The next one starts once the engine before it has ended.
    view.SetAddress(u"");
    EXPECT_EQ(nullptr, view.Engine());
    view.SetAddress(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return view.Engine() != nullptr; }));
    EXPECT_TRUE(view.Engine()->Muted());
}

}
}
