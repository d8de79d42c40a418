#pragma once

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace pellamo {

// Writes small files on a thread of its own, so that the flush to the disk
// that every atomic write ends with never holds up the user interface.
// A file asked for again before it was written is written once, with the
// newest content. The destructor writes what is still waiting.
class BackgroundWriter {
public:
    // Called on the writer's thread with the reason a file could not be written.
    using Failed = std::function<void(const std::string& why)>;

    explicit BackgroundWriter(Failed failed = {});
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    void Write(const std::filesystem::path& file, std::string content);
    // Waits until everything asked for so far is on the disk.
    void Flush();

private:
    void Run();

    Failed failed_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::map<std::filesystem::path, std::string> pending_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread thread_;
};

}
