#pragma once

// Look-ups in the built-in theme tables. A caller reads an item as the kind
// it expects; an item of another kind, a value outside 1..48 or the style
// FromThemeFile gives that kind's default: -1 for Int, 0 (black) for
// Color, false for Bool, no picture for Str.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"
#include "skin/theme_data/theme_item.h"
#include "skin/theme_data/ui_style.h"

#include <cstdint>

namespace pellamo {

// The raw entry: the item's kind and value, and for a picture its
// resource name. Outside the tables: kind Int, value -1, no resource.
struct InsideThemeEntry {
    TsuiType kind = TsuiType::Int;
    int32_t value = -1;
    const char* resource = "";
};
InsideThemeEntry LookUpInsideTheme(TsuiUIStyle style, ThemeItem item);

bool GetInsideThemeBool(TsuiUIStyle style, ThemeItem item);
TColor GetInsideThemeColor(TsuiUIStyle style, ThemeItem item);
int32_t GetInsideThemeInt(TsuiUIStyle style, ThemeItem item);

// Loads the item's picture into `target` (nothing when it is null): the
// whole picture with frame_count 0, else frame frame_index (from 1) of
// frame_count. Without a picture the target stays as it was (frame_count
// 0) or becomes empty. Decoded pictures are kept (Resources::CachedBitmap);
// a resource missing from the program throws ResourceError.
void GetInsideThemeBitmap(TsuiUIStyle style, ThemeItem item, Bitmap* target, int frame_count = 0, int frame_index = 0);

}
