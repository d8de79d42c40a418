#pragma once

// Percent-encoding of addresses (RFC 3986): bytes as %XX.

#include <string>
#include <string_view>

namespace pellamo {

// The value of a hexadecimal digit, -1 for any other character.
int HexDigitValue(char c);

// Encodes every byte outside printable ASCII, and '%' itself, so the result
// is plain ASCII and decodes back to `bytes`.
std::string PercentEncode(std::string_view bytes);

// Decodes each %XX; a '%' not followed by two hex digits stays as it is.
std::string PercentDecode(std::string_view text);

}
