#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pellamo {

// A loopback HTTP server that sends one file as a live stream: no length,
// paced, so a player is still reading when a test stops it. It counts
// connections and notices when a client hangs up.
class StreamServer {
public:
    struct Options {
        size_t burst_bytes = 256 * 1024; // sent at once, so playback starts fast
        size_t bytes_per_second = 256 * 1024; // then this pace
        size_t drop_first_after = 0; // >0: cut the first connection after this many bytes
        bool close_at_end = false; // a reply that ends, rather than a live stream
        bool send_length = false; // with a Content-Length header
        int reply_delay_ms = 0; // a slow server: waits this long before answering
        bool resume_after_drop = false; // later connections go on where the cut one stopped, as live
        std::string required_header; // a request without this exact line is answered 403
    };

    StreamServer(std::string body, Options options);
    ~StreamServer();

    int Port() const { return m_port; }
    std::string Url(const std::string& path = "/stream.ts") const;

    int Accepted() const { return m_accepted; }
    int Open() const { return m_open; }
    // Connections that ended because the client closed them.
    int ClosedByClient() const { return m_closed_by_client; }
    // The heads of the requests received, in order.
    std::vector<std::string> Requests();
    int Refused() const { return m_refused; }

private:
    void AcceptLoop();
    void Serve(int fd, int index);

    std::string m_body;
    Options m_options;
    int m_listen_fd = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping { false };
    std::atomic<int> m_accepted { 0 };
    std::atomic<int> m_open { 0 };
    std::atomic<int> m_closed_by_client { 0 };
    std::atomic<int> m_refused { 0 };
    std::mutex m_requests_mutex; // the workers' own: the destructor joins them under m_mutex
    std::vector<std::string> m_requests;
    std::thread m_acceptor;
    std::mutex m_mutex;
    std::vector<std::thread> m_workers;
};

}
