// Throughput of a 50 MB GET over loopback: our client next to curl, against
// the same local server in the same run. Prints both and their ratio.
#include "net/nm_http.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr size_t kBodySize = 50u << 20;
constexpr int kRounds = 7;

// A plain HTTP/1.0 file server: one reply per connection, body by sendfile.
class FileServer {
public:
    explicit FileServer(const std::string& path)
    {
        m_file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info { };
        fstat(m_file, &info);
        m_size = static_cast<size_t>(info.st_size);
        m_listen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int one = 1;
        setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(m_listen, 8) != 0) {
            std::perror("listen");
            std::exit(1);
        }
        socklen_t size = sizeof address;
        getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~FileServer()
    {
        m_stop = true;
        shutdown(m_listen, SHUT_RDWR);
        m_thread.join();
        close(m_listen);
        close(m_file);
    }
    uint16_t Port() const { return m_port; }

private:
    void Serve()
    {
        while (!m_stop) {
            int fd = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                return;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                ssize_t n = recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0)
                    break;
                request.append(buffer, static_cast<size_t>(n));
            }
            std::string header = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: "
                + std::to_string(m_size) + "\r\n\r\n";
            send(fd, header.data(), header.size(), MSG_NOSIGNAL);
            off_t offset = 0;
            while (static_cast<size_t>(offset) < m_size)
                if (sendfile(fd, m_file, &offset, m_size - static_cast<size_t>(offset)) <= 0)
                    break;
            shutdown(fd, SHUT_WR);
            while (recv(fd, buffer, sizeof buffer, 0) > 0) { }
            close(fd);
        }
    }

    int m_file = -1;
    size_t m_size = 0;
    int m_listen = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// curl's own transfer time (without its process start-up).
double CurlSeconds(const std::string& url)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const char* argv[] = { "curl", "-s", "--noproxy", "*", "-o", "/dev/null", "-w", "%{time_total} %{size_download}",
        url.c_str(), nullptr };
    pid_t pid;
    if (posix_spawnp(&pid, "curl", &actions, nullptr, const_cast<char**>(argv), environ) != 0) {
        std::fprintf(stderr, "cannot run curl\n");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    double seconds = 0;
    unsigned long long bytes = 0;
    if (std::sscanf(text.c_str(), "%lf %llu", &seconds, &bytes) != 2 || bytes != kBodySize) {
        std::fprintf(stderr, "curl failed: %s\n", text.c_str());
        std::exit(1);
    }
    return seconds;
}

double OurSeconds(pellamo::TNMHTTP& http, const std::string& url)
{
    auto start = std::chrono::steady_clock::now();
    http.Get(url);
    double seconds = Seconds(std::chrono::steady_clock::now() - start);
    if (http.Body().size() != kBodySize) {
        std::fprintf(stderr, "short body: %zu bytes\n", http.Body().size());
        std::exit(1);
    }
    return seconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}

int main()
{
    std::signal(SIGPIPE, SIG_IGN);
    char path[] = "/tmp/pellamo-bench-XXXXXX";
    int fd = mkstemp(path);
    std::vector<char> chunk(1 << 20);
    for (size_t i = 0; i < chunk.size(); ++i)
        chunk[i] = static_cast<char>((i * 2654435761u) >> 24);
    for (size_t written = 0; written < kBodySize; written += chunk.size())
        if (write(fd, chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size()))
            return 1;
    close(fd);

    // The program keeps one client for all its fetches, so a fetch usually
    // finds the body's memory of the previous one; a fresh client must
    // first get that memory from the system.
    std::vector<double> kept, fresh, curls;
    {
        FileServer server(path);
        std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/big.bin";
        pellamo::TNMHTTP client;
        OurSeconds(client, url); // warm the page cache and both paths
        CurlSeconds(url);
        for (int i = 0; i < kRounds; ++i) {
            kept.push_back(OurSeconds(client, url));
            pellamo::TNMHTTP once;
            fresh.push_back(OurSeconds(once, url));
            curls.push_back(CurlSeconds(url));
        }
    }
    unlink(path);

    double mb = static_cast<double>(kBodySize) / (1 << 20);
    double kept_rate = mb / Median(kept), fresh_rate = mb / Median(fresh), curl_rate = mb / Median(curls);
    std::printf("GET of a %.0f MB body over loopback, median of %d rounds\n", mb, kRounds);
    std::printf("  TNMHTTP, kept client : %8.1f MB/s  (%5.1f %% of curl)\n", kept_rate, 100.0 * kept_rate / curl_rate);
    std::printf(
        "  TNMHTTP, fresh client: %8.1f MB/s  (%5.1f %% of curl)\n", fresh_rate, 100.0 * fresh_rate / curl_rate);
    std::printf("  curl -o /dev/null    : %8.1f MB/s\n", curl_rate);
    return 0;
}
