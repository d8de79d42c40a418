#pragma once

// Walking GBK (code page 936) text held as raw bytes. A lead byte
// (0x81..0xFE) and the byte after it form one character; every other byte,
// ASCII and the unused 0x80 and 0xFF alike, stands alone. A trail byte can
// look like a lead byte, so GBK is only ever walked forwards from a known
// character start.

#include <cstddef>
#include <string_view>

namespace pellamo {

constexpr bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

constexpr bool IsGbkLeadByte(char c) { return IsGbkLeadByte(static_cast<unsigned char>(c)); }

// Bytes in the character that starts at text[i]: 2 for a lead byte with a
// byte after it, otherwise 1 (a lead byte cut off at the end stands alone).
constexpr size_t GbkCharLength(std::string_view text, size_t i)
{
    return IsGbkLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// Start of the character that ends at or spans `pos`'s left side: walks
// forwards from `from`, a character start at or before `pos`. Returns `from`
// when pos <= from.
size_t GbkPrevCharStart(std::string_view text, size_t pos, size_t from = 0);

}
