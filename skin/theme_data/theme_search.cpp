#include "skin/theme_data/theme_search.h"

#include "platform/components/system_dirs.h"

#include <cstdlib>
#include <filesystem>

namespace pellamo {

std::vector<std::string> ThemeSearchDirectories()
{
    std::vector<std::string> dirs;
    std::string exe = ExecutableDirectory();
    if (!exe.empty()) {
        dirs.push_back(exe);
        dirs.push_back((std::filesystem::path(exe).parent_path() / "share/pellamo/themes").string());
    }
    if (const char* home = std::getenv("HOME"); home && *home)
        dirs.push_back((std::filesystem::path(home) / ".local/share/pellamo/themes").string());
    return dirs;
}

std::optional<std::string> FindThemeFile(const std::string& name, const std::vector<std::string>& directories,
    const std::function<bool(const std::string&)>& is_file)
{
    if (name.empty())
        return std::nullopt;
    if (is_file(name))
        return name;
    std::string base = std::filesystem::path(name).filename().string();
    if (base.empty())
        return std::nullopt;
    for (const std::string& dir : directories) {
        std::string candidate = (std::filesystem::path(dir) / base).string();
        if (is_file(candidate))
            return candidate;
    }
    return std::nullopt;
}

std::optional<std::string> FindThemeFile(const std::string& name)
{
    return FindThemeFile(name, ThemeSearchDirectories(), [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    });
}

}
