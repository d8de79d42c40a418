#include "platform/components/file_stream.h"

#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellamo {

const ClassInfo& TFileStream::StaticClass()
{
    static const ClassInfo info("TFileStream", &TStream::StaticClass());
    return info;
}

TFileStream::TFileStream(const std::string& file_name, Mode mode)
    : file_name_(file_name)
{
    int flags = O_CLOEXEC;
    switch (mode) {
    case fmCreate:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    case fmOpenRead:
        flags |= O_RDONLY;
        break;
    case fmOpenWrite:
        flags |= O_WRONLY;
        break;
    case fmOpenReadWrite:
        flags |= O_RDWR;
        break;
    }
    do
        fd_ = ::open(file_name.c_str(), flags, 0644);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0)
        throw EFOpenError("Cannot open file \"" + file_name + "\". " + std::strerror(errno));
    struct stat st { };
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        throw EFOpenError("Cannot open file \"" + file_name + "\". It is a directory");
    }
}

std::unique_ptr<TFileStream> TFileStream::CreateNew(const std::string& file_name)
{
    int fd;
    do
        fd = ::open(file_name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == EEXIST)
            return nullptr;
        throw EFOpenError("Cannot create file \"" + file_name + "\". " + std::strerror(errno));
    }
    return std::unique_ptr<TFileStream>(new TFileStream(file_name, fd));
}

TFileStream::~TFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count)
{
    for (;;) {
        ssize_t n = ::read(fd_, buffer, count);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            return 0;
    }
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count)
{
    for (;;) {
        ssize_t n = ::write(fd_, buffer, count);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            return 0;
    }
}

std::int64_t TFileStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    int whence = origin == SeekOrigin::Begin ? SEEK_SET : (origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END);
    off_t r = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (r < 0)
        throw EStreamError("Invalid stream position");
    return static_cast<std::int64_t>(r);
}

std::int64_t TFileStream::Size()
{
    struct stat st { };
    if (::fstat(fd_, &st) != 0)
        throw EStreamError("Cannot get the size of \"" + file_name_ + "\"");
    return static_cast<std::int64_t>(st.st_size);
}

void TFileStream::SetSize(std::int64_t size)
{
    if (size < 0 || ::ftruncate(fd_, static_cast<off_t>(size)) != 0)
        throw EStreamError("Cannot set the size of \"" + file_name_ + "\"");
    if (Position() > size)
        SetPosition(size);
}

}
