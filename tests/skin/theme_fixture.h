#pragma once

#include "platform/gfx/bmp_codec.h"
#include "skin/theme_data/theme_file_writer.h"
#include "tests/skin/picture_coords.h"
#include "tests/skin/temp_folder.h"
#include "tests/support/headless_app.h"

#include <filesystem>
#include <string>

namespace pellamo::test {

// An application on a headless screen and a folder of its own for theme
// files.
class ThemeFixture : public HeadlessAppFixture {
protected:
    std::string File(const std::string& name) const { return folder.File(name); }

    // A small theme: FormBackgroundColor, FormMinWidthInt, the button flag
    // (ButtonTransparentBool) and a 6 x 2 ButtonImage strip. `shade` tells themes apart.
    std::string WriteTheme(const std::string& name, TColor shade = 0x112233) const
    {
        TsuiThemeFileWriter writer(File(name));
        writer.AddFileData("ButtonImage", BmpCodec::Write(CoordinatePicture(6, 2)));
        writer.AddInteger("FormBackgroundColor", shade);
        writer.AddInteger("FormMinWidthInt", 200);
        writer.AddBool("ButtonTransparentBool", true);
        writer.Save();
        return File(name);
    }

    TempFolder folder;
    const std::filesystem::path& dir = folder.Path();
};

}
