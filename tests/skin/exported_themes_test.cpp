// The five theme files the build exports with pellamo-export-theme from the
// program's own pictures.
#include "skin/theme/file_theme.h"
#include "skin/theme_data/theme_file_reader.h"
#include "tests/skin/exported_theme_check.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

TEST(ExportedThemes, EachBuiltInStyleReadsBackFromItsThemeFile)
{
    const char* build = std::getenv("PELLAMO_BINARY_DIR");
    ASSERT_NE(build, nullptr);
    struct Case {
        TsuiUIStyle style;
        const char* file;
    } cases[] = {
        { S::MacOS, "MacOS.sui" },
        { S::WinXP, "WinXP.sui" },
        { S::DeepBlue, "DeepBlue.sui" },
        { S::Protein, "Protein.sui" },
        { S::BlueGlass, "BlueGlass.sui" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::string path = std::string(build) + "/themes/" + c.file;
        ASSERT_TRUE(IsSUIThemeFile(path));
        EXPECT_EQ(TsuiThemeFileReader(path).Files().size(), 19u);
        ComponentPtr<TsuiFileTheme> theme(new TsuiFileTheme(nullptr));
        theme->SetThemeFile(path);
        ExpectSameItemsAsBuiltIn(*theme, c.style);
    }
}

}
}
