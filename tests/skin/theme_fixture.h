#pragma once

#include "platform/gfx/bmp_codec.h"
#include "skin/theme/theme_file_writer.h"
#include "tests/controls/controls_fixture.h"
#include "tests/skin/picture_coords.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace pellamo::test {

// An application on a headless screen and a folder of its own for theme
// files.
class ThemeFixture : public ControlsFixture {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path()
            / ("pellamo_skin_" + std::to_string(::getpid()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string File(const std::string& name) const { return (dir / name).string(); }

    // A small theme: background colour (item 15), minimum width (13), the
    // button flag (2) and a 6 x 2 button strip (1). `shade` tells themes apart.
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

    std::filesystem::path dir;
};

}
