#include "guide/guide_import.h"

#include "guide/guide_decompressor.h"
#include "guide/guide_error.h"
#include "guide/xmltv_reader.h"
#include "platform/base/scope_exit.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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
                source, [&](XmltvSink& sink) { ReadInto(sink, fd, size, options, reader_skipped); }, options.now);
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
