#pragma once

// Text in the channel, network and application layers is 8-bit GBK
// (code page 936), held in std::string as raw bytes. These helpers convert
// it at the edges: to UTF-8 for drawing and the media engine, to UTF-16 for
// the player controls' address properties.
//
// Conversions never throw: a byte sequence that is not valid in the source
// encoding becomes U+FFFD (towards Unicode) or '?' (towards GBK), so bad
// input shows up as visible replacement characters instead of lost text.

#include <string>
#include <string_view>

namespace pellamo {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}
