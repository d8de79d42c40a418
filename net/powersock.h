#pragma once

#include "net/sock_error.h"
#include "net/thread_timer.h"
#include "platform/loop/event_loop.h"
#include "platform/loop/host_lookup.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// One TCP client socket whose operations look blocking to the caller but
// keep the message loop running while they wait (the window repaints and
// other handlers, even ones that call back into this object, can run). The
// waits block in poll(): an idle wait for data costs no CPU.
class TPowersock {
public:
    using TNotifyEvent = std::function<void(TPowersock& sender)>;
    using THandlerEvent = std::function<void(TPowersock& sender, bool& handled)>;
    using TOnStatus = std::function<void(TPowersock& sender, const std::string& status)>;
    using TOnSocketError = std::function<void(TPowersock& sender, int error, const std::string& message)>;

    static constexpr size_t kBufferSize = 65536;

    explicit TPowersock(EventLoop& loop = EventLoop::Main());
    virtual ~TPowersock();
    TPowersock(const TPowersock&) = delete;
    TPowersock& operator=(const TPowersock&) = delete;

    // Published properties.
    const std::string& Host() const { return m_host; }
    void SetHost(std::string host) { m_host = std::move(host); }
    int32_t Port() const { return m_port; }
    void SetPort(int32_t port) { m_port = port; }
    int32_t TimeOut() const { return m_time_out; }
    void SetTimeOut(int32_t milliseconds) { m_time_out = milliseconds; }
    int32_t ReportLevel() const { return m_report_level; }
    void SetReportLevel(int32_t level) { m_report_level = level; }
    const std::string& Proxy() const { return m_proxy; }
    void SetProxy(std::string proxy) { m_proxy = std::move(proxy); }
    int32_t ProxyPort() const { return m_proxy_port; }
    void SetProxyPort(int32_t port) { m_proxy_port = port; }

    TNotifyEvent OnDisconnect;
    TNotifyEvent OnConnect;
    THandlerEvent OnInvalidHost;
    TNotifyEvent OnHostResolved;
    TOnStatus OnStatus;
    TNotifyEvent OnConnectionFailed;
    TNotifyEvent OnPacketRecvd;
    TNotifyEvent OnPacketSent;
    TOnSocketError OnSocketError;
    TNotifyEvent OnDataAvailable;
    TNotifyEvent OnAccepted;

    // Run-time state.
    const std::string& StatusText() const { return m_status_text; }
    int LastSocketError() const { return m_last_socket_error; }
    int64_t ReceivedCount() const { return m_received_count; }
    int64_t SentCount() const { return m_sent_count; }
    int16_t ReplyCode() const { return m_reply_code; }
    const std::string& TransactionReply() const { return m_transaction_reply; }
    const std::vector<std::string>& WinsockInfo() const { return m_winsock_info; }
    bool IsConnected() const { return m_connected; }
    // The address of the last resolve, IPv4 in network byte order (0: none).
    uint32_t RemoteAddress() const { return m_remote_address; }

    virtual void Connect();
    virtual void Disconnect();
    virtual std::string Transaction(const std::string& command);
    virtual void Abort();
    void Cancel();

    // Sends the text up to its first NUL byte; 65536 bytes or more are refused.
    void Write(std::string_view text);
    void Writeln(std::string_view text);
    // The next line including its LF; nothing after the LF is taken from the
    // socket. Empty when the peer closed (a partial line is dropped).
    std::string ReadLn();
    void SendFile(const std::string& file_name);
    void CaptureFile(const std::string& file_name);
    // Receives until the peer closes or the text holds `limit` bytes (-1: no limit).
    void CaptureString(std::string& text, int64_t limit = -1);

    // The process's socket-library users (the reference count).
    static int LibraryUsers();

protected:
    void Status(int level, const std::string& text);
    void ResolveHost();
    void CaptureToFile(const std::string& file_name, int64_t limit);
    EventLoop& Loop() { return m_loop; }

    void SetReplyCode(int16_t code) { m_reply_code = code; }
    bool m_lookup_done = false;
    bool m_cancel_requested = false;
    bool m_timed_out = false;
    bool m_last_event_ok = false;
    bool m_destroying = false;

private:
    template <typename Sink> void Capture(Sink&& sink, int64_t limit, const char* abort_text);
    // After a failed recv: true to read again (interrupted, or nothing there
    // yet and now waited for), false when the connection is gone (the read
    // ends as at a close); any other error is reported and thrown.
    bool ReadOnAfterRecvError(int error);
    void SendBytes(const char* data, size_t size, bool count_sent);
    void CreateSocket(bool initial);
    void CloseSocket();
    void DropSocket();
    void ErrorCheck(int error, int expected);
    void UpdateInterest();
    void OnSocketEvent(unsigned events);
    bool WaitForSocket(unsigned events);
    void TimerOn();
    void TimerOff();
    void TimerFired();
    // Counts a running operation: socket readiness then goes to its wait
    // instead of the idle notifications.
    struct Operation;

    EventLoop& m_loop;
    std::string m_host;
    int32_t m_port = 0;
    int32_t m_time_out = 0;
    int32_t m_report_level = 0;
    std::string m_proxy;
    int32_t m_proxy_port = 0;

    std::string m_status_text;
    int m_last_socket_error = 0;
    int64_t m_received_count = 0;
    int64_t m_sent_count = 0;
    int16_t m_reply_code = 0;
    std::string m_transaction_reply;
    std::vector<std::string> m_winsock_info;
    bool m_connected = false;

    int m_socket = -1;
    EventLoop::Id m_watch = 0;
    unsigned m_watch_events = 0;
    bool m_connecting = false;
    bool m_read_notified = false;
    int m_operations = 0;
    unsigned m_wait_events = 0;
    unsigned m_ready_events = 0;
    uint32_t m_remote_address = 0;
    uint32_t m_resolved_address = 0;
    bool m_lookup_ok = false;
    bool m_library_started = false;
    std::unique_ptr<char[]> m_buffer;
    std::unique_ptr<HostLookup> m_lookup;
    TThreadTimer m_timer;
};

}
