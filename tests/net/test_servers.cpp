#include "tests/net/test_servers.h"

#include "tests/support/loopback.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace pellamo::test {

namespace {

// Lookups in tests never leave the machine (the hosts file still answers),
// and a write to a closed connection is an error, not a signal.
struct QuietNetwork {
    QuietNetwork() { std::signal(SIGPIPE, SIG_IGN); }
    ClosedResolver resolver;
} g_quiet_network;

}

ScriptedServer::ScriptedServer(std::vector<ServerScript> scripts, bool read_request)
    : m_scripts(std::move(scripts))
    , m_read_request(read_request)
{
    m_listen = ListenOnLoopback(m_port);
    if (pipe2(m_stop, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    m_thread = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer()
{
    char byte = 0;
    (void)!write(m_stop[1], &byte, 1);
    m_thread.join();
    close(m_listen);
    close(m_stop[0]);
    close(m_stop[1]);
}

std::vector<std::string> ScriptedServer::Requests()
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::vector<std::string> ScriptedServer::WaitForRequests(size_t count)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Requests().size() < count && std::chrono::steady_clock::now() < deadline)
        usleep(2000);
    return Requests();
}

bool ScriptedServer::Stopped(int fd, int timeout_ms)
{
    pollfd fds[2] = { { m_stop[0], POLLIN, 0 }, { fd, POLLIN, 0 } };
    poll(fds, fd >= 0 ? 2 : 1, timeout_ms);
    return fds[0].revents != 0;
}

void ScriptedServer::ReadRequest(int fd)
{
    std::string request;
    size_t wanted = std::string::npos;
    char buffer[4096];
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline && request.size() < wanted) {
        if (Stopped(fd, 50))
            break;
        ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n == 0)
            break;
        if (n < 0)
            continue;
        request.append(buffer, static_cast<size_t>(n));
        size_t end = request.find("\r\n\r\n");
        if (wanted == std::string::npos && end != std::string::npos) {
            size_t length = 0;
            size_t at = request.find("Content-Length: ");
            if (at != std::string::npos && at < end)
                length = std::strtoul(request.c_str() + at + 16, nullptr, 10);
            wanted = end + 4 + length;
        }
    }
    std::lock_guard lock(m_mutex);
    m_requests.push_back(request);
}

void ScriptedServer::Serve()
{
    for (auto const& script : m_scripts) {
        if (Stopped(m_listen, -1))
            return;
        int fd = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            return;
        ++m_accepted;
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (m_read_request)
            ReadRequest(fd);
        bool closed = false;
        for (auto const& step : script) {
            switch (step.kind) {
            case ServerStep::kSend:
                for (size_t sent = 0; sent < step.data.size();) {
                    ssize_t n = send(fd, step.data.data() + sent, step.data.size() - sent, MSG_NOSIGNAL);
                    if (n <= 0)
                        break;
                    sent += static_cast<size_t>(n);
                }
                break;
            case ServerStep::kSendBytewise:
                for (char c : step.data) {
                    send(fd, &c, 1, MSG_NOSIGNAL);
                    usleep(1000);
                }
                break;
            case ServerStep::kPause:
                if (Stopped(-1, step.ms))
                    break;
                break;
            case ServerStep::kReset: {
                linger off { 1, 0 };
                setsockopt(fd, SOL_SOCKET, SO_LINGER, &off, sizeof off);
                close(fd);
                closed = true;
                break;
            }
            case ServerStep::kHang:
                // Until the client goes away or the test ends.
                for (;;) {
                    if (Stopped(fd, -1))
                        break;
                    char byte;
                    if (recv(fd, &byte, 1, MSG_DONTWAIT) <= 0)
                        break;
                }
                break;
            }
            if (closed)
                break;
        }
        if (!closed)
            close(fd);
    }
}

PythonHttpServer::PythonHttpServer(const std::string& directory)
{
    m_port = UnusedPort();
    std::string port = std::to_string(m_port);
    const char* argv[] = { "python3", "-m", "http.server", "--bind", "127.0.0.1", port.c_str(), "--directory",
        directory.c_str(), nullptr };
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    int status = posix_spawnp(&m_pid, "python3", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0)
        throw std::runtime_error("cannot start python3");
    // Ready once it accepts a connection.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(m_port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bool up = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        close(fd);
        if (up)
            return;
        usleep(20000);
    }
    throw std::runtime_error("python http.server did not start");
}

PythonHttpServer::~PythonHttpServer()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}

}
