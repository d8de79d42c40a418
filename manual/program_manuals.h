#pragma once

// The manuals of the programs that come with Pellamo (manual/*.txt), as
// the build compiled them in: their --help texts are made from these.

#include <string_view>

namespace pellamo {

std::string_view PlayerManual();
std::string_view GalleryManual();
std::string_view ExportThemeManual();

}
