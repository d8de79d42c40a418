// Files and links dragged from another program (our xdnd_drop tool, which
// speaks the X drag-and-drop protocol as file managers and browsers do)
// land on a private Xvfb server as WM_DROPFILES at the window that takes them.

#include "platform/backend/x11/x11_backend.h"
#include "platform/backend/x11/x11_dropped_items.h"
#include "platform/window/window_system.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

namespace pellamo {
namespace {

struct Dropped {
    HWND hwnd;
    Point pt;
    std::vector<std::string> items;
};

// Runs the drag source while our loop answers it; its exit status.
int DragAndDrop(EventLoop& loop, X11Backend& x11, const std::string& display, unsigned long window, Point at,
    const std::string& type, const std::vector<std::string>& items)
{
    std::string id = std::to_string(window);
    std::string where = std::to_string(at.x) + "," + std::to_string(at.y);
    std::vector<const char*> argv { PELLAMO_XDND_DROP, "--display", display.c_str(), "--window", id.c_str(), "--at",
        where.c_str(), "--type", type.c_str() };
    for (const std::string& item : items)
        argv.push_back(item.c_str());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, PELLAMO_XDND_DROP, nullptr, nullptr, const_cast<char**>(argv.data()), environ) != 0)
        return -1;
    int status = 0;
    for (int i = 0; i < 2000; ++i) {
        loop.WaitUntil([] { return false; }, std::chrono::milliseconds(10));
        x11.ProcessEvents();
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

TEST(X11Drop, FilesAndLinksArriveAtTheWindowThatTakesThem)
{
    XvfbServer server;
    if (!server.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    EventLoop loop;
    X11Backend x11(loop, server.Display().c_str());
    WindowSystem ws(x11, loop);
    std::vector<Dropped> dropped;
    ws.RegisterClass({ "Target", [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                          if (m == WM_DROPFILES) {
                              auto* drop = reinterpret_cast<DROPFILES*>(w);
                              dropped.push_back({ h, drop->pt, drop->items });
                              return 0;
                          }
                          return ws.DefWindowProc(h, m, w, l);
                      } });
    CreateWindowParams form;
    form.class_name = "Target";
    form.style = WS_POPUP;
    form.ex_style = WS_EX_ACCEPTFILES;
    form.bounds = Rect::FromSize(100, 100, 300, 200);
    HWND top = ws.CreateWindowEx(form);
    CreateWindowParams child;
    child.class_name = "Target";
    child.style = WS_CHILD | WS_VISIBLE;
    child.bounds = Rect::FromSize(10, 10, 100, 50);
    child.parent = top;
    ws.CreateWindowEx(child);
    ws.ShowWindow(top, SW_SHOW);
    form.ex_style = 0;
    form.bounds = Rect::FromSize(500, 100, 200, 100);
    HWND other = ws.CreateWindowEx(form);
    ws.ShowWindow(other, SW_SHOW);
    for (int i = 0; i < 5; ++i) {
        loop.WaitUntil([] { return false; }, std::chrono::milliseconds(20));
        x11.Sync();
    }
    unsigned long top_xid = x11.NativeWindow(ws.DisplayWindowOf(top));
    unsigned long other_xid = x11.NativeWindow(ws.DisplayWindowOf(other));
    ASSERT_NE(top_xid, 0u);

    // Over the child, which does not take drops itself: its parent gets them.
    EXPECT_EQ(DragAndDrop(loop, x11, server.Display(), top_xid, { 130, 125 }, "text/uri-list",
                  { "file:///home/viewer/tv%20list.m3u", "# a comment line", "https://lists.example/a.m3u" }),
        0);
    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_EQ(dropped[0].hwnd, top);
    EXPECT_EQ(dropped[0].pt, (Point { 30, 25 }));
    EXPECT_EQ(dropped[0].items,
        (std::vector<std::string> { "file:///home/viewer/tv%20list.m3u", "https://lists.example/a.m3u" }));

    // Dragged text: a link selected in a page.
    EXPECT_EQ(
        DragAndDrop(loop, x11, server.Display(), top_xid, { 300, 250 }, "UTF8_STRING", { "  http://a.example/live  " }),
        0);
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(dropped[1].items, (std::vector<std::string> { "http://a.example/live" }));

    // A type we cannot read is refused; so is a window that takes no drops.
    EXPECT_EQ(DragAndDrop(loop, x11, server.Display(), top_xid, { 130, 125 }, "image/png", { "x" }), 3);
    EXPECT_EQ(
        DragAndDrop(loop, x11, server.Display(), other_xid, { 550, 120 }, "text/uri-list", { "file:///x.m3u" }), 2);
    ws.DragAcceptFiles(top, false);
    EXPECT_EQ(DragAndDrop(loop, x11, server.Display(), top_xid, { 130, 125 }, "text/uri-list", { "file:///x.m3u" }), 2);
    EXPECT_EQ(dropped.size(), 2u);
}

TEST(X11Drop, DroppedDataBecomesItems)
{
    using F = DropFormat;
    struct Case {
        F format;
        std::string data;
        std::vector<std::string> items;
    } cases[] = {
        { F::UriList, "file:///a.m3u\r\n#comment\r\n\r\nhttp://b.example/x\r\n",
            { "file:///a.m3u", "http://b.example/x" } },
        { F::UriList, "file:///no-final-newline.m3u", { "file:///no-final-newline.m3u" } },
        // Mozilla's link type: UTF-16, the address and then the link's title.
        { F::MozUrl, std::string("h\0t\0t\0p\0:\0/\0/\0a\0\x91\x98\n\0T\0i\0t\0l\0e\0", 30),
            { "http://a\xE9\xA2\x91" } },
        { F::Text, "  one\n\ttwo \n\n", { "one", "two" } },
        { F::Text, "", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(DroppedItems(c.format, c.data), c.items) << c.data;
}

}
}
