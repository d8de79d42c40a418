// The gallery's command line: what it refuses, with which message and exit
// status, and screenshots drawn without a display.
#include "gallery/gallery_options.h"
#include "gallery/gallery_page.h"
#include "gallery/gallery_program.h"
#include "manual/program_manuals.h"
#include "platform/gfx/png_file.h"
#include "skin/draw/key_color.h"
#include "skin/theme/theme_source.h"
#include "tests/gallery/gallery_fixture.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

const std::vector<std::string> kPages = { "Buttons", "Menus" };

TEST(GalleryOptions, StylesAndPagesAreTakenInAnyCaseWithTheirValueApartOrAfterEquals)
{
    GalleryOptions o = ParseGalleryOptions({ "--style", "blueglass", "--page=menus", "--screenshot", "a.png" }, kPages);
    EXPECT_EQ(o.style, S::BlueGlass);
    EXPECT_EQ(o.page, "menus");
    EXPECT_EQ(o.screenshot, "a.png");
    EXPECT_FALSE(o.help);
    o = ParseGalleryOptions({ "--theme=x.sui", "--help" }, kPages);
    EXPECT_EQ(o.theme_file, "x.sui");
    EXPECT_FALSE(o.style);
    EXPECT_TRUE(o.help);
}

TEST(GalleryOptions, TheManualListsExactlyTheOptionsTheProgramTakes)
{
    EXPECT_EQ("", CommandLineDisagreement(GalleryCommandLineOptions(), ParseManualPage(GalleryManual())));
}

TEST(GalleryProgram, WhatCannotBeUsedIsToldWithStatusTwoBeforeAnyWindow)
{
    TempDir dir;
    std::string text_file = dir.Write("notes.sui", "no theme in here");
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } const cases[] = {
        { { "--style", "Aqua" },
            "unknown style \"Aqua\" (the styles are MacOS, WinXP, DeepBlue, Protein or BlueGlass)" },
        { { "--style", "FromThemeFile" }, "unknown style \"FromThemeFile\"" },
        { { "--style" }, "--style needs a value" },
        { { "--page=" }, "--page needs a value" },
        { { "--page", "Trees" }, "unknown page \"Trees\"" },
        { { "--colour", "red" }, "unknown option \"--colour\"" },
        // The gallery takes no files: every word is an option.
        { { "extra.sui" }, "unknown option \"extra.sui\"" },
        { { "--", "--page" }, "unknown option \"--\"" },
        { { "--help=yes" }, "unknown option \"--help=yes\"" },
        { { "--style", "MacOS", "--theme", ExportedTheme("WinXP") }, "cannot be used together" },
        { { "--theme", text_file }, "notes.sui: Invalid skin file for PelSkin!" },
        { { "--theme", dir.Path() + "/gone.sui" }, "gone.sui: no such file" },
        // Refused before a display is looked for, and before a screenshot.
        { { "--theme", text_file, "--screenshot", dir.Path() + "/x.png" }, "Invalid skin file" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::ostringstream out, err;
        EXPECT_EQ(RunGallery(c.args, out, err), 2);
        EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
        EXPECT_EQ(err.str().rfind("pellamo-gallery: ", 0), 0u) << err.str();
        EXPECT_TRUE(out.str().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/x.png"));
}

TEST(GalleryProgram, HelpListsTheOptionsTheStylesAndThePages)
{
    std::ostringstream out, err;
    EXPECT_EQ(RunGallery({ "--help" }, out, err), 0);
    for (const char* text : { "--style NAME", "--theme FILE.sui", "--page NAME", "--screenshot FILE.png", "--help",
             "BlueGlass", "Notification" })
        EXPECT_NE(out.str().find(text), std::string::npos) << text;
    EXPECT_TRUE(err.str().empty());
}

TEST(GalleryProgram, AScreenshotIsWrittenWithoutADisplayInTheChosenLook)
{
    TempDir dir;
    struct Case {
        std::vector<std::string> args;
        S look;
    } const cases[] = {
        { { "--style", "Protein", "--page", "Checks" }, S::Protein },
        { { "--theme", ExportedTheme("WinXP"), "--page", "Menus" }, S::WinXP },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::string png = dir.Path() + "/shot.png";
        std::vector<std::string> args = c.args;
        args.insert(args.end(), { "--screenshot", png });
        std::ostringstream out, err;
        ASSERT_EQ(RunGallery(args, out, err), 0) << err.str();
        Bitmap shot = ReadPngFile(png);
        ASSERT_GT(shot.Width(), 700);
        ASSERT_GT(shot.Height(), 500);
        // Below the page list, left of the pages: only the window's background.
        EXPECT_EQ(
            shot.GetPixel(40, shot.Height() - 80), ThemeSource(nullptr, c.look).Color(ThemeItem::FormBackgroundColor));
    }
}

// The key colour marks what skin pictures leave see-through: no control on
// any page may show it, in any style.
TEST(GalleryProgram, NoPageShowsTheSkinKeyColourInAnyStyle)
{
    const std::pair<const char*, S> styles[] = { { "MacOS", S::MacOS }, { "WinXP", S::WinXP },
        { "DeepBlue", S::DeepBlue }, { "Protein", S::Protein }, { "BlueGlass", S::BlueGlass } };
    std::vector<std::string> pages;
    for (const GalleryPageInfo& page : GalleryPages())
        pages.push_back(page.name);
    for (const auto& [name, style] : styles) {
        GalleryOptions options;
        options.style = style;
        std::vector<Bitmap> shots = RenderGalleryScreenshots(options, pages);
        ASSERT_EQ(shots.size(), pages.size());
        for (size_t i = 0; i < pages.size(); ++i) {
            SCOPED_TRACE(std::string(name) + ", page " + pages[i]);
            const Bitmap& shot = shots[i];
            ASSERT_GT(shot.Width(), 0);
            int count = 0;
            Point first;
            for (int y = 0; y < shot.Height(); ++y)
                for (int x = 0; x < shot.Width(); ++x)
                    if (shot.GetPixel(x, y) == kSkinKeyColor && count++ == 0)
                        first = { x, y };
            EXPECT_EQ(count, 0) << "key-colour pixels, the first at " << first.x << "," << first.y;
        }
    }
}

// Pages shot in one go share a window until a scene (an open menu, a
// notice) spoils it: each must look as it does when shot alone.
TEST(GalleryProgram, PagesShotTogetherLookAsEachShotAlone)
{
    const std::vector<std::string> pages = { "Menus", "Edits", "Checks", "Notification", "Buttons" };
    GalleryOptions options;
    options.style = S::WinXP;
    std::vector<Bitmap> together = RenderGalleryScreenshots(options, pages);
    ASSERT_EQ(together.size(), pages.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(pages[i]);
        options.page = pages[i];
        EXPECT_TRUE(together[i] == RenderGalleryScreenshot(options));
    }
}

TEST(GalleryProgram, AScreenshotThatCannotBeWrittenGivesStatusOne)
{
    std::ostringstream out, err;
    EXPECT_EQ(RunGallery({ "--screenshot", "/nonexistent-folder/shot.png" }, out, err), 1);
    EXPECT_NE(err.str().find("/nonexistent-folder/shot.png"), std::string::npos) << err.str();
}

}
}
