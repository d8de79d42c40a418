#include "net/web_download.h"

#include "net/curl_library.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace pellamo {

namespace {

std::string SizeText(uint64_t bytes) { return std::to_string(bytes / (1024 * 1024)) + " MB"; }
}

struct WebDownload::Transfer {
    Id id = 0;
    CURL* easy = nullptr;
    std::string body;
    // Downloads into a file: its descriptor (-1 for memory) and name.
    int fd = -1;
    std::string file;
    uint64_t max_bytes = 0;
    uint64_t written = 0;
    int write_error = 0; // errno of a failed write
    char error[CURL_ERROR_SIZE] = {};
    bool too_large = false;
    Progress progress;
    bool progress_posted = false;
    ProgressHandler on_progress;
    DoneHandler on_done;
    WebDownload* owner = nullptr;

    ~Transfer()
    {
        if (easy)
            owner->curl_.Api().easy_cleanup(easy);
        if (fd >= 0) {
            close(fd);
            if (!kept)
                unlink(file.c_str());
        }
    }
    bool kept = false; // the file is the caller's now

    static size_t Write(char* data, size_t size, size_t count, void* self)
    {
        auto* t = static_cast<Transfer*>(self);
        size_t n = size * count;
        if (t->fd >= 0) {
            if (t->written + n > t->max_bytes) {
                t->too_large = true;
                return 0;
            }
            for (size_t done = 0; done < n;) {
                ssize_t w = write(t->fd, data + done, n - done);
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0) {
                    t->write_error = w < 0 ? errno : ENOSPC;
                    return 0;
                }
                done += static_cast<size_t>(w);
            }
            t->written += n;
            return n;
        }
        if (t->body.size() + n > t->owner->limits_.max_bytes) {
            t->too_large = true;
            return 0; // ends the transfer
        }
        t->body.append(data, n);
        return n;
    }

    static int Info(void* self, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
    {
        auto* t = static_cast<Transfer*>(self);
        Progress p { static_cast<uint64_t>(now), static_cast<uint64_t>(total) };
        if (p.received != t->progress.received || p.total != t->progress.total) {
            t->progress = p;
            // Told from the loop, outside curl, at most once a pass.
            if (t->on_progress && !t->progress_posted) {
                t->progress_posted = true;
                t->owner->loop_.Post([alive = std::weak_ptr<bool>(t->owner->alive_), owner = t->owner, id = t->id] {
                    if (!alive.expired())
                        owner->ReportProgress(id);
                });
            }
        }
        return 0;
    }
};

WebDownload::WebDownload(EventLoop& loop)
    : WebDownload(loop, Limits {})
{
}

WebDownload::WebDownload(EventLoop& loop, Limits limits)
    : WebDownload(loop, std::move(limits), CurlLibrary::Shared())
{
}

WebDownload::WebDownload(EventLoop& loop, Limits limits, const CurlLibrary& curl)
    : loop_(loop)
    , limits_(std::move(limits))
    , curl_(curl)
{
    if (!curl_.Usable())
        return; // every download fails with the reason
    const CurlApi& api = curl_.Api();
    multi_ = api.multi_init();
    if (!multi_)
        throw std::runtime_error("Cannot start libcurl");
    api.multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &WebDownload::OnSocket);
    api.multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    api.multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &WebDownload::OnTimer);
    api.multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
}

WebDownload::~WebDownload()
{
    *alive_ = false;
    alive_.reset();
    for (auto& [id, transfer] : transfers_) {
        if (transfer->easy)
            curl_.Api().multi_remove_handle(multi_, transfer->easy);
    }
    transfers_.clear();
    if (multi_)
        curl_.Api().multi_cleanup(multi_);
    for (auto& [fd, watch] : sockets_)
        loop_.UnwatchDescriptor(watch);
    if (timer_)
        loop_.StopTimer(timer_);
}

WebDownload::Id WebDownload::Start(const std::string& url, ProgressHandler progress, DoneHandler done)
{
    auto transfer = std::make_unique<Transfer>();
    transfer->max_bytes = limits_.max_bytes;
    return Begin(url, std::move(transfer), std::move(progress), std::move(done));
}

WebDownload::Id WebDownload::StartToFile(
    const std::string& url, const std::string& file, uint64_t max_bytes, ProgressHandler progress, DoneHandler done)
{
    auto transfer = std::make_unique<Transfer>();
    transfer->max_bytes = max_bytes;
    transfer->file = file;
    transfer->fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (transfer->fd < 0) {
        const std::string why = std::strerror(errno);
        transfer->id = next_id_++;
        transfer->owner = this;
        transfer->on_done = std::move(done);
        Id id = transfer->id;
        transfers_[id] = std::move(transfer);
        Result result;
        result.error = "cannot write " + file + ": " + why;
        PostFinish(id, std::move(result));
        return id;
    }
    return Begin(url, std::move(transfer), std::move(progress), std::move(done));
}

WebDownload::Id WebDownload::Begin(
    const std::string& url, std::unique_ptr<Transfer> transfer, ProgressHandler progress, DoneHandler done)
{
    transfer->id = next_id_++;
    transfer->owner = this;
    transfer->on_progress = std::move(progress);
    transfer->on_done = std::move(done);
    Id id = transfer->id;
    if (!multi_) {
        transfers_[id] = std::move(transfer);
        Result result;
        result.error = curl_.Error();
        PostFinish(id, std::move(result));
        return id;
    }
    const CurlApi& api = curl_.Api();
    CURL* easy = transfer->easy = api.easy_init();
    if (!easy)
        throw std::runtime_error("Cannot start libcurl");
    api.easy_setopt(easy, CURLOPT_URL, url.c_str());
    api.easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    api.easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    api.easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    api.easy_setopt(easy, CURLOPT_MAXREDIRS, 5L);
    api.easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    api.easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    api.easy_setopt(easy, CURLOPT_USERAGENT, "Pellamo/0.1");
    api.easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits_.connect_timeout.count()));
    api.easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    api.easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits_.stall_timeout.count()));
    api.easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(transfer->max_bytes));
    if (!limits_.ca_file.empty())
        api.easy_setopt(easy, CURLOPT_CAINFO, limits_.ca_file.c_str());
    api.easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer->error);
    api.easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::Write);
    api.easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
    api.easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    api.easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Transfer::Info);
    api.easy_setopt(easy, CURLOPT_XFERINFODATA, transfer.get());
    api.easy_setopt(easy, CURLOPT_PRIVATE, transfer.get());
    if (api.multi_add_handle(multi_, easy) != CURLM_OK)
        throw std::runtime_error("Cannot start the download of " + url);
    transfers_[id] = std::move(transfer);
    return id;
}

void WebDownload::Cancel(Id id)
{
    auto it = transfers_.find(id);
    if (it == transfers_.end())
        return;
    if (it->second->easy)
        curl_.Api().multi_remove_handle(multi_, it->second->easy);
    transfers_.erase(it);
}

int WebDownload::OnSocket(void*, int fd, int what, void* self_ptr, void*)
{
    auto* self = static_cast<WebDownload*>(self_ptr);
    auto it = self->sockets_.find(fd);
    if (what == CURL_POLL_REMOVE) {
        if (it != self->sockets_.end()) {
            self->loop_.UnwatchDescriptor(it->second);
            self->sockets_.erase(it);
        }
        return 0;
    }
    unsigned events
        = (what & CURL_POLL_IN ? EventLoop::kReadable : 0u) | (what & CURL_POLL_OUT ? EventLoop::kWritable : 0u);
    if (it != self->sockets_.end()) {
        self->loop_.SetDescriptorEvents(it->second, events);
    } else {
        self->sockets_[fd]
            = self->loop_.WatchDescriptor(fd, events, [self, fd](unsigned ready) { self->SocketReady(fd, ready); });
    }
    return 0;
}

int WebDownload::OnTimer(void*, long timeout_ms, void* self_ptr)
{
    auto* self = static_cast<WebDownload*>(self_ptr);
    if (self->timer_) {
        self->loop_.StopTimer(self->timer_);
        self->timer_ = 0;
    }
    if (timeout_ms >= 0) {
        self->timer_ = self->loop_.StartTimer(
            std::chrono::milliseconds(timeout_ms),
            [self] {
                self->timer_ = 0;
                self->TimerFired();
            },
            false);
    }
    return 0;
}

void WebDownload::SocketReady(int fd, unsigned events)
{
    int flags = (events & EventLoop::kReadable ? CURL_CSELECT_IN : 0)
        | (events & EventLoop::kWritable ? CURL_CSELECT_OUT : 0) | (events & EventLoop::kError ? CURL_CSELECT_ERR : 0);
    int running = 0;
    curl_.Api().multi_socket_action(multi_, fd, flags, &running);
    Collect();
}

void WebDownload::TimerFired()
{
    int running = 0;
    curl_.Api().multi_socket_action(multi_, CURL_SOCKET_TIMEOUT, 0, &running);
    Collect();
}

void WebDownload::Collect()
{
    int left = 0;
    std::vector<std::pair<Id, Result>> finished;
    while (CURLMsg* message = curl_.Api().multi_info_read(multi_, &left)) {
        if (message->msg != CURLMSG_DONE)
            continue;
        Transfer* t = nullptr;
        curl_.Api().easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &t);
        if (!t)
            continue;
        Result result;
        curl_.Api().easy_getinfo(t->easy, CURLINFO_RESPONSE_CODE, &result.status);
        CURLcode code = message->data.result;
        if (t->too_large || code == CURLE_FILESIZE_EXCEEDED) {
            result.error = "the file is larger than " + SizeText(t->max_bytes);
        } else if (t->write_error) {
            result.error = "cannot write " + t->file + ": " + std::strerror(t->write_error);
        } else if (code != CURLE_OK) {
            result.error = t->error[0] ? t->error : curl_.Api().easy_strerror(code);
        } else if (result.status >= 400) {
            result.error = "the server answered HTTP " + std::to_string(result.status);
        } else {
            result.ok = true;
            result.body = std::move(t->body);
        }
        curl_.Api().multi_remove_handle(multi_, t->easy);
        finished.emplace_back(t->id, std::move(result));
    }
    for (auto& done : finished)
        PostFinish(done.first, std::move(done.second));
}

void WebDownload::PostFinish(Id id, Result result)
{
    loop_.Post([alive = std::weak_ptr<bool>(alive_), this, id, result = std::move(result)]() mutable {
        if (!alive.expired())
            Finish(id, std::move(result));
    });
}

void WebDownload::Finish(Id id, Result result)
{
    auto it = transfers_.find(id);
    if (it == transfers_.end())
        return; // cancelled meanwhile
    std::unique_ptr<Transfer> transfer = std::move(it->second);
    transfers_.erase(it);
    transfer->kept = result.ok;
    if (transfer->on_done)
        transfer->on_done(std::move(result));
}

void WebDownload::ReportProgress(Id id)
{
    auto it = transfers_.find(id);
    if (it == transfers_.end())
        return;
    Transfer& t = *it->second;
    t.progress_posted = false;
    Progress progress = t.progress;
    ProgressHandler handler = t.on_progress;
    handler(progress);
}

}
