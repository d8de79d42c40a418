// The main window's page source wired to tuning, over a real HTTP exchange
// on loopback: what the player receives, what survives a failed fetch, and
// that a superseded fetch leaves the client ready for the next one.
#include "app/page_fetch.h"
#include "catalogue/tuning.h"
#include "platform/loop/event_loop.h"
#include "tests/net/test_servers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace pellamo {
namespace {

using test::Pause;
using test::ScriptedServer;
using test::Send;

struct RecordingMedia : MediaPlayerControl {
    std::vector<std::u16string> urls;
    void SetVisible(bool) override { }
    void SetURL(const std::u16string& url) override { urls.push_back(url); }
};

struct RecordingReal : RealPlayerControl {
    void SetVisible(bool) override { }
    void SetSource(const std::u16string&) override { }
};

struct RecordingCaption : SelectionCaption {
    std::string text;
    void SetCaption(const std::string& gbk) override { text = gbk; }
};

// A page whose address of `length` bytes starts at byte `start` (1-based).
std::string PageWithAddress(int start, const std::string& address)
{
    return std::string(start - 1, 'x') + address + "</a> tail";
}

std::string Reply(const std::string& status, const std::string& body)
{
    return "HTTP/1.0 " + status + "\r\nContent-Type: text/html\r\n\r\n" + body;
}

class PageFetchTuning : public ::testing::Test {
protected:
    void Tune(const std::string& page_url, int start, int length)
    {
        ChannelTable television({ ChannelEntry::Stream("direct", "http://127.0.0.1:9/direct"),
            ChannelEntry::Page("scraped", page_url, start, length) });
        ChannelTable radio({});
        Tuning tuning(television, radio, pages, caption, host);
        tuning.TelevisionChanged(std::string("direct"));
        last_edit2 = tuning.Edit2();
        try {
            tuning.TelevisionChanged(std::string("scraped"));
        } catch (const std::exception& e) {
            error = e.what();
        }
        last_edit2 = tuning.Edit2();
        last_memo = tuning.Memo1();
    }

    TNMHTTP http;
    PageFetch pages { http };
    RecordingMedia media;
    RecordingReal real;
    PlayerHost host { media, real };
    RecordingCaption caption;
    std::string error;
    std::string last_edit2;
    std::string last_memo;
};

TEST_F(PageFetchTuning, CutsTheAddressOutOfTheFetchedPage)
{
    const std::string address = "http://127.0.0.1:8080/gznews?padding=to-make-it-seventy-seven-bytes-long";
    const std::u16string played(address.begin(), address.end());
    const int length = static_cast<int>(address.size());
    struct Case {
        const char* name;
        std::string status;
        std::string body;
        int start;
        int length;
        std::u16string played; // empty: nothing new played
    } cases[] = {
        { "success page", "200 OK", PageWithAddress(1043, address), 1043, length, played },
        // An error page is cut like any other page.
        { "error page", "404 Not Found", PageWithAddress(20, address), 20, length, played },
        { "page too short", "200 OK", std::string(4000, 'x'), 4446, 56, u"" },
        // The cut is made from the text up to the first NUL byte.
        { "NUL before the cut", "200 OK", std::string(10, 'x') + '\0' + PageWithAddress(50, address), 61, length, u"" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server({ { Send(Reply(c.status, c.body)) } });
        media.urls.clear();
        error.clear();
        Tune("http://127.0.0.1:" + std::to_string(server.Port()) + "/live_video.jsp?id=8", c.start, c.length);
        EXPECT_EQ(error, "");
        ASSERT_FALSE(media.urls.empty());
        if (c.played.empty()) {
            EXPECT_EQ(media.urls.back(), u"http://127.0.0.1:9/direct") << "the direct channel keeps playing";
        } else {
            EXPECT_EQ(media.urls.back(), c.played);
        }
        EXPECT_EQ(http.Body(), c.body) << "the client keeps the body";
        auto requests = server.WaitForRequests(1);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].rfind("GET /live_video.jsp?id=8 HTTP/1.0\r\n", 0), 0u) << requests[0];
    }
}

TEST_F(PageFetchTuning, RefusedPageHostIsReportedAndThePreviousChannelPlays)
{
    Tune("http://127.0.0.1:" + std::to_string(test::UnusedPort()) + "/page", 1, 10);
    EXPECT_FALSE(error.empty());
    ASSERT_EQ(media.urls.size(), 1u);
    EXPECT_EQ(media.urls.back(), u"http://127.0.0.1:9/direct");
    EXPECT_EQ(caption.text, "\xCD\xF8\xC2\xE7\xB5\xE7\xCA\xD3->scraped"); // 网络电视-> in GBK
    EXPECT_FALSE(http.Busy());
}

TEST(PageFetch, CancelEndsTheRunningGetAndTheClientServesTheNextOne)
{
    ScriptedServer server(
        { { Send("HTTP/1.0 200 OK\r\n\r\nslow"), Pause(1500) }, { Send("HTTP/1.0 200 OK\r\n\r\nsecond page") } });
    const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
    TNMHTTP http;
    PageFetch pages(http);
    EventLoop::Main().StartTimer(
        std::chrono::milliseconds(100), [&] { pages.Cancel(); }, false);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_ANY_THROW(pages.Get(base + "/first"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1)) << "the cancel did not end the wait";
    EXPECT_FALSE(http.Busy());
    EXPECT_EQ(pages.Get(base + "/second"), "second page");
}

}
}
