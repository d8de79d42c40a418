#pragma once

// "&" access-key prefixes in captions: "&&" shows one "&", a single "&"
// marks the character after it (the first such character is the access
// key) and is not shown; a trailing "&" is dropped. Scanned byte by byte,
// which is right for GBK and UTF-8 alike: neither has "&" (0x26) inside a
// multi-byte character.

#include <string>
#include <string_view>

namespace pellamo {

struct AccessKeyText {
    std::string shown; // the caption without its prefixes
    int marked = -1; // byte index in `shown` of the access-key character, or -1
};

AccessKeyText ScanAccessKeys(std::string_view caption);

// Whether `ch` is the caption's access key (GBK caption): the character
// that "&" marks, letters compared without case. Alt with that key clicks
// the control that carries the caption.
bool IsAccel(char16_t ch, std::string_view caption);

}
