#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/resources.h"
#include "skin/art/art_catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace pellamo::skin_art {
namespace {

Bitmap Load(std::string_view name) { return Resources::LoadBitmap(name); }

const ArtPicture& Picture(std::string_view name)
{
    const ArtPicture* p = FindArtPicture(name);
    if (!p)
        throw std::runtime_error("no picture " + std::string(name));
    return *p;
}

int CountColor(const Bitmap& b, Rect r, TColor color)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += b.GetPixel(x, y) == color;
    return n;
}

Rect FrameRect(const ArtPicture& p, int k) { return { k * p.FrameWidth(), 0, (k + 1) * p.FrameWidth(), p.height }; }

std::vector<Point> Corners(Rect r)
{
    return { { r.left, r.top }, { r.right - 1, r.top }, { r.left, r.bottom - 1 }, { r.right - 1, r.bottom - 1 } };
}

Bitmap FrameOf(const Bitmap& strip, const ArtPicture& p, int k) { return strip.Crop(FrameRect(p, k)); }

TEST(SkinArtNames, EveryThemeItemAndNamedPictureIsEmbedded)
{
    // The theme items' pictures: a style prefix and an item suffix, except
    // ScrollButtonImage, which DeepBlue, Protein and BlueGlass share.
    const char* prefixes[] = { "MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS" };
    const char* suffixes[] = { "BUTTON", "CHECKBOX", "RADIOBUTTON", "TITLEBTN", "TITLE_LEFT", "TITLE_CLIENT",
        "TITLE_RIGHT", "PROGRESSBAR", "TRACKBAR_BAR", "TRACKBAR_SLIDER", "TRACKBAR_SLIDER_V", "SCROLLBAR_BUTTON",
        "SCROLLBAR_TRACK", "CHECKLIST", "SCROLLBUTTON", "TAB", "TAB_LINE", "SIDECHENNEL_HANDLE", "SIDECHENNEL_BAR" };
    std::set<std::string> expected;
    for (std::string prefix : prefixes)
        for (std::string suffix : suffixes) {
            bool shared = suffix == "SCROLLBUTTON" && prefix != "MACOS" && prefix != "WINXP";
            expected.insert(shared ? "MORE_SCROLLBUTTON" : prefix + "_" + suffix);
        }
    for (const char* name : { "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND", "MACOS_MENU_BAR", "MACOS_MENU_SELECT",
             "MENU_CHECKED", "PANEL_BUTTON", "MDI_CONTROL_BUTTON", "MSNPOPFORM", "MACOS_COMBOBOX_BUTTON",
             "WINXP_COMBOBOX_BUTTON", "PELLAMO_TITLE_LEFT", "PELLAMO_TITLE_RIGHT", "PELLAMO_TITLE_CLIENT",
             "PELLAMO_TITLEBTN_MENU", "PELLAMO_TITLEBTN_MENU_HOT", "PELLAMO_TITLEBTN_CLOSE",
             "PELLAMO_TITLEBTN_CLOSE_HOT", "PELLAMO_TITLEBTN_MIN", "PELLAMO_TITLEBTN_MIN_HOT" })
        expected.insert(name);

    std::set<std::string> drawn;
    for (const ArtPicture& p : ArtCatalogue())
        EXPECT_TRUE(drawn.insert(std::string(p.name)).second) << p.name << " is drawn twice";
    EXPECT_EQ(drawn, expected);
    for (const std::string& name : expected)
        EXPECT_TRUE(Resources::Find(name)) << name << " is not embedded";
}

TEST(SkinArtPictures, EmbeddedPicturesHaveTheirSizeAndCutEvenlyIntoFrames)
{
    for (const ArtPicture& p : ArtCatalogue()) {
        SCOPED_TRACE(std::string(p.name));
        Bitmap b = Load(p.name);
        EXPECT_EQ(b.Width(), p.width);
        EXPECT_EQ(b.Height(), p.height);
        EXPECT_GE(p.frames, 1);
        EXPECT_EQ(p.width % p.frames, 0);
        // What was embedded at build time is what the painter draws now:
        // the file format lost nothing and the drawing depends on nothing
        // but the table.
        EXPECT_TRUE(b == RenderArtPicture(p));
    }
}

TEST(SkinArtPictures, FramesAreTheSizesTheControlsCut)
{
    struct Case {
        const char* name;
        int frames, frame_width, height;
    } cases[] = {
        { "MACOS_BUTTON", 3, 84, 23 },
        { "WINXP_BUTTON", 3, 18, 21 },
        { "MACOS_TITLEBTN", 18, 17, 17 },
        { "MACOS_SCROLLBAR_BUTTON", 6, 16, 22 },
        { "MACOS_CHECKBOX", 4, 15, 17 },
        { "WINXP_RADIOBUTTON", 4, 13, 13 },
        { "PANEL_BUTTON", 4, 13, 12 },
        { "MDI_CONTROL_BUTTON", 3, 16, 16 },
        { "MENU_CHECKED", 1, 16, 16 },
        { "MSNPOPFORM", 1, 181, 116 },
        { "PELLAMO_TITLE_CLIENT", 1, 49, 23 },
        { "PELLAMO_TITLEBTN_CLOSE", 1, 17, 17 },
    };
    for (const Case& c : cases) {
        const ArtPicture& p = Picture(c.name);
        EXPECT_EQ(p.frames, c.frames) << c.name;
        EXPECT_EQ(p.FrameWidth(), c.frame_width) << c.name;
        EXPECT_EQ(p.height, c.height) << c.name;
    }
}

TEST(SkinArtKeys, KeyColoursLieWhereTheDrawingLooksForThem)
{
    for (const ArtPicture& p : ArtCatalogue()) {
        SCOPED_TRACE(std::string(p.name));
        Bitmap b = Load(p.name);
        Rect whole { 0, 0, p.width, p.height };
        switch (p.key) {
        case ArtKey::None:
            EXPECT_EQ(CountColor(b, whole, clFuchsia), 0);
            break;
        case ArtKey::Fuchsia:
            // Nine-piece corners, and the top-left or bottom-left pixel that
            // buttons, title buttons and radio glyphs take as their key.
            for (int k = 0; k < p.frames; ++k) {
                Rect f = FrameRect(p, k);
                for (Point c : Corners(f))
                    EXPECT_EQ(b.GetPixel(c.x, c.y), clFuchsia) << "frame " << k + 1 << " at " << c.x << "," << c.y;
                EXPECT_NE(b.GetPixel((f.left + f.right) / 2, p.height / 2), clFuchsia) << "frame " << k + 1;
            }
            break;
        case ArtKey::FuchsiaThreePiece:
            // The key may be sampled from the top-left or the bottom-left
            // pixel; the stretched middle is drawn without one.
            for (Point c : Corners(whole))
                EXPECT_EQ(b.GetPixel(c.x, c.y), clFuchsia) << c.x << "," << c.y;
            ASSERT_EQ(p.frames, 3);
            EXPECT_EQ(CountColor(b, FrameRect(p, 1), clFuchsia), 0);
            break;
        case ArtKey::White:
            for (int k = 0; k < p.frames; ++k) {
                Rect f = FrameRect(p, k);
                for (Point c : Corners(f))
                    EXPECT_EQ(b.GetPixel(c.x, c.y), clWhite) << "frame " << k + 1;
                EXPECT_GT(f.Width() * f.Height() - CountColor(b, f, clWhite), 8) << "frame " << k + 1 << " is empty";
            }
            break;
        }
    }
}

TEST(SkinArtKeys, OpaqueTitleButtonsContinueTheTitleBarBehindThem)
{
    // Drawn without a key at the title bar's button top, the buttons'
    // outer columns must be the title bar's own rows there.
    struct Case {
        const char* prefix;
        int button_top;
    } cases[] = { { "MACOS", 4 }, { "WINXP", 5 }, { "DEEPBLUE", 2 } };
    for (const Case& c : cases) {
        std::string prefix = c.prefix;
        const ArtPicture& strip = Picture(prefix + "_TITLEBTN");
        Bitmap buttons = Load(strip.name), title = Load(prefix + "_TITLE_CLIENT");
        ASSERT_EQ(strip.key, ArtKey::None) << prefix;
        for (int k = 0; k < strip.frames; ++k)
            for (int y = 0; y < strip.height; ++y)
                EXPECT_EQ(buttons.GetPixel(k * strip.FrameWidth(), y), title.GetPixel(0, c.button_top + y))
                    << prefix << " frame " << k + 1 << " row " << y;
    }
}

TEST(SkinArtPictures, StretchedPicturesAreAlikeInEveryColumn)
{
    // Stretched along their width, so any pattern across would smear;
    // for three-piece strips this is the middle frame.
    for (const ArtPicture& p : ArtCatalogue()) {
        std::string name(p.name);
        bool stretched = name.ends_with("_TITLE_CLIENT") || name.ends_with("_PROGRESSBAR")
            || name.ends_with("_SIDECHENNEL_BAR") || name.ends_with("_TAB_LINE") || name.starts_with("MACOS_MENU_");
        bool middle = name.ends_with("_SCROLLBAR_TRACK") || name.ends_with("_TRACKBAR_BAR") || name.ends_with("_TAB");
        if (!stretched && !middle)
            continue;
        Bitmap b = Load(p.name);
        Rect r = middle ? FrameRect(p, 1) : Rect { 0, 0, p.width, p.height };
        for (int y = 0; y < p.height; ++y)
            for (int x = r.left + 1; x < r.right; ++x)
                ASSERT_EQ(b.GetPixel(x, y), b.GetPixel(r.left, y)) << name << " at " << x << "," << y;
    }
}

TEST(SkinArtPictures, EveryStateFrameLooksDifferent)
{
    // Hover, pressed, checked and disabled must each show: no two frames
    // of these strips may be equal.
    for (const char* name : { "MACOS_BUTTON", "WINXP_BUTTON", "DEEPBLUE_BUTTON", "PROTEIN_BUTTON", "BLUEGLASS_BUTTON",
             "MACOS_TITLEBTN", "WINXP_TITLEBTN", "DEEPBLUE_TITLEBTN", "PROTEIN_TITLEBTN", "BLUEGLASS_TITLEBTN",
             "MACOS_CHECKBOX", "PROTEIN_RADIOBUTTON", "WINXP_CHECKLIST", "MACOS_SCROLLBAR_BUTTON",
             "BLUEGLASS_SCROLLBAR_BUTTON", "PANEL_BUTTON", "MDI_CONTROL_BUTTON", "MORE_SCROLLBUTTON" }) {
        const ArtPicture& p = Picture(name);
        Bitmap b = Load(name);
        for (int i = 0; i < p.frames; ++i)
            for (int j = i + 1; j < p.frames; ++j)
                EXPECT_FALSE(FrameOf(b, p, i) == FrameOf(b, p, j)) << name << " frames " << i + 1 << " and " << j + 1;
    }
}

TEST(SkinArtPictures, PicturesWithAStatedLayout)
{
    // The MacOS menu bar: pinstripes every fourth row, a two-row shadow.
    Bitmap bar = Load("MACOS_MENU_BAR");
    for (int y : { 0, 4, 8, 12, 16 })
        EXPECT_EQ(bar.GetPixel(0, y), 0xE9E9E9) << y;
    EXPECT_EQ(bar.GetPixel(0, 20), 0xD4D4D4);
    EXPECT_EQ(bar.GetPixel(0, 21), 0x5B5B5D);
    for (int y : { 1, 2, 3, 5, 19 })
        EXPECT_GT(RedOf(bar.GetPixel(0, y)), 0xF0) << y;
    // Its highlight: blue pinstripes every fourth row.
    Bitmap select = Load("MACOS_MENU_SELECT");
    for (int y = 0; y < select.Height(); ++y) {
        TColor c = select.GetPixel(0, y);
        EXPECT_GT(BlueOf(c), RedOf(c) + 0x40) << y;
        EXPECT_EQ(c == select.GetPixel(0, 0), y % 4 == 0) << y;
    }
    // The notification window's close box is red where clicks close it.
    Bitmap pop = Load("MSNPOPFORM");
    for (Point p : { Point { 164, 8 }, Point { 173, 8 }, Point { 164, 17 }, Point { 168, 12 } }) {
        TColor c = pop.GetPixel(p.x, p.y);
        bool red = RedOf(c) > 0xA0 && GreenOf(c) < 0x90 && BlueOf(c) < 0x90;
        bool white_cross = c == clWhite || (RedOf(c) > 0xD0 && GreenOf(c) > 0xC0);
        EXPECT_TRUE(red || white_cross) << p.x << "," << p.y;
    }
    EXPECT_GT(CountColor(pop, { 162, 6, 176, 20 }, clWhite), 4);
}

std::vector<uint8_t> BuildTreeFile(const std::string& name)
{
    const char* dir = std::getenv("PELLAMO_BINARY_DIR");
    std::ifstream in(std::string(dir ? dir : ".") + "/skin/art/pictures/" + name + ".bmp", std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

TEST(SkinArtFiles, PicturesKeepTheirStatedDepthInTheBuildTree)
{
    // The main window's title pictures are stored with its description at
    // these depths; the menu check mark is a 16-colour picture.
    struct Case {
        const char* name;
        int bits;
    } cases[] = {
        { "PELLAMO_TITLE_LEFT", 8 },
        { "PELLAMO_TITLE_RIGHT", 8 },
        { "PELLAMO_TITLE_CLIENT", 8 },
        { "PELLAMO_TITLEBTN_MENU", 32 },
        { "PELLAMO_TITLEBTN_CLOSE_HOT", 32 },
        { "PELLAMO_TITLEBTN_MIN", 32 },
        { "MENU_CHECKED", 4 },
        { "MACOS_BUTTON", 24 },
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> file = BuildTreeFile(c.name);
        ASSERT_GT(file.size(), 54u) << c.name;
        EXPECT_EQ(file[28], c.bits) << c.name;
        EXPECT_TRUE(BmpCodec::Read(file) == Load(c.name)) << c.name;
    }
}

}
}
