// Theme files come from users and from window descriptions. The reader
// must refuse any damage with its own error, never read beyond the data or
// loop; whatever it accepts must write back to a file that reads the same.
#include "platform/gfx/bmp_codec.h"
#include "skin/theme_data/theme_file_reader.h"
#include "skin/theme_data/theme_file_writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

using pellamo::TsuiThemeFileReader;

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void ExpectSameAnswers(const TsuiThemeFileReader& a, const TsuiThemeFileReader& b)
{
    for (const auto& [name, bytes] : a.Files()) {
        auto other = b.GetFile(name);
        auto mine = a.GetFile(name);
        Check(other && mine && std::equal(mine->begin(), mine->end(), other->begin(), other->end()));
    }
    for (const auto& [name, value] : a.Integers())
        Check(a.GetInteger(name) == b.GetInteger(name));
    for (const auto& [name, value] : a.Bools())
        Check(a.GetBool(name) == b.GetBool(name));
    for (const auto& [name, value] : a.Strings())
        Check(a.GetStr(name) == b.GetStr(name));
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> input(data, size);
    try {
        TsuiThemeFileReader reader(input);
        pellamo::TsuiThemeFileWriter writer("");
        for (const auto& [name, bytes] : reader.Files()) {
            writer.AddFileData(name, bytes);
            // Embedded pictures are decoded when a theme is loaded.
            try {
                pellamo::BmpCodec::Read(bytes);
            } catch (const pellamo::ImageError&) {
            }
        }
        for (const auto& [name, value] : reader.Strings())
            writer.AddStr(name, value);
        for (const auto& [name, value] : reader.Integers())
            writer.AddInteger(name, value);
        for (const auto& [name, value] : reader.Bools())
            writer.AddBool(name, value != 0);
        std::vector<uint8_t> written = writer.Build();
        writer.Discard();
        TsuiThemeFileReader again(written);
        ExpectSameAnswers(reader, again);
        ExpectSameAnswers(again, reader);
    } catch (const pellamo::ThemeFileError&) {
    }
    return 0;
}
