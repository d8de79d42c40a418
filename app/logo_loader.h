#pragma once

#include "net/web_download.h"
#include "platform/gfx/bitmap.h"
#include "platform/loop/event_loop.h"
#include "viewer/logo_cache.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>

namespace pellamo {

// Fetches channel logos in the background: the cache is read and every
// picture decoded on a worker thread, missing ones are downloaded (http and
// https only, at most kParallel at a time, small files only) and kept in
// the cache. Each logo that could be had is handed to `ready` on the loop's
// thread, once; others are forgotten until the program starts again.
class LogoLoader {
public:
    static constexpr size_t kParallel = 4;
    static constexpr int kSmall = 16; // before a name in the trees
    static constexpr int kLarge = 20; // beside the caption bar

    using Ready = std::function<void(const std::string& address, const Bitmap& small, const Bitmap& large)>;

    LogoLoader(LogoCache cache, Ready ready, EventLoop& loop = EventLoop::Main());
    ~LogoLoader();
    LogoLoader(const LogoLoader&) = delete;
    LogoLoader& operator=(const LogoLoader&) = delete;

    // Asks for a logo; addresses asked for before, and any other than http
    // and https, are passed over.
    void Want(const std::string& address);
    // For tests: no job waiting, downloading or decoding.
    bool Idle() const;

    static bool Fetchable(const std::string& address);

private:
    struct Job {
        std::string address;
        bool downloaded = false;
        std::string bytes;
    };
    void Work();
    void StartDownloads();
    struct Pictures {
        Bitmap small, large;
    };
    void Finished(const std::string& address, std::optional<Pictures> pictures, bool missing);

    LogoCache cache_;
    Ready ready_;
    EventLoop& loop_;
    WebDownload::Limits limits_;
    std::unique_ptr<WebDownload> web_; // started with the first download
    std::set<std::string> asked_;
    std::deque<std::string> to_download_;
    size_t downloading_ = 0;
    size_t in_worker_ = 0; // jobs handed to the worker and not yet back

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stop_ = false;
    std::thread worker_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
