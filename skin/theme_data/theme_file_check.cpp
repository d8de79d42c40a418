#include "skin/theme_data/theme_file_check.h"

#include "platform/gfx/bmp_codec.h"
#include "skin/theme_data/theme_file_format.h"
#include "skin/theme_data/theme_file_reader.h"

#include <filesystem>
#include <stdexcept>

namespace pellamo {

std::string ThemeFileProblem(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(path, error))
        return path + ": no such file";
    if (!fs::is_regular_file(path, error))
        return path + ": not a file";
    if (!IsSUIThemeFile(path))
        return path + ": Invalid skin file for PelSkin!";
    try {
        TsuiThemeFileReader reader(path);
        for (const auto& [name, bytes] : reader.Files()) {
            try {
                BmpCodec::Read(bytes);
            } catch (const std::exception& e) {
                return path + ": the picture " + name + " is damaged (" + e.what() + ")";
            }
        }
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

}
