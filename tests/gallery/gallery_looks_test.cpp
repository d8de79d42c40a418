// The gallery dressed in each built-in style and from each theme file the
// build exports: a few controls of different families show the style's own
// colours and pictures, and bad theme files leave the look as it was.
#include "skin/buttons/push_button.h"
#include "skin/checks/radio_button.h"
#include "skin/edits/bordered_edit.h"
#include "skin/panels/caption_panel.h"
#include "skin/panels/group_box.h"
#include "skin/theme/theme_source.h"
#include "tests/gallery/gallery_fixture.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <fstream>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

constexpr int kFormBackground = 15;
constexpr int kControlBorder = 25;
constexpr int kCaptionBar = 42;

class GalleryLooks : public GalleryFixture {
protected:
    // Probes of one look, each against the built-in style's items.
    void ExpectDressedIn(TsuiUIStyle style)
    {
        ThemeSource theme(nullptr, style);
        EXPECT_EQ(PixelAt(*gallery, { gallery->ClientWidth() - 12, gallery->ClientHeight() - 60 }),
            theme.Color(kFormBackground))
            << "window background";

        ASSERT_TRUE(gallery->ShowPage("Edits"));
        auto* edit = OnPage<TsuiEdit>("Edits");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(WindowPixel(*edit, { 0, edit->Height() / 2 }), theme.Color(kControlBorder)) << "edit border";

        ASSERT_TRUE(gallery->ShowPage("Panels"));
        auto* group = OnPage<TsuiGroupBox>("Panels");
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(WindowPixel(*group, { 0, group->Height() / 2 }), theme.Color(kControlBorder)) << "group box frame";

        auto* panel = OnPage<TsuiPanel>("Panels");
        ASSERT_NE(panel, nullptr);
        Bitmap bar = theme.Picture(kCaptionBar);
        ASSERT_FALSE(bar.Empty());
        // The bar is stretched across, so each row keeps its colour; the
        // probe sits right of the caption, left of the button.
        for (int y : { 1, bar.Height() - 2 })
            EXPECT_EQ(WindowPixel(*panel, { panel->Width() - 40, y }), bar.GetPixel(0, y)) << "caption bar row " << y;
    }
};

TEST_F(GalleryLooks, EachStyleAndEachExportedThemeFileDressesEveryFamilyInItsOwnColours)
{
    struct Case {
        S style;
        const char* name;
    } const cases[] = {
        { S::MacOS, "MacOS" },
        { S::WinXP, "WinXP" },
        { S::DeepBlue, "DeepBlue" },
        { S::Protein, "Protein" },
        { S::BlueGlass, "BlueGlass" },
    };
    for (const Case& c : cases) {
        {
            SCOPED_TRACE(std::string("style ") + c.name);
            gallery->SetStyle(c.style);
            EXPECT_EQ(gallery->Style(), c.style);
            EXPECT_TRUE(gallery->StyleButton(c.style).Checked());
            ExpectDressedIn(c.style);
        }
        {
            SCOPED_TRACE(std::string("theme file ") + c.name);
            // From another style first, so nothing is left over from it.
            gallery->SetStyle(c.style == S::MacOS ? S::WinXP : S::MacOS);
            gallery->LoadThemeFile(ExportedTheme(c.name));
            EXPECT_EQ(gallery->Style(), S::FromThemeFile);
            EXPECT_FALSE(gallery->StyleButton(c.style).Checked());
            ExpectDressedIn(c.style);
        }
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(GalleryLooks, FilesThatAreNoWholeThemeAreRefusedWithAMessageAndChangeNothing)
{
    TempDir dir;
    std::string damaged = dir.Path() + "/damaged.sui";
    {
        // The magic and a first record that points beyond the end.
        std::string bytes = "PelSkin_TB";
        bytes.append(2, '\0');
        bytes += std::string("\x18\0\0\0\x01\0\0\0\x18\0\0\0", 12);
        bytes += "ButtonImage";
        bytes.append(64 - 11, '\0');
        bytes += std::string("\0\x65\0\0\0\xff\xff\0\0\x64\0\0\0", 13);
        std::ofstream(damaged, std::ios::binary) << bytes;
    }
    struct Case {
        std::string path;
        const char* says;
    } const cases[] = {
        { dir.Path() + "/missing.sui", "no such file" },
        { dir.Write("notes.sui", "plain text, no theme"), "Invalid skin file for PelSkin!" },
        { dir.Path(), "not a file" },
        { damaged, "damaged.sui" },
    };
    gallery->SetStyle(S::WinXP);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        errors.clear();
        gallery->ThemeFileField().SetText(c.path);
        // Through the field and its button, as a user does it.
        gallery->LoadButton().Click();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_NE(errors[0].find(c.says), std::string::npos) << errors[0];
        EXPECT_EQ(gallery->Style(), S::WinXP);
        EXPECT_TRUE(gallery->ThemeFileName().empty());
    }
    ExpectDressedIn(S::WinXP);
}

TEST_F(GalleryLooks, TheStyleAndPageButtonsSwitchByMouseAndByKeys)
{
    ClickAt(gallery->StyleButton(S::Protein), { 4, 8 });
    EXPECT_EQ(gallery->Style(), S::Protein);
    EXPECT_EQ(PixelAt(*gallery, { gallery->ClientWidth() - 12, gallery->ClientHeight() - 60 }),
        ThemeSource(nullptr, S::Protein).Color(kFormBackground));

    // Alt and the marked letter: Win&XP, &Checks.
    Keys({ { 'X', kModAlt } });
    EXPECT_EQ(gallery->Style(), S::WinXP);
    Keys({ { 'C', kModAlt } });
    EXPECT_EQ(gallery->CurrentPage(), "Checks");
    EXPECT_TRUE(gallery->PagePanel("Checks")->Visible());
    EXPECT_FALSE(gallery->PagePanel("Buttons")->Visible());
    // Ctrl+PageDown and Ctrl+PageUp turn the pages, round at the ends.
    Keys({ { VK_NEXT, kModControl } });
    EXPECT_EQ(gallery->CurrentPage(), "Edits");
    Keys({ { VK_PRIOR, kModControl }, { VK_PRIOR, kModControl }, { VK_PRIOR, kModControl } });
    EXPECT_EQ(gallery->CurrentPage(), gallery->PageNames().back());
    EXPECT_TRUE(gallery->PagePanel(gallery->PageNames().back())->Visible());

    // Enter in the theme-file field loads the file.
    gallery->ThemeFileField().SetText(ExportedTheme("BlueGlass"));
    ClickAt(gallery->ThemeFileField(), { 10, 10 });
    Keys({ { VK_RETURN, 0 } });
    EXPECT_EQ(gallery->Style(), S::FromThemeFile);
    EXPECT_NE(gallery->ThemeFileName().find("BlueGlass.sui"), std::string::npos);
    EXPECT_TRUE(errors.empty());
}

}
}
