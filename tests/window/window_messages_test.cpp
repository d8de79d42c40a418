// Message order of a small window tree: creation, showing, painting,
// non-client size calculation, subclassing, destruction.

#include "tests/window/window_fixture.h"

#include <map>
#include <string>
#include <vector>

namespace pellamo::test {
namespace {

class WindowMessages : public WindowFixture { };

TEST_F(WindowMessages, CreateShowAndFirstPaintOfTopLevelWithChild)
{
    HWND top = log.Create("top", kFormStyle, Rect::FromSize(100, 50, 300, 200), nullptr, kFormExStyle);
    log.Create("child", WS_CHILD | WS_VISIBLE, Rect::FromSize(10, 10, 50, 40), top);
    log.Check(
        {
            { "top", WM_NCCREATE },
            { "top", WM_NCCALCSIZE, kWParam, 0 },
            { "top", WM_CREATE },
            { "top", WM_SIZE, kWParam | kLParam, SIZE_RESTORED, MAKELPARAM(294, 176) },
            { "top", WM_MOVE, kLParam, 0, MAKELPARAM(103, 71) },
            { "child", WM_NCCREATE },
            { "child", WM_NCCALCSIZE, kWParam, 0 },
            { "child", WM_CREATE },
            { "child", WM_SIZE, kLParam, 0, MAKELPARAM(50, 40) },
            { "child", WM_MOVE, kLParam, 0, MAKELPARAM(10, 10) },
            { "child", WM_SHOWWINDOW, kWParam, 1 },
            { "child", WM_WINDOWPOSCHANGING },
            { "child", WM_WINDOWPOSCHANGED },
        },
        "creation");

    ws.ShowWindow(top, SW_SHOW);
    log.Check(
        {
            { "top", WM_SHOWWINDOW, kWParam, 1 },
            { "top", WM_WINDOWPOSCHANGING },
            { "top", WM_WINDOWPOSCHANGED },
            { "top", WM_NCACTIVATE, kWParam, 1 },
            { "top", WM_ACTIVATE, kWParam, WA_ACTIVE },
            { "top", WM_SETFOCUS },
        },
        "show");

    // Nothing is painted until the loop is about to wait; then parent before child.
    Pump();
    log.Check(
        {
            { "top", WM_NCPAINT },
            { "top", WM_PAINT },
            { "top", WM_ERASEBKGND },
            { "child", WM_NCPAINT },
            { "child", WM_PAINT },
            { "child", WM_ERASEBKGND },
        },
        "first paint");
    EXPECT_EQ(ws.GetActiveWindow(), top);
    EXPECT_EQ(ws.GetFocus(), top);
}

TEST_F(WindowMessages, InvalidationsAreCoalescedIntoOnePaintAndOnePresent)
{
    HWND top = log.Create("top", WS_POPUP | WS_VISIBLE, Rect::FromSize(0, 0, 200, 100));
    HWND hidden = log.Create("hidden", WS_CHILD, Rect::FromSize(0, 0, 20, 20), top);
    (void)hidden;
    Pump();
    int presents = screen.Window(ws.DisplayWindowOf(top))->presents;
    log.Clear();

    Rect paint_rect;
    log.SetHandler(top, [&](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_PAINT) {
            PAINTSTRUCT ps;
            ws.BeginPaint(h, &ps);
            paint_rect = ps.rcPaint;
            ws.EndPaint(h, &ps);
            return LRESULT(0);
        }
        return ws.DefWindowProc(h, m, w, l);
    });
    Rect a { 10, 10, 20, 20 }, b { 50, 30, 60, 40 };
    ws.InvalidateRect(top, &a, false);
    ws.InvalidateRect(top, &b, false);
    ws.InvalidateRect(top, &a, false);
    EXPECT_TRUE(log.Messages().empty());
    Pump();
    log.Check({ { "top", WM_PAINT } }, "one paint, no erase, nothing for the hidden child");
    EXPECT_EQ(paint_rect, (Rect { 10, 10, 60, 40 }));
    EXPECT_EQ(screen.Window(ws.DisplayWindowOf(top))->presents, presents + 1);

    // A handler that does not paint does not make the loop paint forever.
    log.SetHandler(top,
        [&](HWND h, UINT m, WPARAM w, LPARAM l) { return m == WM_PAINT ? LRESULT(0) : ws.DefWindowProc(h, m, w, l); });
    ws.InvalidateRect(top, nullptr, true);
    Pump();
    Pump();
    log.Check({ { "top", WM_PAINT } }, "unhandled paint");

    // What a painting handler invalidates while it paints (a control that
    // sizes itself as it paints) is painted by the next pass.
    std::vector<Rect> painted;
    log.SetHandler(top, [&](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_PAINT) {
            PAINTSTRUCT ps;
            ws.BeginPaint(h, &ps);
            painted.push_back(ps.rcPaint);
            if (painted.size() == 1) {
                Rect more { 100, 50, 120, 60 };
                ws.InvalidateRect(h, &more, false);
            }
            ws.EndPaint(h, &ps);
            return LRESULT(0);
        }
        return ws.DefWindowProc(h, m, w, l);
    });
    ws.InvalidateRect(top, &a, false);
    Pump();
    Pump();
    EXPECT_EQ(painted, (std::vector<Rect> { a, { 100, 50, 120, 60 } }));
}

// The skinned frame's calculation: the proposed client rectangle becomes the
// whole window with the bottom one pixel lower (border width 1), then the
// platform takes its 3-pixel dialog frame off.
LRESULT SkinCalcSize(WindowSystem& ws, const WndProc& old, HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_NCCALCSIZE && w) {
        auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(l);
        Rect window = p->rgrc[0];
        p->rgrc[0] = { window.left, window.top, window.right, window.bottom + 1 };
        p->rgrc[1] = p->rgrc[0];
    }
    return ws.CallWindowProc(old, h, m, w, l);
}

TEST_F(WindowMessages, FrameChangeRecalculatesTheClientAreaThroughTheSubclass)
{
    HWND form = log.Create("form", kFormStyle | WS_VISIBLE, Rect::FromSize(100, 100, 640, 435), nullptr, kFormExStyle);
    EXPECT_EQ(ws.GetClientRectInWindow(form), (Rect { 3, 21, 637, 432 }));
    Pump();
    WndProc old = ws.SetWindowProc(form, [&](HWND h, UINT m, WPARAM w, LPARAM l) {
        log.Record(h, 0x8000 + m, w, l);
        return SkinCalcSize(ws, old, h, m, w, l);
    });
    log.Clear();
    ws.SetStyle(form, ws.GetStyle(form) & ~WS_CAPTION);
    ws.SetWindowPos(
        form, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The subclass sees each message first, then the old procedure.
    log.Check(
        {
            { "form", 0x8000 + WM_WINDOWPOSCHANGING },
            { "form", WM_WINDOWPOSCHANGING },
            { "form", 0x8000 + WM_NCCALCSIZE, kWParam, 1 },
            { "form", WM_NCCALCSIZE, kWParam, 1 },
            { "form", 0x8000 + WM_WINDOWPOSCHANGED },
            { "form", WM_WINDOWPOSCHANGED },
            { "form", 0x8000 + WM_MOVE },
            { "form", WM_MOVE },
            { "form", 0x8000 + WM_SIZE, kWParam | kLParam, SIZE_RESTORED, MAKELPARAM(634, 430) },
            { "form", WM_SIZE, kWParam | kLParam, SIZE_RESTORED, MAKELPARAM(634, 430) },
        },
        "frame changed");
    EXPECT_EQ(ws.GetClientRectInWindow(form), (Rect { 3, 3, 637, 433 }));

    // The same request again changes nothing: no WM_SIZE or WM_MOVE.
    ws.SetWindowPos(
        form, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    std::vector<UINT> again = log.MessagesOf("form");
    EXPECT_EQ(std::count(again.begin(), again.end(), WM_SIZE), 0);
    EXPECT_EQ(std::count(again.begin(), again.end(), WM_MOVE), 0);
    log.Clear();
    // The frame is repainted by the next pass.
    Pump();
    std::vector<UINT> painted = log.MessagesOf("form");
    EXPECT_NE(std::find(painted.begin(), painted.end(), WM_NCPAINT), painted.end());
}

TEST_F(WindowMessages, SubclassChainsAndRestoresAndSurvivesReplacingItselfMidCall)
{
    HWND w = log.Create("w", WS_POPUP, Rect::FromSize(0, 0, 50, 50));
    std::vector<std::string> calls;
    WndProc original;
    WndProc first = ws.SetWindowProc(w, [&](HWND h, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_USER + 1)
            calls.push_back("outer");
        if (m == WM_USER + 2) {
            // Taking itself out while running: the old procedure must stay callable.
            ws.SetWindowProc(h, original);
            calls.push_back("outer removed itself");
        }
        return ws.CallWindowProc(original, h, m, wp, lp) + (m == WM_USER + 1 ? 10 : 0);
    });
    original = first;
    log.SetHandler(w, [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m == WM_USER + 1 || m == WM_USER + 2)
            calls.push_back("inner");
        return m == WM_USER + 1 ? 5 : 0;
    });
    EXPECT_EQ(ws.SendMessage(w, WM_USER + 1), 15);
    EXPECT_EQ(ws.SendMessage(w, WM_USER + 2), 0);
    EXPECT_EQ(ws.SendMessage(w, WM_USER + 1), 5); // the subclass is gone
    EXPECT_EQ(calls, (std::vector<std::string> { "outer", "inner", "outer removed itself", "inner", "inner" }));
}

TEST_F(WindowMessages, SubclassesComeAndGoInAnyOrderAlsoWhileRunning)
{
    HWND w = log.Create("w", WS_POPUP, Rect::FromSize(0, 0, 50, 50));
    std::vector<std::string> calls;
    log.SetHandler(w, [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m >= WM_USER)
            calls.push_back("own");
        return ws.DefWindowProc(h, m, wp, lp);
    });
    std::map<std::string, uint64_t> ids;
    auto stack = [&](const std::string& name) {
        ids[name] = ws.SetWindowSubclass(w, [&, name](HWND h, UINT m, WPARAM wp, LPARAM lp, const WndProc& next) {
            if (m >= WM_USER)
                calls.push_back(name);
            // The middle one takes the lowest out while it runs: its next skips it.
            if (m == WM_USER + 1 && name == "middle")
                ws.RemoveWindowSubclass(h, ids["lowest"]);
            return next(h, m, wp, lp);
        });
    };
    stack("lowest");
    stack("middle");
    stack("outer");
    // A plain procedure set below the subclasses stays below them.
    WndProc own = ws.GetWindowProc(w);
    ws.SetWindowProc(w, [&](HWND h, UINT m, WPARAM wp, LPARAM lp) {
        if (m >= WM_USER)
            calls.push_back("replaced");
        return ws.CallWindowProc(own, h, m, wp, lp);
    });
    ws.SendMessage(w, WM_USER);
    EXPECT_EQ(calls, (std::vector<std::string> { "outer", "middle", "lowest", "replaced", "own" }));

    calls.clear();
    ws.SendMessage(w, WM_USER + 1);
    EXPECT_EQ(calls, (std::vector<std::string> { "outer", "middle", "replaced", "own" }));

    // Taking out the middle one before the outer one (the order a plain menu
    // bar and a skinned frame may well go in) keeps the outer one chained.
    calls.clear();
    EXPECT_TRUE(ws.RemoveWindowSubclass(w, ids["middle"]));
    EXPECT_FALSE(ws.RemoveWindowSubclass(w, ids["middle"]));
    ws.SendMessage(w, WM_USER);
    EXPECT_EQ(calls, (std::vector<std::string> { "outer", "replaced", "own" }));
    calls.clear();
    ws.RemoveWindowSubclass(w, ids["outer"]);
    ws.SendMessage(w, WM_USER);
    EXPECT_EQ(calls, (std::vector<std::string> { "replaced", "own" }));
    EXPECT_EQ(ws.SetWindowSubclass(
                  reinterpret_cast<HWND>(0x1), [](HWND, UINT, WPARAM, LPARAM, const WndProc&) { return LRESULT(0); }),
        0u);
}

TEST_F(WindowMessages, DestroyOrderAndLateMessagesToTheDeadHandle)
{
    HWND top = log.Create("top", WS_POPUP | WS_VISIBLE, Rect::FromSize(0, 0, 100, 100));
    HWND child = log.Create("child", WS_CHILD | WS_VISIBLE, Rect::FromSize(0, 0, 10, 10), top);
    HWND owned = log.Create("owned", WS_POPUP, Rect::FromSize(0, 0, 10, 10), top);
    HWND grandchild = log.Create("grandchild", WS_CHILD, Rect::FromSize(0, 0, 5, 5), child);
    ws.PostMessage(child, WM_USER);
    ws.SetTimer(child, 1, 10);
    log.Clear();
    log.Ignore({ WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS });
    ws.SendMessage(top, WM_SYSCOMMAND, SC_CLOSE);
    log.Check(
        {
            { "top", WM_SYSCOMMAND, kWParam, SC_CLOSE },
            { "top", WM_CLOSE },
            { "owned", WM_DESTROY },
            { "owned", WM_NCDESTROY },
            { "top", WM_DESTROY },
            { "child", WM_DESTROY },
            { "grandchild", WM_DESTROY },
            { "grandchild", WM_NCDESTROY },
            { "child", WM_NCDESTROY },
            { "top", WM_NCDESTROY },
        },
        "destroy");
    for (HWND h : { top, child, owned, grandchild }) {
        EXPECT_FALSE(ws.IsWindow(h));
        EXPECT_EQ(ws.SendMessage(h, WM_USER, 1, 2), 0);
        EXPECT_FALSE(ws.ShowWindow(h, SW_SHOW));
        EXPECT_FALSE(ws.SetWindowPos(h, nullptr, 1, 1, 1, 1, 0));
        EXPECT_EQ(ws.SetFocus(h), nullptr);
        EXPECT_FALSE(ws.DestroyWindow(h));
    }
    EXPECT_FALSE(ws.PostMessage(top, WM_USER));
    // The message posted before, and the timer, never arrive.
    loop.WaitUntil([] { return false; }, std::chrono::milliseconds(40));
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_TRUE(screen.ZOrder().empty());
    EXPECT_EQ(ws.GetActiveWindow(), nullptr);
    EXPECT_EQ(ws.GetFocus(), nullptr);
}

TEST_F(WindowMessages, RefusedCreationLeavesNoWindow)
{
    ws.RegisterClass({ "Refuses", [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                          if (m == WM_CREATE)
                              return -1;
                          return ws.DefWindowProc(h, m, w, l);
                      } });
    CreateWindowParams p;
    p.class_name = "Refuses";
    p.style = WS_POPUP | WS_VISIBLE;
    p.bounds = { 0, 0, 10, 10 };
    EXPECT_EQ(ws.CreateWindowEx(p), nullptr);
    EXPECT_TRUE(ws.TopLevelWindows().empty());
    EXPECT_TRUE(screen.ZOrder().empty());

    p.class_name = "NoSuchClass";
    EXPECT_THROW(ws.CreateWindowEx(p), std::invalid_argument);
    p.class_name = "Logged";
    p.style = WS_CHILD;
    EXPECT_THROW(ws.CreateWindowEx(p), std::invalid_argument);
}

TEST_F(WindowMessages, SystemCommandsChangeTheWindowState)
{
    HWND form = log.Create(
        "form", kFormStyle | WS_MAXIMIZEBOX | WS_VISIBLE, Rect::FromSize(100, 50, 640, 435), nullptr, kFormExStyle);
    log.Clear();
    log.Ignore({ WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCCALCSIZE, WM_MOVE, WM_NCACTIVATE, WM_ACTIVATE,
        WM_KILLFOCUS, WM_SETFOCUS, WM_SHOWWINDOW });

    ws.SendMessage(form, WM_SYSCOMMAND, SC_MINIMIZE);
    log.Check({ { "form", WM_SYSCOMMAND, kWParam, 61472 }, { "form", WM_SIZE, kWParam | kLParam, SIZE_MINIMIZED, 0 } },
        "minimise");
    EXPECT_TRUE(ws.IsIconic(form));
    EXPECT_TRUE(screen.Window(ws.DisplayWindowOf(form))->minimized);
    EXPECT_EQ(ws.GetActiveWindow(), nullptr);

    ws.SendMessage(form, WM_SYSCOMMAND, SC_RESTORE);
    log.Check(
        { { "form", WM_SYSCOMMAND }, { "form", WM_SIZE, kWParam | kLParam, SIZE_RESTORED, MAKELPARAM(634, 411) } },
        "restore");
    EXPECT_EQ(ws.GetWindowRect(form), Rect::FromSize(100, 50, 640, 435));
    EXPECT_EQ(ws.GetActiveWindow(), form);

    ws.SendMessage(form, WM_SYSCOMMAND, SC_MAXIMIZE);
    log.Check({ { "form", WM_SYSCOMMAND }, { "form", WM_SIZE, kWParam, SIZE_MAXIMIZED } }, "maximise");
    // The frame lies outside the work area.
    EXPECT_EQ(ws.GetWindowRect(form), (Rect { -3, -3, 1027, 743 }));
    EXPECT_TRUE(ws.IsZoomed(form));

    ws.ShowWindow(form, SW_RESTORE);
    EXPECT_EQ(ws.GetWindowRect(form), Rect::FromSize(100, 50, 640, 435));
    EXPECT_FALSE(ws.IsZoomed(form));
    log.Clear();
}

TEST_F(WindowMessages, BecomingAPopUpGivesTheWindowAPopUpDisplayWindow)
{
    HWND h = log.Create("top", WS_POPUP | WS_VISIBLE, Rect::FromSize(100, 100, 120, 80));
    Pump();
    DisplayWindowId before = ws.DisplayWindowOf(h);
    ASSERT_FALSE(screen.Window(before)->popup);

    ws.SetExStyle(h, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    DisplayWindowId after = ws.DisplayWindowOf(h);
    ASSERT_NE(after, before);
    EXPECT_EQ(screen.Window(before), nullptr) << "the old display window is gone";
    const HeadlessBackend::WindowState* now = screen.Window(after);
    ASSERT_NE(now, nullptr);
    EXPECT_TRUE(now->popup);
    EXPECT_TRUE(now->topmost);
    EXPECT_TRUE(now->visible);
    EXPECT_EQ(now->bounds, Rect::FromSize(100, 100, 120, 80));

    // It shows its pixels and gets its input as before.
    Pump();
    EXPECT_EQ(screen.Screenshot().GetPixel(110, 110), Rgb(255, 255, 255));
    log.Clear();
    screen.Click({ 110, 110 });
    std::vector<UINT> got = log.MessagesOf("top");
    EXPECT_NE(std::find(got.begin(), got.end(), WM_LBUTTONDOWN), got.end());

    // Other extended styles leave the display window alone.
    ws.SetExStyle(h, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_WINDOWEDGE);
    EXPECT_EQ(ws.DisplayWindowOf(h), after);
}

}
}
