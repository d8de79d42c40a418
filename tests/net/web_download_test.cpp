// Downloads over real loopback servers: scripted HTTP replies, and an HTTPS
// server with a certificate made for the test.
#include "net/curl_library.h"
#include "net/web_download.h"
#include "tests/net/test_servers.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace pellamo {
namespace {

using test::Hang;
using test::Pause;
using test::ScriptedServer;
using test::Send;

std::string Reply(const std::string& status, const std::string& body, const std::string& headers = "")
{
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + headers
        + "Connection: close\r\n\r\n" + body;
}

struct Outcome {
    std::optional<WebDownload::Result> result;
    std::vector<WebDownload::Progress> progress;
};

// Runs one download to its end on the main loop, which keeps serving a
// timer meanwhile (the thread never blocks on the network).
Outcome Download(WebDownload& web, const std::string& url, int* ticks = nullptr)
{
    Outcome outcome;
    EventLoop& loop = EventLoop::Main();
    EventLoop::Id timer = loop.StartTimer(std::chrono::milliseconds(5), [ticks] {
        if (ticks)
            ++*ticks;
    });
    web.Start(
        url, [&](const WebDownload::Progress& p) { outcome.progress.push_back(p); },
        [&](WebDownload::Result r) { outcome.result = std::move(r); });
    loop.WaitUntil([&] { return outcome.result.has_value(); }, std::chrono::seconds(20));
    loop.StopTimer(timer);
    return outcome;
}

// Runs the loop until `done` holds; a ticking timer makes it look often.
void RunUntil(const std::function<bool()>& done)
{
    EventLoop& loop = EventLoop::Main();
    EventLoop::Id tick = loop.StartTimer(std::chrono::milliseconds(5), [] {});
    loop.WaitUntil(done, std::chrono::seconds(10));
    loop.StopTimer(tick);
}

std::string Local(uint16_t port, const std::string& path = "/list.m3u")
{
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

TEST(WebDownload, RepliesAndFailures)
{
    const std::string body(50000, 'x');
    struct Case {
        const char* name;
        std::vector<test::ServerScript> scripts;
        bool ok;
        std::string error; // a part of the message
        long status;
    };
    const Case cases[] = {
        { "whole file in pieces",
            { { Send(Reply("200 OK", body.substr(0, 20000)).substr(0, 200)), Pause(50),
                Send(Reply("200 OK", body.substr(0, 20000)).substr(200)) } },
            true, "", 200 },
        { "redirected",
            { { Send(Reply("302 Found", "", "Location: /moved.m3u\r\n")) }, { Send(Reply("200 OK", "moved")) } }, true,
            "", 200 },
        { "not found", { { Send(Reply("404 Not Found", "<html>gone</html>")) } }, false, "HTTP 404", 404 },
        { "larger than allowed", { { Send(Reply("200 OK", body)) } }, false, "larger than", 200 },
        { "no length, larger than allowed",
            { { Send("HTTP/1.0 200 OK\r\n\r\n" + body.substr(0, 30000)), Pause(50), Send(body) } }, false,
            "larger than", 200 },
        { "closed half-way", { { Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nshort") } }, false, "", 200 },
        { "redirected to a local file", { { Send(Reply("302 Found", "", "Location: file:///etc/passwd\r\n")) } }, false,
            "", 302 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.scripts);
        WebDownload::Limits limits;
        limits.max_bytes = 40000;
        WebDownload web(EventLoop::Main(), limits);
        Outcome outcome = Download(web, Local(server.Port()));
        ASSERT_TRUE(outcome.result.has_value());
        EXPECT_EQ(outcome.result->ok, c.ok) << outcome.result->error;
        EXPECT_NE(outcome.result->error.find(c.error), std::string::npos) << outcome.result->error;
        EXPECT_EQ(outcome.result->status, c.status);
        if (c.ok)
            EXPECT_TRUE(outcome.result->error.empty());
        else
            EXPECT_FALSE(outcome.result->error.empty());
        EXPECT_EQ(web.RunningCount(), 0u);
    }
}

// Without libcurl the program still starts; each download ends, later and
// from the loop, with the reason instead of throwing or hanging.
TEST(WebDownload, WithoutLibcurlEveryDownloadFailsWithTheReason)
{
    CurlLibrary missing({ "libpellamo-no-such-curl.so.4" });
    ASSERT_FALSE(missing.Usable());
    EXPECT_NE(missing.Error().find("libpellamo-no-such-curl.so.4"), std::string::npos) << missing.Error();

    WebDownload web(EventLoop::Main(), {}, missing);
    Outcome outcome = Download(web, Local(9));
    ASSERT_TRUE(outcome.result.has_value());
    EXPECT_FALSE(outcome.result->ok);
    EXPECT_EQ(outcome.result->error, missing.Error());
    EXPECT_EQ(web.RunningCount(), 0u);

    bool called = false;
    WebDownload::Id id = web.Start(Local(9), {}, [&](WebDownload::Result) { called = true; });
    web.Cancel(id);
    bool later = false; // posted after the failure was
    EventLoop::Main().Post([&] { later = true; });
    RunUntil([&] { return later; });
    EXPECT_FALSE(called);
}

TEST(WebDownload, ProgressArrivesWhileTheLoopStaysLive)
{
    std::string body(30000, 'p');
    std::string reply = Reply("200 OK", body);
    ScriptedServer server({ { Send(reply.substr(0, 10000)), Pause(300), Send(reply.substr(10000)) } });
    WebDownload web;
    int ticks = 0;
    Outcome outcome = Download(web, Local(server.Port()), &ticks);
    ASSERT_TRUE(outcome.result && outcome.result->ok) << (outcome.result ? outcome.result->error : "");
    EXPECT_EQ(outcome.result->body, body);
    ASSERT_FALSE(outcome.progress.empty());
    EXPECT_EQ(outcome.progress.back().received, body.size());
    EXPECT_EQ(outcome.progress.back().total, body.size());
    EXPECT_GT(ticks, 10) << "the timer kept firing during the pause";
}

TEST(WebDownload, RefusedAndUnsupportedAddressesFail)
{
    WebDownload web;
    const std::string urls[] = {
        Local(test::UnusedPort()),
        "file:///etc/passwd",
        "ftp://127.0.0.1/list.m3u",
        "http://",
    };
    for (const std::string& url : urls) {
        SCOPED_TRACE(url);
        Outcome outcome = Download(web, url);
        ASSERT_TRUE(outcome.result.has_value());
        EXPECT_FALSE(outcome.result->ok);
        EXPECT_FALSE(outcome.result->error.empty());
        EXPECT_TRUE(outcome.result->body.empty());
    }
}

TEST(WebDownload, CancelledAndStalledTransfers)
{
    ScriptedServer server({ { Hang() }, { Send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc"), Hang() } });
    WebDownload::Limits limits;
    limits.stall_timeout = std::chrono::seconds(1);
    WebDownload web(EventLoop::Main(), limits);

    bool called = false;
    WebDownload::Id id = web.Start(Local(server.Port()), nullptr, [&](WebDownload::Result) { called = true; });
    RunUntil([&] { return server.Requests().size() == 1; });
    EXPECT_TRUE(web.Running(id));
    web.Cancel(id);
    EXPECT_FALSE(web.Running(id));
    EventLoop::Main().WaitUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_FALSE(called);

    // The server takes the next connection only once the cancelled one is
    // closed; this one sends a little and then nothing.
    Outcome stalled = Download(web, Local(server.Port()));
    ASSERT_TRUE(stalled.result.has_value());
    EXPECT_FALSE(stalled.result->ok);
    EXPECT_FALSE(stalled.result->error.empty());
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(stalled.progress.back().received, 3u);
}

TEST(WebDownload, DestroyedWhileRunningCallsNothing)
{
    ScriptedServer server({ { Hang() } });
    bool called = false;
    {
        WebDownload web;
        web.Start(
            Local(server.Port()), [&](const WebDownload::Progress&) { called = true; },
            [&](WebDownload::Result) { called = true; });
        RunUntil([&] { return server.Requests().size() == 1; });
    }
    EventLoop::Main().WaitUntil([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_FALSE(called);
}

// An HTTPS server (Python's, over a certificate made here) serving a folder.
class TlsServer {
public:
    explicit TlsServer(const test::TempDir& dir)
    {
        cert = dir.Path() + "/cert.pem";
        std::string key = dir.Path() + "/key.pem";
        std::string make = "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 "
                           "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout "
            + key + " -out " + cert + " >/dev/null 2>&1";
        if (std::system(make.c_str()) != 0)
            throw std::runtime_error("openssl could not make a certificate");
        port = test::UnusedPort();
        std::string port_text = std::to_string(port);
        const char* script = "import functools, http.server, ssl, sys\n"
                             "h = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[2])\n"
                             "h.log_message = lambda *a: None\n"
                             "s = http.server.HTTPServer(('127.0.0.1', int(sys.argv[1])), h)\n"
                             "c = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)\n"
                             "c.load_cert_chain(sys.argv[3], sys.argv[4])\n"
                             "s.socket = c.wrap_socket(s.socket, server_side=True)\n"
                             "s.serve_forever()\n";
        std::string directory = dir.Path() + "/www";
        const char* argv[]
            = { "python3", "-c", script, port_text.c_str(), directory.c_str(), cert.c_str(), key.c_str(), nullptr };
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        int status = posix_spawnp(&pid, "python3", &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (status != 0)
            throw std::runtime_error("cannot start python3");
        // Listening once a plain download gets as far as the handshake.
        WebDownload web;
        for (int i = 0; i < 200; ++i) {
            Outcome probe = Download(web, Url("/"));
            if (probe.result && probe.result->error.find("onnect") == std::string::npos)
                return;
            usleep(20000);
        }
        throw std::runtime_error("the HTTPS server did not start");
    }
    ~TlsServer()
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    std::string Url(const std::string& path) const { return "https://127.0.0.1:" + std::to_string(port) + path; }

    std::string cert;
    uint16_t port = 0;
    pid_t pid = -1;
};

TEST(WebDownload, HttpsWithTheCertificateTrustedOnly)
{
    test::TempDir dir;
    dir.Write("www/list.m3u", "#EXTM3U\n#EXTINF:-1,Secure\nhttp://a.example/s\n");
    TlsServer server(dir);

    WebDownload::Limits trusting;
    trusting.ca_file = server.cert;
    WebDownload trusted(EventLoop::Main(), trusting);
    Outcome good = Download(trusted, server.Url("/list.m3u"));
    ASSERT_TRUE(good.result.has_value());
    EXPECT_TRUE(good.result->ok) << good.result->error;
    EXPECT_EQ(good.result->body, "#EXTM3U\n#EXTINF:-1,Secure\nhttp://a.example/s\n");

    WebDownload system_store;
    Outcome refused = Download(system_store, server.Url("/list.m3u"));
    ASSERT_TRUE(refused.result.has_value());
    EXPECT_FALSE(refused.result->ok);
    EXPECT_NE(refused.result->error.find("certificate"), std::string::npos) << refused.result->error;
}

}
}

namespace pellamo {
namespace {

// Large files go to disk: the whole body lands in the file, a failure
// leaves no file behind, and the size bound is the call's own.
TEST(WebDownload, IntoAFile)
{
    test::TempDir dir;
    const std::string body(300000, 'g');
    struct Case {
        const char* name;
        test::ServerScript script;
        std::string file;
        uint64_t max_bytes;
        bool ok;
        const char* error;
    } const cases[] = {
        { "whole", { Send(Reply("200 OK", body)) }, dir.Path() + "/a.part", 1 << 20, true, "" },
        { "beyond this call's bound, though within the limits", { Send(Reply("200 OK", body)) }, dir.Path() + "/b.part",
            1000, false, "larger than" },
        { "cut short", { Send("HTTP/1.1 200 OK\r\nContent-Length: 300000\r\n\r\n" + body.substr(0, 1000)) },
            dir.Path() + "/c.part", 1 << 20, false, "" },
        { "an error page", { Send(Reply("404 Not Found", "no")) }, dir.Path() + "/d.part", 1 << 20, false, "404" },
        { "a folder that does not exist", { Send(Reply("200 OK", body)) }, dir.Path() + "/none/e.part", 1 << 20, false,
            "cannot write" },
    };
    for (const Case& c : cases) {
        ScriptedServer server({ c.script });
        WebDownload web(EventLoop::Main());
        std::optional<WebDownload::Result> result;
        web.StartToFile(Local(server.Port(), "/guide.xml"), c.file, c.max_bytes, {},
            [&](WebDownload::Result r) { result = std::move(r); });
        RunUntil([&] { return result.has_value(); });
        ASSERT_TRUE(result.has_value()) << c.name;
        EXPECT_EQ(result->ok, c.ok) << c.name << ": " << result->error;
        EXPECT_NE(result->error.find(c.error), std::string::npos) << c.name << ": " << result->error;
        EXPECT_TRUE(result->body.empty()) << c.name;
        if (c.ok)
            EXPECT_EQ(test::ReadFile(c.file), body) << c.name;
        else
            EXPECT_FALSE(std::filesystem::exists(c.file)) << c.name;
    }
}

TEST(WebDownload, ACancelledFileDownloadLeavesNoFile)
{
    test::TempDir dir;
    ScriptedServer server(
        { { Send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(5000, 'x')), Hang() } });
    WebDownload web(EventLoop::Main());
    const std::string file = dir.Path() + "/g.part";
    bool progressed = false;
    WebDownload::Id id = web.StartToFile(
        Local(server.Port(), "/g.xml"), file, 1 << 20,
        [&](const WebDownload::Progress& p) { progressed = p.received > 0; }, [](WebDownload::Result) {});
    RunUntil([&] { return progressed; });
    EXPECT_TRUE(std::filesystem::exists(file));
    web.Cancel(id);
    EXPECT_FALSE(std::filesystem::exists(file));
}

}
}
