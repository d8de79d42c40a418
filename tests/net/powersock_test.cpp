#include "net/powersock.h"
#include "net/socket_errors.h"
#include "tests/net/test_servers.h"
#include "tests/support/error_of.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <ctime>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace pellamo;
using namespace pellamo::test;
using namespace std::chrono_literals;

namespace {

TEST(SocketErrors, NumbersAndMessages)
{
    struct Case {
        int number;
        const char* message;
    } cases[] = {
        { 10061, "10061:Connection refused" },
        { 10054, "10054:Connection reset by peer" },
        { 10057, "10057:Socket is not connected" },
        { 11004, "11004:Valid name, no data record of requested type" },
        { 10000, "Unknown Error No. 10000" },
        { 99, "Unknown Error No. 99" },
    };
    for (auto const& c : cases)
        EXPECT_EQ(WinsockErrorMessage(c.number), c.message);

    struct Mapping {
        int error, number;
    } mappings[] = { { ECONNREFUSED, 10061 }, { ECONNRESET, 10054 }, { EPIPE, 10054 }, { ENOTCONN, 10057 },
        { ETIMEDOUT, 10060 }, { EHOSTUNREACH, 10065 }, { EAGAIN, 10035 }, { 0, 0 } };
    for (auto const& m : mappings)
        EXPECT_EQ(WinsockErrorFromErrno(m.error), m.number) << m.error;
    // Outside the table: still an error number above 10000, never a known text.
    EXPECT_GT(WinsockErrorFromErrno(ENOEXEC), 11004);
}

struct Sock : ::testing::Test {
    EventLoop& loop = EventLoop::Main();
    TPowersock sock;
    std::vector<std::string> statuses;

    void Record(int level)
    {
        sock.SetReportLevel(level);
        sock.OnStatus = [this](TPowersock&, const std::string& text) { statuses.push_back(text); };
    }
    bool Saw(const std::string& status) const
    {
        return std::find(statuses.begin(), statuses.end(), status) != statuses.end();
    }
    void ConnectTo(uint16_t port, const std::string& host = "127.0.0.1")
    {
        sock.SetHost(host);
        sock.SetPort(port);
        sock.Connect();
    }
};

TEST_F(Sock, DescribesItsSocketLayer)
{
    ASSERT_EQ(sock.WinsockInfo().size(), 6u);
    const char* prefixes[]
        = { "Version= ", "High Version= ", "Description= ", "System= ", "Max Sockets= ", "Max Udp pack size= " };
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(sock.WinsockInfo()[i].rfind(prefixes[i], 0), 0u) << sock.WinsockInfo()[i];
    EXPECT_GE(TPowersock::LibraryUsers(), 1);
}

TEST_F(Sock, ConnectsToADottedQuadWithoutLookupAndToANameThroughTheHostsFile)
{
    ScriptedServer server(std::vector<ServerScript>(2));
    int resolved = 0, connected = 0;
    sock.OnHostResolved = [&](TPowersock&) { ++resolved; };
    sock.OnConnect = [&](TPowersock&) { ++connected; };
    ConnectTo(server.Port());
    EXPECT_TRUE(sock.IsConnected());
    EXPECT_EQ(resolved, 0);
    EXPECT_EQ(connected, 1);
    sock.Disconnect();
    EXPECT_FALSE(sock.IsConnected());

    ConnectTo(server.Port(), "localhost");
    EXPECT_TRUE(sock.IsConnected());
    EXPECT_EQ(resolved, 1);
    EXPECT_EQ(sock.RemoteAddress(), htonl(INADDR_LOOPBACK));
}

TEST_F(Sock, ConnectFailures)
{
    uint16_t closed = UnusedPort();
    int failed = 0;
    sock.OnConnectionFailed = [&](TPowersock&) { ++failed; };
    EXPECT_EQ(ErrorOf([&] { ConnectTo(closed); }), "10061:Connection refused");
    EXPECT_EQ(sock.LastSocketError(), 10061);
    EXPECT_EQ(ErrorOf([&] { ConnectTo(closed, "no-such-host.invalid"); }), "Null Remote Address");
    EXPECT_EQ(ErrorOf([&] { ConnectTo(closed, ""); }), "Null Remote Address");

    // The component stays usable after failures.
    ScriptedServer server(std::vector<ServerScript>(1));
    ConnectTo(server.Port());
    EXPECT_TRUE(sock.IsConnected());
    Record(8);
    EXPECT_EQ(ErrorOf([&] { sock.Connect(); }), "Already connected");
    EXPECT_FALSE(Saw("Resolve Host")); // refused before any lookup
}

// A listener whose accept queue is full: further handshakes get no answer.
struct SilentListener {
    int listener = -1;
    std::vector<int> fillers;
    uint16_t port = 0;
    SilentListener()
    {
        listener = ListenOnLoopback(port, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        for (int i = 0; i < 3; ++i) {
            int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
            fillers.push_back(fd);
        }
        usleep(50000);
    }
    ~SilentListener()
    {
        for (int fd : fillers)
            close(fd);
        close(listener);
    }
};

TEST(SockTimeOut, EndsLookupAndConnectWaits)
{
    struct Case {
        const char* name;
        bool silent_listener;
        std::string error;
        int failed_events;
    } cases[] = {
        { "lookup", false, "Host Lookup Timed Out", 0 },
        { "connect", true, "Connection Timed out", 1 },
    };
    for (auto const& c : cases) {
        SilentResolver resolver;
        SilentListener listener;
        TPowersock s;
        int failed = 0;
        s.OnConnectionFailed = [&](TPowersock&) { ++failed; };
        s.SetHost(c.silent_listener ? "127.0.0.1" : "unanswered.example");
        s.SetPort(listener.port);
        s.SetTimeOut(300);
        auto start = EventLoop::Clock::now();
        EXPECT_EQ(ErrorOf([&] { s.Connect(); }), c.error) << c.name;
        EXPECT_LT(EventLoop::Clock::now() - start, 3s) << c.name;
        EXPECT_EQ(failed, c.failed_events) << c.name;
        EXPECT_FALSE(s.IsConnected());
    }
}

TEST_F(Sock, InvalidHostHandlerIsAskedOnce)
{
    ScriptedServer server(std::vector<ServerScript>(1));
    struct Case {
        bool handled;
        bool fix_host;
        int asked;
        const char* result;
    } cases[] = {
        { false, false, 1, "Null Remote Address" },
        { true, false, 1, "Null Remote Address" },
        { true, true, 1, "(no error)" },
    };
    for (auto const& c : cases) {
        TPowersock s;
        int asked = 0;
        s.OnInvalidHost = [&](TPowersock& sender, bool& handled) {
            ++asked;
            handled = c.handled;
            if (c.fix_host)
                sender.SetHost("127.0.0.1");
        };
        s.SetHost("unknown.invalid");
        s.SetPort(server.Port());
        EXPECT_EQ(ErrorOf([&] { s.Connect(); }), c.result);
        EXPECT_EQ(asked, c.asked);
    }
}

TEST_F(Sock, ReadLnTakesOneLineAndLeavesTheRestInTheSocket)
{
    ScriptedServer server({ { Send("HTTP/1.0 200 OK\r\nnext\nrest") } }, false);
    ConnectTo(server.Port());
    EXPECT_EQ(sock.ReadLn(), "HTTP/1.0 200 OK\r\n");
    EXPECT_EQ(sock.ReadLn(), "next\n");
    std::string rest;
    sock.CaptureString(rest);
    EXPECT_EQ(rest, "rest");
    EXPECT_EQ(sock.ReadLn(), ""); // closed
}

TEST_F(Sock, ReadLnEdgeCases)
{
    {
        // A line split over many tiny packets.
        ScriptedServer server({ { SendBytewise("abc\r\n") } }, false);
        ConnectTo(server.Port());
        EXPECT_EQ(sock.ReadLn(), "abc\r\n");
        sock.Disconnect();
    }
    {
        // Closed in the middle of a line: the partial line is dropped.
        ScriptedServer server({ { Send("partial") } }, false);
        ConnectTo(server.Port());
        EXPECT_EQ(sock.ReadLn(), "");
        sock.Disconnect();
    }
    {
        ScriptedServer server({ { Send(std::string(70000, 'x') + "\n") } }, false);
        ConnectTo(server.Port());
        EXPECT_EQ(ErrorOf([&] { sock.ReadLn(); }), "Line longer than the 65536-byte receive buffer");
        sock.Disconnect();
    }
    {
        // A line of exactly the buffer size, LF included, still fits.
        ScriptedServer server({ { Send(std::string(65535, 'y') + "\n") } }, false);
        ConnectTo(server.Port());
        EXPECT_EQ(sock.ReadLn().size(), 65536u);
        sock.Disconnect();
    }
    // Not connected: the empty text.
    EXPECT_EQ(sock.ReadLn(), "");
    EXPECT_EQ(sock.LastSocketError(), 10057);
}

TEST_F(Sock, CaptureStringKeepsEveryByteAndStopsAtItsLimit)
{
    std::string body;
    for (int i = 0; i < 300; ++i)
        body += static_cast<char>(i);
    {
        ScriptedServer server({ { SendBytewise(body.substr(0, 40)), Send(body.substr(40)) } }, false);
        ConnectTo(server.Port());
        int packets = 0;
        sock.OnPacketRecvd = [&](TPowersock&) { ++packets; };
        std::string text = "old";
        sock.CaptureString(text);
        EXPECT_EQ(text, body);
        EXPECT_EQ(sock.ReceivedCount(), 300);
        EXPECT_GE(packets, 2);
        sock.OnPacketRecvd = nullptr;
        sock.Disconnect();
    }
    {
        ScriptedServer server({ { Send("0123456789"), Hang() } }, false);
        ConnectTo(server.Port());
        std::string text;
        sock.CaptureString(text, 4);
        EXPECT_EQ(text, "0123");
        sock.CaptureString(text, 6);
        EXPECT_EQ(text, "456789");
    }
}

TEST_F(Sock, WriteSendsUpToNulAndRefusesTooLongTexts)
{
    ScriptedServer server(std::vector<ServerScript>(1));
    ConnectTo(server.Port());
    EXPECT_EQ(ErrorOf([&] { sock.Write(std::string(65536, 'a')); }),
        "Write refused: 65536 bytes is more than the 65535 that can be sent at once");
    sock.Write(std::string("GET / HTTP/1.0\r\n", 16));
    std::string full = "Content-Length: 65512\r\n\r\n" + std::string(65510, 'z');
    ASSERT_EQ(full.size(), 65535u); // the most one Write takes
    sock.Write(full);
    sock.Write(std::string("\0never sent", 11));
    sock.Writeln(std::string("ab\0cd", 5)); // the line end is cut off with the rest
    sock.Disconnect();
    auto requests = server.WaitForRequests(1);
    ASSERT_EQ(requests.size(), 1u);
    // Nothing of the refused text went out, and nothing after a NUL.
    EXPECT_EQ(requests[0], "GET / HTTP/1.0\r\n" + full + "ab");
}

TEST_F(Sock, TransactionReadsTheReplyCode)
{
    struct Case {
        const char* reply;
        int code;
        const char* error;
    } cases[] = {
        { "250 OK\r\n", 250, "" },
        { "abc\r\n", 0, "" },
        { "0000000000123\r\n", 0, "" }, // only ten digits are read
        { "99999 big\r\n", 0, "Range check error" },
    };
    for (auto const& c : cases) {
        ScriptedServer server({ { Send(c.reply) } }, false);
        TPowersock s;
        s.SetHost("127.0.0.1");
        s.SetPort(server.Port());
        s.Connect();
        std::string error;
        try {
            EXPECT_EQ(s.Transaction("HELO"), c.reply);
            EXPECT_EQ(s.TransactionReply(), c.reply);
        } catch (const std::exception& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.error) << c.reply;
        if (error.empty()) {
            EXPECT_EQ(s.ReplyCode(), c.code) << c.reply;
        }
    }
}

TEST_F(Sock, StatusTextsFollowTheReportLevel)
{
    ScriptedServer server({ { Send("x\n") } }, false);
    Record(4);
    ConnectTo(server.Port());
    sock.Writeln("hello");
    sock.Disconnect();
    EXPECT_TRUE(Saw("Sending Buffer"));
    EXPECT_TRUE(Saw("Request Close Socket"));
    EXPECT_FALSE(Saw("Connecting"));
    EXPECT_EQ(sock.StatusText(), "Request Close Socket");

    statuses.clear();
    sock.SetReportLevel(0);
    sock.Disconnect();
    EXPECT_TRUE(statuses.empty());
    // A failing status display does not break the operation.
    sock.SetReportLevel(8);
    sock.OnStatus = [](TPowersock&, const std::string&) { throw std::runtime_error("display broke"); };
    ConnectTo(server.Port());
}

TEST_F(Sock, TimeOutBoundsAWaitingStepAsAWhole)
{
    // The server trickles bytes without a line end: each byte arrives well
    // within the time-out, but the line never completes.
    std::string trickle;
    ServerScript script;
    for (int i = 0; i < 40; ++i) {
        script.push_back(Send("x"));
        script.push_back(Pause(100));
    }
    ScriptedServer server({ script }, false);
    ConnectTo(server.Port());
    sock.SetTimeOut(500);
    auto start = EventLoop::Clock::now();
    EXPECT_EQ(ErrorOf([&] { sock.ReadLn(); }), "Socket readln aborted");
    EXPECT_LT(EventLoop::Clock::now() - start, 3s);
}

TEST_F(Sock, AbortFromAHandlerEndsTheWaitAndLeavesTheNextOperationAlone)
{
    ScriptedServer server({ { Hang() }, { Send("second\n") } }, false);
    ConnectTo(server.Port());
    loop.StartTimer(
        50ms, [&] { sock.Abort(); }, false);
    EXPECT_EQ(ErrorOf([&] { sock.ReadLn(); }), "Socket readln aborted");
    sock.Disconnect();
    ConnectTo(server.Port());
    EXPECT_EQ(sock.ReadLn(), "second\n");
}

TEST_F(Sock, PeerCloseKeepsUnreadDataReadable)
{
    ScriptedServer server({ { Send("data\n") }, {} }, false);
    int available = 0, disconnected = 0;
    sock.OnDataAvailable = [&](TPowersock&) { ++available; };
    sock.OnDisconnect = [&](TPowersock&) { ++disconnected; };
    ConnectTo(server.Port());
    loop.WaitUntil([&] { return available > 0; }, 2000ms);
    loop.WaitUntil([] { return false; }, 100ms);
    EXPECT_EQ(available, 1); // told once, not again until a receive
    EXPECT_TRUE(sock.IsConnected());
    EXPECT_EQ(disconnected, 0);
    EXPECT_EQ(sock.ReadLn(), "data\n");
    sock.Disconnect();
    EXPECT_EQ(disconnected, 1);

    // With nothing left to read, the peer's close closes our side too and
    // a fresh socket is ready for the next connect.
    ConnectTo(server.Port());
    loop.WaitUntil([&] { return disconnected == 2; }, 2000ms);
    EXPECT_EQ(disconnected, 2);
    EXPECT_FALSE(sock.IsConnected());
}

double CpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

TEST_F(Sock, AStalledReadUsesNoCpuWhileTheLoopRuns)
{
    ScriptedServer server({ { Hang() } }, false);
    ConnectTo(server.Port());
    int ticks = 0;
    auto ticker = loop.StartTimer(20ms, [&] { ++ticks; });
    loop.StartTimer(
        1000ms, [&] { sock.Abort(); }, false);
    double cpu = CpuSeconds();
    auto start = EventLoop::Clock::now();
    EXPECT_EQ(ErrorOf([&] { sock.ReadLn(); }), "Socket readln aborted");
    double wall = std::chrono::duration<double>(EventLoop::Clock::now() - start).count();
    cpu = CpuSeconds() - cpu;
    loop.StopTimer(ticker);
    EXPECT_GE(ticks, 20); // other loop work went on during the wait
    // A polling wait would take a whole core; blocking in poll takes almost none.
    EXPECT_LT(cpu, 0.25 * wall) << "cpu " << cpu << " s in " << wall << " s";
}

TEST_F(Sock, FilesGoOutAndComeInWhole)
{
    TempDir dir;
    std::string content = "POST / HTTP/1.0\r\nContent-Length: 70000\r\n\r\n" + std::string(70000, 'f');
    std::string out = dir.Write("out.bin", content);
    ScriptedServer server({ { Send(std::string(100000, 'r')) } });
    ConnectTo(server.Port());
    int sent = 0;
    sock.OnPacketSent = [&](TPowersock&) { ++sent; };
    sock.SendFile(out);
    EXPECT_EQ(sock.SentCount(), static_cast<int64_t>(content.size()));
    EXPECT_GE(sent, 1);
    std::string in = dir.Path() + "/in.bin";
    sock.CaptureFile(in);
    EXPECT_EQ(ReadFile(in), std::string(100000, 'r'));
    EXPECT_EQ(server.Requests(), (std::vector<std::string> { content }));

    EXPECT_NE(ErrorOf([&] { sock.SendFile(dir.Path() + "/missing"); }).find("Cannot open file"), std::string::npos);
    EXPECT_NE(
        ErrorOf([&] { sock.CaptureFile(dir.Path() + "/no/such/dir"); }).find("Cannot create file"), std::string::npos);
}

}
