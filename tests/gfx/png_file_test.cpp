#include "platform/gfx/png_file.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pellamo::test {
namespace {

TEST(PngFile, ABitmapReadsBackPixelForPixel)
{
    TempDir dir;
    // An odd width, so the rows have padding in our stride.
    Bitmap picture(13, 5, Rgb(10, 20, 30));
    picture.SetPixel(0, 0, Rgb(255, 0, 0));
    picture.SetPixel(12, 4, Rgb(0, 0, 255));
    picture.SetPixel(6, 2, Rgb(1, 254, 127));
    std::string path = dir.Path() + "/shot.png";
    WritePngFile(picture, path);
    EXPECT_EQ(ReadPngFile(path), picture);
}

TEST(PngFile, MissingOrDamagedFilesAndUnwritablePathsThrowNamingTheFile)
{
    TempDir dir;
    std::string not_png = dir.Write("notes.png", "just some text, no picture");
    for (const std::string& path : { dir.Path() + "/missing.png", not_png }) {
        try {
            ReadPngFile(path);
            ADD_FAILURE() << path << " was read";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(WritePngFile(Bitmap(2, 2), dir.Path() + "/no/such/folder/x.png"), std::runtime_error);
}

}
}
