#pragma once

// A byte stream with a position: read, write, seek, size.

#include "platform/components/object.h"

#include <cstddef>
#include <cstdint>

namespace pellamo {

enum class SeekOrigin { Begin, Current, End };

class TStream : public TObject {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Up to `count` bytes; fewer at the end of the stream.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // The new position; throws EStreamError for a negative one.
    virtual std::int64_t Seek(std::int64_t offset, SeekOrigin origin) = 0;
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t Position() { return Seek(0, SeekOrigin::Current); }
    void SetPosition(std::int64_t position) { Seek(position, SeekOrigin::Begin); }

    // Exactly `count` bytes or EReadError ("Stream read error").
    void ReadBuffer(void* buffer, std::size_t count);
    // Exactly `count` bytes or EWriteError ("Stream write error").
    void WriteBuffer(const void* buffer, std::size_t count);
    // Copies `count` bytes from the source's position; 0 copies the whole
    // source from its start. Returns the bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

}
