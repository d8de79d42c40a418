#include "viewer/background_writer.h"

#include "viewer/atomic_file.h"

#include <stdexcept>

namespace pellamo {

BackgroundWriter::BackgroundWriter(Failed failed)
    : failed_(std::move(failed))
{
}

BackgroundWriter::~BackgroundWriter()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void BackgroundWriter::Write(const std::filesystem::path& file, std::string content)
{
    {
        std::lock_guard lock(mutex_);
        pending_[file] = std::move(content);
        if (!thread_.joinable())
            thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
}

void BackgroundWriter::Flush()
{
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return pending_.empty() && !busy_; });
}

void BackgroundWriter::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !pending_.empty(); });
        if (pending_.empty()) // stopping, everything written
            return;
        auto first = pending_.begin();
        std::filesystem::path file = first->first;
        std::string content = std::move(first->second);
        pending_.erase(first);
        busy_ = true;
        lock.unlock();
        std::string why;
        try {
            WriteFileAtomically(file, content);
        } catch (const std::exception& e) {
            why = e.what();
        }
        if (!why.empty() && failed_)
            failed_(why);
        lock.lock();
        busy_ = false;
        done_.notify_all();
    }
}

}
