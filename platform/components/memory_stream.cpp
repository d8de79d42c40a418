#include "platform/components/memory_stream.h"

#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"
#include "platform/components/file_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace pellamo {

namespace {

// Memory blocks stay far below this; a larger request is a bad size read
// from outside input, not something to allocate.
constexpr std::int64_t kMaxSize = std::int64_t { 1 } << 40;

}

const ClassInfo& TMemoryStream::StaticClass()
{
    static const ClassInfo info("TMemoryStream", &TStream::StaticClass());
    return info;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    std::int64_t size = Size();
    if (position_ >= size || count == 0)
        return 0;
    std::size_t n
        = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(count), size - position_));
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += static_cast<std::int64_t>(n);
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0)
        return 0;
    if (static_cast<std::int64_t>(count) > kMaxSize - position_)
        throw EWriteError("Stream write error");
    std::int64_t end = position_ + static_cast<std::int64_t>(count);
    if (end > Size())
        data_.resize(static_cast<std::size_t>(end));
    std::memcpy(data_.data() + position_, buffer, count);
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, SeekOrigin origin)
{
    std::int64_t base = origin == SeekOrigin::Begin ? 0 : (origin == SeekOrigin::Current ? position_ : Size());
    if ((offset > 0 && base > kMaxSize - offset) || base + offset < 0)
        throw EStreamError("Invalid stream position");
    position_ = base + offset;
    return position_;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    if (size < 0 || size > kMaxSize)
        throw EStreamError("Invalid stream size");
    data_.resize(static_cast<std::size_t>(size));
    position_ = std::min(position_, size);
}

void TMemoryStream::Clear()
{
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    std::int64_t size = source.Size();
    SetSize(size);
    if (size > 0)
        source.ReadBuffer(data_.data(), static_cast<std::size_t>(size));
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) const
{
    if (!data_.empty())
        dest.WriteBuffer(data_.data(), data_.size());
}

void TMemoryStream::LoadFromFile(const std::string& file_name)
{
    TFileStream file(file_name, TFileStream::fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& file_name) const
{
    TFileStream file(file_name, TFileStream::fmCreate);
    SaveToStream(file);
}

}
