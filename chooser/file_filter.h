#pragma once

// Which files a chooser offers: a name ("播放列表") and patterns such as
// "*.m3u;*.m3u8", matched against file names without regard to case.
// Only "*" and "?" are special.

#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

struct FileFilter {
    std::string name; // UTF-8
    std::vector<std::string> patterns; // "*.m3u"; none or "*" takes every file

    // "*.m3u;*.m3u8" (also separated by spaces or commas); empty parts are
    // passed over.
    static FileFilter Parse(std::string name, std::string_view patterns);
    bool Matches(std::string_view file_name) const;
    // "*.m3u;*.m3u8", for showing.
    std::string PatternText() const;
};

// One pattern against one name, case-insensitively for ASCII letters.
bool MatchesPattern(std::string_view pattern, std::string_view name);

}
