#pragma once

// The player's command line:
//   pellamo [--style NAME | --theme FILE.sui] [--guide FILE|URL]... [--help] [--] [FILE|ADDRESS]...
// Options and operands mix; each option also takes its value after "=";
// after "--" everything is an operand.

#include "manual/command_line_reader.h"
#include "skin/theme_data/style_by_name.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pellamo {

// How the windows look when the user chose something else than their
// descriptions: a built-in style or a theme file, never both.
struct PlayerLook {
    std::optional<TsuiUIStyle> style;
    std::string theme_file;

    bool Chosen() const { return style || !theme_file.empty(); }
};

struct PlayerOptions {
    PlayerLook look;
    bool help = false;
    bool resume = true; // --no-resume: no channel plays by itself at start
    bool new_instance = false; // a program of its own even when one runs
    std::vector<std::string> operands; // files and addresses to open
    std::vector<std::string> guides; // programme guides to add (--guide, any number)
};

// What the user wrote cannot be used; the message says why.
using PlayerUsageError = CommandLineError;

// Throws PlayerUsageError for an unknown "--" option, a missing value, a
// style that is not built in, or --style with --theme. Theme files are not
// looked at here.
PlayerOptions ParsePlayerOptions(const std::vector<std::string>& args);

// The options ParsePlayerOptions knows, as its manual lists them.
std::span<const CommandLineOption> PlayerCommandLineOptions();

// The text --help prints.
std::string PlayerUsage();

}
