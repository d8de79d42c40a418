#pragma once

#include <filesystem>
#include <string>

namespace pellamo {

// The file:// URL of an absolute path, every byte but the unreserved ones
// and '/' percent-encoded, so spaces, '#', '%' and non-ASCII names survive
// the trip to the desktop. Empty for a relative path.
std::string FileUrl(const std::filesystem::path& absolute);

}
