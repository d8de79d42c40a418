// The gallery dressed in each built-in style and from each theme file the
// build exports: a few controls of different families show the style's own
// colours and pictures, and bad theme files leave the look as it was.
#include "platform/components/controls/menu_item.h"
#include "skin/buttons/image_button.h"
#include "skin/buttons/push_button.h"
#include "skin/checks/radio_button.h"
#include "skin/edits/bordered_edit.h"
#include "skin/frame/skin_form.h"
#include "skin/menus/skin_main_menu.h"
#include "skin/panels/caption_panel.h"
#include "skin/panels/group_box.h"
#include "skin/progress/progress_bar.h"
#include "skin/scroll/scroll_bar.h"
#include "skin/scroll/track_bar.h"
#include "skin/theme/theme_source.h"
#include "skin/views/skin_memo.h"
#include "skin/views/skin_tree_view.h"
#include "tests/gallery/gallery_fixture.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class GalleryLooks : public GalleryFixture {
protected:
    // Probes of one look, each against the built-in style's items.
    void ExpectDressedIn(TsuiUIStyle style)
    {
        ThemeSource theme(nullptr, style);
        EXPECT_EQ(PixelAt(*gallery, { gallery->ClientWidth() - 12, gallery->ClientHeight() - 60 }),
            theme.Color(ThemeItem::FormBackgroundColor))
            << "window background";

        ASSERT_TRUE(gallery->ShowPage("Edits"));
        auto* edit = OnPage<TsuiEdit>("Edits");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(WindowPixel(*edit, { 0, edit->Height() / 2 }), theme.Color(ThemeItem::ControlBorderColor))
            << "edit border";

        ASSERT_TRUE(gallery->ShowPage("Panels"));
        auto* group = OnPage<TsuiGroupBox>("Panels");
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(WindowPixel(*group, { 0, group->Height() / 2 }), theme.Color(ThemeItem::ControlBorderColor))
            << "group box frame";

        auto* panel = OnPage<TsuiPanel>("Panels");
        ASSERT_NE(panel, nullptr);
        Bitmap bar = theme.Picture(ThemeItem::SideChannelBarImage);
        ASSERT_FALSE(bar.Empty());
        // The bar is stretched across, so each row keeps its colour; the
        // probe sits right of the caption, left of the button.
        for (int y : { 1, bar.Height() - 2 })
            EXPECT_EQ(WindowPixel(*panel, { panel->Width() - 40, y }), bar.GetPixel(0, y)) << "caption bar row " << y;

        ASSERT_TRUE(gallery->ShowPage("Groups"));
        auto* progress = OnPage<TsuiProgressBar>("Groups");
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(WindowPixel(*progress, { 0, progress->Height() / 2 }), theme.Color(ThemeItem::ControlBorderColor))
            << "progress frame";
        EXPECT_EQ(WindowPixel(*progress, { progress->Width() - 3, 2 }), theme.Color(ThemeItem::ControlBackgroundColor))
            << "progress bar's unfilled part";

        ASSERT_TRUE(gallery->ShowPage("Scroll bars"));
        auto* scroll = OnPage<TsuiScrollBar>("Scroll bars");
        ASSERT_NE(scroll, nullptr);
        ScrollBarLook bar_look = ResolveScrollBarLook(theme, false);
        EXPECT_EQ(WindowPixel(*scroll, { scroll->Width() - 30, scroll->Height() / 2 }), bar_look.track_color)
            << "scroll bar's track beyond the slider";
        const Bitmap arrow = bar_look.arrows[0];
        EXPECT_EQ(WindowPixel(*scroll, { arrow.Width() / 2, arrow.Height() / 2 }),
            arrow.GetPixel(arrow.Width() / 2, arrow.Height() / 2))
            << "scroll bar's left arrow";

        ASSERT_TRUE(gallery->ShowPage("Views"));
        auto* memo = OnPage<TsuiMemo>("Views");
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(WindowPixel(*memo, { 0, memo->Height() / 2 }), theme.Color(ThemeItem::ControlBorderColor))
            << "memo border";
        for (TsuiScrollBar* bound : { memo->VScrollBar(), memo->HScrollBar() }) {
            ASSERT_NE(bound, nullptr);
            EXPECT_TRUE(bound->Visible()) << "the memo has more lines, and longer ones, than it shows";
        }
        const Bitmap up = ResolveScrollBarLook(theme, true).arrows[0];
        EXPECT_EQ(WindowPixel(*memo->VScrollBar(), { up.Width() / 2, up.Height() / 2 }),
            up.GetPixel(up.Width() / 2, up.Height() / 2))
            << "the memo's bound bar in the memo's look";
    }

    // The window's frame: its border line and, on the left of the title
    // bar, the style's title picture as tall as it is.
    void ExpectFrameOf(TsuiUIStyle style)
    {
        ThemeSource theme(nullptr, style);
        Pump();
        Rect window = ws().GetWindowRect(gallery->Handle());
        Bitmap shot = screen.Screenshot().Crop(window);
        EXPECT_EQ(shot.GetPixel(0, shot.Height() / 2), theme.Color(ThemeItem::FormBorderColor)) << "left border";
        EXPECT_EQ(shot.GetPixel(shot.Width() - 1, shot.Height() / 2), theme.Color(ThemeItem::FormBorderColor))
            << "right border";
        // The last column of the title's left picture, its top and bottom
        // rows (the icon and the caption lie between): the bar is as tall
        // as the picture.
        Bitmap left = theme.Picture(ThemeItem::TitleBarLeftImage);
        ASSERT_GT(left.Height(), 8);
        int x = left.Width() - 1;
        for (int y : { 3, 4, left.Height() - 3, left.Height() - 2, left.Height() - 1 })
            EXPECT_EQ(shot.GetPixel(x, y), left.GetPixel(x, y)) << "title bar row " << y;
        EXPECT_EQ(gallery->Frame().GetTitleBarHeight() + 3, left.Height());
        // Whatever the title bar takes, the pages keep their room.
        EXPECT_EQ(gallery->Content().Width(), 780);
        EXPECT_EQ(gallery->Content().Height(), 540);
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
            ExpectFrameOf(c.style);
        }
        {
            SCOPED_TRACE(std::string("theme file ") + c.name);
            // From another style first, so nothing is left over from it.
            gallery->SetStyle(c.style == S::MacOS ? S::WinXP : S::MacOS);
            gallery->LoadThemeFile(ExportedTheme(c.name));
            EXPECT_EQ(gallery->Style(), S::FromThemeFile);
            EXPECT_FALSE(gallery->StyleButton(c.style).Checked());
            ExpectDressedIn(c.style);
            ExpectFrameOf(c.style);
        }
    }
    EXPECT_TRUE(errors.empty());
}

// Loading the same path again reads it again: a theme being edited shows
// its new look.
TEST_F(GalleryLooks, LoadingTheSameThemeFileAgainShowsWhatItHoldsNow)
{
    TempDir dir;
    std::string path = dir.Path() + "/edited.sui";
    std::filesystem::copy_file(ExportedTheme("WinXP"), path);
    gallery->LoadThemeFile(path);
    ExpectDressedIn(S::WinXP);
    std::filesystem::copy_file(ExportedTheme("DeepBlue"), path, std::filesystem::copy_options::overwrite_existing);
    gallery->LoadThemeFile(path);
    ExpectDressedIn(S::DeepBlue);
    ExpectFrameOf(S::DeepBlue);
}

// An image button wears its own pictures whatever the style: the face,
// not the style's button, and see-through corners.
TEST_F(GalleryLooks, TheImageButtonShowsItsOwnPictures)
{
    gallery->ShowPage("Buttons");
    auto* play = OnPage<TsuiImageButton>("Buttons");
    ASSERT_NE(play, nullptr);
    for (S style : { S::MacOS, S::WinXP }) {
        gallery->SetStyle(style);
        EXPECT_EQ(WindowPixel(*play, { 6, 16 }), Rgb(90, 140, 220));
        EXPECT_NE(WindowPixel(*play, { 0, 0 }), clWhite) << "the corner is transparent";
    }
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

TEST_F(GalleryLooks, TheMenuBarOfTheFrameChoosesStylesAndPagesByMouseAndByKeys)
{
    TMenuItem* bar = gallery->MainMenu().Items();
    ASSERT_EQ(bar->Count(), 3);
    ASSERT_NE(gallery->Frame().MenuBar(), nullptr);
    EXPECT_EQ(gallery->Frame().MenuBar()->ButtonCount(), 3) << "the menu shows in the frame's bar";
    TMenuItem* styles = bar->Items(0);
    TMenuItem* pages = bar->Items(1);

    styles->Items(3)->Click(); // Protein
    EXPECT_EQ(gallery->Style(), S::Protein);
    EXPECT_EQ(gallery->Frame().UIStyle(), S::Protein) << "the frame is dressed with the rest";
    EXPECT_TRUE(styles->Items(3)->Checked());
    EXPECT_FALSE(styles->Items(0)->Checked());
    pages->Items(2)->Click();
    EXPECT_EQ(gallery->CurrentPage(), gallery->PageNames()[2]);
    EXPECT_TRUE(pages->Items(2)->Checked());
    EXPECT_TRUE(gallery->PagePanel(gallery->PageNames()[2])->Visible());

    // Alt and the menu's letter drops it; the arrows and Enter choose.
    Keys({ { 'Y', kModAlt }, { VK_DOWN, 0 }, { VK_RETURN, 0 } });
    EXPECT_EQ(gallery->Style(), S::WinXP);
    // F10 goes into the bar; Right to Pages, Down drops it, Enter takes its first.
    Keys({ { VK_F10, 0 }, { VK_RIGHT, 0 }, { VK_DOWN, 0 }, { VK_RETURN, 0 } });
    EXPECT_EQ(gallery->CurrentPage(), gallery->PageNames()[0]);

    // "Load theme file..." opens the chooser; cancelled, it puts the focus
    // into the field for the path.
    gallery->SetTryPortal(false);
    bool chooser_shown = false;
    loop.Post([&] {
        auto* chooser = dynamic_cast<TForm*>(gallery->FindComponent("OpenFileDialog"));
        chooser_shown = chooser && chooser->Visible();
        screen.PressKey(VK_ESCAPE);
    });
    styles->Items(6)->Click();
    Pump();
    EXPECT_TRUE(chooser_shown);
    EXPECT_TRUE(gallery->ThemeFileField().Focused());
    EXPECT_TRUE(errors.empty());
}

TEST_F(GalleryLooks, TheStyleAndPageButtonsSwitchByMouseAndByKeys)
{
    ClickAt(gallery->StyleButton(S::Protein), { 4, 8 });
    EXPECT_EQ(gallery->Style(), S::Protein);
    EXPECT_EQ(PixelAt(*gallery, { gallery->ClientWidth() - 12, gallery->ClientHeight() - 60 }),
        ThemeSource(nullptr, S::Protein).Color(ThemeItem::FormBackgroundColor));

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
