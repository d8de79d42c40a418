#include "guide/guide_import.h"

#include "guide/guide_decompressor.h"
#include "guide/guide_error.h"
#include "guide/xmltv_reader.h"
#include "platform/base/scope_exit.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <variant>
#include <vector>

namespace pellamo {

namespace {

class Cancelled : public GuideError {
public:
    Cancelled()
        : GuideError("The guide's import was stopped.")
    {
    }
};

// Feeds the file through the decompressor into the reader, which hands
// channels and programmes to `sink`.
void ReadInto(XmltvSink& sink, int fd, uint64_t size, const GuideImportOptions& options, uint64_t& reader_skipped)
{
    XmltvReader reader(sink);
    GuideDecompressor decompressor([&](std::string_view text) { reader.Feed(text); });
    std::vector<char> buffer(256 * 1024);
    uint64_t done = 0;
    for (;;) {
        if (options.cancelled && options.cancelled())
            throw Cancelled();
        ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw GuideError(std::string("The guide file could not be read: ") + std::strerror(errno) + ".");
        }
        if (n == 0)
            break;
        decompressor.Feed(std::string_view(buffer.data(), static_cast<size_t>(n)));
        done += static_cast<uint64_t>(n);
        if (options.progress && size > 0)
            options.progress(static_cast<double>(std::min(done, size)) / static_cast<double>(size));
    }
    decompressor.Finish();
    reader.Finish();
    reader_skipped = reader.Seen().skipped;
}

// Reading and storing overlap: the file is decompressed and parsed on a
// thread of its own, which hands batches over to the thread that writes
// the database. A few batches in flight bound the memory.
class Pipe : public XmltvSink {
public:
    using Item = std::variant<GuideChannel, GuideProgramme>;

    // Runs `read` (which feeds this sink) on the reading thread.
    explicit Pipe(std::function<void(XmltvSink&)> read)
    {
        batch_.reserve(kBatch);
        thread_ = std::thread([this, read = std::move(read)] {
            std::exception_ptr failure;
            try {
                read(*this);
                Push();
            } catch (...) {
                failure = std::current_exception();
            }
            std::lock_guard lock(mutex_);
            failure_ = failure;
            finished_ = true;
            changed_.notify_all();
        });
    }

    ~Pipe()
    {
        {
            std::lock_guard lock(mutex_);
            abandoned_ = true;
            changed_.notify_all();
        }
        thread_.join();
    }

    // Hands everything read to `sink` on this thread; throws what either
    // side threw.
    void DrainInto(XmltvSink& sink)
    {
        for (;;) {
            std::vector<Item> batch;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return !full_.empty() || finished_; });
                if (full_.empty()) {
                    if (failure_)
                        std::rethrow_exception(failure_);
                    return;
                }
                batch = std::move(full_.front());
                full_.pop_front();
                changed_.notify_all();
            }
            for (Item& item : batch) {
                if (auto* channel = std::get_if<GuideChannel>(&item))
                    sink.Channel(std::move(*channel));
                else
                    sink.Programme(std::move(std::get<GuideProgramme>(item)));
            }
        }
    }

    void Channel(GuideChannel channel) override { Add(std::move(channel)); }
    void Programme(GuideProgramme programme) override { Add(std::move(programme)); }

private:
    static constexpr size_t kBatch = 512;
    static constexpr size_t kInFlight = 8;

    void Add(Item item)
    {
        batch_.push_back(std::move(item));
        if (batch_.size() >= kBatch)
            Push();
    }

    void Push()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return full_.size() < kInFlight || abandoned_; });
        if (abandoned_)
            throw Cancelled(); // the writer gave up: stop reading
        if (!batch_.empty())
            full_.push_back(std::move(batch_));
        batch_ = {};
        batch_.reserve(kBatch);
        changed_.notify_all();
    }

    std::vector<Item> batch_; // the reading thread's own
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<Item>> full_;
    bool finished_ = false;
    bool abandoned_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};
}

GuideSourceCounts ImportGuideFile(
    GuideStore& store, std::string_view source, const std::filesystem::path& file, const GuideImportOptions& options)
{
    for (int attempt = 0;; ++attempt) {
        int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            throw GuideError(
                "The guide file " + file.filename().string() + " could not be opened: " + std::strerror(errno) + ".");
        ScopeExit close_file([fd] { close(fd); });
        struct stat info { };
        uint64_t size = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? static_cast<uint64_t>(info.st_size) : 0;
        try {
            uint64_t reader_skipped = 0;
            GuideSourceCounts counts = store.Replace(
                source,
                [&](XmltvSink& sink) {
                    Pipe pipe([&](XmltvSink& reading) { ReadInto(reading, fd, size, options, reader_skipped); });
                    pipe.DrainInto(sink);
                },
                options.now);
            counts.skipped += reader_skipped;
            return counts;
        } catch (const SqliteError& e) {
            if (!e.Damaged() || attempt > 0)
                throw;
            store.SetAside();
        }
    }
}

}
