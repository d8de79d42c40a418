// The main window laid out for each look: whatever the title bar, menu
// bar and border of a style or theme file, the caption panel and the tree
// start right below the menu bar, keep their sizes, and the window grows
// by the difference; the designed look keeps the designed window. The same
// holds when the look changes while the windows are open, and going back
// to the designed look gives the designed window to the pixel.
#include "tests/app/pellamo_windows_fixture.h"

#include "app/look_choice.h"
#include "app/look_layout.h"
#include "chooser/file_list.h"
#include "chooser/open_file_dialog.h"
#include "platform/components/controls/menu_item.h"
#include "skin/frame/skin_form.h"
#include "skin/theme/file_theme.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace pellamo {

// Test names and failures show the look by its name.
void PrintTo(const PlayerLook& look, std::ostream* out) { *out << (look.Chosen() ? LookChoiceText(look) : "designed"); }

namespace {

using S = TsuiUIStyle;

// The designed window, as its description and start-up make it.
constexpr int kDesignedTop = 42; // below the title and menu bars
constexpr int kDesignedWidth = 640;
constexpr int kDesignedHeight = 435;
constexpr int kPanelHeight = 369;

std::string ThemeFileOf(S style)
{
    const char* build = std::getenv("PELLAMO_BINARY_DIR");
    return std::string(build ? build : ".") + "/themes/" + UIStyleNames().Name(static_cast<int>(style)) + ".sui";
}

PlayerLook StyleLook(S style)
{
    PlayerLook look;
    look.style = style;
    return look;
}

PlayerLook FileLook(S style)
{
    PlayerLook look;
    look.theme_file = ThemeFileOf(style);
    return look;
}

std::vector<PlayerLook> EveryLook()
{
    std::vector<PlayerLook> looks;
    for (S style : { S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass })
        looks.push_back(StyleLook(style));
    for (S style : { S::WinXP, S::BlueGlass })
        looks.push_back(FileLook(style));
    return looks;
}

class LookLayoutTest : public test::PellamoWindowsFixture {
protected:
    explicit LookLayoutTest(const PlayerLook& look = {})
        : PellamoWindowsFixture({}, look)
    {
    }

    TsuiForm& Frame() { return dynamic_cast<TsuiForm&>(*windows.main->FindComponent("suiForm1")); }

    // Where the bars end, in the frame.
    int MenuBottom()
    {
        TsuiMenuBar* bar = Frame().MenuBar();
        return bar->Top() + bar->Height();
    }

    // Nothing overlaps: the title bar, then the menu bar, then the panel
    // and the shown tree side by side, then the status bar; the contents
    // keep their designed sizes and the window fits them.
    void ExpectLaidOut(const std::string& what)
    {
        SCOPED_TRACE(what);
        Pump();
        TsuiForm& frame = Frame();
        const int title = frame.TitleBar().Height();
        const int bottom = MenuBottom();
        EXPECT_EQ(frame.MenuBar()->Top(), title);
        const int shift = bottom - kDesignedTop;
        EXPECT_EQ(LookLayout::ShiftOf(*windows.main), shift);
        TControl& panel = Control("suiPanel1");
        EXPECT_EQ(panel.Top(), bottom);
        EXPECT_EQ(panel.Height(), kPanelHeight);
        EXPECT_EQ(Control("WindowsMediaPlayer1").Top(), bottom + 23);
        TCustomTreeView* shown = nullptr;
        for (const char* name : { "TreeView1", "TreeView2", "TreeView3" })
            if (Tree(name).Visible())
                shown = &Tree(name);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->Top(), bottom);
        EXPECT_EQ(shown->Left(), 470);
        EXPECT_EQ(shown->Height(), kPanelHeight);
        TControl& status = Control("suiStatusBar1");
        EXPECT_EQ(status.Top(), panel.Top() + panel.Height());
        EXPECT_EQ(status.Top() + status.Height(), frame.ClientHeight());
        // The client area the designed window had, taller by the shift.
        EXPECT_EQ(windows.main->ClientWidth(), kDesignedWidth - 6);
        EXPECT_EQ(windows.main->ClientHeight(), kDesignedHeight - 5 + shift);
    }
};

class LookLayoutAtStart : public LookLayoutTest, public ::testing::WithParamInterface<PlayerLook> {
protected:
    LookLayoutAtStart()
        : LookLayoutTest(GetParam())
    {
    }
};

TEST_P(LookLayoutAtStart, NothingOverlapsAndTheContentsKeepTheirPlaces)
{
    ExpectLaidOut("television");
    windows.main->N3Click(nullptr);
    ExpectLaidOut("radio");
    windows.main->MyChannels1Click(nullptr);
    ExpectLaidOut("my channels");
}

std::string LookName(const ::testing::TestParamInfo<PlayerLook>& info)
{
    if (info.param.style)
        return UIStyleNames().Name(static_cast<int>(*info.param.style));
    return "File" + std::filesystem::path(info.param.theme_file).stem().string();
}

INSTANTIATE_TEST_SUITE_P(Looks, LookLayoutAtStart, ::testing::ValuesIn(EveryLook()), LookName);

TEST_F(LookLayoutTest, TheDesignedLookKeepsTheDesignedWindow)
{
    EXPECT_EQ(windows.main->Width(), kDesignedWidth);
    EXPECT_EQ(windows.main->Height(), kDesignedHeight);
    ExpectLaidOut("designed");
    EXPECT_EQ(LookLayout::ShiftOf(*windows.main), 0);
}

TEST_F(LookLayoutTest, TheSkinMenuRestylesEveryOpenWindowAndTheDesignedLookComesBackToThePixel)
{
    const Bitmap designed = screen.Screenshot();
    const Rect designed_bounds = windows.main->BoundsRect();
    std::vector<std::string> remembered;
    windows.main->OnLookChosen = [&](const PlayerLook& look) { remembered.push_back(LookChoiceText(look)); };
    auto* menu = dynamic_cast<TMenuItem*>(windows.main->FindComponent("Skin1"));
    ASSERT_NE(menu, nullptr);
    auto item = [&](const char* name) { return dynamic_cast<TMenuItem*>(windows.main->FindComponent(name)); };

    // Through the menu's own items, each a built-in style.
    for (const char* name : { "SkinBlueGlass1", "SkinWinXP1", "SkinDeepBlue1", "SkinProtein1", "SkinMacOS1" }) {
        item(name)->Click();
        ExpectLaidOut(name);
        EXPECT_TRUE(item(name)->Checked()) << name;
        EXPECT_FALSE(item("SkinDesigned1")->Checked());
        // The about window wears it too.
        auto* about_frame = dynamic_cast<TsuiForm*>(windows.about->FindComponent("suiForm1"));
        ASSERT_NE(about_frame, nullptr);
        EXPECT_EQ(about_frame->UIStyle(), Frame().UIStyle()) << name;
    }
    windows.main->ChooseLook(FileLook(S::BlueGlass));
    ExpectLaidOut("theme file");
    EXPECT_TRUE(item("SkinThemeFile1")->Checked());
    EXPECT_FALSE(item("SkinMacOS1")->Checked());
    EXPECT_EQ(Frame().UIStyle(), S::FromThemeFile);
    // The radio tree shown in another look stands where that look wants it.
    windows.main->N3Click(nullptr);
    ExpectLaidOut("radio in a theme file");
    windows.main->N2Click(nullptr);

    item("SkinDesigned1")->Click();
    ExpectLaidOut("designed again");
    EXPECT_TRUE(item("SkinDesigned1")->Checked());
    EXPECT_EQ(windows.main->BoundsRect(), designed_bounds);
    Bitmap again = screen.Screenshot();
    ASSERT_EQ(again.Width(), designed.Width());
    int differ = 0;
    for (int y = designed_bounds.top; y < designed_bounds.bottom; ++y)
        for (int x = designed_bounds.left; x < designed_bounds.right; ++x)
            differ += again.GetPixel(x, y) != designed.GetPixel(x, y);
    EXPECT_EQ(differ, 0);

    const std::vector<std::string> expected
        = { "BlueGlass", "WinXP", "DeepBlue", "Protein", "MacOS", LookChoiceText(FileLook(S::BlueGlass)), "" };
    EXPECT_EQ(remembered, expected);
}

TEST_F(LookLayoutTest, TheThemeFileItemTakesAFileFromTheChooserInTheLookWorn)
{
    windows.main->SetTryPortal(false);
    windows.main->ChooseLook(StyleLook(S::DeepBlue));
    test::TempDir themes;
    std::filesystem::copy_file(ThemeFileOf(S::BlueGlass), themes.Path() + "/mine.sui");
    themes.Write("readme.txt", "x");
    bool inside = false;
    EventLoop::Main().Post([&] {
        auto* chooser = dynamic_cast<TOpenFileDialog*>(windows.main->FindComponent("OpenFileDialog"));
        ASSERT_NE(chooser, nullptr);
        inside = chooser->Visible();
        // Dressed as the windows around it.
        EXPECT_EQ(chooser->Frame().UIStyle(), S::DeepBlue);
        chooser->ShowFolder(themes.Path());
        EXPECT_EQ(chooser->List().Entries().size(), 1u) << "only theme files";
        chooser->List().SetFocus();
        screen.PressKey(VK_RETURN);
    });
    dynamic_cast<TMenuItem*>(windows.main->FindComponent("SkinThemeFile1"))->Click();
    EXPECT_TRUE(inside);
    EXPECT_EQ(Frame().UIStyle(), S::FromThemeFile);
    EXPECT_EQ(windows.main->Look().theme_file, themes.Path() + "/mine.sui");
    ExpectLaidOut("chosen theme file");

    // Cancelled: the look stays.
    EventLoop::Main().Post([&] { screen.PressKey(VK_ESCAPE); });
    dynamic_cast<TMenuItem*>(windows.main->FindComponent("SkinThemeFile1"))->Click();
    EXPECT_EQ(windows.main->Look().theme_file, themes.Path() + "/mine.sui");
}

TEST_F(LookLayoutTest, AThemeFileThatCannotBeUsedIsRefusedAndTheLookStays)
{
    windows.main->ChooseLook(StyleLook(S::WinXP));
    bool told = false;
    windows.main->OnLookChosen = [&](const PlayerLook&) { told = true; };
    test::TempDir dir;
    const std::string broken = dir.Path() + "/broken.sui";
    std::ofstream(broken) << "not a theme\n";
    boxes.clear();
    for (const std::string& file : { broken, dir.Path() + "/missing.sui" }) {
        PlayerLook look;
        look.theme_file = file;
        windows.main->ChooseLook(look);
    }
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(told);
    EXPECT_EQ(Frame().UIStyle(), S::WinXP);
    ExpectLaidOut("still WinXP");
}

TEST(LookChoiceText, ReadsBackWhatItWrites)
{
    struct Case {
        std::string text;
        std::optional<S> style;
        std::string file;
    } cases[] = {
        { "", std::nullopt, "" },
        { "WinXP", S::WinXP, "" },
        { "blueglass", S::BlueGlass, "" },
        { "Aqua", std::nullopt, "" },
        { "file:/usr/share/pellamo/themes/Protein.sui", std::nullopt, "/usr/share/pellamo/themes/Protein.sui" },
        { "file:", std::nullopt, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PlayerLook look = LookFromChoiceText(c.text);
        EXPECT_EQ(look.style, c.style);
        EXPECT_EQ(look.theme_file, c.file);
    }
    EXPECT_EQ(LookChoiceText(StyleLook(S::DeepBlue)), "DeepBlue");
    EXPECT_EQ(LookChoiceText({}), "");
    PlayerLook file;
    file.theme_file = "/tmp/x/../a.sui";
    EXPECT_EQ(LookChoiceText(file), "file:/tmp/a.sui");
}

}
}
