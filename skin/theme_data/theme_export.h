#pragma once

// A built-in style written out as a complete theme file: a starting point
// for a theme of one's own, and realistic theme files for tests.

#include "skin/theme_data/ui_style.h"

#include <cstdint>
#include <vector>

namespace pellamo {

class TsuiThemeFileWriter;

// Adds every item of the style: its pictures as 24-bit BMP files, colours
// and numbers as integers, flags as flags. Items the style has no picture
// for are left out. Throws std::invalid_argument for FromThemeFile, and
// ResourceError when a picture is missing from the program.
void ExportBuiltInTheme(TsuiUIStyle style, TsuiThemeFileWriter& writer);

// The bytes of that file.
std::vector<uint8_t> ExportBuiltInTheme(TsuiUIStyle style);

}
