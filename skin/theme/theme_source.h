#pragma once

// Where a skinned control reads its theme items, decided once when its
// style or file theme changes (UsingFileTheme): the file theme, or the
// built-in tables of the effective style. A control builds its look from
// one of these and keeps the look until the next change:
//
//   ThemeSource theme(FileTheme(), UIStyle());
//   look.border = theme.Color(ThemeItem::ControlBorderColor);
//   theme.GetBitmap(ThemeItem::ButtonImage, look.face, 3, 1);
//
// It holds a plain pointer to the file theme: use it at once, do not keep it.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"
#include "skin/theme_data/theme_item.h"
#include "skin/theme_data/ui_style.h"

#include <cstdint>

namespace pellamo {

class TsuiFileTheme;

class ThemeSource {
public:
    ThemeSource(const TsuiFileTheme* file_theme, TsuiUIStyle style);

    // True when the items come from the file theme.
    bool UsesFileTheme() const { return file_theme_ != nullptr; }
    // The built-in style read when not from the file theme.
    TsuiUIStyle Style() const { return style_; }

    TColor Color(ThemeItem item) const;
    int32_t Int(ThemeItem item) const;
    bool Bool(ThemeItem item) const;
    // As GetInsideThemeBitmap or TsuiFileTheme::GetBitmap.
    void GetBitmap(ThemeItem item, Bitmap& target, int frame_count = 0, int frame_index = 0) const;
    // The picture, or frame `frame_index` of `frame_count`; empty when none.
    Bitmap Picture(ThemeItem item, int frame_count = 0, int frame_index = 0) const;

private:
    const TsuiFileTheme* file_theme_ = nullptr;
    TsuiUIStyle style_;
};

}
