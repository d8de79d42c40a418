#include "platform/loop/host_lookup.h"

#include <ares.h>
#include <cstring>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>

namespace pellamo {

namespace {

// Function statics: options may be set from other files' static initialisers.
std::mutex& OptionsMutex()
{
    static std::mutex mutex;
    return mutex;
}

HostLookup::Options& DefaultOptionsStorage()
{
    static HostLookup::Options options;
    return options;
}

void InitLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        int status = ares_library_init(ARES_LIB_INIT_ALL);
        if (status != ARES_SUCCESS)
            throw std::runtime_error(std::string("c-ares initialisation failed: ") + ares_strerror(status));
    });
}

}

void HostLookup::SetDefaultOptions(Options options)
{
    std::lock_guard lock(OptionsMutex());
    DefaultOptionsStorage() = std::move(options);
}

HostLookup::Options HostLookup::DefaultOptions()
{
    std::lock_guard lock(OptionsMutex());
    return DefaultOptionsStorage();
}

HostLookup::HostLookup(EventLoop& loop)
    : m_loop(loop)
{
    InitLibrary();
    Options settings = DefaultOptions();
    ares_options options {};
    int mask = ARES_OPT_SOCK_STATE_CB;
    options.sock_state_cb = &HostLookup::SocketStateChanged;
    options.sock_state_cb_data = this;
    if (settings.timeout_ms > 0) {
        options.timeout = settings.timeout_ms;
        mask |= ARES_OPT_TIMEOUTMS;
    }
    if (settings.tries > 0) {
        options.tries = settings.tries;
        mask |= ARES_OPT_TRIES;
    }
    int status = ares_init_options(&m_channel, &options, mask);
    if (status != ARES_SUCCESS)
        throw std::runtime_error(std::string("c-ares channel failed: ") + ares_strerror(status));
    if (!settings.servers.empty()) {
        status = ares_set_servers_ports_csv(m_channel, settings.servers.c_str());
        if (status != ARES_SUCCESS) {
            ares_destroy(m_channel);
            throw std::runtime_error(std::string("c-ares server list refused: ") + ares_strerror(status));
        }
    }
}

HostLookup::~HostLookup()
{
    m_destroying = true;
    *m_alive = false;
    m_requests.clear();
    ares_destroy(m_channel); // answers pending lookups with ARES_EDESTRUCTION
    for (auto const& [fd, id] : m_watches)
        m_loop.UnwatchDescriptor(id);
    if (m_timer)
        m_loop.StopTimer(m_timer);
}

HostLookup::Id HostLookup::Resolve(const std::string& name, Callback callback)
{
    Id id = m_next_id++;
    m_requests[id] = std::move(callback);
    // c-ares may answer at once (hosts file, bad name); deliver that on the
    // loop so that callers never see their callback inside Resolve.
    auto* request = new Request { this, id };
    ares_gethostbyname(m_channel, name.c_str(), AF_INET, &HostLookup::Answered, request);
    ScheduleTimeout();
    return id;
}

void HostLookup::Cancel(Id id) { m_requests.erase(id); }

void HostLookup::Answered(void* arg, int status, int, hostent* host)
{
    std::unique_ptr<Request> request(static_cast<Request*>(arg));
    HostLookup* self = request->owner;
    if (self->m_destroying)
        return;
    bool ok
        = status == ARES_SUCCESS && host && host->h_addrtype == AF_INET && host->h_addr_list && host->h_addr_list[0];
    uint32_t address = 0;
    if (ok)
        std::memcpy(&address, host->h_addr_list[0], sizeof address);
    Id id = request->id;
    // Deliver on the loop: the answer may come from inside Resolve or
    // inside ares_process_fd, neither a good place for user code.
    EventLoop* loop = &self->m_loop;
    auto alive = self->m_alive;
    loop->Post([self, alive, id, ok, address, status] {
        if (!*alive)
            return;
        auto it = self->m_requests.find(id);
        if (it == self->m_requests.end())
            return;
        Callback callback = std::move(it->second);
        self->m_requests.erase(it);
        callback(ok, address, status);
    });
}

void HostLookup::SocketStateChanged(void* data, int fd, int readable, int writable)
{
    auto* self = static_cast<HostLookup*>(data);
    unsigned events = 0;
    if (readable)
        events |= EventLoop::kReadable;
    if (writable)
        events |= EventLoop::kWritable;
    auto it = self->m_watches.find(fd);
    if (!events) {
        if (it != self->m_watches.end()) {
            self->m_loop.UnwatchDescriptor(it->second);
            self->m_watches.erase(it);
        }
        return;
    }
    if (it != self->m_watches.end()) {
        self->m_loop.SetDescriptorEvents(it->second, events);
        return;
    }
    self->m_watches[fd] = self->m_loop.WatchDescriptor(fd, events, [self, fd](unsigned ready) {
        int read_fd = (ready & (EventLoop::kReadable | EventLoop::kError)) ? fd : ARES_SOCKET_BAD;
        int write_fd = (ready & EventLoop::kWritable) ? fd : ARES_SOCKET_BAD;
        self->Process(read_fd, write_fd);
    });
}

void HostLookup::Process(int read_fd, int write_fd)
{
    ares_process_fd(m_channel, read_fd, write_fd);
    ScheduleTimeout();
}

void HostLookup::ScheduleTimeout()
{
    if (m_timer) {
        m_loop.StopTimer(m_timer);
        m_timer = 0;
    }
    timeval storage {};
    timeval* left = ares_timeout(m_channel, nullptr, &storage);
    if (!left)
        return; // nothing outstanding
    auto ms = std::chrono::milliseconds(left->tv_sec * 1000 + (left->tv_usec + 999) / 1000);
    m_timer = m_loop.StartTimer(
        ms,
        [this] {
            m_timer = 0;
            Process(ARES_SOCKET_BAD, ARES_SOCKET_BAD);
        },
        false);
}

}
