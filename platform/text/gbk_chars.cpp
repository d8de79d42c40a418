#include "platform/text/gbk_chars.h"

namespace pellamo {

size_t GbkPrevCharStart(std::string_view text, size_t pos, size_t from)
{
    size_t prev = from;
    for (size_t i = from; i < pos && i < text.size(); i += GbkCharLength(text, i))
        prev = i;
    return prev;
}

}
