#pragma once

// Where a theme file named without a usable path is looked for.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pellamo {

// The program's folder, the installed themes (share/pellamo/themes beside
// the program's bin folder) and the user's (~/.local/share/pellamo/themes).
std::vector<std::string> ThemeSearchDirectories();

// The name itself when it names a file; else the first folder holding a
// file of its last part. None when nothing is found.
std::optional<std::string> FindThemeFile(const std::string& name, const std::vector<std::string>& directories,
    const std::function<bool(const std::string&)>& is_file);
// The same on the real file system with ThemeSearchDirectories.
std::optional<std::string> FindThemeFile(const std::string& name);

}
