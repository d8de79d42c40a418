// Feeds arbitrary bytes as a server's reply through the HTTP client's reply
// reading (status line, header fields, body), over a real loopback socket.
// The serving side runs on the same message loop as the client's waits.
#include "net/nm_http.h"
#include "platform/loop/host_lookup.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <map>
#include <netinet/in.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using pellamo::EventLoop;

class LoopbackReplyServer {
public:
    explicit LoopbackReplyServer(EventLoop& loop)
        : m_loop(loop)
    {
        m_listen = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(m_listen, 64) != 0)
            throw std::runtime_error("cannot listen on loopback");
        socklen_t size = sizeof address;
        getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        m_loop.WatchDescriptor(m_listen, EventLoop::kReadable, [this](unsigned) { Accept(); });
    }
    uint16_t Port() const { return m_port; }
    void SetReply(std::string reply) { m_reply = std::move(reply); }

private:
    struct Connection {
        int fd;
        EventLoop::Id watch;
        size_t sent = 0;
        bool shut = false;
    };

    void Accept()
    {
        int fd;
        while ((fd = accept4(m_listen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0) {
            Connection& c = m_connections[fd];
            c.fd = fd;
            c.watch = m_loop.WatchDescriptor(
                fd, EventLoop::kReadable | EventLoop::kWritable, [this, fd](unsigned events) { Serve(fd, events); });
        }
    }

    void Serve(int fd, unsigned events)
    {
        Connection& c = m_connections[fd];
        if ((events & EventLoop::kWritable) && !c.shut) {
            while (c.sent < m_reply.size()) {
                ssize_t n = send(fd, m_reply.data() + c.sent, m_reply.size() - c.sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                c.sent += static_cast<size_t>(n);
            }
            if (c.sent >= m_reply.size()) {
                // The end of the reply is the server's close; the request
                // is still drained so that closing never resets the data.
                shutdown(fd, SHUT_WR);
                c.shut = true;
                m_loop.SetDescriptorEvents(c.watch, EventLoop::kReadable);
            }
        }
        if (events & (EventLoop::kReadable | EventLoop::kError)) {
            char buffer[4096];
            ssize_t n;
            while ((n = recv(fd, buffer, sizeof buffer, 0)) > 0) { }
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) {
                m_loop.UnwatchDescriptor(c.watch);
                close(fd);
                m_connections.erase(fd);
            }
        }
    }

    EventLoop& m_loop;
    int m_listen = -1;
    uint16_t m_port = 0;
    std::string m_reply;
    std::map<int, Connection> m_connections;
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static LoopbackReplyServer* server = [] {
        std::signal(SIGPIPE, SIG_IGN);
        // Nothing may leave the machine: no DNS, no redirection elsewhere.
        pellamo::HostLookup::SetDefaultOptions({ "127.0.0.1:9", 100, 1 });
        return new LoopbackReplyServer(EventLoop::Main());
    }();
    server->SetReply(std::string(reinterpret_cast<const char*>(data), size));

    pellamo::TNMHTTP http;
    http.SetTimeOut(5000); // a fault that stalls the read still ends
    http.OnRedirect = [](pellamo::TNMHTTP&, bool& handled) { handled = true; };
    try {
        http.Get("http://127.0.0.1:" + std::to_string(server->Port()) + "/page");
    } catch (const std::exception&) {
        // Failures are reported as exceptions; only crashes and hangs count.
    }
    // The values read from the reply feed the next request's address.
    http.SetCurrentUrl(http.ReplyLocation());
    try {
        http.SplitUrl();
        http.ComposeRequest();
    } catch (const std::exception&) {
    }
    EventLoop::Main().ProcessMessages();
    return 0;
}
