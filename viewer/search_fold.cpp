#include "viewer/search_fold.h"

#include "platform/text/utf8.h"

namespace pellamo {

namespace {

char32_t Fold(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c < 0x80)
        return c == '\t' ? U' ' : c;
    if (c >= 0xFF01 && c <= 0xFF5E) // full-width ASCII
        return Fold(c - 0xFF01 + 0x21);
    if (c == 0x3000)
        return U' ';
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    return c;
}

}

std::string FoldForSearch(std::string_view utf8)
{
    std::string valid;
    if (!IsValidUtf8(utf8)) {
        valid = ValidUtf8(utf8);
        utf8 = valid;
    }
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(Fold(b));
            ++i;
            continue;
        }
        int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        char32_t c = b & (length == 4 ? 0x07 : length == 3 ? 0x0F : 0x1F);
        for (int k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]) & 0x3F);
        i += static_cast<size_t>(length);
        AppendUtf8(out, Fold(c));
    }
    return out;
}

}
