#pragma once

#include "guide/guide_store.h"
#include "platform/loop/event_loop.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace pellamo {

// The guide's one writer: a thread of its own that opens the database and
// runs imports, so the window never waits on the disk or the parser. Jobs
// run one after another; their progress and results are handed to the
// loop, and handlers run there.
class GuideWorker {
public:
    struct Report {
        std::string source;
        bool ok = false;
        std::string error; // a sentence when !ok
        std::string note; // something the viewer should know even when ok
        GuideSourceCounts counts;
    };
    using ProgressHandler = std::function<void(int percent)>;
    using DoneHandler = std::function<void(Report)>;

    GuideWorker(EventLoop& loop, std::filesystem::path database);
    // Stops the job under way (its transaction rolled back) and waits for
    // the thread; handlers not yet run are dropped.
    ~GuideWorker();
    GuideWorker(const GuideWorker&) = delete;
    GuideWorker& operator=(const GuideWorker&) = delete;

    // Imports the guide file as everything `source` gives. With
    // `remove_file` the file is deleted afterwards, whatever came of it.
    void Import(
        std::string source, std::filesystem::path file, bool remove_file, ProgressHandler progress, DoneHandler done);
    // Forgets everything `source` gave.
    void Remove(std::string source, DoneHandler done);
    // Removes programmes that ended more than a day ago.
    void Prune(DoneHandler done);

    const std::filesystem::path& Database() const { return database_; }
    bool Busy() const { return pending_ != 0; }

private:
    // A job gets the store, or null and why it could not be opened.
    using Job = std::function<void(GuideStore*, const std::string&)>;
    void Queue(Job job);
    void Run();
    // Runs `work` on the worker, then `after` (may be empty) whatever came
    // of it; `done` gets the report on the loop.
    void Queue(std::string source, std::function<void(GuideStore&, Report&)> work, DoneHandler done,
        std::function<void()> after);

    EventLoop& loop_;
    std::filesystem::path database_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::atomic<bool> cancel_ { false };
    int pending_ = 0; // jobs queued or running; touched on the loop only
    std::thread thread_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
