#include "skin/theme_data/theme_file_format.h"

#include "platform/components/file_stream.h"

#include <algorithm>
#include <string_view>

namespace pellamo {

bool theme_file::HasMark(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kMarkSize)
        return false;
    auto mark = bytes.first(kMarkSize);
    auto end = std::find(mark.begin(), mark.end(), uint8_t { 0 });
    return std::string_view(reinterpret_cast<const char*>(mark.data()), end - mark.begin()) == kMark;
}

bool IsSUIThemeFile(const std::string& file_name)
{
    try {
        TFileStream file(file_name, TFileStream::fmOpenRead);
        uint8_t head[16];
        file.ReadBuffer(head, sizeof head);
        return theme_file::HasMark(head);
    } catch (...) {
        return false;
    }
}

}
