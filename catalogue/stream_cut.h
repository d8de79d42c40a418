#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellamo {

// The page text a cut is made from: the body up to, not including, its first
// NUL byte (a text control holds no more than that).
std::string_view PageText(std::string_view body);

// The stream address cut out of a page: `length` bytes from the 1-based byte
// position `start`, or fewer at the end of the page. Empty when `start` lies
// beyond the page or `length` is 0 or less; a `start` of 0 or less counts
// as 1. The bytes are taken as they are, even when a GBK character is split.
std::string CutStreamUrl(std::string_view page, int32_t start, int32_t length);

}
