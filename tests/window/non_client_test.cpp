#include "platform/window/non_client.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

TEST(NonClient, ClientAreaFollowsTheStyleWords)
{
    struct Case {
        DWORD style;
        DWORD ex_style;
        Rect client;
    };
    const Rect window { 0, 0, 200, 100 };
    const Case cases[] = {
        { WS_POPUP, 0, { 0, 0, 200, 100 } },
        { WS_POPUP | WS_BORDER, 0, { 1, 1, 199, 99 } },
        { WS_POPUP | WS_CAPTION, 0, { 3, 21, 197, 97 } },
        { WS_POPUP, WS_EX_DLGMODALFRAME, { 3, 3, 197, 97 } }, // the skinned frame's dialog border
        { WS_POPUP | WS_THICKFRAME, 0, { 3, 3, 197, 97 } },
        { WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, { 3, 18, 197, 97 } },
        { WS_CHILD, WS_EX_CLIENTEDGE, { 2, 2, 198, 98 } },
        { WS_CHILD | WS_VSCROLL, 0, { 0, 0, 184, 100 } },
        { WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, { 1, 1, 183, 83 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NonClient::ClientFromWindow(window, c.style, c.ex_style), c.client)
            << std::hex << c.style << " " << c.ex_style;
    // Smaller than its frame: an empty client area, never a negative one.
    Rect tiny = NonClient::ClientFromWindow({ 10, 10, 14, 12 }, WS_POPUP | WS_CAPTION, 0);
    EXPECT_TRUE(tiny.IsEmpty());
    EXPECT_GE(tiny.Width(), 0);
    EXPECT_GE(tiny.Height(), 0);
}

TEST(NonClient, HitTest)
{
    const Size window { 200, 100 };
    const DWORD caption = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    struct Case {
        DWORD style;
        Point p;
        LRESULT hit;
    };
    Rect close = NonClient::CaptionButtonRect(window, caption, 0, HTCLOSE);
    Rect min = NonClient::CaptionButtonRect(window, caption, 0, HTMINBUTTON);
    const Case cases[] = {
        { caption, { 50, 50 }, HTCLIENT },
        { caption, { 50, 10 }, HTCAPTION },
        { caption, { close.left, close.top }, HTCLOSE },
        { caption, { min.left, min.top }, HTMINBUTTON },
        { caption, { 1, 50 }, HTBORDER },
        { caption, { 200, 50 }, HTNOWHERE },
        { WS_POPUP | WS_THICKFRAME, { 0, 0 }, HTTOPLEFT },
        { WS_POPUP | WS_THICKFRAME, { 199, 50 }, HTRIGHT },
        { WS_POPUP | WS_THICKFRAME, { 100, 99 }, HTBOTTOM },
        { WS_CHILD | WS_VSCROLL | WS_HSCROLL, { 190, 10 }, HTVSCROLL },
        { WS_CHILD | WS_VSCROLL | WS_HSCROLL, { 10, 90 }, HTHSCROLL },
        { WS_CHILD, { 0, 0 }, HTCLIENT },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NonClient::HitTest(window, c.p, c.style, 0), c.hit)
            << std::hex << c.style << " " << std::dec << c.p.x << "," << c.p.y;
    EXPECT_TRUE(NonClient::CaptionButtonRect(window, caption, 0, HTMAXBUTTON).IsEmpty());
    EXPECT_GT(close.left, min.right - 1);
}

TEST(NonClient, ScrollThumbPlacementAndItsInverse)
{
    auto info = [](int min, int max, UINT page) {
        SCROLLINFO si;
        si.nMin = min;
        si.nMax = max;
        si.nPage = page;
        return si;
    };
    struct Case {
        int length;
        SCROLLINFO si;
        int pos;
        int top, bottom;
    };
    const Case cases[] = {
        { 100, info(0, 99, 10), 0, 16, 24 }, // 68 * 10 / 100 = 6, raised to the 8-pixel minimum
        { 100, info(0, 99, 50), 0, 16, 50 },
        { 100, info(0, 99, 50), 50, 50, 84 }, // the last position puts the thumb at the end
        { 100, info(0, 99, 0), 99, 68, 84 }, // no page: a square thumb
        { 100, info(0, 99, 100), 0, 16, 84 }, // the page covers everything
        { 20, info(0, 99, 10), 0, 0, 0 }, // no room for a thumb between the arrows
    };
    for (const Case& c : cases) {
        NonClient::ScrollGeometry g = NonClient::ScrollThumb(c.length, c.si, c.pos);
        EXPECT_EQ(g.thumb_top, c.top) << c.length << " " << c.si.nPage << " " << c.pos;
        EXPECT_EQ(g.thumb_bottom, c.bottom) << c.length << " " << c.si.nPage << " " << c.pos;
    }
    EXPECT_EQ(NonClient::MaxScrollPos(info(0, 99, 10)), 90);
    EXPECT_EQ(NonClient::MaxScrollPos(info(5, 5, 0)), 5);
    EXPECT_EQ(NonClient::MaxScrollPos(info(0, 10, 0x80000000u)), 0); // an absurd page never overflows
    // Every position survives thumb placement and back.
    SCROLLINFO si = info(-20, 379, 37);
    for (int pos = -20; pos <= NonClient::MaxScrollPos(si); ++pos) {
        NonClient::ScrollGeometry g = NonClient::ScrollThumb(1000, si, pos);
        ASSERT_EQ(NonClient::ScrollPosFromThumb(1000, si, g.thumb_top), pos);
    }
    EXPECT_EQ(NonClient::ScrollPosFromThumb(1000, si, -500), -20);
    EXPECT_EQ(NonClient::ScrollPosFromThumb(1000, si, 5000), NonClient::MaxScrollPos(si));
}

}
}
