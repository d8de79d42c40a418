#include "net/powersock.h"

#include "net/socket_errors.h"
#include "platform/base/scope_exit.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pellamo {

namespace {

int g_library_users = 0;

bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}

struct TPowersock::Operation {
    TPowersock& sock;
    explicit Operation(TPowersock& s)
        : sock(s)
    {
        ++sock.m_operations;
        sock.UpdateInterest();
    }
    ~Operation()
    {
        --sock.m_operations;
        sock.UpdateInterest();
    }
};

int TPowersock::LibraryUsers() { return g_library_users; }

TPowersock::TPowersock(EventLoop& loop)
    : m_loop(loop)
    , m_buffer(new char[kBufferSize])
    , m_timer(loop)
{
    Status(8, "Create");
    m_timer.SetEnabled(false);
    m_timer.SetOnTimer([this](TThreadTimer&) { TimerFired(); });

    Status(8, "Initializing Winsock");
    ++g_library_users;
    m_library_started = true;
    rlimit files {};
    getrlimit(RLIMIT_NOFILE, &files);
    m_winsock_info = {
        "Version= 1.1",
        "High Version= 1.1",
        "Description= Pellamo sockets on POSIX TCP/IP (IPv4)",
        "System= Running",
        "Max Sockets= " + std::to_string(files.rlim_cur == RLIM_INFINITY ? 65535 : files.rlim_cur),
        "Max Udp pack size= 65507",
    };
    try {
        CreateSocket(true);
    } catch (...) {
        --g_library_users;
        throw ESockError("Initializaton of windows sockets failed");
    }
}

TPowersock::~TPowersock()
{
    // No handler of the owner is called from here on: it may be half gone.
    m_destroying = true;
    Status(8, "Destroy");
    TPowersock::Abort();
    Cancel();
    m_lookup.reset();
    try {
        CloseSocket();
    } catch (...) {
    }
    if (m_library_started)
        --g_library_users;
}

void TPowersock::Status(int level, const std::string& text)
{
    if (m_report_level < level)
        return;
    m_status_text = text;
    if (m_destroying || !OnStatus)
        return;
    try {
        OnStatus(*this, text);
    } catch (...) {
        // A status display must not break the operation it reports.
    }
}

void TPowersock::CreateSocket(bool initial)
{
    m_socket = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, initial ? IPPROTO_TCP : 0);
    if (m_socket < 0)
        ErrorCheck(WinsockErrorFromErrno(errno), 0);
    if (initial) {
        // The first socket resets its connection when closed.
        linger off { 1, 0 };
        setsockopt(m_socket, SOL_SOCKET, SO_LINGER, &off, sizeof off);
    }
    // Requests go out in two writes (header, blank line); without this the
    // second waits for the server's delayed acknowledgement.
    int one = 1;
    setsockopt(m_socket, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    m_read_notified = false;
    m_connecting = false;
    UpdateInterest();
}

void TPowersock::UpdateInterest()
{
    unsigned events = 0;
    if (m_socket >= 0) {
        if (m_connecting)
            events = EventLoop::kWritable;
        else if (m_operations > 0)
            events = m_wait_events;
        else if (m_connected && !m_read_notified)
            events = EventLoop::kReadable;
    }
    // An unconnected socket reports hang-up at once: it is watched only
    // while something is expected of it.
    if (!events) {
        if (m_watch) {
            m_loop.UnwatchDescriptor(m_watch);
            m_watch = 0;
        }
        return;
    }
    if (m_watch && events == m_watch_events)
        return;
    if (m_watch) {
        m_loop.SetDescriptorEvents(m_watch, events);
    } else {
        m_watch = m_loop.WatchDescriptor(m_socket, events, [this](unsigned ready) { OnSocketEvent(ready); });
    }
    m_watch_events = events;
}

void TPowersock::OnSocketEvent(unsigned events)
{
    try {
        if (m_connecting) {
            int error = 0;
            socklen_t size = sizeof error;
            getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &size);
            m_connecting = false;
            m_last_event_ok = error == 0;
            if (error) {
                m_last_socket_error = WinsockErrorFromErrno(error);
            } else {
                m_connected = true;
            }
            UpdateInterest();
            if (m_connected && OnConnect)
                OnConnect(*this);
            return;
        }
        if (m_operations > 0) {
            // A running operation waits for this; it reads the data itself.
            m_ready_events |= events;
            m_wait_events = 0;
            UpdateInterest();
            return;
        }
        // Idle: like a socket notification, reported once until the next receive.
        m_read_notified = true;
        UpdateInterest();
        Status(8, "Data Available");
        char byte;
        ssize_t n = recv(m_socket, &byte, 1, MSG_PEEK);
        if (n > 0) {
            if (OnDataAvailable) {
                try {
                    OnDataAvailable(*this);
                } catch (...) {
                }
            }
        } else if (n == 0 || !WouldBlock(errno)) {
            // The peer closed and nothing is left to read.
            CloseSocket();
        } else {
            m_read_notified = false;
            UpdateInterest();
        }
    } catch (...) {
        // Notification handlers never let failures into the loop.
    }
}

bool TPowersock::WaitForSocket(unsigned events)
{
    unsigned saved_wait = m_wait_events;
    m_wait_events = events;
    m_ready_events = 0;
    UpdateInterest();
    m_loop.WaitUntil(
        [&] { return (m_ready_events & (events | EventLoop::kError)) || m_cancel_requested || m_socket < 0; });
    if (m_loop.Quitting())
        m_cancel_requested = true; // the program is closing: end the operation
    bool ready = m_ready_events != 0;
    m_wait_events = saved_wait;
    m_ready_events = 0;
    UpdateInterest();
    return ready;
}

void TPowersock::ErrorCheck(int error, int expected)
{
    m_last_socket_error = error;
    if (error == expected || error <= 10000)
        return;
    Status(8, "Looking Up Error Message");
    std::string text = WinsockErrorMessage(error);
    if (OnSocketError)
        OnSocketError(*this, error, text);
    throw ESockError(text);
}

void TPowersock::TimerOn()
{
    Status(8, "Timer On");
    m_timed_out = false;
    m_timer.SetInterval(static_cast<unsigned>(std::max<int32_t>(m_time_out, 0)));
    m_timer.SetEnabled(true);
}

void TPowersock::TimerOff()
{
    Status(8, "Timer Off");
    m_timer.SetEnabled(false);
}

void TPowersock::TimerFired()
{
    Status(8, "Timer Triggered");
    TimerOff();
    m_timed_out = true;
    m_lookup_done = true;
    Abort();
}

void TPowersock::Abort()
{
    Status(8, "Abort");
    Cancel();
}

void TPowersock::Cancel()
{
    Status(8, "Canceling");
    m_cancel_requested = true;
}

void TPowersock::ResolveHost()
{
    Status(8, "Resolve Host");
    const std::string name = m_proxy.empty() ? m_host : m_proxy;
    in_addr parsed {};
    if (inet_pton(AF_INET, name.c_str(), &parsed) == 1) {
        m_remote_address = parsed.s_addr;
        return;
    }
    m_remote_address = 0;
    TimerOn();
    m_lookup_done = false;
    m_lookup_ok = false;
    if (!m_lookup)
        m_lookup = std::make_unique<HostLookup>(m_loop);
    HostLookup::Id id = m_lookup->Resolve(name, [this](bool ok, uint32_t address, int) {
        m_lookup_done = true;
        m_lookup_ok = ok;
        m_resolved_address = address;
    });
    m_loop.WaitUntil([&] { return m_lookup_done || m_timed_out || m_cancel_requested; });
    if (m_loop.Quitting())
        m_cancel_requested = true;
    m_lookup->Cancel(id);
    TimerOff();
    if (m_timed_out)
        throw ESockError("Host Lookup Timed Out");
    if (m_cancel_requested) {
        m_cancel_requested = false;
        throw ESockError("Host Lookup Canceled");
    }
    if (!m_lookup_ok)
        throw ESockError("Host Lookup Failed");
    m_remote_address = m_resolved_address;
    if (OnHostResolved)
        OnHostResolved(*this);
}

void TPowersock::Connect()
{
    Status(8, "Connecting");
    m_cancel_requested = false;
    if (m_connected)
        throw ESockError("Already connected");
    for (int retries = 0;;) {
        try {
            ResolveHost();
        } catch (const ESockError& e) {
            std::string what = e.what();
            if (what == "Host Lookup Timed Out" || what == "Host Lookup Canceled")
                throw;
        }
        if (m_remote_address != 0)
            break;
        if (retries == 0 && OnInvalidHost) {
            bool handled = false;
            OnInvalidHost(*this, handled);
            if (handled) {
                ++retries;
                continue;
            }
        }
        throw ESockError("Null Remote Address");
    }

    if (m_socket < 0)
        CreateSocket(false);
    sockaddr_in remote {};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<uint16_t>(m_proxy.empty() ? m_port : m_proxy_port));
    remote.sin_addr.s_addr = m_remote_address;
    m_lookup_done = false;
    m_last_event_ok = true;
    if (::connect(m_socket, reinterpret_cast<sockaddr*>(&remote), sizeof remote) == 0) {
        m_connected = true;
        UpdateInterest();
        if (OnConnect)
            OnConnect(*this);
        return;
    }
    if (errno != EINPROGRESS) {
        int error = WinsockErrorFromErrno(errno);
        DropSocket(); // a refused socket cannot connect again
        ErrorCheck(error, 10035);
        throw ESockError("Connection Failed");
    }
    m_connecting = true;
    UpdateInterest();
    TimerOn();
    m_loop.WaitUntil([&] { return m_connected || m_timed_out || m_cancel_requested || !m_last_event_ok; });
    if (m_loop.Quitting())
        m_cancel_requested = true;
    TimerOff();
    if (m_connected && !m_timed_out && !m_cancel_requested)
        return;
    bool timed_out = m_timed_out, canceled = m_cancel_requested;
    m_cancel_requested = false;
    DropSocket();
    if (OnConnectionFailed)
        OnConnectionFailed(*this);
    // Whether a refusal comes back from connect() itself or a moment later
    // is a matter of kernel timing; either way it reads as the refusal.
    if (!timed_out && !canceled && m_last_socket_error == 10061)
        ErrorCheck(10061, 10035);
    if (timed_out)
        throw ESockError("Connection Timed out");
    if (canceled)
        throw ESockError("Connection Canceled");
    throw ESockError("Connection Failed");
}

void TPowersock::DropSocket()
{
    // Quietly replaces a socket that failed to connect with a fresh one.
    if (m_watch) {
        m_loop.UnwatchDescriptor(m_watch);
        m_watch = 0;
    }
    if (m_socket >= 0)
        close(m_socket);
    m_socket = -1;
    m_connected = false;
    m_connecting = false;
    CreateSocket(false);
}

void TPowersock::Disconnect()
{
    Status(8, "Disconnecting");
    CloseSocket();
}

void TPowersock::CloseSocket()
{
    Status(4, "Request Close Socket");
    m_connected = false;
    m_connecting = false;
    if (m_watch) {
        m_loop.UnwatchDescriptor(m_watch);
        m_watch = 0;
    }
    if (m_socket >= 0) {
        int fd = m_socket;
        m_socket = -1;
        if (close(fd) != 0)
            ErrorCheck(WinsockErrorFromErrno(errno), 0);
        if (!m_destroying && OnDisconnect)
            OnDisconnect(*this);
    }
    if (!m_destroying && m_socket < 0)
        CreateSocket(false);
}

void TPowersock::Write(std::string_view text)
{
    Status(8, "Write");
    text = text.substr(0, text.find('\0'));
    if (text.size() >= kBufferSize)
        throw ESockError(
            "Write refused: " + std::to_string(text.size()) + " bytes is more than the 65535 that can be sent at once");
    Status(4, "Sending Buffer");
    TimerOn();
    {
        ScopeExit off([this] { TimerOff(); });
        SendBytes(text.data(), text.size(), false);
    }
    if (m_cancel_requested) {
        m_cancel_requested = false;
        throw EAbortError("Socket send aborted");
    }
}

void TPowersock::Writeln(std::string_view text)
{
    Status(8, "Writeln");
    std::string line(text);
    line += "\r\n";
    Write(line);
}

void TPowersock::SendBytes(const char* data, size_t size, bool count_sent)
{
    Operation operation(*this);
    size_t sent = 0;
    while (sent < size && !m_cancel_requested) {
        ssize_t n = send(m_socket, data + sent, size - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            if (count_sent) {
                m_sent_count += n;
                if (OnPacketSent)
                    OnPacketSent(*this);
            }
            continue;
        }
        if (n == 0)
            break;
        int error = errno;
        if (error == EINTR)
            continue;
        if (WouldBlock(error)) {
            WaitForSocket(EventLoop::kWritable);
            continue;
        }
        ErrorCheck(WinsockErrorFromErrno(error), 10035);
        break;
    }
}

bool TPowersock::ReadOnAfterRecvError(int error)
{
    if (error == EINTR)
        return true;
    if (WouldBlock(error)) {
        WaitForSocket(EventLoop::kReadable);
        return true;
    }
    m_last_socket_error = WinsockErrorFromErrno(error);
    if (error == ENOTCONN)
        return false;
    ErrorCheck(m_last_socket_error, 10035); // throws: no other errno maps to a code it lets pass
    return true;
}

std::string TPowersock::ReadLn()
{
    Status(8, "ReadLn");
    TimerOn();
    ScopeExit off([this] { TimerOff(); });
    Operation operation(*this);
    char* buffer = m_buffer.get();
    size_t read = 0;
    while (!m_cancel_requested) {
        if (read >= kBufferSize)
            throw ESockError("Line longer than the 65536-byte receive buffer");
        ssize_t n = recv(m_socket, buffer + read, kBufferSize - read, MSG_PEEK);
        if (n == 0)
            return std::string(); // closed: an unfinished line is dropped
        if (n > 0) {
            m_read_notified = false;
            const char* lf = static_cast<const char*>(std::memchr(buffer + read, '\n', static_cast<size_t>(n)));
            size_t take = lf ? static_cast<size_t>(lf - (buffer + read)) + 1 : static_cast<size_t>(n);
            ssize_t got = recv(m_socket, buffer + read, take, 0);
            if (got < 0)
                continue; // taken away meanwhile: look again
            read += static_cast<size_t>(got);
            if (lf && static_cast<size_t>(got) == take)
                return std::string(buffer, read);
            continue;
        }
        if (!ReadOnAfterRecvError(errno))
            return std::string();
    }
    m_cancel_requested = false;
    throw EAbortError("Socket readln aborted");
}

std::string TPowersock::Transaction(const std::string& command)
{
    Status(8, "Transaction");
    m_reply_code = 0;
    Writeln(command);
    std::string line = ReadLn();
    m_transaction_reply = line;
    if (!line.empty()) {
        Status(1, line);
        int64_t value = 0;
        size_t digits = 0;
        while (digits < line.size() && digits < 10 && line[digits] >= '0' && line[digits] <= '9')
            value = value * 10 + (line[digits++] - '0');
        if (value > 32767)
            throw std::range_error("Range check error");
        m_reply_code = static_cast<int16_t>(value);
    }
    return line;
}

template <typename Sink> void TPowersock::Capture(Sink&& sink, int64_t limit, const char* abort_text)
{
    m_received_count = 0;
    TimerOn();
    ScopeExit off([this] { TimerOff(); });
    Operation operation(*this);
    char* buffer = m_buffer.get();
    while (!m_cancel_requested) {
        size_t want = kBufferSize;
        if (limit >= 0) {
            if (m_received_count >= limit)
                break;
            want = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(want), limit - m_received_count));
        }
        ssize_t n = recv(m_socket, buffer, want, 0);
        if (n == 0)
            break;
        if (n > 0) {
            m_read_notified = false;
            sink(buffer, static_cast<size_t>(n));
            m_received_count += n;
            if (OnPacketRecvd)
                OnPacketRecvd(*this);
            TimerOn();
        } else if (ReadOnAfterRecvError(errno)) {
            continue;
        } else {
            break;
        }
        // Keep the window live during a long transfer.
        m_loop.ProcessMessages();
    }
    if (m_cancel_requested) {
        m_cancel_requested = false;
        throw EAbortError(abort_text);
    }
}

void TPowersock::CaptureString(std::string& text, int64_t limit)
{
    Status(8, "Capture String");
    text.clear();
    Capture([&](const char* data, size_t size) { text.append(data, size); }, limit, "Socket capture aborted");
}

void TPowersock::CaptureFile(const std::string& file_name) { CaptureToFile(file_name, -1); }

void TPowersock::CaptureToFile(const std::string& file_name, int64_t limit)
{
    Status(8, "CaptureFile");
    File file(std::fopen(file_name.c_str(), "wb"));
    if (!file)
        throw std::runtime_error("Cannot create file \"" + file_name + "\". " + std::strerror(errno));
    Capture(
        [&](const char* data, size_t size) {
            if (std::fwrite(data, 1, size, file.get()) != size)
                throw std::runtime_error("Cannot write file \"" + file_name + "\". " + std::strerror(errno));
        },
        limit, "Socket capture aborted");
    if (std::fflush(file.get()) != 0)
        throw std::runtime_error("Cannot write file \"" + file_name + "\". " + std::strerror(errno));
}

void TPowersock::SendFile(const std::string& file_name)
{
    Status(8, "SendFile");
    File file(std::fopen(file_name.c_str(), "rb"));
    if (!file)
        throw std::runtime_error("Cannot open file \"" + file_name + "\". " + std::strerror(errno));
    m_sent_count = 0;
    TimerOn();
    ScopeExit off([this] { TimerOff(); });
    char* buffer = m_buffer.get();
    while (!m_cancel_requested) {
        size_t n = std::fread(buffer, 1, kBufferSize, file.get());
        if (n == 0) {
            if (std::ferror(file.get()))
                throw std::runtime_error("Cannot read file \"" + file_name + "\". " + std::strerror(errno));
            break;
        }
        SendBytes(buffer, n, true);
        m_loop.ProcessMessages();
    }
    if (m_cancel_requested) {
        m_cancel_requested = false;
        throw EAbortError("Socket send aborted");
    }
}

}
