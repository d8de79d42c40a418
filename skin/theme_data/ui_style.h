#pragma once

// The styles a skinned control can take and the kinds of theme items.

#include <cstdint>

namespace pellamo {

class EnumInfo;

// FromThemeFile: the look comes from the control's FileTheme. DeepBlue is
// the fall-back style everywhere.
enum class TsuiUIStyle : uint8_t { FromThemeFile, MacOS, WinXP, DeepBlue, Protein, BlueGlass };

// The value names, for published UIStyle properties.
const EnumInfo& UIStyleNames();

// The kind of a theme item: a 32-bit signed integer, a colour (0x00BBGGRR),
// a picture (a resource name built in, a stored bitmap in a theme file) or
// a flag.
enum class TsuiType : uint8_t { Int, Color, Str, Bool };

// The five built-in styles in table order (MacOS first); -1 for any other
// value.
constexpr int BuiltInStyleColumn(TsuiUIStyle style)
{
    int n = static_cast<int>(style);
    return n >= 1 && n <= 5 ? n - 1 : -1;
}

}
