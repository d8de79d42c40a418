#pragma once

#include "platform/loop/event_loop.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace pellamo {

// Downloads whole files over HTTP and HTTPS (libcurl) while the message
// loop goes on: curl's sockets and timers are watched by the loop, so the
// window stays live and the thread sleeps between network events. Only
// http and https are followed, redirections included; a transfer that
// stalls or grows past the size limit ends with an error.
//
// Handlers run from the loop, never from inside curl, so they may do
// anything (show a message box, start or cancel downloads).
class CurlLibrary;

class WebDownload {
public:
    struct Limits {
        size_t max_bytes = 64 * 1024 * 1024;
        std::chrono::seconds connect_timeout { 20 };
        std::chrono::seconds stall_timeout { 30 }; // with nothing received
        std::string ca_file; // empty: the system's certificates
    };
    struct Progress {
        uint64_t received = 0;
        uint64_t total = 0; // 0 when the server did not say
    };
    struct Result {
        bool ok = false;
        std::string body;
        std::string error; // why it failed; empty when ok
        long status = 0; // the last HTTP status, 0 without a reply
    };
    using Id = uint64_t;
    using ProgressHandler = std::function<void(const Progress&)>;
    using DoneHandler = std::function<void(Result)>;

    explicit WebDownload(EventLoop& loop = EventLoop::Main());
    WebDownload(EventLoop& loop, Limits limits);
    // With another libcurl than the program's; when it cannot be used, every
    // download ends with its reason.
    WebDownload(EventLoop& loop, Limits limits, const CurlLibrary& curl);
    // Ends every transfer; their handlers are not called.
    ~WebDownload();
    WebDownload(const WebDownload&) = delete;
    WebDownload& operator=(const WebDownload&) = delete;

    // Starts a download; `done` is called once, later, from the loop.
    // `progress` (may be empty) is called from the loop as data arrives.
    Id Start(const std::string& url, ProgressHandler progress, DoneHandler done);
    // Downloads into `file` (made or emptied) instead of memory, for files
    // larger than memory should hold: up to `max_bytes`, whatever the
    // limits say. The result's body stays empty; on failure the file is
    // removed.
    Id StartToFile(const std::string& url, const std::string& file, uint64_t max_bytes, ProgressHandler progress,
        DoneHandler done);
    // Ends a download without calling its handlers (a file it wrote is removed).
    void Cancel(Id id);
    bool Running(Id id) const { return transfers_.count(id) != 0; }
    size_t RunningCount() const { return transfers_.size(); }

private:
    struct Transfer;

    static int OnSocket(void* easy, int fd, int what, void* self, void* socket_data);
    static int OnTimer(void* multi, long timeout_ms, void* self);
    void SocketReady(int fd, unsigned events);
    void TimerFired();
    void Collect();
    // Handlers run from the loop, never from inside curl or Start().
    void PostFinish(Id id, Result result);
    void Finish(Id id, Result result);
    void ReportProgress(Id id);

    EventLoop& loop_;
    Limits limits_;
    const CurlLibrary& curl_;
    void* multi_ = nullptr;
    std::map<int, EventLoop::Id> sockets_;
    EventLoop::Id timer_ = 0;
    Id Begin(const std::string& url, std::unique_ptr<Transfer> transfer, ProgressHandler progress, DoneHandler done);

    Id next_id_ = 1;
    std::map<Id, std::unique_ptr<Transfer>> transfers_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
