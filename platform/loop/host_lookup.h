#pragma once

#include "platform/loop/event_loop.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

struct ares_channeldata;
struct hostent;

namespace pellamo {

// Asynchronous IPv4 host-name lookup with c-ares, driven by an EventLoop:
// the resolver's sockets are loop descriptors and its retry deadline is a
// loop timer, so a lookup never blocks the user-interface thread. The hosts
// file is consulted before DNS, as the system resolver does.
class HostLookup {
public:
    using Id = uint64_t;
    // ok: an address was found; address: IPv4 in network byte order.
    using Callback = std::function<void(bool ok, uint32_t address, int ares_status)>;

    struct Options {
        // Empty: the system's resolver configuration. Otherwise a c-ares
        // server list such as "127.0.0.1:5353".
        std::string servers;
        int timeout_ms = 0; // 0: the resolver default
        int tries = 0; // 0: the resolver default
    };

    explicit HostLookup(EventLoop& loop = EventLoop::Main());
    ~HostLookup();
    HostLookup(const HostLookup&) = delete;
    HostLookup& operator=(const HostLookup&) = delete;

    // Options taken by every HostLookup created afterwards. Tests point the
    // resolver at loopback so that nothing leaves the machine.
    static void SetDefaultOptions(Options options);
    static Options DefaultOptions();

    // Starts a lookup; the callback runs on the loop (never inside Resolve).
    Id Resolve(const std::string& name, Callback callback);
    // The callback of a cancelled lookup is never called.
    void Cancel(Id id);
    bool Pending() const { return !m_requests.empty(); }

private:
    struct Request {
        HostLookup* owner;
        Id id;
    };
    static void SocketStateChanged(void* data, int fd, int readable, int writable);
    static void Answered(void* arg, int status, int timeouts, ::hostent* host);
    void ScheduleTimeout();
    void Process(int read_fd, int write_fd);

    EventLoop& m_loop;
    ares_channeldata* m_channel = nullptr;
    std::map<int, EventLoop::Id> m_watches;
    EventLoop::Id m_timer = 0;
    Id m_next_id = 1;
    std::map<Id, Callback> m_requests;
    bool m_destroying = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}
