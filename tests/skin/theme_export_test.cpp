#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/resources.h"
#include "skin/theme_data/theme_export.h"
#include "skin/theme_data/theme_file_reader.h"
#include "tests/skin/exported_theme_check.h"
#include "tests/skin/theme_fixture.h"

#include <fstream>
#include <map>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

// Stand-ins for every built-in picture, each of its own size, registered
// under the real names for this program only.
void RegisterStandIns()
{
    static std::map<std::string, std::vector<uint8_t>> files;
    int n = 0;
    for (const ThemeItemRow& row : ThemeItemRows()) {
        for (const char* name : row.resources) {
            if (!*name || files.count(name))
                continue;
            Bitmap picture = CoordinatePicture(6 + n % 7 * 6, 3 + n % 5);
            picture.SetPixel(0, 0, clFuchsia);
            files[name] = BmpCodec::Write(picture);
            Resources::Register(name, files[name].data(), files[name].size());
            ++n;
        }
    }
}

class ThemeExportTest : public ThemeFixture {
protected:
    static void SetUpTestSuite() { RegisterStandIns(); }
};

TEST_F(ThemeExportTest, EachExportedStyleReadsBackAsTheTablesHaveIt)
{
    for (S style : { S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass }) {
        SCOPED_TRACE(static_cast<int>(style));
        std::vector<uint8_t> bytes = ExportBuiltInTheme(style);
        TsuiThemeFileReader reader(bytes);
        // 19 pictures (the three theme-file-only ones have none) and 26 values.
        EXPECT_EQ(reader.Files().size(), 19u);
        EXPECT_EQ(reader.Integers().size() + reader.Bools().size(), 26u);

        std::string path = File("exported.sui");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ComponentPtr<TsuiFileTheme> theme(new TsuiFileTheme(nullptr));
        theme->SetThemeFile(path);
        ExpectSameItemsAsBuiltIn(*theme, style);
    }
    EXPECT_THROW(ExportBuiltInTheme(S::FromThemeFile), std::invalid_argument);
}

}
}
