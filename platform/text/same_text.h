#pragma once

// Comparisons of names and GBK text without regard to case. Only ASCII
// letters fold: a GBK double-byte character is compared as a unit, so its
// trail byte (which may fall in the ASCII letter range) never folds.

#include <string>
#include <string_view>

namespace pellamo {

// ASCII case-insensitive equality, for identifiers (property, component,
// class and value names).
bool SameText(std::string_view a, std::string_view b);

// ASCII lower case of an identifier, for map keys.
std::string LowerName(std::string_view name);

// Three-way comparison of GBK text; negative, zero or positive.
int CompareText(std::string_view a, std::string_view b);

// Byte-wise three-way comparison.
int CompareStr(std::string_view a, std::string_view b);

}
