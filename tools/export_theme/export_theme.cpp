// pellamo-export-theme: writes a built-in style as a complete theme file,
// to start a theme of one's own from (manual/pellamo-export-theme.txt).

#include "manual/help_text.h"
#include "manual/program_manuals.h"
#include "platform/components/enum_info.h"
#include "skin/theme_data/style_by_name.h"
#include "skin/theme_data/theme_export.h"
#include "skin/theme_data/theme_file_writer.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace {

using pellamo::TsuiUIStyle;

const std::vector<TsuiUIStyle> kStyles
    = { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue, TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass };

std::string NameOf(TsuiUIStyle style) { return pellamo::UIStyleNames().Name(static_cast<int>(style)); }

std::optional<TsuiUIStyle> StyleNamed(const std::string& name)
{
    for (TsuiUIStyle style : kStyles)
        if (pellamo::UIStyleNames().Ordinal(name) == static_cast<int>(style))
            return style;
    return std::nullopt;
}

void Export(TsuiUIStyle style, const std::string& file)
{
    pellamo::TsuiThemeFileWriter writer(file);
    pellamo::ExportBuiltInTheme(style, writer);
    writer.Save();
    std::printf("%s\n", file.c_str());
}

int Usage()
{
    std::fprintf(stderr,
        "Usage: pellamo-export-theme STYLE FILE | --all FOLDER\n"
        "Try \"pellamo-export-theme --help\" for more information.\n");
    return 2;
}

}

int main(int argc, char** argv)
{
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(pellamo::HelpText(pellamo::ParseManualPage(pellamo::ExportThemeManual()),
                       { { "styles", pellamo::kBuiltInStyleList } })
                       .c_str(),
            stdout);
        return 0;
    }
    if (argc != 3)
        return Usage();
    std::string first = argv[1], second = argv[2];
    try {
        if (first == "--all") {
            for (TsuiUIStyle style : kStyles)
                Export(style, second + "/" + NameOf(style) + ".sui");
            return 0;
        }
        std::optional<TsuiUIStyle> style = StyleNamed(first);
        if (!style) {
            std::fprintf(stderr, "pellamo-export-theme: no built-in style is called \"%s\"\n", first.c_str());
            return Usage();
        }
        Export(*style, second);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pellamo-export-theme: %s\n", e.what());
        return 1;
    }
}
