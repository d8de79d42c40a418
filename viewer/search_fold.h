#pragma once

#include <string>
#include <string_view>

namespace pellamo {

// Text as the channel search compares it (UTF-8 in, UTF-8 out): letters in
// lower case (ASCII, Latin-1, Greek, Cyrillic), full-width forms as their
// ASCII twins (ＣＣＴＶ is CCTV), the ideographic space and tabs as a
// space. Ill-formed bytes become U+FFFD.
std::string FoldForSearch(std::string_view utf8);

}
