#pragma once

// The gallery's command line:
//   pellamo-gallery [--style NAME | --theme FILE.sui] [--page NAME]
//                   [--screenshot FILE.png] [--help]
// Each option also takes its value after "=".

#include "skin/theme_data/style_by_name.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

struct GalleryOptions {
    std::optional<TsuiUIStyle> style; // one of the five built-in styles
    std::string theme_file;
    std::string page; // as the user wrote it; checked against the pages
    std::string screenshot;
    bool help = false;
};

// What the user wrote cannot be used; the message says why.
class GalleryUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws GalleryUsageError for an unknown option, a missing value, a style
// that is not built in, a page that `pages` lacks, or --style with --theme.
// Theme files are not looked at here.
GalleryOptions ParseGalleryOptions(const std::vector<std::string>& args, const std::vector<std::string>& pages);

// The text --help prints.
std::string GalleryUsage(const std::vector<std::string>& pages);

}
