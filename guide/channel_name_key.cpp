#include "guide/channel_name_key.h"

#include "platform/text/gbk.h"
#include "platform/text/utf8.h"

namespace pellamo {

namespace {

// The next character of well-formed UTF-8 text.
char32_t Next(std::string_view text, size_t& i)
{
    unsigned char b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
    char32_t c = extra == 0 ? b : extra == 1 ? b & 0x1F : extra == 2 ? b & 0x0F : b & 0x07;
    ++i;
    for (int k = 0; k < extra && i < text.size(); ++k, ++i)
        c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    return c;
}

bool Dropped(char32_t c) { return c == ' ' || c == '\t' || c == '-' || c == '_' || c == 0x3000 || c == 0x00A0; }

}

std::string ChannelNameKey(std::string_view name)
{
    const std::string utf8 = IsValidUtf8(name) ? std::string(name) : GbkToUtf8(name);
    std::string key;
    key.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = Next(utf8, i);
        if (c >= 0xFF01 && c <= 0xFF5E)
            c -= 0xFEE0; // full-width forms of ASCII
        if (Dropped(c))
            continue;
        if (c >= 'A' && c <= 'Z')
            c += 'a' - 'A';
        AppendUtf8(key, c);
    }
    return key;
}

}
