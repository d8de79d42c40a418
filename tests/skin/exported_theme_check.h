#pragma once

#include "platform/gfx/bitmap.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/theme_source.h"
#include "skin/theme/theme_tables.h"

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
            EXPECT_EQ(file.Int(row.number), built_in.Int(row.number));
            break;
        case TsuiType::Color:
            EXPECT_EQ(file.Color(row.number), built_in.Color(row.number));
            break;
        case TsuiType::Bool:
            EXPECT_EQ(file.Bool(row.number), built_in.Bool(row.number));
            break;
        case TsuiType::Str: {
            Bitmap from_file(1, 1, 0x123456), from_table(1, 1, 0x123456);
            file.GetBitmap(row.number, from_file);
            built_in.GetBitmap(row.number, from_table);
            EXPECT_EQ(from_file, from_table);
            if (row.frames > 0) {
                int last = row.frames;
                EXPECT_EQ(file.Picture(row.number, row.frames, last), built_in.Picture(row.number, row.frames, last));
            }
            break;
        }
        }
    }
}

}
