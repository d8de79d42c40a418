#pragma once

// A stream over a file, unbuffered.

#include "platform/components/stream.h"

#include <memory>
#include <string>

namespace pellamo {

class TFileStream : public TStream {
public:
    enum Mode {
        fmCreate, // create or truncate, read and write
        fmOpenRead, // existing file, read only
        fmOpenWrite, // existing file, write only
        fmOpenReadWrite // existing file, read and write
    };

    // Throws EFOpenError ("Cannot open file \"name\". reason").
    TFileStream(const std::string& file_name, Mode mode);
    ~TFileStream() override;

    // A new file only this user may read (mode 0600), read and write.
    // Returns null when the name is taken by anything, a link included
    // (never followed, even when it points nowhere); throws EFOpenError for
    // any other failure.
    static std::unique_ptr<TFileStream> CreateNew(const std::string& file_name);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override;
    void SetSize(std::int64_t size) override;

    const std::string& FileName() const { return file_name_; }

private:
    TFileStream(const std::string& file_name, int fd)
        : file_name_(file_name)
        , fd_(fd)
    {
    }

    std::string file_name_;
    int fd_ = -1;
};

}
