#include "guide/guide_worker.h"

#include "guide/guide_import.h"

#include <chrono>
#include <memory>

namespace pellamo {

namespace {

int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}

GuideWorker::GuideWorker(EventLoop& loop, std::filesystem::path database)
    : loop_(loop)
    , database_(std::move(database))
{
}

GuideWorker::~GuideWorker()
{
    *alive_ = false;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    cancel_ = true;
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void GuideWorker::Queue(Job job)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
        if (!thread_.joinable())
            thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
}

void GuideWorker::Run()
{
    // The database is opened here, on the thread that writes it; when it
    // cannot be, each job reports why, and the next job tries again.
    std::unique_ptr<GuideStore> store;
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_)
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        std::string open_error;
        if (!store) {
            try {
                store = std::make_unique<GuideStore>(database_);
            } catch (const GuideError& e) {
                open_error = e.what();
            } catch (const std::bad_alloc&) {
                open_error = "There is not enough memory for the guide.";
            }
        }
        job(store.get(), open_error);
    }
}

void GuideWorker::Queue(
    std::string source, std::function<void(GuideStore&, Report&)> work, DoneHandler done, std::function<void()> after)
{
    ++pending_;
    auto finish = [this, alive = std::weak_ptr<bool>(alive_), done = std::move(done)](Report report) {
        if (alive.expired())
            return;
        --pending_;
        if (done)
            done(std::move(report));
    };
    Queue([this, source = std::move(source), work = std::move(work), finish = std::move(finish),
              after = std::move(after)](GuideStore* store, const std::string& open_error) {
        Report report;
        report.source = source;
        if (!store) {
            report.error = open_error;
        } else {
            try {
                work(*store, report);
                report.ok = true;
            } catch (const GuideError& e) {
                report.error = e.what();
            } catch (const std::bad_alloc&) {
                report.error = "There is not enough memory for the guide.";
            }
            report.note = store->Note();
        }
        if (after)
            after();
        loop_.Post([finish, report = std::move(report)]() mutable { finish(std::move(report)); });
        // Housekeeping once the viewer has the news: old programmes go, and
        // the write-ahead log is emptied into the file.
        if (store) {
            try {
                store->Prune(Now());
                store->Checkpoint();
            } catch (const GuideError&) {
                // A reader holds an old snapshot: the next job tries again.
            }
        }
    });
}

void GuideWorker::Import(
    std::string source, std::filesystem::path file, bool remove_file, ProgressHandler progress, DoneHandler done)
{
    auto shown = std::make_shared<std::atomic<int>>(-1);
    auto alive = std::weak_ptr<bool>(alive_);
    Queue(
        source,
        [this, source, file, progress, shown, alive](GuideStore& store, Report& report) {
            GuideImportOptions options;
            options.now = Now();
            options.cancelled = [this] { return cancel_.load(); };
            if (progress) {
                options.progress = [this, progress, shown, alive](double share) {
                    int percent = static_cast<int>(share * 100);
                    // Told at most once a percent: the loop is not flooded.
                    if (shown->exchange(percent) == percent)
                        return;
                    loop_.Post([progress, percent, alive] {
                        if (!alive.expired())
                            progress(percent);
                    });
                };
            }
            report.counts = ImportGuideFile(store, source, file, options);
        },
        std::move(done),
        [file, remove_file] {
            std::error_code ignored;
            if (remove_file)
                std::filesystem::remove(file, ignored);
        });
}

void GuideWorker::Remove(std::string source, DoneHandler done)
{
    Queue(source, [source](GuideStore& store, Report&) { store.Remove(source); }, std::move(done), {});
}

void GuideWorker::Prune(DoneHandler done)
{
    Queue({}, [](GuideStore&, Report&) {}, std::move(done), {}); // pruned after every job
}

}
