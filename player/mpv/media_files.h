#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace pellamo {

// Where recordings and pictures of the running stream go: the desktop's
// videos and pictures folders (XDG user directories: the environment
// variable, then ~/.config/user-dirs.dirs), each with a "Pellamo" folder of
// ours; ~/Videos/Pellamo and ~/Pictures/Pellamo when neither names one.
std::filesystem::path RecordingsFolder();
std::filesystem::path PicturesFolder();

// The user directory `key` (for example "XDG_VIDEOS_DIR") as the
// environment or the user-dirs file `dirs_file` names it; `fallback` below
// $HOME when neither does.
std::filesystem::path UserDirectory(
    std::string_view key, const std::filesystem::path& dirs_file, std::string_view fallback);

// "<channel> <yyyy-mm-dd hh-mm><extension>": a single file name whatever the
// channel name holds. Separators, control characters and characters file
// managers choke on become '_', leading dots are dropped (no ".." and no
// hidden file), the name is cut at a character boundary, and an empty one
// becomes "Pellamo".
std::string MediaFileName(
    std::string_view channel, std::chrono::system_clock::time_point when, std::string_view extension);

// A name in `folder` that is not taken yet: `name`, else with " (2)",
// " (3)"... before the extension.
std::filesystem::path FreeFileIn(const std::filesystem::path& folder, const std::string& name);

}
