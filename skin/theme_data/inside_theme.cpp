#include "skin/theme_data/inside_theme.h"

#include "platform/gfx/resources.h"
#include "skin/draw/frame_strip.h"
#include "skin/draw/replace_pixels.h"
#include "skin/theme_data/theme_tables.h"

namespace pellamo {

InsideThemeEntry LookUpInsideTheme(TsuiUIStyle style, ThemeItem item)
{
    const ThemeItemRow* row = FindThemeItem(item);
    int column = BuiltInStyleColumn(style);
    if (!row || column < 0)
        return {};
    return { row->kind, row->values[column], row->resources[column] };
}

bool GetInsideThemeBool(TsuiUIStyle style, ThemeItem item)
{
    InsideThemeEntry e = LookUpInsideTheme(style, item);
    return e.kind == TsuiType::Bool && e.value != 0;
}

TColor GetInsideThemeColor(TsuiUIStyle style, ThemeItem item)
{
    InsideThemeEntry e = LookUpInsideTheme(style, item);
    return e.kind == TsuiType::Color ? e.value : 0;
}

int32_t GetInsideThemeInt(TsuiUIStyle style, ThemeItem item)
{
    InsideThemeEntry e = LookUpInsideTheme(style, item);
    return e.kind == TsuiType::Int ? e.value : -1;
}

void GetInsideThemeBitmap(TsuiUIStyle style, ThemeItem item, Bitmap* target, int frame_count, int frame_index)
{
    if (!target)
        return;
    InsideThemeEntry e = LookUpInsideTheme(style, item);
    // Items without a built-in picture (the theme-file-only ones) have an
    // empty name: no picture, as for an item of another kind.
    bool has_picture = e.kind == TsuiType::Str && *e.resource;
    if (frame_count == 0) {
        if (has_picture)
            ReplacePixels(*target, *Resources::CachedBitmap(e.resource));
        return;
    }
    if (has_picture)
        SpitBitmap(*Resources::CachedBitmap(e.resource), *target, frame_count, frame_index);
    else
        ReplacePixels(*target, Bitmap());
}

}
