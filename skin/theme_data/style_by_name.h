#pragma once

// The built-in styles as the user names them on a command line.

#include "skin/theme_data/ui_style.h"

#include <optional>
#include <string_view>

namespace pellamo {

// A built-in style by its name, in any case ("macos", "BlueGlass").
std::optional<TsuiUIStyle> BuiltInStyleNamed(std::string_view name);

// The names BuiltInStyleNamed takes, for messages and usage texts.
inline constexpr const char* kBuiltInStyleList = "MacOS, WinXP, DeepBlue, Protein or BlueGlass";

}
