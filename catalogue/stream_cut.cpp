#include "catalogue/stream_cut.h"

#include <algorithm>

namespace pellamo {

std::string_view PageText(std::string_view body) { return body.substr(0, body.find('\0')); }

std::string CutStreamUrl(std::string_view page, int32_t start, int32_t length)
{
    // 64-bit arithmetic: start and length come from a table and may be extreme.
    int64_t size = static_cast<int64_t>(page.size());
    if (start > size || length <= 0)
        return std::string();
    int64_t first = std::max<int64_t>(start, 1) - 1;
    int64_t count = std::min<int64_t>(length, size - first);
    return std::string(page.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

}
