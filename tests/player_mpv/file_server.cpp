#include "tests/player_mpv/file_server.h"

#include "tests/support/loopback.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>

namespace pellamo {

namespace {

std::string ContentType(const std::filesystem::path& file)
{
    std::string ext = file.extension().string();
    if (ext == ".m3u8")
        return "application/vnd.apple.mpegurl";
    if (ext == ".mpd")
        return "application/dash+xml";
    if (ext == ".ts")
        return "video/mp2t";
    if (ext == ".m4s" || ext == ".mp4")
        return "video/mp4";
    return "application/octet-stream";
}

bool SendAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        ssize_t n = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}

FileServer::FileServer(std::filesystem::path root, std::string required_header)
    : m_root(std::move(root))
    , m_required(std::move(required_header))
{
    uint16_t port = 0;
    m_listen_fd = test::ListenOnLoopback(port);
    m_port = port;
    m_acceptor = std::thread([this] { AcceptLoop(); });
}

FileServer::~FileServer()
{
    m_stopping = true;
    m_acceptor.join();
    std::lock_guard lock(m_mutex);
    for (auto& worker : m_workers)
        worker.join();
    close(m_listen_fd);
}

std::string FileServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> FileServer::Requests()
{
    std::lock_guard lock(m_requests_mutex);
    return m_requests;
}

void FileServer::AcceptLoop()
{
    while (!m_stopping) {
        pollfd p { m_listen_fd, POLLIN, 0 };
        if (poll(&p, 1, 50) <= 0)
            continue;
        int fd = accept4(m_listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        std::lock_guard lock(m_mutex);
        m_workers.emplace_back([this, fd] { Serve(fd); });
    }
}

// One request per connection (HTTP/1.0 replies, closed after the body).
void FileServer::Serve(int fd)
{
    using Clock = std::chrono::steady_clock;
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
    request = request.substr(0, request.find("\r\n\r\n") + 2);
    {
        std::lock_guard lock(m_requests_mutex);
        m_requests.push_back(request);
    }
    auto reply = [&](std::string_view status, const std::string& type, const std::string& body) {
        std::string head = "HTTP/1.0 " + std::string(status) + "\r\nContent-Type: " + type
            + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
        if (SendAll(fd, head))
            SendAll(fd, body);
        close(fd);
    };
    if (!m_required.empty() && request.find("\r\n" + m_required + "\r\n") == std::string::npos) {
        ++m_refused;
        reply("403 Forbidden", "text/plain", "");
        return;
    }
    // "GET /path?query HTTP/1.1": only plain names inside the root.
    size_t start = request.find(' ');
    size_t end = start == std::string::npos ? start : request.find(' ', start + 1);
    std::string path = start == std::string::npos || end == std::string::npos
        ? std::string()
        : request.substr(start + 1, end - start - 1);
    path = path.substr(0, path.find('?'));
    std::filesystem::path file = m_root / std::filesystem::path(path).relative_path();
    std::ifstream in(file, std::ios::binary);
    if (path.empty() || path.find("..") != std::string::npos || !in) {
        reply("404 Not Found", "text/plain", "");
        return;
    }
    std::string body((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    reply("200 OK", ContentType(file), body);
}

}
