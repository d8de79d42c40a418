#pragma once

// The 48 theme items of the built-in styles, as data: one row per item
// with its name (its key in theme files), its kind, and its value in each
// built-in style (MacOS, WinXP, DeepBlue, Protein, BlueGlass).

#include "skin/theme_data/theme_item.h"
#include "skin/theme_data/ui_style.h"

#include <array>
#include <cstdint>
#include <span>

namespace pellamo {

struct ThemeItemRow {
    ThemeItem item;
    const char* name;
    TsuiType kind;
    // Int, Color (0x00BBGGRR) and Bool (0 or 1) items, per style.
    std::array<int32_t, 5> values;
    // Str items: the bitmap resource of each style; "" where a style has none.
    std::array<const char*, 5> resources { "", "", "", "", "" };
    // Str items that are strips of equal frames: how many; else 0.
    int frames = 0;
};

// All 48 rows, item 1 first.
std::span<const ThemeItemRow> ThemeItemRows();
// The item's row; null for a value outside 1..48.
const ThemeItemRow* FindThemeItem(ThemeItem item);

// The resource prefix of a built-in style ("MACOS"); "" for any other value.
const char* StyleResourcePrefix(TsuiUIStyle style);

}
