#pragma once

// Theme files written byte by byte, for tests that need exact or damaged
// files.

#include <cstdint>
#include <string>
#include <vector>

namespace pellamo::test {

class ThemeBytes {
public:
    std::vector<uint8_t> bytes;

    // The 24-byte header with its usual values.
    static ThemeBytes WithHeader(uint32_t header_size = 24, uint32_t first = 24)
    {
        ThemeBytes t;
        std::string mark = "PelSkin_TB";
        t.bytes.assign(mark.begin(), mark.end());
        t.bytes.resize(12, 0);
        t.U32(header_size).U32(1).U32(first);
        return t;
    }

    ThemeBytes& U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }

    // A record header: its fields as given.
    ThemeBytes& RecordHeader(const std::string& name, uint8_t kind, uint32_t data, uint32_t size, uint32_t next)
    {
        std::string field = name.substr(0, 64);
        bytes.insert(bytes.end(), field.begin(), field.end());
        bytes.insert(bytes.end(), 64 - field.size(), 0);
        bytes.push_back(kind);
        return U32(data).U32(size).U32(next);
    }

    // A well-formed record with its data right behind it.
    ThemeBytes& Record(const std::string& name, uint8_t kind, const std::vector<uint8_t>& data)
    {
        uint32_t offset = static_cast<uint32_t>(bytes.size() + 77);
        RecordHeader(
            name, kind, offset, static_cast<uint32_t>(data.size()), offset + static_cast<uint32_t>(data.size()));
        bytes.insert(bytes.end(), data.begin(), data.end());
        return *this;
    }

    ThemeBytes& End() { return RecordHeader("", 2, 0, 0, 0); }
};

}
