#include "viewer/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace pellamo {

namespace fs = std::filesystem;

namespace {

std::string ErrorText(int error) { return std::strerror(error); }

}

void WriteFileAtomically(const fs::path& file, std::string_view content)
{
    fs::path folder = file.parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw std::runtime_error("Cannot make " + folder.string() + ": " + ec.message());
    // Appended piece by piece: GCC 12 at -O3 takes "." + name + "..." for an overlapping copy.
    std::string name = ".";
    name.append(file.filename().string()).append(".XXXXXX");
    std::string temp = (folder / name).string();
    int fd = mkstemp(temp.data());
    if (fd < 0)
        throw std::runtime_error("Cannot write in " + folder.string() + ": " + ErrorText(errno));
    size_t done = 0;
    int error = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (!error && fsync(fd) != 0)
        error = errno;
    fchmod(fd, 0644);
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && std::rename(temp.c_str(), file.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        throw std::runtime_error("Cannot write " + file.string() + ": " + ErrorText(error));
    }
    // The rename itself is on the disk once the folder is.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
}

std::optional<std::string> ReadSmallFile(const fs::path& file, size_t max_bytes)
{
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw std::runtime_error("Cannot read " + file.string() + ": " + ErrorText(errno));
    }
    struct stat info { };
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw std::runtime_error("Cannot read " + file.string() + ": not a regular file");
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int error = errno;
            ::close(fd);
            throw std::runtime_error("Cannot read " + file.string() + ": " + ErrorText(error));
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<size_t>(n) > max_bytes) {
            ::close(fd);
            throw std::runtime_error("Cannot read " + file.string() + ": too large");
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

}
