#include "net/nm_http.h"
#include "tests/net/test_servers.h"
#include "tests/support/error_of.h"

#include <gtest/gtest.h>

using namespace pellamo;
using namespace pellamo::test;
using namespace std::chrono_literals;
using namespace std::string_literals;

namespace {

const std::string kAccept = "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\r\n"
                            "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\r\n";
const std::string kContentType = "Content-type: application/x-www-form-urlencoded\r\n";

std::string Url(uint16_t port, const std::string& path = "/")
{
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

TEST(TNMHTTPAddress, SplitsHostPortAndPath)
{
    struct Case {
        const char* url;
        int port_before;
        const char* host;
        int port;
        const char* path;
        const char* current;
    } cases[] = {
        { "http://example.com:2004/a/b?c=d", 0, "example.com", 2004, "/a/b?c=d", "http://example.com:2004/a/b?c=d" },
        { "http://example.com", 0, "example.com", 80, "/", "http://example.com/" },
        { "http://example.com/", 0, "example.com", 80, "/", "http://example.com/" },
        { "mms://media.example/live", 0, "media.example", 80, "/live", "mms://media.example/live" },
        { "gopher://g.example/x", 0, "g.example", 70, "/x", "gopher://g.example/x" },
        { "FTP://f.example/", 0, "f.example", 21, "/", "FTP://f.example/" },
        { "example.com/page.htm", 0, "example.com", 80, "/page.htm", "example.com/page.htm" },
        { "/other/path", 8080, "previous", 8080, "/other/path", "/other/path" },
        { "localhost:81", 0, "localhost", 81, "/", "localhost:81/" },
        { "http://h.example/"
          "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
          "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
          "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
            0, "h.example", 80, nullptr, nullptr },
    };
    for (auto const& c : cases) {
        TNMHTTP http;
        http.SetHost("previous");
        http.SetPort(c.port_before);
        http.SetCurrentUrl(c.url);
        http.SplitUrl();
        EXPECT_EQ(http.Host(), c.host) << c.url;
        EXPECT_EQ(http.Port(), c.port) << c.url;
        if (c.path) {
            EXPECT_EQ(http.RequestPath(), c.path) << c.url;
            EXPECT_EQ(http.CurrentUrl(), c.current) << c.url;
        } else {
            EXPECT_EQ(http.RequestPath().size(), 256u); // the path field's width
        }
    }

    struct Bad {
        const char* url;
        const char* error;
    } bad[] = {
        { "", "Empty URL" },
        { "https://secure.example/", "HTTP Secure Socket is not supported" },
        { "http://h.example:port/", "'port' is not a valid integer value" },
        { "http://h.example:/", "'' is not a valid integer value" },
        { "http://h.example:70000/", "Port 70000 is out of range" },
        { "http://h.example/a\r\nX-Injected: 1", "Invalid URL: it contains a line break or NUL byte" },
    };
    for (auto const& b : bad) {
        TNMHTTP http;
        http.SetCurrentUrl(b.url);
        EXPECT_EQ(ErrorOf([&] { http.SplitUrl(); }), b.error) << b.url;
    }
}

TEST(TNMHTTPRequest, HeaderLinesInTheirOrder)
{
    TNMHTTP http;
    http.SetCurrentUrl("http://site.example:2004/p");
    http.HeaderInfo() = { "me@example", "Pellamo", "id=7", "http://ref.example/", "user", "secret" };
    http.SetProxy("proxy.example");
    http.SplitUrl();
    http.ComposeRequest();
    std::vector<std::string> expected = {
        "GET http://site.example:2004/p HTTP/1.0",
        "Proxy-Connection: Keep-Alive",
        "Host: site.example",
        "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff",
        "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript",
        "User-Agent: Pellamo",
        "From: me@example",
        "Cookie: id=7",
        "Referer: http://ref.example/",
        "Authorization: Basic dXNlcjpzZWNyZXQ=",
        "Content-type: application/x-www-form-urlencoded",
    };
    EXPECT_EQ(http.RequestHeaders().Lines(), expected);

    // A password alone gives no authorization line.
    http.HeaderInfo().UserId.clear();
    http.ComposeRequest();
    EXPECT_EQ(http.RequestHeaders().FindHeader("Authorization"), -1);
}

TEST(TNMHTTPRequest, EveryCommandKindSendsItsRequest)
{
    using Op = std::function<void(TNMHTTP&, const std::string&)>;
    struct Case {
        const char* name;
        Op op;
        std::string extra; // lines after Content-type, then the data
    } cases[] = {
        { "Get", [](TNMHTTP& h, const std::string& u) { h.Get(u); }, "\r\n" },
        { "Options", [](TNMHTTP& h, const std::string& u) { h.Options(u); }, "\r\n" },
        { "Head", [](TNMHTTP& h, const std::string& u) { h.Head(u); }, "\r\n" },
        { "Post", [](TNMHTTP& h, const std::string& u) { h.Post(u, "a b&c"); }, "Content-Length: 7\r\n\r\na+b%26c" },
        { "Put", [](TNMHTTP& h, const std::string& u) { h.Put(u, "a b"); }, "Content-Length: 3\r\n\r\na b" },
        { "Patch", [](TNMHTTP& h, const std::string& u) { h.Patch(u, "xy"); }, "Content-Length: 2\r\n\r\nxy" },
        { "Copy", [](TNMHTTP& h, const std::string& u) { h.Copy(u, "/dst"); }, "URI-header: /dst\r\n\r\n" },
        { "Move", [](TNMHTTP& h, const std::string& u) { h.Move(u, "/dst"); }, "URI-header: /dst\r\n\r\n" },
        { "Delete", [](TNMHTTP& h, const std::string& u) { h.Delete(u); }, "\r\n" },
        { "Link", [](TNMHTTP& h, const std::string& u) { h.Link(u, "<l>"); },
            "Link: <l>\r\nContent-Length: 0\r\n\r\n" },
        { "Unlink", [](TNMHTTP& h, const std::string& u) { h.Unlink(u, "<l>"); },
            "Link: <l>\r\nContent-Length: 0\r\n\r\n" },
        { "Trace", [](TNMHTTP& h, const std::string& u) { h.Trace(u, std::string("ab\0cd", 5)); },
            "Content-Length: 2\r\n\r\nab" },
    };
    const char* words[]
        = { "GET", "OPTIONS", "HEAD", "POST", "PUT", "PATCH", "COPY", "MOVE", "DELETE", "LINK", "UNLINK", "TRACE" };
    std::vector<ServerScript> scripts(std::size(cases), ServerScript { Send("HTTP/1.0 200 OK\r\n\r\n") });
    ScriptedServer server(scripts);
    TNMHTTP http;
    for (size_t i = 0; i < std::size(cases); ++i) {
        cases[i].op(http, Url(server.Port(), "/r"));
        EXPECT_EQ(http.Cmd(), static_cast<TNMHTTP::CmdType>(i));
    }
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::string expected
            = std::string(words[i]) + " /r HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept + kContentType + cases[i].extra;
        EXPECT_EQ(requests[i], expected) << cases[i].name;
    }
}

// One fetch against a scripted server, with what the handlers saw.
struct Fetch {
    TNMHTTP http;
    std::vector<std::string> events;
    std::string error;

    Fetch()
    {
        http.OnSuccess = [this](TNMHTTP&, TNMHTTP::CmdType) { events.push_back("success"); };
        http.OnFailure = [this](TNMHTTP&, TNMHTTP::CmdType) { events.push_back("failure"); };
        http.OnRedirect = [this](TNMHTTP&, bool&) { events.push_back("redirect"); };
        http.OnAuthenticationNeeded = [this](TNMHTTP&) { events.push_back("authentication"); };
    }
    void Get(const std::string& url)
    {
        error = ErrorOf([&] { http.Get(url); });
    }
};

TEST(TNMHTTPReply, HeaderCodeAndBody)
{
    struct Case {
        const char* name;
        ServerScript script;
        int code;
        std::string header, body, event;
    } cases[] = {
        { "plain", { Send("HTTP/1.0 200 OK\r\nServer: x\r\n\r\n<html>page</html>") }, 200,
            "HTTP/1.0 200 OK\r\nServer: x\r\n\r\n", "<html>page</html>", "success" },
        { "status line without a code", { Send("HTTP/1.0 OK\r\n\r\nbody") }, 0, "HTTP/1.0 OK\r\n\r\n", "body",
            "success" },
        { "LF line ends", { Send("HTTP/1.0 201 Created\nA: b\n\nbody\r\n") }, 201, "HTTP/1.0 201 Created\nA: b\n\n",
            "body\r\n", "success" },
        { "single-byte reads", { SendBytewise("HTTP/1.0 200 OK\r\n\r\n\x01\x00\x02\xFF"s) }, 200,
            "HTTP/1.0 200 OK\r\n\r\n", "\x01\x00\x02\xFF"s, "success" },
        { "declared length smaller than the body", { Send("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n0123456789") },
            200, "HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n", "0123456789", "success" },
        { "404 with its page", { Send("HTTP/1.0 404 Not Found\r\n\r\nno such page") }, 404,
            "HTTP/1.0 404 Not Found\r\n\r\n", "no such page", "failure" },
        { "closed at once", {}, 0, "", "", "success" },
        { "authentication needed", { Send("HTTP/1.0 401 Unauthorized\r\n\r\nlog in") }, 401,
            "HTTP/1.0 401 Unauthorized\r\n\r\n", "log in", "failure" },
        { "header without end", { Send("HTTP/1.0 200 OK\r\nA: b\r\n") }, 200, "HTTP/1.0 200 OK\r\nA: b\r\n", "",
            "success" },
    };
    for (auto& c : cases) {
        ScriptedServer server({ c.script });
        Fetch f;
        f.Get(Url(server.Port(), "/page"));
        EXPECT_EQ(f.error, "(no error)") << c.name;
        EXPECT_EQ(f.http.ReplyCode(), c.code) << c.name;
        EXPECT_EQ(f.http.Header(), c.header) << c.name;
        EXPECT_EQ(f.http.Body(), c.body) << c.name;
        std::vector<std::string> events { c.event };
        if (c.code == 401)
            events.push_back("authentication");
        EXPECT_EQ(f.events, events) << c.name;
        EXPECT_FALSE(f.http.IsConnected());
    }
}

TEST(TNMHTTPReply, HeaderFields)
{
    ScriptedServer server({ { Send("HTTP/1.0 200 OK\r\nset-cookie: a=1; path=/\r\nLocation: /else\r\n"
                                   "Content-Length: abc 42 7\r\nX: y\r\n\r\n") } });
    TNMHTTP http;
    http.Get(Url(server.Port()));
    EXPECT_EQ(http.ReplyCookie(), "a=1; path=/");
    EXPECT_EQ(http.ReplyLocation(), "/else");
    EXPECT_EQ(http.DeclaredLength(), 42);
}

TEST(TNMHTTPRedirect, FollowsLocationsAndCarriesTheCookie)
{
    ScriptedServer target({ { Send("HTTP/1.0 200 OK\r\n\r\nmoved page") } });
    ScriptedServer server({
        { Send("HTTP/1.0 302 Found\r\nSet-Cookie: sid=42\r\nLocation: " + Url(target.Port(), "/new") + "\r\n\r\n") },
    });
    Fetch f;
    f.Get(Url(server.Port(), "/old"));
    EXPECT_EQ(f.error, "(no error)");
    EXPECT_EQ(f.http.Body(), "moved page");
    EXPECT_EQ(f.http.CurrentUrl(), Url(target.Port(), "/new"));
    EXPECT_EQ(f.events, (std::vector<std::string> { "redirect", "success" }));
    EXPECT_EQ(f.http.HeaderInfo().Cookie, "sid=42");
    ASSERT_EQ(target.Requests().size(), 1u);
    EXPECT_NE(target.Requests()[0].find("\r\nCookie: sid=42\r\n"), std::string::npos) << target.Requests()[0];

    // Relative locations resolve beside the page just fetched.
    struct Relative {
        const char* from;
        const char* location;
        const char* request;
    } relatives[] = {
        { "/dir/old.htm", "new.htm", "GET /dir/new.htm HTTP/1.0\r\n" },
        { "/dir/old.htm", "sub/new.htm", "GET /dir/sub/new.htm HTTP/1.0\r\n" },
        { "/old.htm?q=1", "new.htm", "GET /new.htm HTTP/1.0\r\n" },
        { "/dir/old.htm", "new.htm?at=10:30", "GET /dir/new.htm?at=10:30 HTTP/1.0\r\n" },
    };
    for (auto const& r : relatives) {
        ScriptedServer same({ { Send("HTTP/1.0 302 Found\r\nLocation: " + std::string(r.location) + "\r\n\r\n") },
            { Send("HTTP/1.0 200 OK\r\n\r\nnew") } });
        TNMHTTP http;
        http.Get(Url(same.Port(), r.from));
        EXPECT_EQ(http.Body(), "new") << r.location;
        ASSERT_EQ(same.Requests().size(), 2u);
        EXPECT_EQ(same.Requests()[1].substr(0, same.Requests()[1].find('\n') + 1), r.request) << r.location;
    }

    // A path, and the newer redirect codes, go to the same host and port.
    for (int code : { 301, 302, 303, 307 }) {
        std::string reply = "HTTP/1.0 " + std::to_string(code) + " Moved\r\nLocation: /there\r\n\r\n";
        ScriptedServer same({ { Send(reply) }, { Send("HTTP/1.0 200 OK\r\n\r\nthere") } });
        TNMHTTP http;
        http.Get(Url(same.Port(), "/here"));
        EXPECT_EQ(http.Body(), "there") << code;
        ASSERT_EQ(same.Requests().size(), 2u);
        EXPECT_EQ(same.Requests()[1].substr(0, 21), "GET /there HTTP/1.0\r\n") << code;
    }
}

TEST(TNMHTTPRedirect, ChainsAreBoundedAndHandlersCanStopThem)
{
    std::vector<ServerScript> loop_scripts(
        TNMHTTP::kMaxTransactions + 1, ServerScript { Send("HTTP/1.0 302 Found\r\nLocation: /again\r\n\r\n") });
    ScriptedServer server(loop_scripts);
    TNMHTTP http;
    EXPECT_EQ(ErrorOf([&] { http.Get(Url(server.Port())); }), "Too many redirects");
    EXPECT_EQ(server.Accepted(), TNMHTTP::kMaxTransactions);
    EXPECT_FALSE(http.Busy());

    // A 3xx code without a Location repeats the same request: also bounded.
    std::vector<ServerScript> not_modified(
        TNMHTTP::kMaxTransactions, ServerScript { Send("HTTP/1.0 304 Not Modified\r\n\r\n") });
    ScriptedServer repeat(not_modified);
    EXPECT_EQ(ErrorOf([&] { http.Get(Url(repeat.Port())); }), "Too many redirects");

    ScriptedServer stop({ { Send("HTTP/1.0 302 Found\r\nLocation: /never\r\n\r\nmoved") } });
    http.OnRedirect = [](TNMHTTP&, bool& handled) { handled = true; };
    http.Get(Url(stop.Port()));
    EXPECT_EQ(http.Body(), "moved");
    EXPECT_EQ(stop.Accepted(), 1);
}

TEST(TNMHTTPFailure, ErrorsReachTheCaller)
{
    {
        ScriptedServer server({ { Send("HTTP/1.0 200 OK\r\n\r\n" + std::string(5000, 'b')), Pause(100), Reset() } });
        Fetch f;
        f.http.SetBody("previous");
        f.Get(Url(server.Port()));
        EXPECT_EQ(f.error, "10054:Connection reset by peer");
        EXPECT_EQ(f.http.Body(), std::string(5000, 'b')); // what came before the reset
        EXPECT_FALSE(f.http.IsConnected());
    }
    {
        ScriptedServer server({ { Hang() } });
        Fetch f;
        f.http.SetTimeOut(300);
        f.http.SetBody("previous");
        f.Get(Url(server.Port()));
        EXPECT_EQ(f.error, "Socket readln aborted");
        EXPECT_EQ(f.http.Body(), "previous");
    }
    struct Case {
        std::string url, error;
    } cases[] = {
        { Url(UnusedPort()), "10061:Connection refused" },
        { "http://no-such-station.invalid/page", "Null Remote Address" },
        { "https://127.0.0.1/", "HTTP Secure Socket is not supported" },
        { "", "Empty URL" },
    };
    for (auto const& c : cases) {
        Fetch f;
        f.Get(c.url);
        EXPECT_EQ(f.error, c.error) << c.url;
        EXPECT_FALSE(f.http.Busy());
    }
}

TEST(TNMHTTPConcurrency, ASecondCallIsRefusedAndAbortEndsOnlyTheRunningOne)
{
    EventLoop& loop = EventLoop::Main();
    ScriptedServer server({
        { Pause(300), Send("HTTP/1.0 200 OK\r\n\r\nfirst") },
        { Hang() },
        { Send("HTTP/1.0 200 OK\r\n\r\nthird") },
    });
    TNMHTTP http;
    std::string nested;
    loop.StartTimer(
        50ms, [&] { nested = ErrorOf([&] { http.Get(Url(server.Port(), "/nested")); }); }, false);
    http.Get(Url(server.Port(), "/first"));
    EXPECT_EQ(nested, "Busy");
    EXPECT_EQ(http.Body(), "first");
    EXPECT_EQ(http.CurrentUrl(), Url(server.Port(), "/first"));

    loop.StartTimer(
        100ms, [&] { http.Abort(); }, false);
    EXPECT_EQ(ErrorOf([&] { http.Get(Url(server.Port(), "/second")); }), "Socket readln aborted");
    EXPECT_FALSE(http.Busy());
    http.Get(Url(server.Port(), "/third"));
    EXPECT_EQ(http.Body(), "third");
    EXPECT_EQ(server.Accepted(), 3);
}

TEST(TNMHTTPProxy, TheDeclaredLengthEndsTheBody)
{
    // A proxy that keeps the connection open after the reply.
    ScriptedServer proxy({ { Send("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello"), Hang() } });
    TNMHTTP http;
    http.SetProxy("127.0.0.1");
    http.SetProxyPort(proxy.Port());
    http.Get("http://station.example/live");
    EXPECT_EQ(http.Body(), "hello");
    ASSERT_EQ(proxy.Requests().size(), 1u);
    EXPECT_EQ(proxy.Requests()[0],
        "GET http://station.example/live HTTP/1.0\r\nProxy-Connection: Keep-Alive\r\nHost: station.example\r\n"
            + kAccept + kContentType + "\r\n");
}

TEST(TNMHTTPFiles, BodyHeaderAndDataThroughFiles)
{
    TempDir dir;
    std::string data = dir.Write("data.txt", std::string("raw \0data", 9));
    ScriptedServer server({ { Send("HTTP/1.0 200 OK\r\nA: b\r\n\r\nfile body") } });
    TNMHTTP http;
    int accepted_before_send = -1;
    http.OnAboutToSend = [&](TNMHTTP& sender) {
        accepted_before_send = server.Accepted();
        EXPECT_EQ(sender.RequestHeaders()[0], "POST /up HTTP/1.0");
    };
    http.SetInputFileMode(true);
    http.SetOutputFileMode(true);
    http.SetBody(dir.Path() + "/body.htm");
    http.SetHeader(dir.Path() + "/head.txt");
    http.Post(Url(server.Port(), "/up"), data);
    EXPECT_EQ(accepted_before_send, 0); // told before connecting
    http.OnAboutToSend = nullptr;
    EXPECT_EQ(ReadFile(dir.Path() + "/body.htm"), "file body");
    EXPECT_EQ(ReadFile(dir.Path() + "/head.txt"), "HTTP/1.0 200 OK\r\nA: b\r\n\r\n");
    EXPECT_EQ(http.Body(), dir.Path() + "/body.htm");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0],
        "POST /up HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept + kContentType + "Content-Length: 9\r\n\r\n"
            + std::string("raw \0data", 9));

    http.SetBody(dir.Path() + "/no/such/dir/body");
    ScriptedServer second({ { Send("HTTP/1.0 200 OK\r\n\r\nx") } });
    http.SetOutputFileMode(false);
    EXPECT_NE(ErrorOf([&] { http.Get(Url(second.Port())); }).find("Cannot create file"), std::string::npos);
    EXPECT_FALSE(http.IsConnected());
}

TEST(TNMHTTPPythonServer, FetchesPagesFromARealServer)
{
    TempDir dir;
    std::string page = "<html><body>\xB9\xE3\xD6\xDD page</body></html>";
    std::string large;
    large.reserve(3 << 20);
    for (uint32_t i = 0; large.size() < (3u << 20); ++i)
        large += static_cast<char>((i * 2654435761u) >> 24);
    dir.Write("station.htm", page);
    dir.Write("big.bin", large);
    dir.Write("folder/index.html", "folder index");
    PythonHttpServer server(dir.Path());

    Fetch f;
    f.Get(Url(server.Port(), "/station.htm"));
    EXPECT_EQ(f.error, "(no error)");
    EXPECT_EQ(f.http.ReplyCode(), 200);
    EXPECT_EQ(f.http.Body(), page);
    EXPECT_EQ(f.http.DeclaredLength(), static_cast<int64_t>(page.size()));
    EXPECT_EQ(f.http.Header().rfind("HTTP/1.0 200 OK\r\n", 0), 0u);

    f.http.Get(Url(server.Port(), "/big.bin"));
    EXPECT_TRUE(f.http.Body() == large) << f.http.Body().size();

    // The server redirects a folder without its slash.
    f.http.Get(Url(server.Port(), "/folder"));
    EXPECT_EQ(f.http.Body(), "folder index");
    EXPECT_EQ(f.http.CurrentUrl(), "/folder/");

    f.events.clear();
    f.Get(Url(server.Port(), "/missing.htm"));
    EXPECT_EQ(f.error, "(no error)");
    EXPECT_EQ(f.http.ReplyCode(), 404);
    EXPECT_EQ(f.events, std::vector<std::string> { "failure" });
    EXPECT_NE(f.http.Body().find("404"), std::string::npos);
}

}
