#pragma once

#include "platform/gfx/bitmap.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/theme_source.h"
#include "skin/theme_data/theme_tables.h"

#include <gtest/gtest.h>

namespace pellamo::test {

// Every item read from the loaded theme equals the built-in style's.
inline void ExpectSameItemsAsBuiltIn(const TsuiFileTheme& theme, TsuiUIStyle style)
{
    ThemeSource file(&theme, TsuiUIStyle::FromThemeFile);
    ThemeSource built_in(nullptr, style);
    ASSERT_TRUE(file.UsesFileTheme());
    for (const ThemeItemRow& row : ThemeItemRows()) {
        SCOPED_TRACE(row.name);
        switch (row.kind) {
        case TsuiType::Int:
            EXPECT_EQ(file.Int(row.item), built_in.Int(row.item));
            break;
        case TsuiType::Color:
            EXPECT_EQ(file.Color(row.item), built_in.Color(row.item));
            break;
        case TsuiType::Bool:
            EXPECT_EQ(file.Bool(row.item), built_in.Bool(row.item));
            break;
        case TsuiType::Str: {
            Bitmap from_file(1, 1, 0x123456), from_table(1, 1, 0x123456);
            file.GetBitmap(row.item, from_file);
            built_in.GetBitmap(row.item, from_table);
            EXPECT_EQ(from_file, from_table);
            if (row.frames > 0) {
                int last = row.frames;
                EXPECT_EQ(file.Picture(row.item, row.frames, last), built_in.Picture(row.item, row.frames, last));
            }
            break;
        }
        }
    }
}

}
