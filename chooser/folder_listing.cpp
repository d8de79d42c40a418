#include "chooser/folder_listing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>

namespace pellamo {

namespace fs = std::filesystem;

namespace {

std::time_t ToTimeT(fs::file_time_type when)
{
    // The file clock's distance from now, carried over to the system clock.
    auto system = std::chrono::system_clock::now()
        + std::chrono::duration_cast<std::chrono::system_clock::duration>(when - fs::file_time_type::clock::now());
    return std::chrono::system_clock::to_time_t(system);
}

}

FolderListing ListFolder(const fs::path& folder, const FileFilter& filter)
{
    FolderListing listing;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) {
        listing.error = ec.message();
        return listing;
    }
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            listing.error = ec.message();
            break;
        }
        const fs::directory_entry& entry = *it;
        std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        std::error_code item_ec;
        // Links are followed: a link to a folder is a folder.
        bool is_folder = entry.is_directory(item_ec);
        if (!is_folder && !filter.Matches(name))
            continue;
        if (!is_folder && !entry.is_regular_file(item_ec))
            continue;
        FolderEntry out { name, is_folder };
        if (!is_folder) {
            std::uintmax_t size = entry.file_size(item_ec);
            out.size = item_ec ? 0 : size;
        }
        fs::file_time_type when = entry.last_write_time(item_ec);
        out.modified = item_ec ? 0 : ToTimeT(when);
        listing.entries.push_back(std::move(out));
    }
    std::sort(listing.entries.begin(), listing.entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        if (a.folder != b.folder)
            return a.folder;
        return a.name < b.name;
    });
    return listing;
}

std::string SizeText(const FolderEntry& entry)
{
    if (entry.folder)
        return {};
    char text[32];
    const double size = static_cast<double>(entry.size);
    if (entry.size < 1024)
        std::snprintf(text, sizeof text, "%ju B", entry.size);
    else if (entry.size < 1024 * 1024)
        std::snprintf(text, sizeof text, "%.0f KB", size / 1024);
    else if (entry.size < 1024ull * 1024 * 1024)
        std::snprintf(text, sizeof text, "%.1f MB", size / (1024 * 1024));
    else
        std::snprintf(text, sizeof text, "%.1f GB", size / (1024.0 * 1024 * 1024));
    return text;
}

std::string DateText(std::time_t when)
{
    if (when == 0)
        return {};
    std::tm local {};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

}
