#include "skin/theme_data/theme_file_reader.h"

#include "platform/components/file_stream.h"
#include "platform/text/same_text.h"

#include <algorithm>

namespace pellamo {

namespace {

using namespace theme_file;

uint32_t U32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8
        | static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

template <class T> const T* Find(const TsuiThemeFileReader::Entries<T>& entries, std::string_view name)
{
    for (const auto& [key, value] : entries)
        if (SameText(key, name))
            return &value;
    return nullptr;
}

std::vector<uint8_t> ReadWholeFile(const std::string& file_name)
{
    TFileStream file(file_name, TFileStream::fmOpenRead);
    int64_t size = file.Size();
    if (static_cast<uint64_t>(size) > kMaxFileSize)
        throw ThemeFileError(
            "Theme file \"" + file_name + "\" is larger than " + std::to_string(kMaxFileSize >> 20) + " MiB");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

}

TsuiThemeFileReader::TsuiThemeFileReader(const std::string& file_name)
{
    Parse(ReadWholeFile(file_name), "Theme file \"" + file_name + "\"");
}

TsuiThemeFileReader::TsuiThemeFileReader(std::span<const uint8_t> bytes, const std::string& source)
{
    Parse(bytes, source);
}

void TsuiThemeFileReader::Parse(std::span<const uint8_t> bytes, const std::string& source)
{
    auto fail = [&](const std::string& what) { throw ThemeFileError(source + ": " + what); };
    const uint64_t size = bytes.size();
    if (size < kHeaderSize)
        fail("only " + std::to_string(size) + " bytes, shorter than the 24-byte header");
    if (!HasMark(bytes))
        fail("it does not begin with \"PelSkin_TB\"");
    uint64_t header_size = U32(bytes, 12);
    if (header_size < kHeaderSize || header_size > size)
        fail("header size " + std::to_string(header_size) + " is not between 24 and the file's " + std::to_string(size)
            + " bytes");
    uint64_t pos = U32(bytes, 20);
    if (pos < header_size)
        fail("the first record at byte " + std::to_string(pos) + " lies inside the header");

    // Every record moves the position forward by at least its own header,
    // and a record must fit in the file: the walk always ends.
    for (;;) {
        const std::string at = " at byte " + std::to_string(pos);
        if (pos + kRecordHeaderSize > size)
            fail("the record" + at + " is cut short (its 77-byte header runs past the end at byte "
                + std::to_string(size) + "); the end record is missing");
        auto record = bytes.subspan(pos, kRecordHeaderSize);
        auto name_field = record.first(kNameSize);
        auto name_end = std::find(name_field.begin(), name_field.end(), uint8_t { 0 });
        std::string name(name_field.begin(), name_end);
        uint8_t kind = record[64];
        uint64_t data = U32(record, 65);
        uint64_t length = U32(record, 69);
        uint64_t next = U32(record, 73);
        if (next == 0)
            return; // the end record
        const std::string what = "record \"" + name + "\"" + at;
        if (next < pos + kRecordHeaderSize)
            fail(what + ": its next record at byte " + std::to_string(next) + " does not lie after it");
        if (data + length > size)
            fail(what + ": its " + std::to_string(length) + " bytes of data at byte " + std::to_string(data)
                + " run past the end of the file at byte " + std::to_string(size));
        auto value = bytes.subspan(data, length);
        switch (kind) {
        case kFile:
            files_.emplace_back(name, std::vector<uint8_t>(value.begin(), value.end()));
            break;
        case kInteger:
            if (length != 4)
                fail(what + ": an integer of " + std::to_string(length) + " bytes instead of 4");
            integers_.emplace_back(name, static_cast<int32_t>(U32(value, 0)));
            break;
        case kBool:
            if (length != 1)
                fail(what + ": a flag of " + std::to_string(length) + " bytes instead of 1");
            bools_.emplace_back(name, value[0]);
            break;
        case kString:
            strings_.emplace_back(name, std::string(value.begin(), value.end()));
            break;
        default:
            fail(what + ": unknown kind " + std::to_string(kind));
        }
        pos = next;
    }
}

std::optional<std::span<const uint8_t>> TsuiThemeFileReader::GetFile(std::string_view name) const
{
    if (const auto* file = Find(files_, name))
        return std::span<const uint8_t>(*file);
    return std::nullopt;
}

int32_t TsuiThemeFileReader::GetInteger(std::string_view name) const
{
    const int32_t* value = Find(integers_, name);
    return value ? *value : -1;
}

bool TsuiThemeFileReader::GetBool(std::string_view name) const
{
    const uint8_t* value = Find(bools_, name);
    return value && *value != 0;
}

std::string TsuiThemeFileReader::GetStr(std::string_view name) const
{
    const std::string* value = Find(strings_, name);
    return value ? *value : std::string();
}

}
