// What reaches the screen: children clipped out of their parent's painting,
// siblings in z-order, exposed areas repainted, window regions as shapes,
// the window and client device contexts, the default frame.

#include "tests/window/window_fixture.h"

namespace pellamo::test {
namespace {

constexpr TColor kRed = Rgb(255, 0, 0);
constexpr TColor kBlue = Rgb(0, 0, 255);
constexpr TColor kGreen = Rgb(0, 255, 0);
constexpr TColor kYellow = Rgb(255, 255, 0);

class WindowPaint : public WindowFixture {
protected:
    // Every logged window paints its whole client area in its own colour
    // (ignoring the update region: the clip must protect the rest).
    HWND Painted(const std::string& name, DWORD style, Rect bounds, TColor color, HWND parent = nullptr, DWORD ex = 0)
    {
        HWND h = log.Create(name, style, bounds, parent, ex);
        colors[h] = color;
        log.SetHandler(h, [this](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_PAINT) {
                PAINTSTRUCT ps;
                DeviceContext* dc = ws.BeginPaint(w, &ps);
                dc->FillRect({ -1000, -1000, 5000, 5000 }, colors[w]);
                ws.EndPaint(w, &ps);
                return 0;
            }
            return ws.DefWindowProc(w, m, wp, lp);
        });
        return h;
    }
    TColor At(int x, int y) { return screen.Screenshot().GetPixel(x, y); }
    std::map<HWND, TColor> colors;
};

TEST_F(WindowPaint, ChildrenAreClippedOutOfTheirParentAndSiblingsStackInOrder)
{
    HWND top = Painted("top", WS_POPUP | WS_VISIBLE, Rect::FromSize(100, 100, 200, 100), kRed);
    Painted("a", WS_CHILD | WS_VISIBLE, Rect::FromSize(10, 10, 50, 50), kBlue, top);
    HWND b = Painted("b", WS_CHILD | WS_VISIBLE, Rect::FromSize(40, 40, 50, 50), kGreen, top);
    Pump();
    struct Probe {
        int x, y;
        TColor color;
    };
    const Probe before[] = {
        { 100, 100, kRed }, // parent corner
        { 110, 110, kBlue }, // a alone
        { 145, 145, kGreen }, // overlap: b is above a
        { 189, 189, kGreen }, // b's last pixel
        { 190, 190, kRed }, // end-exclusive
        { 99, 99, 0 }, // desktop
        { 300, 150, 0 }, // just right of the window
    };
    for (const Probe& p : before)
        EXPECT_EQ(At(p.x, p.y), p.color) << p.x << "," << p.y;

    // The parent repaints alone: the children keep their pixels.
    colors[top] = kYellow;
    ws.InvalidateRect(top, nullptr, true);
    Pump();
    EXPECT_EQ(At(100, 100), kYellow);
    EXPECT_EQ(At(110, 110), kBlue);
    EXPECT_EQ(At(145, 145), kGreen);

    // Moving b uncovers parts of a and of the parent, which are repainted.
    ws.MoveWindow(b, 120, 10, 50, 50);
    Pump();
    EXPECT_EQ(At(145, 145), kBlue);
    EXPECT_EQ(At(185, 185), kYellow);
    EXPECT_EQ(At(225, 115), kGreen);

    // Bringing a to the top puts it above b where they meet; hiding b shows the parent.
    ws.MoveWindow(b, 40, 40, 50, 50);
    ws.BringWindowToTop(ws.GetChildren(top)[0]);
    Pump();
    EXPECT_EQ(At(145, 145), kBlue);
    ws.ShowWindow(b, SW_HIDE);
    Pump();
    EXPECT_EQ(At(170, 170), kYellow);
}

TEST_F(WindowPaint, WindowRegionShapesTheDisplayWindowAndItsHitTesting)
{
    HWND top = Painted("top", WS_POPUP | WS_VISIBLE, Rect::FromSize(100, 100, 100, 100), kRed);
    // Rounded top corners made of rectangles, as the skinned frame builds them.
    Region region
        = Region(Rect { 2, 0, 98, 1 }).Union(Region(Rect { 1, 1, 99, 2 })).Union(Region(Rect { 0, 2, 100, 100 }));
    ws.SetWindowRgn(top, region, true);
    Pump();
    const HeadlessBackend::WindowState* state = screen.Window(ws.DisplayWindowOf(top));
    ASSERT_TRUE(state->shape.has_value());
    EXPECT_EQ(state->shape, region.Rects());
    EXPECT_EQ(At(100, 100), 0);
    EXPECT_EQ(At(101, 100), 0);
    EXPECT_EQ(At(102, 100), kRed);
    EXPECT_EQ(At(101, 101), kRed);
    EXPECT_EQ(At(100, 102), kRed);
    EXPECT_EQ(ws.WindowFromPoint({ 100, 100 }), nullptr);
    EXPECT_EQ(ws.WindowFromPoint({ 102, 100 }), top);

    log.Clear();
    screen.Click({ 100, 100 });
    EXPECT_TRUE(log.MessagesOf("top").empty());

    ws.SetWindowRgn(top, std::nullopt, true);
    Pump();
    EXPECT_FALSE(screen.Window(ws.DisplayWindowOf(top))->shape.has_value());
    EXPECT_EQ(At(100, 100), kRed);
}

TEST_F(WindowPaint, DeviceContextsDrawThroughTheirOriginAndArePresentedByTheNextPass)
{
    HWND form
        = Painted("form", kFormStyle | WS_VISIBLE, Rect::FromSize(200, 100, 200, 150), kRed, nullptr, kFormExStyle);
    HWND child = Painted("child", WS_CHILD | WS_VISIBLE, Rect::FromSize(20, 30, 40, 40), kBlue, form);
    Pump();
    Rect client = ws.GetClientRectInWindow(form);

    DeviceContext* window_dc = ws.GetWindowDC(form);
    window_dc->FillRect({ 0, 0, 200, 3 }, kGreen); // the top of the frame
    ws.ReleaseDC(form, window_dc);
    DeviceContext* child_dc = ws.GetDC(child);
    // The canvas of a child's context: its origin and clip are the child's.
    Canvas& canvas = child_dc->GetCanvas();
    canvas.brush.color = kYellow;
    canvas.FillRect({ -5, -5, 1, 1 });
    canvas.SetPixel(39, 39, kGreen);
    canvas.SetPixel(40, 40, kGreen); // outside the child
    ws.ReleaseDC(child, child_dc);
    EXPECT_EQ(At(200, 100), Rgb(212, 208, 200)); // not presented yet
    Pump();
    EXPECT_EQ(At(200, 100), kGreen);
    EXPECT_EQ(At(399, 102), kGreen);
    Point c = ws.ClientToScreen(child, { 0, 0 });
    EXPECT_EQ(c, (Point { 200 + client.left + 20, 100 + client.top + 30 }));
    EXPECT_EQ(At(c.x, c.y), kYellow);
    EXPECT_EQ(At(c.x - 1, c.y - 1), kRed);
    EXPECT_EQ(At(c.x + 1, c.y), kBlue);
    EXPECT_EQ(At(c.x + 39, c.y + 39), kGreen);
    EXPECT_EQ(At(c.x + 40, c.y + 40), kRed);
    EXPECT_EQ(ws.ScreenToClient(child, c), (Point { 0, 0 }));
}

TEST_F(WindowPaint, DefaultFrameShowsTheActiveState)
{
    HWND a = Painted("a", kFormStyle | WS_VISIBLE, Rect::FromSize(0, 0, 200, 100), kRed, nullptr, kFormExStyle);
    Pump();
    // Caption at the top, inside the 3-pixel frame.
    EXPECT_EQ(At(60, 10), Rgb(10, 36, 106));
    EXPECT_EQ(At(0, 50), Rgb(212, 208, 200));
    EXPECT_EQ(At(1, 50), Rgb(255, 255, 255));
    EXPECT_EQ(At(199, 50), Rgb(64, 64, 64));
    EXPECT_EQ(At(3, 21), kRed);
    Painted("b", kFormStyle | WS_VISIBLE, Rect::FromSize(300, 0, 200, 100), kRed, nullptr, kFormExStyle);
    Pump();
    EXPECT_EQ(ws.GetActiveWindow() == a, false);
    EXPECT_EQ(At(60, 10), Rgb(128, 128, 128));
    EXPECT_EQ(At(360, 10), Rgb(10, 36, 106));
}

TEST_F(WindowPaint, TransparentChildShowsItsParentAndIsRedrawnOverIt)
{
    HWND top = Painted("top", WS_POPUP | WS_VISIBLE, Rect::FromSize(100, 100, 200, 100), kRed);
    HWND label = log.Create("label", WS_CHILD | WS_VISIBLE, Rect::FromSize(20, 20, 60, 40), top, WS_EX_TRANSPARENT);
    // Only its glyphs: a small box in the middle.
    log.SetHandler(label, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_PAINT) {
            PAINTSTRUCT ps;
            DeviceContext* dc = ws.BeginPaint(h, &ps);
            dc->FillRect({ 20, 10, 40, 30 }, kBlue);
            ws.EndPaint(h, &ps);
            return 0;
        }
        if (m == WM_ERASEBKGND)
            return 1;
        return ws.DefWindowProc(h, m, w, l);
    });
    Pump();
    EXPECT_EQ(At(125, 125), kRed);
    EXPECT_EQ(At(145, 135), kBlue);
    colors[top] = kYellow;
    Rect part { 30, 30, 60, 50 };
    ws.InvalidateRect(top, &part, true);
    Pump();
    EXPECT_EQ(At(131, 131), kYellow);
    EXPECT_EQ(At(145, 135), kBlue);
    EXPECT_EQ(At(125, 125), kRed); // outside the invalid part: untouched
}

// The way a skinned frame uses the platform: it clears the caption bits,
// widens the client area through WM_NCCALCSIZE, paints the 3-pixel frame
// itself through the whole-window context on WM_NCPAINT, rounds the window
// with a region and places a maximised window over the work area.
TEST_F(WindowPaint, SkinnedFrameOverTheDialogFrame)
{
    constexpr TColor kBorder = Rgb(127, 127, 127), kFace = Rgb(231, 231, 231);
    HWND form
        = Painted("form", kFormStyle | WS_MAXIMIZEBOX, Rect::FromSize(100, 50, 640, 435), kBlue, nullptr, kFormExStyle);
    WndProc saved;
    saved = ws.SetWindowProc(form, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_NCPAINT) {
            DeviceContext* dc = ws.GetWindowDC(h);
            Rect r = ws.GetWindowRect(h);
            int W = r.Width(), H = r.Height();
            dc->FillRect({ 0, 0, 1, H }, kBorder);
            dc->FillRect({ 0, H - 1, W, H }, kBorder);
            dc->FillRect({ W - 1, 0, W, H }, kBorder);
            dc->FillRect({ 1, 0, 3, H - 1 }, kFace);
            dc->FillRect({ 1, H - 3, W - 1, H - 1 }, kFace);
            dc->FillRect({ W - 3, 0, W - 1, H - 1 }, kFace);
            dc->FillRect({ 3, 0, W - 3, 3 }, kFace);
            ws.ReleaseDC(h, dc);
            return 0;
        }
        if (m == WM_NCCALCSIZE && w) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(l);
            p->rgrc[0].bottom += 1; // border width 1
        }
        LRESULT result = ws.CallWindowProc(saved, h, m, w, l);
        if (m == WM_SIZE) {
            Rect r = ws.GetWindowRect(h);
            if (ws.IsZoomed(h)) {
                Rect area = ws.GetWorkArea();
                if (r != Rect { area.left - 2, area.top - 2, area.right + 2, area.bottom - 1 })
                    ws.MoveWindow(h, area.left - 2, area.top - 2, area.Width() + 4, area.Height() + 1);
            }
            r = ws.GetWindowRect(h);
            ws.SetWindowRgn(h,
                Region::RoundRect({ 0, 0, r.Width() + 1, r.Height() / 2 + 1 }, 11, 11)
                    .Union(Region(Rect { 0, r.Height() / 2 - 22, r.Width(), r.Height() })),
                true);
        }
        return result;
    });
    ws.SetStyle(form, ws.GetStyle(form) & ~WS_CAPTION);
    ws.SetWindowPos(
        form, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ws.ShowWindow(form, SW_SHOW);
    Pump();
    EXPECT_EQ(ws.GetClientRectInWindow(form), (Rect { 3, 3, 637, 433 }));
    const Bitmap* back = ws.BackBuffer(form);
    struct Probe {
        int x, y;
        TColor color;
    };
    const Probe probes[] = {
        { 0, 200, kBorder },
        { 1, 200, kFace },
        { 2, 200, kFace },
        { 3, 200, kBlue },
        { 636, 200, kBlue },
        { 637, 200, kFace },
        { 639, 200, kBorder },
        { 320, 2, kFace },
        { 320, 3, kBlue },
        { 320, 432, kBlue },
        { 320, 433, kFace },
        { 320, 434, kBorder },
    };
    for (const Probe& p : probes)
        EXPECT_EQ(back->GetPixel(p.x, p.y), p.color) << p.x << "," << p.y;
    // Rounded top corners: the screen shows the desktop there.
    EXPECT_EQ(At(100, 50), 0);
    EXPECT_EQ(At(100, 50 + 200), kBorder);

    ws.SendMessage(form, WM_SYSCOMMAND, SC_MAXIMIZE);
    Pump();
    EXPECT_EQ(ws.GetWindowRect(form), (Rect { -2, -2, 1026, 739 }));
    EXPECT_EQ(ws.GetClientRect(form), (Rect { 0, 0, 1022, 736 }));
    EXPECT_EQ(At(0, 300), kFace); // the frame's inner columns are on the screen
    EXPECT_EQ(At(1, 300), kBlue);
    ws.SendMessage(form, WM_SYSCOMMAND, SC_RESTORE);
    Pump();
    EXPECT_EQ(ws.GetWindowRect(form), Rect::FromSize(100, 50, 640, 435));
}
}
}
