#include "skin/theme_data/theme_file_writer.h"

#include "platform/components/component_errors.h"
#include "platform/components/file_stream.h"
#include "platform/text/same_text.h"
#include "skin/theme_data/theme_file_format.h"

#include <algorithm>
#include <cstring>

namespace pellamo {

namespace {

using namespace theme_file;

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutRecord(std::vector<uint8_t>& out, const std::string& name, Kind kind, std::span<const uint8_t> data)
{
    if (out.size() + kRecordHeaderSize + data.size() > UINT32_MAX)
        throw EWriteError("Stream write error: a theme file cannot exceed 4 GiB");
    uint32_t data_offset = static_cast<uint32_t>(out.size() + kRecordHeaderSize);
    size_t name_length = std::min(name.size(), kNameSize);
    out.insert(out.end(), name.begin(), name.begin() + static_cast<std::ptrdiff_t>(name_length));
    out.insert(out.end(), kNameSize - name_length, 0);
    out.push_back(kind);
    PutU32(out, data_offset);
    PutU32(out, static_cast<uint32_t>(data.size()));
    PutU32(out, static_cast<uint32_t>(data_offset + data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

// The value of the first entry of that name.
template <class T> const T& FirstValue(const std::vector<std::pair<std::string, T>>& entries, const std::string& name)
{
    for (const auto& [key, value] : entries)
        if (SameText(key, name))
            return value;
    return entries.front().second; // not reached: the name itself is in the list
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    TFileStream file(path, TFileStream::fmOpenRead);
    std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

}

TsuiThemeFileWriter::TsuiThemeFileWriter(std::string file_name)
    : file_name_(std::move(file_name))
{
}

TsuiThemeFileWriter::~TsuiThemeFileWriter()
{
    if (!unsaved_)
        return;
    try {
        Save();
    } catch (...) {
        // A destructor must not throw; Save reports failures to its callers.
    }
}

void TsuiThemeFileWriter::AddFile(const std::string& name, const std::string& path)
{
    files_.push_back({ name, path, false, {} });
    unsaved_ = true;
}

void TsuiThemeFileWriter::AddFileData(const std::string& name, std::span<const uint8_t> bytes)
{
    files_.push_back({ name, {}, true, std::vector<uint8_t>(bytes.begin(), bytes.end()) });
    unsaved_ = true;
}

void TsuiThemeFileWriter::AddInteger(const std::string& name, int32_t value)
{
    integers_.emplace_back(name, value);
    unsaved_ = true;
}

void TsuiThemeFileWriter::AddBool(const std::string& name, bool value)
{
    bools_.emplace_back(name, value);
    unsaved_ = true;
}

void TsuiThemeFileWriter::AddStr(const std::string& name, const std::string& value)
{
    strings_.emplace_back(name, value);
    unsaved_ = true;
}

std::vector<uint8_t> TsuiThemeFileWriter::Build() const
{
    // The mark, zero-padded to its field (made at its full size at once:
    // growing it from the mark trips GCC 12's bounds warning at -O3).
    std::vector<uint8_t> out(kMarkSize, 0);
    std::copy_n(kMark, sizeof kMark - 1, out.begin());
    PutU32(out, kHeaderSize);
    PutU32(out, 1);
    PutU32(out, kHeaderSize);

    for (const FileEntry& entry : files_) {
        const FileEntry& first = *std::find_if(
            files_.begin(), files_.end(), [&](const FileEntry& e) { return SameText(e.name, entry.name); });
        PutRecord(out, entry.name, kFile, first.held ? first.data : ReadFile(first.path));
    }
    for (const auto& [name, unused] : strings_) {
        const std::string& text = FirstValue(strings_, name);
        PutRecord(out, name, kString, { reinterpret_cast<const uint8_t*>(text.data()), text.size() });
    }
    for (const auto& [name, unused] : integers_) {
        std::vector<uint8_t> value;
        PutU32(value, static_cast<uint32_t>(FirstValue(integers_, name)));
        PutRecord(out, name, kInteger, value);
    }
    for (const auto& [name, unused] : bools_) {
        uint8_t value = FirstValue(bools_, name) ? 1 : 0;
        PutRecord(out, name, kBool, { &value, 1 });
    }
    // The end record: no name, kind 2, no data, no next record.
    out.insert(out.end(), kNameSize, 0);
    out.push_back(kBool);
    out.insert(out.end(), 12, 0);
    return out;
}

void TsuiThemeFileWriter::Save()
{
    std::vector<uint8_t> bytes = Build();
    TFileStream out(file_name_, TFileStream::fmCreate);
    out.WriteBuffer(bytes.data(), bytes.size());
    unsaved_ = false;
}

}
