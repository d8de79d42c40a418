#pragma once

// The gallery's command line:
//   pellamo-gallery [--style NAME | --theme FILE.sui] [--page NAME]
//                   [--screenshot FILE.png] [--help]
// Each option also takes its value after "=".

#include "manual/command_line_reader.h"
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
using GalleryUsageError = CommandLineError;

// Throws GalleryUsageError for an unknown option, a missing value, a style
// that is not built in, a page that `pages` lacks, or --style with --theme.
// Theme files are not looked at here.
GalleryOptions ParseGalleryOptions(const std::vector<std::string>& args, const std::vector<std::string>& pages);

// The options ParseGalleryOptions knows, as its manual lists them.
std::span<const CommandLineOption> GalleryCommandLineOptions();

// The text --help prints.
std::string GalleryUsage(const std::vector<std::string>& pages);

}
