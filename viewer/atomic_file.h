#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pellamo {

// Replaces `file` with `content` in one step: a temporary file in the same
// folder is written, flushed to the disk and renamed over the old one, so a
// crash or a full disk leaves the old file whole. The folder is made when
// missing. Throws std::runtime_error naming the file when it cannot.
void WriteFileAtomically(const std::filesystem::path& file, std::string_view content);

// The whole file, or nothing when it does not exist. Throws
// std::runtime_error naming the file when it exists but cannot be read or
// is larger than `max_bytes`.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& file, size_t max_bytes);

}
