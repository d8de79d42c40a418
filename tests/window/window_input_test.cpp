// Input routing on the headless screen: hit testing, capture, focus and
// activation, the application-wide hook, keys and characters, moving a
// window by its caption, window scroll bars, mouse leave, timers and modal loops.

#include "platform/window/message_box.h"
#include "tests/window/window_fixture.h"

namespace pellamo::test {
namespace {

class WindowInput : public WindowFixture {
protected:
    void SetUp() override
    {
        log.Ignore({ WM_NCHITTEST, WM_NCPAINT, WM_PAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
            WM_NCMOUSEMOVE });
        top = log.Create("top", WS_POPUP | WS_VISIBLE, Rect::FromSize(100, 100, 300, 200));
        left = log.Create("left", WS_CHILD | WS_VISIBLE, Rect::FromSize(10, 10, 100, 100), top);
        right = log.Create("right", WS_CHILD | WS_VISIBLE, Rect::FromSize(150, 10, 100, 100), top);
        Pump();
        log.Clear();
    }
    HWND top = nullptr, left = nullptr, right = nullptr;
};

TEST_F(WindowInput, ClicksGoToTheChildUnderThePointerInClientCoordinates)
{
    screen.Click({ 100 + 10 + 5, 100 + 10 + 7 });
    screen.Click({ 100 + 200, 100 + 150 }); // the parent's own area
    log.Check(
        {
            { "left", WM_MOUSEMOVE, kLParam, 0, MAKELPARAM(5, 7) },
            { "left", WM_LBUTTONDOWN, kWParam | kLParam, MK_LBUTTON, MAKELPARAM(5, 7) },
            { "left", WM_LBUTTONUP, kWParam | kLParam, 0, MAKELPARAM(5, 7) },
            { "top", WM_MOUSEMOVE, kLParam, 0, MAKELPARAM(200, 150) },
            { "top", WM_LBUTTONDOWN, kLParam, 0, MAKELPARAM(200, 150) },
            { "top", WM_LBUTTONUP },
        },
        "routing");

    // A disabled child passes its clicks to the parent.
    ws.EnableWindow(right, false);
    log.Clear();
    screen.Click({ 100 + 160, 100 + 20 });
    log.Check({ { "top", WM_MOUSEMOVE, kLParam, 0, MAKELPARAM(160, 20) }, { "top", WM_LBUTTONDOWN },
                  { "top", WM_LBUTTONUP } },
        "disabled child");
}

TEST_F(WindowInput, AWindowHiddenByItsPressGetsNoRelease)
{
    HWND note = log.Create(
        "note", WS_POPUP | WS_VISIBLE, Rect::FromSize(500, 500, 50, 50), nullptr, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    log.SetHandler(note, [&](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_LBUTTONDOWN)
            ws.ShowWindow(h, SW_HIDE);
        return ws.DefWindowProc(h, m, w, l);
    });
    Pump();
    log.Clear();
    screen.Click({ 510, 510 });
    std::vector<UINT> got = log.MessagesOf("note");
    EXPECT_NE(std::find(got.begin(), got.end(), WM_LBUTTONDOWN), got.end());
    EXPECT_EQ(std::find(got.begin(), got.end(), WM_LBUTTONUP), got.end());
}

TEST_F(WindowInput, CaptureKeepsThePointerAndReportsItsLoss)
{
    EXPECT_EQ(ws.SetCapture(left), nullptr);
    screen.MoveMouse({ 100 + 160, 100 + 20 }); // over the right child
    screen.MoveMouse({ 50, 60 }); // outside every window
    log.Check(
        {
            { "left", WM_MOUSEMOVE, kLParam, 0, MAKELPARAM(150, 10) },
            { "left", WM_MOUSEMOVE, kLParam, 0, MAKELPARAM(-60, -50) },
        },
        "captured moves");
    EXPECT_EQ(screen.CaptureWindow(), ws.DisplayWindowOf(top));

    EXPECT_EQ(ws.SetCapture(right), left);
    EXPECT_TRUE(ws.ReleaseCapture());
    EXPECT_TRUE(ws.ReleaseCapture()); // nothing to release: no message
    log.Check(
        {
            { "left", WM_CAPTURECHANGED, kLParam, 0, reinterpret_cast<LPARAM>(right) },
            { "right", WM_CAPTURECHANGED, kLParam, 0, 0 },
        },
        "capture changes");
    EXPECT_EQ(ws.GetCapture(), nullptr);
    EXPECT_EQ(screen.CaptureWindow(), 0u);
}

TEST_F(WindowInput, FocusMovesBetweenWindowsAndKeysFollowIt)
{
    ws.SetFocus(left);
    ws.SetFocus(right);
    screen.PressKey('A');
    log.Check(
        {
            { "top", WM_KILLFOCUS, kWParam, reinterpret_cast<WPARAM>(left) },
            { "left", WM_SETFOCUS, kWParam, reinterpret_cast<WPARAM>(top) },
            { "left", WM_KILLFOCUS, kWParam, reinterpret_cast<WPARAM>(right) },
            { "right", WM_SETFOCUS, kWParam, reinterpret_cast<WPARAM>(left) },
            { "right", WM_KEYDOWN, kWParam | kLParam, 'A', 1 },
            { "right", WM_KEYUP, kWParam | kLParam, 'A', static_cast<LPARAM>(static_cast<int32_t>(0xC0000001u)) },
        },
        "focus");

    // A disabled window takes no focus; disabling the focused one drops it.
    ws.EnableWindow(left, false);
    EXPECT_EQ(ws.SetFocus(left), nullptr);
    EXPECT_EQ(ws.GetFocus(), right);
    ws.EnableWindow(right, false);
    EXPECT_EQ(ws.GetFocus(), nullptr);
    ws.EnableWindow(right, true);
    ws.SetFocus(right);
    // Destroying the focused child gives the focus to its parent.
    log.Clear();
    ws.DestroyWindow(right);
    EXPECT_EQ(ws.GetFocus(), top);
    log.Check({ { "right", WM_KILLFOCUS }, { "top", WM_SETFOCUS }, { "right", WM_DESTROY }, { "right", WM_NCDESTROY } },
        "destroy focused");
}

TEST_F(WindowInput, ActivatingAnotherTopLevelWindow)
{
    ws.SetFocus(left);
    HWND other = log.Create("other", WS_POPUP, Rect::FromSize(500, 100, 100, 100));
    log.Clear();
    ws.ShowWindow(other, SW_SHOW);
    log.Check(
        {
            { "other", WM_SHOWWINDOW },
            { "top", WM_NCACTIVATE, kWParam, 0 },
            { "top", WM_ACTIVATE, kWParam | kLParam, WA_INACTIVE, reinterpret_cast<LPARAM>(other) },
            { "other", WM_NCACTIVATE, kWParam, 1 },
            { "other", WM_ACTIVATE, kWParam | kLParam, WA_ACTIVE, reinterpret_cast<LPARAM>(top) },
            { "left", WM_KILLFOCUS },
            { "other", WM_SETFOCUS, kWParam, reinterpret_cast<WPARAM>(left) },
        },
        "show activates");
    EXPECT_EQ(screen.FocusWindow(), ws.DisplayWindowOf(other));
    EXPECT_EQ(screen.ZOrder().back(), ws.DisplayWindowOf(other));

    // A click on the first window activates it again.
    screen.Click({ 100 + 200, 100 + 150 });
    log.Check(
        {
            { "top", WM_MOUSEMOVE },
            { "other", WM_NCACTIVATE, kWParam, 0 },
            { "other", WM_ACTIVATE, kWParam, WA_INACTIVE },
            { "top", WM_NCACTIVATE, kWParam, 1 },
            { "top", WM_ACTIVATE, kWParam, WA_CLICKACTIVE },
            { "other", WM_KILLFOCUS },
            { "top", WM_SETFOCUS },
            { "top", WM_LBUTTONDOWN },
            { "top", WM_LBUTTONUP },
        },
        "click activates");
    EXPECT_EQ(ws.GetActiveWindow(), top);

    // Losing the display focus deactivates.
    screen.SetFocusWindow(0);
    EXPECT_EQ(ws.GetActiveWindow(), nullptr);
    EXPECT_EQ(ws.GetFocus(), nullptr);
}

TEST_F(WindowInput, HookSeesQueuedMessagesFirstAndCanTakeThem)
{
    std::vector<UINT> hooked;
    ws.SetFocus(left);
    uint64_t id = ws.AddMessageHook([&](MSG& m) {
        hooked.push_back(m.message);
        return m.message == WM_KEYDOWN && m.wParam == VK_RETURN;
    });
    log.Clear();
    screen.PressKey(VK_RETURN); // taken by the hook: no key-down and no character
    screen.PressKey(VK_SPACE, kModAlt); // Alt+Space: system key and system character
    screen.TypeText("中a");
    ws.PostMessage(left, WM_USER + 7);
    ws.SendMessage(left, WM_USER + 8); // sent messages bypass the hook
    Pump();
    EXPECT_EQ(hooked,
        (std::vector<UINT> {
            WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_CHAR, WM_CHAR, WM_USER + 7 }));
    log.Check(
        {
            { "left", WM_KEYUP, kWParam, VK_RETURN },
            { "left", WM_SYSKEYDOWN, kWParam, VK_SPACE },
            { "left", WM_SYSCHAR, kWParam | kLParam, ' ', 1 << 29 | 1 },
            { "left", WM_SYSKEYUP, kWParam, VK_SPACE },
            { "left", WM_CHAR, kWParam, 0x4E2D },
            { "left", WM_CHAR, kWParam, 'a' },
            { "left", WM_USER + 8 },
            { "left", WM_USER + 7 },
        },
        "after the hook");

    ws.RemoveMessageHook(id);
    screen.PressKey(VK_RETURN);
    log.Check({ { "left", WM_KEYDOWN, kWParam, VK_RETURN }, { "left", WM_CHAR, kWParam, '\r' }, { "left", WM_KEYUP } },
        "translated Enter");
}

TEST_F(WindowInput, CaptionDragMovesTheWindowAsTheTitleBarDoes)
{
    // A title-bar child that hands a press to its form as a caption press
    // at the same point of the screen.
    log.SetHandler(left, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_LBUTTONDOWN) {
            ws.ReleaseCapture();
            Point screen_point = ws.ClientToScreen(h, { GET_X_LPARAM(l), GET_Y_LPARAM(l) });
            ws.SendMessage(top, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen_point.x, screen_point.y));
            return 0;
        }
        return ws.DefWindowProc(h, m, w, l);
    });
    screen.MoveMouse({ 120, 120 });
    screen.PressButton();
    screen.MoveMouse({ 150, 140 });
    screen.MoveMouse({ 170, 90 });
    screen.ReleaseButton();
    log.Check(
        {
            { "left", WM_MOUSEMOVE },
            { "left", WM_LBUTTONDOWN },
            { "top", WM_NCLBUTTONDOWN, kWParam, HTCAPTION },
            { "top", WM_SYSCOMMAND, kWParam, SC_MOVE | HTCAPTION },
            { "top", WM_ENTERSIZEMOVE },
            { "top", WM_MOVE, kLParam, 0, MAKELPARAM(130, 120) },
            { "top", WM_MOVE, kLParam, 0, MAKELPARAM(150, 70) },
            { "top", WM_EXITSIZEMOVE },
        },
        "move");
    EXPECT_EQ(ws.GetWindowRect(top), Rect::FromSize(150, 70, 300, 200));
    EXPECT_EQ(screen.Window(ws.DisplayWindowOf(top))->bounds, Rect::FromSize(150, 70, 300, 200));

    // A move without the button (its release went to another program) ends the move.
    screen.MoveMouse({ 170, 90 });
    screen.PressButton();
    screen.SetEventSink(nullptr);
    screen.ReleaseButton();
    screen.SetEventSink([this](const DisplayEvent& e) { ws.HandleDisplayEvent(e); });
    log.Clear();
    screen.MoveMouse({ 400, 400 });
    screen.MoveMouse({ 420, 420 });
    EXPECT_EQ(ws.GetWindowRect(top), Rect::FromSize(150, 70, 300, 200));
    EXPECT_EQ(log.MessagesOf("top"), (std::vector<UINT> { WM_EXITSIZEMOVE }));

    // Without a held button (a stray message) nothing starts.
    log.Clear();
    ws.SendMessage(top, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    screen.MoveMouse({ 300, 300 });
    EXPECT_EQ(ws.GetWindowRect(top), Rect::FromSize(150, 70, 300, 200));
}

TEST_F(WindowInput, MouseLeaveIsPostedOnceWhenThePointerGoesElsewhere)
{
    screen.MoveMouse({ 115, 115 });
    TRACKMOUSEEVENT tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = left;
    EXPECT_TRUE(ws.TrackMouseEvent(tme));
    screen.MoveMouse({ 116, 116 });
    screen.MoveMouse({ 260, 115 }); // onto the right child
    screen.MoveMouse({ 261, 115 });
    Pump();
    log.Check(
        {
            { "left", WM_MOUSEMOVE },
            { "left", WM_MOUSEMOVE },
            { "right", WM_MOUSEMOVE },
            { "right", WM_MOUSEMOVE },
            { "left", WM_MOUSELEAVE },
        },
        "leave");

    // Leaving the display window entirely also counts; tracking a window the
    // pointer is not over answers at once.
    tme.hwndTrack = right;
    ws.TrackMouseEvent(tme);
    screen.MoveMouse({ 900, 700 });
    tme.hwndTrack = left;
    ws.TrackMouseEvent(tme);
    Pump();
    log.Check({ { "right", WM_MOUSELEAVE }, { "left", WM_MOUSELEAVE } }, "leave display");
}

TEST_F(WindowInput, WindowScrollBarsFollowTheirInfoAndSendScrollMessages)
{
    HWND view = log.Create("view", WS_CHILD | WS_VISIBLE | WS_BORDER, Rect::FromSize(10, 120, 120, 70), top);
    log.Clear();
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 500;
    EXPECT_EQ(ws.SetScrollInfo(view, SB_VERT, si, true), 90); // clamped to max - page + 1
    EXPECT_TRUE(ws.GetStyle(view) & WS_VSCROLL);
    EXPECT_EQ(ws.GetClientRectInWindow(view), (Rect { 1, 1, 103, 69 }));
    SCROLLBARINFO info;
    ASSERT_TRUE(ws.GetScrollBarInfo(view, OBJID_VSCROLL, &info));
    EXPECT_EQ(info.rgstate[0], 0u);
    Rect window = ws.GetWindowRect(view);
    EXPECT_EQ(info.rcScrollBar, (Rect { window.left + 103, window.top + 1, window.left + 119, window.top + 69 }));
    EXPECT_EQ(info.dxyLineButton, 16);
    EXPECT_EQ(info.xyThumbBottom, 68 - 16); // at the end of the track
    ASSERT_TRUE(ws.GetScrollBarInfo(view, OBJID_HSCROLL, &info));
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_INVISIBLE);

    // A click on the lower arrow, then a drag of the thumb to the top.
    Point bar { window.left + 110, window.top + 1 };
    log.Ignore({ WM_NCLBUTTONDOWN, WM_NCLBUTTONUP });
    log.Clear();
    screen.Click({ bar.x, bar.y + 60 });
    SCROLLBARINFO before;
    ws.GetScrollBarInfo(view, OBJID_VSCROLL, &before);
    screen.MoveMouse({ bar.x, bar.y + before.xyThumbTop + 2 });
    screen.PressButton();
    screen.MoveMouse({ bar.x, bar.y + 10 });
    screen.ReleaseButton();
    log.Check(
        {
            { "view", WM_VSCROLL, kWParam | kLParam, SB_LINEDOWN, 0 },
            { "view", WM_VSCROLL, kWParam, SB_ENDSCROLL },
            { "view", WM_VSCROLL, kWParam, MAKEWPARAM(SB_THUMBTRACK, 0) },
            { "view", WM_VSCROLL, kWParam, MAKEWPARAM(SB_THUMBPOSITION, 0) },
            { "view", WM_VSCROLL, kWParam, SB_ENDSCROLL },
        },
        "scroll");
    // The window scrolls itself: the position is only what it sets.
    EXPECT_EQ(ws.GetScrollPos(view, SB_VERT), 90);

    // Nothing to scroll: the bar goes away, or is kept disabled on request.
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = 9;
    ws.SetScrollInfo(view, SB_VERT, si, true);
    EXPECT_FALSE(ws.GetStyle(view) & WS_VSCROLL);
    EXPECT_EQ(ws.GetClientRectInWindow(view), (Rect { 1, 1, 119, 69 }));
    si.fMask |= SIF_DISABLENOSCROLL;
    ws.SetScrollInfo(view, SB_VERT, si, true);
    ASSERT_TRUE(ws.GetScrollBarInfo(view, OBJID_VSCROLL, &info));
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
    log.Clear();
    screen.Click({ bar.x, bar.y + 60 });
    EXPECT_TRUE(log.MessagesOf("view").empty() || log.MessagesOf("view")[0] != WM_VSCROLL);
}

TEST_F(WindowInput, AFrameAddedOutsideTheDefaultOneKeepsTheScrollBarsInside)
{
    // As a control with a border width does: 3 pixels off every side before
    // the default procedure computes its frame from what is left.
    HWND view = log.Create("view", WS_CHILD | WS_VISIBLE | WS_BORDER, Rect::FromSize(10, 120, 120, 70), top);
    log.SetHandler(view, [&](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_NCCALCSIZE) {
            Rect* r = w ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(l)->rgrc[0] : reinterpret_cast<Rect*>(l);
            *r = r->Inflate(-3, -3);
        }
        return ws.DefWindowProc(h, m, w, l);
    });
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 99;
    si.nPage = 10;
    ws.SetScrollInfo(view, SB_VERT, si, true);
    EXPECT_EQ(ws.GetClientRectInWindow(view), (Rect { 4, 4, 100, 66 }));
    SCROLLBARINFO info;
    ASSERT_TRUE(ws.GetScrollBarInfo(view, OBJID_VSCROLL, &info));
    Rect window = ws.GetWindowRect(view);
    EXPECT_EQ(info.rcScrollBar, (Rect { window.left + 100, window.top + 4, window.left + 116, window.top + 66 }));
    struct Probe {
        Point at; // window coordinates
        LRESULT hit;
    } probes[] = {
        { { 1, 30 }, HTBORDER }, // the added band
        { { 118, 30 }, HTBORDER },
        { { 3, 30 }, HTBORDER }, // the default frame's own border
        { { 105, 30 }, HTVSCROLL },
        { { 50, 30 }, HTCLIENT },
    };
    for (const Probe& p : probes)
        EXPECT_EQ(ws.SendMessage(view, WM_NCHITTEST, 0, MAKELPARAM(window.left + p.at.x, window.top + p.at.y)), p.hit)
            << p.at.x;
    // The bar is painted where it is hit: its lower arrow, not the band.
    Pump();
    const Bitmap* back = ws.BackBuffer(top);
    Rect top_rect = ws.GetWindowRect(top);
    Point arrow { window.left - top_rect.left + 108, window.top - top_rect.top + 60 };
    EXPECT_NE(back->GetPixel(arrow.x, arrow.y), back->GetPixel(window.left - top_rect.left + 118, arrow.y));
}

TEST_F(WindowInput, AThumbPositionTravelsWholeBesideItsSixteenBitField)
{
    HWND view = log.Create("view", WS_CHILD | WS_VISIBLE, Rect::FromSize(10, 120, 120, 70), top);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = 200000;
    si.nPage = 10;
    ws.SetScrollInfo(view, SB_VERT, si, true);
    std::vector<int> seen;
    log.SetHandler(view, [&](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_VSCROLL) {
            seen.push_back(ws.ThumbPosition(h, SB_VERT, w));
            ws.SetScrollPos(h, SB_VERT, seen.back(), true);
        }
        return ws.DefWindowProc(h, m, w, l);
    });
    ws.SendThumbPosition(view, SB_VERT, 70000);
    ws.SendThumbPosition(view, SB_VERT, 12);
    // A message made by hand (only 16 bits) still means its own value.
    ws.SendMessage(view, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40000), 0);
    EXPECT_EQ(seen, (std::vector<int> { 70000, 12, 40000 }));
    EXPECT_EQ(ws.GetScrollPos(view, SB_VERT), 40000);
    si.fMask = SIF_TRACKPOS;
    ws.GetScrollInfo(view, SB_VERT, &si);
    EXPECT_EQ(si.nTrackPos, 40000); // the track position is the position again
}

TEST_F(WindowInput, TimersTickThroughTheHookUntilKilled)
{
    int ticks = 0, hooked = 0;
    ws.AddMessageHook([&](MSG& m) {
        hooked += m.message == WM_TIMER;
        return false;
    });
    log.SetHandler(left, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_TIMER && w == 7 && ++ticks == 3)
            ws.KillTimer(h, 7);
        return ws.DefWindowProc(h, m, w, l);
    });
    EXPECT_EQ(ws.SetTimer(left, 7, 10), 7u);
    loop.WaitUntil([&] { return ticks >= 3; }, std::chrono::seconds(5));
    loop.WaitUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(hooked, 3);
    EXPECT_FALSE(ws.KillTimer(left, 7));
}

TEST_F(WindowInput, ModalLoopDisablesTheOwnerUntilEnded)
{
    HWND dialog = log.Create("dialog", kFormStyle, Rect::FromSize(150, 150, 120, 80), top, kFormExStyle);
    ws.SetFocus(left);
    log.Clear();
    bool checked = false;
    loop.Post([&] {
        // Inside the loop: the owner is disabled and ignores clicks.
        EXPECT_FALSE(ws.IsWindowEnabled(top));
        EXPECT_EQ(ws.GetActiveWindow(), dialog);
        log.Clear();
        screen.Click({ 100 + 200, 100 + 180 });
        EXPECT_TRUE(log.MessagesOf("top").empty());
        EXPECT_EQ(ws.GetActiveWindow(), dialog);
        checked = true;
        ws.EndModal(dialog, 7);
    });
    EXPECT_EQ(ws.RunModal(dialog), 7);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(ws.IsWindowEnabled(top));
    EXPECT_FALSE(ws.IsWindowVisible(dialog));
    EXPECT_EQ(ws.GetActiveWindow(), top);
    EXPECT_TRUE(ws.IsWindow(dialog)); // hidden, not destroyed

    // Closing the modal window by destroying it ends the loop too.
    loop.Post([&] { ws.SendMessage(dialog, WM_SYSCOMMAND, SC_CLOSE); });
    EXPECT_EQ(ws.RunModal(dialog), 0);
    EXPECT_FALSE(ws.IsWindow(dialog));
    EXPECT_TRUE(ws.IsWindowEnabled(top));
    EXPECT_EQ(ws.GetActiveWindow(), top);
}

TEST_F(WindowInput, DropsGoToTheWindowThatTakesThemUnlessItIsDisabled)
{
    log.Ignore({ WM_MOUSEMOVE, WM_SETCURSOR, WM_MOUSELEAVE });
    std::vector<std::string> items;
    ws.SetWindowProc(top, [this, &items, old = ws.GetWindowProc(top)](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_DROPFILES) {
            auto* drop = reinterpret_cast<DROPFILES*>(w);
            items = drop->items;
            items.push_back(std::to_string(drop->pt.x) + "," + std::to_string(drop->pt.y));
        }
        return ws.CallWindowProc(old, h, m, w, l);
    });
    EXPECT_FALSE(screen.Drop({ 100 + 20, 100 + 20 }, { "file:///a.m3u" })) << "nothing takes drops yet";

    ws.DragAcceptFiles(top, true);
    EXPECT_TRUE(screen.Drop({ 100 + 20, 100 + 30 }, { "file:///a.m3u", "http://b.example/" }));
    EXPECT_EQ(items, (std::vector<std::string> { "file:///a.m3u", "http://b.example/", "20,30" })) << "over a child";
    log.Check({ { "top", WM_DROPFILES } }, "only the window that takes drops");

    // Other extended styles may change; drops stay allowed.
    ws.SetExStyle(top, ws.GetExStyle(top) | WS_EX_TOOLWINDOW);
    ws.EnableWindow(top, false);
    items.clear();
    log.Clear();
    EXPECT_TRUE(screen.Drop({ 100 + 200, 100 + 150 }, { "file:///c.m3u" })) << "the display still offers it";
    EXPECT_TRUE(items.empty()) << "a disabled window takes no drops";
    ws.EnableWindow(top, true);
    ws.DragAcceptFiles(top, false);
    EXPECT_FALSE(screen.Drop({ 100 + 200, 100 + 150 }, { "file:///c.m3u" }));
}

TEST_F(WindowInput, MessageBoxAnswersKeysAndTheCloseBox)
{
    struct Case {
        UINT type;
        unsigned key; // 0: the close box
        int answer;
    };
    const Case cases[] = {
        { MB_OK | MB_ICONERROR, VK_RETURN, IDOK },
        { MB_OK | MB_ICONINFORMATION, VK_ESCAPE, IDOK },
        { MB_OKCANCEL | MB_ICONQUESTION, VK_ESCAPE, IDCANCEL },
        { MB_OKCANCEL, VK_TAB, IDCANCEL }, // Tab to Cancel, then Enter
        { MB_OK | MB_ICONWARNING, 0, IDOK },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        HWND box = nullptr;
        loop.Post([&] {
            box = ws.GetActiveWindow();
            EXPECT_EQ(ws.GetClassName(box), MessageBox::kClassName);
            EXPECT_EQ(ws.GetWindowText(box), "Pellamo 网络电视");
            EXPECT_FALSE(ws.IsWindowEnabled(top));
            Rect r = ws.GetWindowRect(box);
            Rect owner = ws.GetWindowRect(top);
            EXPECT_NEAR(r.left + r.Width() / 2, owner.left + owner.Width() / 2, 1); // centred on the owner
            if (c.key == 0) {
                screen.RequestClose(ws.DisplayWindowOf(box));
            } else {
                screen.PressKey(c.key);
                if (c.key == VK_TAB)
                    screen.PressKey(VK_RETURN);
            }
        });
        EXPECT_EQ(MessageBox::Show(ws, left, "Connection Failed.", "Pellamo 网络电视", c.type), c.answer);
        EXPECT_FALSE(ws.IsWindow(box));
        EXPECT_TRUE(ws.IsWindowEnabled(top));
        EXPECT_EQ(ws.GetActiveWindow(), top);
    }
}

TEST_F(WindowInput, MessageBoxOkButtonAnswersAClick)
{
    loop.Post([&] {
        HWND box = ws.GetActiveWindow();
        std::vector<HWND> buttons = ws.GetChildren(box);
        ASSERT_EQ(buttons.size(), 1u);
        Pump();
        Rect b = ws.GetWindowRect(buttons[0]);
        screen.Click({ (b.left + b.right) / 2, (b.top + b.bottom) / 2 });
    });
    EXPECT_EQ(MessageBox::Show(ws, nullptr, "Text", "Title", MB_OK), IDOK);
}

TEST_F(WindowInput, PopupMenuWindowTakesNoActivationAndCapturesThePointer)
{
    ws.SetFocus(left);
    HWND menu = log.Create(
        "menu", WS_POPUP, Rect::FromSize(150, 250, 80, 60), top, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    ws.ShowWindow(menu, SW_SHOWNA);
    ws.SetCapture(menu);
    log.Clear();
    screen.Click({ 155, 255 }); // on the menu
    screen.Click({ 120, 120 }); // outside it: still the menu's, to close itself
    log.Check(
        {
            { "menu", WM_MOUSEMOVE, kLParam, 0, MAKELPARAM(5, 5) },
            { "menu", WM_LBUTTONDOWN },
            { "menu", WM_LBUTTONUP },
            { "menu", WM_MOUSEMOVE, kLParam, 0, MAKELPARAM(-30, -130) },
            { "menu", WM_LBUTTONDOWN },
            { "menu", WM_LBUTTONUP },
        },
        "menu");
    EXPECT_EQ(ws.GetActiveWindow(), top);
    EXPECT_EQ(ws.GetFocus(), left);
    EXPECT_EQ(screen.ZOrder().back(), ws.DisplayWindowOf(menu));
    EXPECT_TRUE(screen.Window(ws.DisplayWindowOf(menu))->popup);
    // Keys still go to the focused control (a menu reads them through the hook).
    screen.PressKey(VK_DOWN);
    EXPECT_EQ(log.MessagesOf("left"), (std::vector<UINT> { WM_KEYDOWN, WM_KEYUP }));
}

TEST_F(WindowInput, ExceptionsFromHandlersAreReportedAndTheLoopGoesOn)
{
    std::vector<std::string> reported;
    ws.SetExceptionHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            reported.push_back(x.what());
        }
    });
    int paints = 0;
    log.SetHandler(left, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_LBUTTONDOWN)
            throw std::runtime_error("Connection Failed");
        if (m == WM_PAINT && ++paints == 1)
            throw std::runtime_error("Paint Failed");
        return ws.DefWindowProc(h, m, w, l);
    });
    screen.Click({ 115, 115 });
    ws.InvalidateRect(left, nullptr, true);
    Pump();
    Pump();
    EXPECT_EQ(reported, (std::vector<std::string> { "Connection Failed", "Paint Failed" }));
    EXPECT_EQ(paints, 1); // the failed paint is not retried forever
    // The window keeps working.
    ws.InvalidateRect(left, nullptr, true);
    Pump();
    EXPECT_EQ(paints, 2);
    ws.PostMessage(left, WM_USER);
    Pump();
    EXPECT_EQ(log.MessagesOf("left").back(), WM_USER);
}

TEST_F(WindowInput, DoubleClicksNeedTheClassStyleAndACloseSecondPress)
{
    ws.RegisterClass({ "Clicky",
        [&](HWND h, UINT m, WPARAM w, LPARAM l) {
            log.Record(h, m, w, l);
            return ws.DefWindowProc(h, m, w, l);
        },
        CS_DBLCLKS });
    CreateWindowParams p;
    p.class_name = "Clicky";
    p.style = kFormStyle | WS_MAXIMIZEBOX | WS_VISIBLE;
    p.ex_style = kFormExStyle;
    p.bounds = Rect::FromSize(500, 100, 200, 150);
    HWND form = ws.CreateWindowEx(p);
    log.Name(form, "form");
    Pump();
    log.Ignore({ WM_MOUSEMOVE, WM_SYSCOMMAND, WM_SIZE, WM_MOVE, WM_NCCALCSIZE, WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS,
        WM_SETFOCUS, WM_SHOWWINDOW });
    // Windows of classes without the style see two plain presses.
    screen.Click({ 120, 120 });
    screen.Click({ 120, 120 });
    EXPECT_EQ(
        log.MessagesOf("left"), (std::vector<UINT> { WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP }));
    screen.Click({ 550, 100 }); // activates it
    log.Clear();
    screen.Click({ 600, 200 });
    screen.Click({ 601, 201 }); // client double click
    screen.Click({ 600, 200 });
    screen.Click({ 640, 240 }); // too far from the first press
    screen.Click({ 550, 110 });
    screen.Click({ 550, 110 }); // caption double click: maximise
    log.Check(
        {
            { "form", WM_LBUTTONDOWN }, { "form", WM_LBUTTONUP }, { "form", WM_LBUTTONDBLCLK },
            { "form", WM_LBUTTONUP }, { "form", WM_LBUTTONDOWN }, { "form", WM_LBUTTONUP }, { "form", WM_LBUTTONDOWN },
            { "form", WM_LBUTTONUP },
            // A caption press is a window move; its release ends the move.
            { "form", WM_NCLBUTTONDOWN, kWParam, HTCAPTION }, { "form", WM_ENTERSIZEMOVE }, { "form", WM_EXITSIZEMOVE },
            { "form", WM_NCLBUTTONDBLCLK, kWParam, HTCAPTION },
            { "form", WM_LBUTTONUP }, // the maximised window is now under the pointer
        },
        "double clicks");
    EXPECT_TRUE(ws.IsZoomed(form));
}
}
}
