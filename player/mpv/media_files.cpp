#include "player/mpv/media_files.h"

#include "platform/text/utf8.h"

#include <cstdlib>
#include <ctime>
#include <fstream>

namespace pellamo {

namespace {

std::filesystem::path Home()
{
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) : std::filesystem::path("/tmp");
}

std::filesystem::path ConfigHome()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && std::filesystem::path(config).is_absolute())
        return config;
    return Home() / ".config";
}

// A line of user-dirs.dirs: KEY="$HOME/Videos" or KEY="/abs/path".
std::filesystem::path DirsFileValue(std::string_view line)
{
    size_t open = line.find('"');
    size_t close = line.rfind('"');
    if (open == std::string_view::npos || close <= open)
        return {};
    std::string_view value = line.substr(open + 1, close - open - 1);
    if (value.starts_with("$HOME/"))
        return Home() / std::string(value.substr(6));
    if (value == "$HOME")
        return Home();
    std::filesystem::path path { std::string(value) };
    return path.is_absolute() ? path : std::filesystem::path();
}

}

std::filesystem::path UserDirectory(
    std::string_view key, const std::filesystem::path& dirs_file, std::string_view fallback)
{
    if (const char* env = std::getenv(std::string(key).c_str()); env && std::filesystem::path(env).is_absolute())
        return env;
    std::ifstream in(dirs_file);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.starts_with(key) || line.size() <= key.size() || line[key.size()] != '=')
            continue;
        std::filesystem::path value = DirsFileValue(line);
        // $HOME itself would scatter files over the home folder.
        if (!value.empty() && value != Home())
            return value;
    }
    return Home() / std::string(fallback);
}

std::filesystem::path RecordingsFolder()
{
    return UserDirectory("XDG_VIDEOS_DIR", ConfigHome() / "user-dirs.dirs", "Videos") / "Pellamo";
}

std::filesystem::path PicturesFolder()
{
    return UserDirectory("XDG_PICTURES_DIR", ConfigHome() / "user-dirs.dirs", "Pictures") / "Pellamo";
}

std::string MediaFileName(
    std::string_view channel, std::chrono::system_clock::time_point when, std::string_view extension)
{
    std::string safe = IsValidUtf8(channel) ? std::string(channel) : ValidUtf8(channel);
    for (char& c : safe) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
            c = '_';
    }
    size_t start = safe.find_first_not_of(". ");
    safe = start == std::string::npos ? std::string() : safe.substr(start);
    while (!safe.empty() && safe.back() == ' ')
        safe.pop_back();
    safe = std::string(CutUtf8(safe, 120));
    if (safe.empty())
        safe = "Pellamo";
    std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local {};
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M", &local);
    return safe + " " + stamp + std::string(extension);
}

std::filesystem::path FreeFileIn(const std::filesystem::path& folder, const std::string& name)
{
    std::filesystem::path first = folder / name;
    std::error_code error;
    if (!std::filesystem::exists(first, error))
        return first;
    std::filesystem::path stem = first.stem();
    std::string extension = first.extension().string();
    for (int n = 2;; ++n) {
        std::filesystem::path next = folder / (stem.string() + " (" + std::to_string(n) + ")" + extension);
        if (!std::filesystem::exists(next, error))
            return next;
    }
}

}
