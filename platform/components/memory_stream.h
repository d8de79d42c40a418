#pragma once

// A stream over a growable block of memory. Writing past the end grows it;
// seeking past the end is allowed and a later write fills the gap with
// zeros.

#include "platform/components/stream.h"

#include <string>
#include <vector>

namespace pellamo {

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    void SetSize(std::int64_t size) override;

    const std::vector<std::uint8_t>& Data() const { return data_; }
    std::uint8_t* Memory() { return data_.data(); }
    void Clear();

    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest) const;
    // Throw EFOpenError when the file cannot be opened.
    void LoadFromFile(const std::string& file_name);
    void SaveToFile(const std::string& file_name) const;

private:
    std::vector<std::uint8_t> data_;
    std::int64_t position_ = 0;
};

}
