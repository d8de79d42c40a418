// A shaped top-level window with a child drawing Chinese text, shown on a
// private Xvfb server and on the headless screen: the X screenshot (taken
// with xwd) must match the headless rendering pixel for pixel.

#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/x11/x11_backend.h"
#include "platform/window/window_system.h"
#include "tests/e2e/root_capture.h"
#include "tests/e2e/x11_screen_test.h"
#include "tests/e2e/x_input.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace pellamo {
namespace {

const Rect kFormBounds = Rect::FromSize(100, 80, 320, 200);

// The scene: a form with the dialog frame and cut corners, a child with text.
HWND BuildScene(WindowSystem& ws)
{
    ws.RegisterClass({ "Form", {}, 0, Rgb(231, 231, 231) });
    ws.RegisterClass({ "Label", [&ws](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                          if (m != WM_PAINT)
                              return ws.DefWindowProc(h, m, w, l);
                          PAINTSTRUCT ps;
                          DeviceContext* dc = ws.BeginPaint(h, &ps);
                          dc->FillRect(ws.GetClientRect(h), Rgb(255, 255, 255));
                          dc->FrameRect(ws.GetClientRect(h), Rgb(127, 127, 127));
                          Canvas& canvas = dc->GetCanvas();
                          canvas.font.name = "Tahoma";
                          canvas.font.height = -19;
                          canvas.font.color = Rgb(0, 0, 128);
                          canvas.brush.style = BrushStyle::Clear;
                          canvas.TextOutUtf8(8, 8, "网络电视 CCTV-1 中央电视台");
                          ws.EndPaint(h, &ps);
                          return 0;
                      } });
    CreateWindowParams form;
    form.class_name = "Form";
    form.text = "Pellamo";
    form.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    form.ex_style = WS_EX_DLGMODALFRAME;
    form.bounds = kFormBounds;
    HWND top = ws.CreateWindowEx(form);
    Region region(Rect { 0, 6, 320, 200 });
    for (int y = 0; y < 6; ++y)
        region = region.Union(Region(Rect { 6 - y, y, 320 - 6 + y, y + 1 }));
    ws.SetWindowRgn(top, region, true);
    CreateWindowParams label;
    label.class_name = "Label";
    label.style = WS_CHILD | WS_VISIBLE;
    label.bounds = Rect::FromSize(20, 30, 280, 60);
    label.parent = top;
    ws.CreateWindowEx(label);
    ws.ShowWindow(top, SW_SHOW);
    return top;
}

TEST(X11Compare, ShapedWindowWithChineseTextLooksTheSameOnXvfbAndHeadless)
{
    XvfbServer server;
    if (!server.Running())
        GTEST_SKIP() << "Xvfb could not be started";

    Bitmap expected;
    {
        EventLoop loop;
        HeadlessBackend screen({ 1024, 768 }, { 0, 0, 1024, 768 });
        screen.SetDesktopColor(Rgb(255, 255, 255)); // Xvfb -wr
        WindowSystem ws(screen, loop);
        BuildScene(ws);
        for (int i = 0; i < 5; ++i)
            loop.ProcessMessages();
        expected = screen.Screenshot();
    }

    Bitmap actual;
    {
        EventLoop loop;
        X11Backend x11(loop, server.Display().c_str());
        WindowSystem ws(x11, loop);
        HWND top = BuildScene(ws);
        // Map, expose and present, then let the server settle.
        for (int i = 0; i < 10; ++i) {
            loop.WaitUntil([] { return false; }, std::chrono::milliseconds(50));
            x11.Sync();
        }
        EXPECT_EQ(x11.WorkArea(), (Rect { 0, 0, 1024, 768 }));
        EXPECT_EQ(ws.GetWindowRect(top), kFormBounds);
        actual = CaptureRoot(server.Display());
    }
    ASSERT_EQ(actual.Width(), 1024) << "xwd or convert failed";
    ASSERT_EQ(actual.Height(), 768);

    // Everything around and inside the form, corners (outside the shape) included.
    Rect area = kFormBounds.Inflate(8, 8);
    int differences = 0;
    std::string first;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (actual.GetPixel(x, y) != expected.GetPixel(x, y) && differences++ == 0)
                first = std::to_string(x) + "," + std::to_string(y) + ": X " + std::to_string(actual.GetPixel(x, y))
                    + " headless " + std::to_string(expected.GetPixel(x, y));
    EXPECT_EQ(differences, 0) << "first difference at " << first;
    // The scene is not trivially empty: the cut corner shows the white root
    // (the unpainted back buffer there is black), and the text is there.
    EXPECT_EQ(expected.GetPixel(kFormBounds.left, kFormBounds.top), Rgb(255, 255, 255));
    EXPECT_EQ(expected.GetPixel(kFormBounds.left + 6, kFormBounds.top), Rgb(212, 208, 200));
    int text_pixels = 0;
    for (int y = 80 + 21 + 30; y < 80 + 21 + 90; ++y)
        for (int x = 100 + 3 + 20; x < 100 + 3 + 300; ++x)
            text_pixels += expected.GetPixel(x, y) == Rgb(0, 0, 128);
    EXPECT_GT(text_pixels, 50);
}

// A window set up in several steps (as a form is: its stored size, then the
// size its code gives it) gets a notice from the server for each step. Those
// are echoes of our own requests, not new sizes: the window keeps its last
// size and is not resized through the old ones again.
class X11Configure : public X11ScreenTest { };

TEST_F(X11Configure, EchoesOfOwnResizesAreNotReplayed)
{
    X11Backend& x11 = *backend;
    WindowSystem& ws = *windows;
    std::vector<Size> sizes;
    ws.RegisterClass({ "Sized", [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                          if (m == WM_SIZE)
                              sizes.push_back({ LOWORD(l), HIWORD(l) });
                          return ws.DefWindowProc(h, m, w, l);
                      } });
    CreateWindowParams params;
    params.class_name = "Sized";
    params.text = "EchoTest";
    params.style = WS_POPUP;
    params.bounds = Rect::FromSize(50, 40, 642, 610);
    HWND top = ws.CreateWindowEx(params);
    ws.SetWindowPos(top, nullptr, 0, 0, 640, 610, SWP_NOMOVE | SWP_NOZORDER);
    ws.SetWindowPos(top, nullptr, 0, 0, 640, 435, SWP_NOMOVE | SWP_NOZORDER);
    ws.SetWindowPos(top, nullptr, 192, 166, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ws.ShowWindow(top, SW_SHOW);
    sizes.clear();
    for (int i = 0; i < 5; ++i) {
        x11.Sync();
        loop.WaitUntil([] { return false; }, std::chrono::milliseconds(30));
    }
    EXPECT_TRUE(sizes.empty()) << sizes.size() << " sizes replayed, the first " << sizes[0].cx << "x" << sizes[0].cy;
    EXPECT_EQ(ws.GetWindowRect(top), Rect::FromSize(192, 166, 640, 435));

    // A size the window did not ask for (another client's, as a window
    // manager's) still counts.
    std::string command = "DISPLAY=" + server.Display() + " xdotool search --name EchoTest windowsize 500 300";
    ASSERT_EQ(0, std::system(command.c_str()));
    EXPECT_TRUE(loop.WaitUntil([&] { return !sizes.empty(); }, std::chrono::seconds(5)));
    EXPECT_EQ(ws.GetWindowRect(top).Width(), 500);
    EXPECT_EQ(ws.GetWindowRect(top).Height(), 300);
}

// Real X input through XTEST (xdotool): a click lands in the client area,
// typed text arrives as characters through the input method, Enter as a key
// and a character, and dragging the caption moves the window.
class X11Input : public X11ScreenTest { };

TEST_F(X11Input, ClicksKeysAndCaptionDragOnXvfb)
{
    X11Backend& x11 = *backend;
    WindowSystem& ws = *windows;
    std::vector<std::pair<UINT, WPARAM>> seen;
    Point click;
    ws.RegisterClass({ "Logged",
        [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_LBUTTONDOWN)
                click = { GET_X_LPARAM(l), GET_Y_LPARAM(l) };
            if (m == WM_LBUTTONDOWN && click.y < 10) {
                // A title bar of our own: the control took the capture on
                // the press, gives it up and hands the press, on the screen,
                // to the frame.
                ws.SetCapture(h);
                ws.ReleaseCapture();
                seen.push_back({ m, w });
                Point screen = ws.ClientToScreen(h, click);
                return ws.SendMessage(h, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
            }
            if (m == WM_LBUTTONDOWN || m == WM_CHAR || m == WM_KEYDOWN || m == WM_ENTERSIZEMOVE || m == WM_EXITSIZEMOVE)
                seen.push_back({ m, w });
            return ws.DefWindowProc(h, m, w, l);
        },
        0, Rgb(255, 255, 255) });
    CreateWindowParams p;
    p.class_name = "Logged";
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    p.bounds = Rect::FromSize(100, 100, 300, 200);
    HWND top = ws.CreateWindowEx(p);
    XInput input(server, loop, x11);
    auto xdotool = [&](const std::string& args) { input.Do(args); };
    input.Settle();
    ASSERT_EQ(ws.GetActiveWindow(), top);
    xdotool("mousemove 153 164 click 1");
    EXPECT_EQ(click, (Point { 50, 43 })); // client starts at (3, 21) inside the frame
    xdotool("type --delay 20 'ab'");
    xdotool("key Return");
    xdotool("mousemove 150 110 mousedown 1");
    xdotool("mousemove 190 150");
    xdotool("mouseup 1");
    EXPECT_EQ(ws.GetWindowRect(top), Rect::FromSize(140, 140, 300, 200));
    // A jump far outside the window still moves it: the move holds the pointer
    // even though the control let its capture go.
    xdotool("mousemove 200 165 mousedown 1");
    xdotool("mousemove 700 600");
    xdotool("mouseup 1");
    EXPECT_EQ(ws.GetWindowRect(top), Rect::FromSize(640, 575, 300, 200));
    std::vector<std::pair<UINT, WPARAM>> expected {
        { WM_LBUTTONDOWN, MK_LBUTTON },
        { WM_KEYDOWN, 'A' },
        { WM_CHAR, 'a' },
        { WM_KEYDOWN, 'B' },
        { WM_CHAR, 'b' },
        { WM_KEYDOWN, VK_RETURN },
        { WM_CHAR, '\r' },
        { WM_ENTERSIZEMOVE, 0 },
        { WM_EXITSIZEMOVE, 0 },
        { WM_LBUTTONDOWN, MK_LBUTTON },
        { WM_ENTERSIZEMOVE, 0 },
        { WM_EXITSIZEMOVE, 0 },
    };
    EXPECT_EQ(seen, expected);
}

// Text put on the clipboard by one connection is read by another (the
// owner answers from its own loop, on its own thread, as another program would).
TEST(X11Clipboard, TextCrossesBetweenConnections)
{
    XvfbServer server;
    if (!server.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    std::atomic<bool> ready { false };
    EventLoop* owner_loop = nullptr;
    std::thread owner([&] {
        EventLoop loop;
        X11Backend x11(loop, server.Display().c_str());
        x11.SetClipboardText("网络电视 CCTV-1");
        x11.Flush();
        owner_loop = &loop;
        ready = true;
        loop.Run();
    });
    while (!ready)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));

    EventLoop loop;
    X11Backend reader(loop, server.Display().c_str());
    EXPECT_EQ(reader.ClipboardText(), "网络电视 CCTV-1");
    reader.SetClipboardText("second");
    EXPECT_EQ(reader.ClipboardText(), "second");
    owner_loop->Post([&] { owner_loop->Quit(); });
    owner.join();
}
}
}
