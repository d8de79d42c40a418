#include "skin/theme_data/theme_export.h"

#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/resources.h"
#include "skin/theme_data/inside_theme.h"
#include "skin/theme_data/theme_file_writer.h"
#include "skin/theme_data/theme_tables.h"

#include <stdexcept>

namespace pellamo {

void ExportBuiltInTheme(TsuiUIStyle style, TsuiThemeFileWriter& writer)
{
    if (BuiltInStyleColumn(style) < 0)
        throw std::invalid_argument("Only the built-in styles can be exported");
    for (const ThemeItemRow& row : ThemeItemRows()) {
        InsideThemeEntry entry = LookUpInsideTheme(style, row.item);
        switch (row.kind) {
        case TsuiType::Str:
            if (*entry.resource)
                writer.AddFileData(row.name, BmpCodec::Write(*Resources::CachedBitmap(entry.resource), 24));
            break;
        case TsuiType::Int:
        case TsuiType::Color:
            writer.AddInteger(row.name, entry.value);
            break;
        case TsuiType::Bool:
            writer.AddBool(row.name, entry.value != 0);
            break;
        }
    }
}

std::vector<uint8_t> ExportBuiltInTheme(TsuiUIStyle style)
{
    TsuiThemeFileWriter writer("");
    ExportBuiltInTheme(style, writer);
    std::vector<uint8_t> bytes = writer.Build();
    writer.Discard();
    return bytes;
}

}
