#include "tests/player_mpv/stream_server.h"

#include "tests/support/loopback.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace pellamo {

StreamServer::StreamServer(std::string body, Options options)
    : m_body(std::move(body))
    , m_options(options)
{
    uint16_t port = 0;
    m_listen_fd = test::ListenOnLoopback(port);
    m_port = port;
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

StreamServer::~StreamServer()
{
    m_stopping = true;
    m_acceptor.join();
    std::lock_guard lock(m_mutex);
    for (auto& worker : m_workers)
        worker.join();
    close(m_listen_fd);
}

std::string StreamServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void StreamServer::AcceptLoop()
{
    while (!m_stopping) {
        pollfd p { m_listen_fd, POLLIN, 0 };
        if (poll(&p, 1, 50) <= 0)
            continue;
        int fd = accept4(m_listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        int index = m_accepted++;
        ++m_open;
        std::lock_guard lock(m_mutex);
        m_workers.emplace_back([this, fd, index] { Serve(fd, index); });
    }
}

std::vector<std::string> StreamServer::Requests()
{
    std::lock_guard lock(m_requests_mutex);
    return m_requests;
}

void StreamServer::Serve(int fd, int index)
{
    using Clock = std::chrono::steady_clock;
    // Read the request head.
    std::string request;
    char buffer[2048];
    auto deadline = Clock::now() + std::chrono::seconds(5);
    while (request.find("\r\n\r\n") == std::string::npos && Clock::now() < deadline && !m_stopping) {
        pollfd p { fd, POLLIN, 0 };
        if (poll(&p, 1, 50) <= 0)
            continue;
        ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        request.append(buffer, static_cast<size_t>(n));
    }
    {
        std::lock_guard lock(m_requests_mutex);
        m_requests.push_back(request.substr(0, request.find("\r\n\r\n") + 2));
    }
    if (!m_options.required_header.empty()
        && request.find("\r\n" + m_options.required_header + "\r\n") == std::string::npos) {
        static constexpr std::string_view kForbidden = "HTTP/1.0 403 Forbidden\r\nContent-Length: 0\r\n\r\n";
        send(fd, kForbidden.data(), kForbidden.size(), MSG_NOSIGNAL);
        ++m_refused;
        close(fd);
        --m_open;
        return;
    }
    auto answer_at = Clock::now() + std::chrono::milliseconds(m_options.reply_delay_ms);
    while (Clock::now() < answer_at && !m_stopping)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    bool client_closed = false;
    auto send_all = [&](const char* data, size_t size) {
        while (size > 0) {
            ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            data += n;
            size -= static_cast<size_t>(n);
        }
        return true;
    };
    std::string head = "HTTP/1.0 200 OK\r\nContent-Type: video/mp2t\r\nCache-Control: no-cache\r\n";
    if (m_options.send_length)
        head += "Content-Length: " + std::to_string(m_body.size()) + "\r\n";
    head += "\r\n";
    if (!send_all(head.data(), head.size()))
        client_closed = true;

    size_t limit = m_body.size();
    if (index == 0 && m_options.drop_first_after > 0)
        limit = std::min(limit, m_options.drop_first_after);
    size_t sent = 0;
    if (index > 0 && m_options.resume_after_drop)
        sent = std::min(m_body.size(), m_options.drop_first_after);
    size_t first = sent;
    auto start = Clock::now();
    while (!client_closed && !m_stopping && sent < limit) {
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        size_t allowed = std::min(limit,
            first + m_options.burst_bytes
                + static_cast<size_t>(seconds * static_cast<double>(m_options.bytes_per_second)));
        if (allowed > sent) {
            if (!send_all(m_body.data() + sent, allowed - sent)) {
                client_closed = true;
                break;
            }
            sent = allowed;
        }
        // A hang-up shows as a readable socket that reads nothing.
        pollfd p { fd, POLLIN | POLLRDHUP, 0 };
        if (poll(&p, 1, 20) > 0) {
            ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK))
                client_closed = true;
        }
    }
    // After the whole body, wait for the client to leave (a finished live
    // stream is closed by the server only when the test ends).
    while (!client_closed && !m_stopping && sent >= m_body.size() && !m_options.close_at_end) {
        pollfd p { fd, POLLIN | POLLRDHUP, 0 };
        if (poll(&p, 1, 50) > 0) {
            ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK))
                client_closed = true;
        }
    }
    if (client_closed)
        ++m_closed_by_client;
    close(fd);
    --m_open;
}

}
