// Draws the built-in skin pictures. At build time it writes every picture
// of the catalogue as NAME.bmp into a folder; by hand it makes the sheet of
// all pictures (docs/skin_art.png) or an enlargement of a few.

#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/png_file.h"
#include "skin/art/art_catalogue.h"
#include "skin/art/art_sheet.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

using namespace pellamo;
using namespace pellamo::skin_art;

namespace {

int Usage()
{
    std::cerr << "usage: skin_art_gen FOLDER                      write every picture as FOLDER/NAME.bmp\n"
                 "       skin_art_gen --sheet FILE.png [SCALE]    all pictures with their names\n"
                 "       skin_art_gen --previews FILE.png [SCALE] the styles put together\n"
                 "       skin_art_gen --enlarge SCALE FILE.png NAME...\n";
    return 2;
}

void WritePictures(const std::string& folder)
{
    for (const ArtPicture& picture : ArtCatalogue())
        BmpCodec::WriteFile(
            folder + "/" + std::string(picture.name) + ".bmp", RenderArtPicture(picture), picture.bits_per_pixel);
}

}

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 1 && !args[0].starts_with("--")) {
            WritePictures(args[0]);
        } else if ((args.size() == 2 || args.size() == 3) && args[0] == "--sheet") {
            int scale = args.size() == 3 ? std::atoi(args[2].c_str()) : 2;
            WritePngFile(MakeArtSheet(std::max(scale, 1)), args[1]);
        } else if ((args.size() == 2 || args.size() == 3) && args[0] == "--previews") {
            int scale = args.size() == 3 ? std::atoi(args[2].c_str()) : 1;
            WritePngFile(MakeStylePreviews(std::max(scale, 1)), args[1]);
        } else if (args.size() >= 4 && args[0] == "--enlarge") {
            std::vector<const ArtPicture*> pictures;
            for (size_t i = 3; i < args.size(); ++i) {
                const ArtPicture* p = FindArtPicture(args[i]);
                if (!p) {
                    std::cerr << "skin_art_gen: no picture named " << args[i] << "\n";
                    return 1;
                }
                pictures.push_back(p);
            }
            WritePngFile(MakeEnlargement(pictures, std::max(std::atoi(args[1].c_str()), 1)), args[2]);
        } else {
            return Usage();
        }
    } catch (const std::exception& e) {
        std::cerr << "skin_art_gen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
