#pragma once

// UTF-8 checks for text that arrives from outside (files, downloads, drops).

#include <cstddef>
#include <string>
#include <string_view>

namespace pellamo {

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// `text` with every ill-formed sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

// Appends the character `c` (at most U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// The longest prefix of `text` of at most `max_bytes` bytes that does not
// end inside a character (of UTF-8 text).
std::string_view CutUtf8(std::string_view text, size_t max_bytes);

}
