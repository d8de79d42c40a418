#pragma once

// What a folder holds, as an open-file dialog lists it: sub-folders first,
// then the files the filter takes, each sorted by name; hidden entries
// (names starting with ".") left out. A folder that cannot be read gives
// an empty list and the reason, never an exception.

#include "chooser/file_filter.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace pellamo {

struct FolderEntry {
    std::string name; // as the file system spells it
    bool folder = false;
    std::uintmax_t size = 0; // bytes; 0 for folders
    std::time_t modified = 0;
};

struct FolderListing {
    std::vector<FolderEntry> entries;
    std::string error; // empty when the folder was read
};

FolderListing ListFolder(const std::filesystem::path& folder, const FileFilter& filter);

// "12 KB", "3.4 MB" ... for the size column; "" for folders.
std::string SizeText(const FolderEntry& entry);
// "2026-12-11 08:05" in local time.
std::string DateText(std::time_t when);

}
