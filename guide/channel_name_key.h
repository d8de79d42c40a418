#pragma once

#include <string>
#include <string_view>

namespace pellamo {

// The form in which channel names from playlists and guides are compared:
// GBK or UTF-8 alike, full-width letters and digits as their ASCII forms,
// ASCII case folded, blanks, hyphens and underscores left out. "CCTV-1",
// "cctv 1" and "ＣＣＴＶ１" all give "cctv1".
std::string ChannelNameKey(std::string_view name);

}
