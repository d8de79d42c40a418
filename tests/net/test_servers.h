#pragma once

#include "tests/support/files.h"
#include "tests/support/loopback.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace pellamo::test {

// One step of what a scripted server does on a connection after it has
// read the request.
struct ServerStep {
    enum Kind { kSend, kSendBytewise, kPause, kReset, kHang };
    Kind kind;
    std::string data;
    int ms = 0;
};
using ServerScript = std::vector<ServerStep>;

inline ServerStep Send(std::string data) { return { ServerStep::kSend, std::move(data) }; }
inline ServerStep SendBytewise(std::string data) { return { ServerStep::kSendBytewise, std::move(data) }; }
inline ServerStep Pause(int ms) { return { ServerStep::kPause, {}, ms }; }
inline ServerStep Reset() { return { ServerStep::kReset, {} }; }
inline ServerStep Hang() { return { ServerStep::kHang, {} }; }

// A TCP server on 127.0.0.1 in a thread of the test: connection i runs
// script i, then the connection is closed. It records each request (the
// header up to the blank line plus a body of the declared Content-Length).
// With read_request false it records nothing and starts its script at once.
class ScriptedServer {
public:
    explicit ScriptedServer(std::vector<ServerScript> scripts, bool read_request = true);
    ~ScriptedServer();
    uint16_t Port() const { return m_port; }
    std::vector<std::string> Requests();
    // Waits (up to 5 s) until `count` requests are recorded.
    std::vector<std::string> WaitForRequests(size_t count);
    int Accepted() const { return m_accepted; }

private:
    void Serve();
    void ReadRequest(int fd);
    bool Stopped(int fd, int timeout_ms);

    std::vector<ServerScript> m_scripts;
    bool m_read_request;
    int m_listen = -1;
    int m_stop[2] = { -1, -1 };
    uint16_t m_port = 0;
    std::atomic<int> m_accepted { 0 };
    std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// Python's http.server (HTTP/1.0) serving a directory on 127.0.0.1.
class PythonHttpServer {
public:
    explicit PythonHttpServer(const std::string& directory);
    ~PythonHttpServer();
    uint16_t Port() const { return m_port; }

private:
    pid_t m_pid = -1;
    uint16_t m_port = 0;
};

}
