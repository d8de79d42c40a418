#include "platform/backend/x11/x11_dropped_items.h"

#include "platform/text/utf8.h"

#include <string_view>

namespace pellamo {

namespace {

std::string_view TrimLine(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    return line;
}

std::vector<std::string> Lines(std::string_view text, bool skip_comments)
{
    std::vector<std::string> items;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = TrimLine(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || (skip_comments && line.front() == '#'))
            continue;
        items.emplace_back(line);
    }
    return items;
}

// UTF-16LE as UTF-8; unpaired surrogates become U+FFFD.
std::string FromUtf16(const std::string& bytes)
{
    auto unit = [&](size_t i) -> char32_t {
        return static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
    };
    std::string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}

std::vector<std::string> DroppedItems(DropFormat format, const std::string& data)
{
    switch (format) {
    case DropFormat::UriList:
        return Lines(data, true);
    case DropFormat::MozUrl: {
        std::vector<std::string> lines = Lines(FromUtf16(data), false);
        if (lines.size() > 1)
            lines.resize(1);
        return lines;
    }
    case DropFormat::Text:
        break;
    }
    return Lines(data, false);
}

}
