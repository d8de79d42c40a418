#include "platform/components/stream.h"

#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"

#include <algorithm>
#include <vector>

namespace pellamo {

const ClassInfo& TStream::StaticClass()
{
    static const ClassInfo info("TStream", &TObject::StaticClass());
    return info;
}

std::int64_t TStream::Size()
{
    std::int64_t here = Seek(0, SeekOrigin::Current);
    std::int64_t end = Seek(0, SeekOrigin::End);
    Seek(here, SeekOrigin::Begin);
    return end;
}

void TStream::ReadBuffer(void* buffer, std::size_t count)
{
    auto* out = static_cast<unsigned char*>(buffer);
    while (count > 0) {
        std::size_t n = Read(out, count);
        if (n == 0)
            throw EReadError("Stream read error");
        out += n;
        count -= n;
    }
}

void TStream::WriteBuffer(const void* buffer, std::size_t count)
{
    auto* in = static_cast<const unsigned char*>(buffer);
    while (count > 0) {
        std::size_t n = Write(in, count);
        if (n == 0)
            throw EWriteError("Stream write error");
        in += n;
        count -= n;
    }
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count < 0)
        throw EStreamError("Invalid copy count");
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<unsigned char> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 64 * 1024)));
    std::int64_t left = count;
    while (left > 0) {
        std::size_t n
            = static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(buffer.size())));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= static_cast<std::int64_t>(n);
    }
    return count;
}

}
