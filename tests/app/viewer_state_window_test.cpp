// What the main window remembers and finds for the viewer, on a headless
// screen with its files in a temporary $XDG_CONFIG_HOME: the channel search,
// favourites, recent channels, the channel watched last, volume and place.
#include "app/main_window.h"
#include "app/startup.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/edit.h"
#include "platform/components/controls/image.h"
#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/status_bar.h"
#include "platform/components/controls/tree_node.h"
#include "platform/gfx/png_file.h"
#include "platform/loop/event_loop.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"
#include "player/windows_media_player.h"
#include "tests/net/test_servers.h"
#include "tests/support/files.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace pellamo {
namespace {

const std::string kList = "#EXTM3U\n#EXTINF:-1 group-title=\"体育\",ＣＣＴＶ－５ Sport\nhttp://live.example/cctv5\n"
                          "#EXTINF:-1,Phoenix Movies\nhttp://live.example/movies\n";

class ViewerStateWindowTest : public ::testing::Test {
protected:
    ViewerStateWindowTest()
    {
        setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        setenv("XDG_CACHE_HOME", cache.Path().c_str(), 1);
        std::filesystem::create_directories(config.Path() + "/pellamo/playlists");
        std::ofstream(config.Path() + "/pellamo/playlists/list.m3u") << kList;
        Start();
    }
    ~ViewerStateWindowTest() override
    {
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_CACHE_HOME");
    }

    // A start of the program: the windows made, shown and their first messages run.
    void Start()
    {
        app_ = std::make_unique<TApplication>(screen);
        app_->MessageBoxFunction = [](const std::string&, const std::string&, UINT) { return IDOK; };
        windows = CreatePellamoWindows(*app_);
        windows.main->RestorePlacement();
        windows.main->Show();
        Pump();
    }
    // The program ends (as closing the window does) and starts again.
    void Restart()
    {
        bool can_close = false;
        windows.main->FormCloseQuery(nullptr, can_close);
        windows = {};
        app_.reset();
        Start();
    }
    void Pump() { test::Pump(EventLoop::Main()); }
    template <class T = TControl> T& Get(const char* name)
    {
        auto* c = dynamic_cast<T*>(windows.main->FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return *c;
    }
    TCustomTreeView& Tree(const char* name) { return Get<TCustomTreeView>(name); }
    TTreeNode* Node(const char* tree, const std::string& utf8)
    {
        for (TTreeNode* n = Tree(tree).Items().GetFirstNode(); n; n = n->GetNext())
            if (n->Text() == Utf8ToGbk(utf8))
                return n;
        return nullptr;
    }
    std::vector<std::string> Labels(const char* tree)
    {
        std::vector<std::string> out;
        for (TTreeNode* n = Tree(tree).Items().GetFirstNode(); n; n = n->GetNext())
            out.push_back(std::string(static_cast<size_t>(n->Level()), '-') + GbkToUtf8(n->Text()));
        return out;
    }
    std::string Caption() { return GbkToUtf8(Get("suiPanel1").Caption()); }
    std::string Status() { return GbkToUtf8(Get<TCustomStatusBar>("suiStatusBar1").SimpleText()); }
    void Type(const std::string& utf8)
    {
        screen.TypeText(utf8);
        Pump();
    }
    void Key(unsigned vk, unsigned mods = 0)
    {
        screen.PressKey(vk, mods);
        Pump();
    }
    std::string Ini() { return test::ReadFile(config.Path() + "/pellamo/pellamo.ini"); }

    test::TempDir config;
    test::TempDir cache;
    HeadlessBackend screen;
    std::unique_ptr<TApplication> app_;
    PellamoWindows windows;
};

TEST_F(ViewerStateWindowTest, SearchFiltersEveryTreeEnterPlaysEscGivesTheTreesBack)
{
    TCustomEdit& edit = Get<TCustomEdit>("SearchEdit");
    TCustomTreeView& list = Tree("SearchList");
    EXPECT_TRUE(Tree("TreeView1").Visible());
    Key('F', kModControl);
    EXPECT_TRUE(edit.Visible() && edit.Focused());
    EXPECT_TRUE(list.Visible());
    EXPECT_FALSE(Tree("TreeView1").Visible());
    EXPECT_EQ(list.BoundsRect(), Rect::FromSize(470, 64, 163, 347));

    // Built-in and playlist channels alike, whatever the width of the letters.
    Type("ｃｃｔｖ－５");
    EXPECT_EQ(
        Labels("SearchList"), (std::vector<std::string> { "CCTV-5  [电视·CCTV]", "ＣＣＴＶ－５ Sport  [我的·体育]" }));
    edit.SetText("");
    Type("凤凰");
    std::vector<std::string> found = Labels("SearchList");
    ASSERT_GE(found.size(), 2u);
    EXPECT_EQ(found[0], "凤凰中文  [电视·港澳地区]");
    EXPECT_NE(Status().find("找到"), std::string::npos);

    // Esc: the television tree again, nothing tuned.
    Key(VK_ESCAPE);
    EXPECT_FALSE(edit.Visible());
    EXPECT_FALSE(list.Visible());
    EXPECT_TRUE(Tree("TreeView1").Visible());
    EXPECT_EQ(Tree("TreeView1").Selected(), nullptr);

    // Typing and Enter play the channel found, in its own tree.
    Key('F', kModControl);
    Type("phoenix mov");
    EXPECT_EQ(Labels("SearchList"), (std::vector<std::string> { "Phoenix Movies  [我的·list]" }));
    Key(VK_RETURN);
    EXPECT_FALSE(edit.Visible());
    EXPECT_TRUE(Tree("TreeView3").Visible());
    EXPECT_EQ(windows.main->Edit2Text(), "http://live.example/movies");

    // The arrows move through the results.
    Key('F', kModControl);
    Type("中央");
    ASSERT_GE(list.Items().Count(), 2);
    Key(VK_DOWN);
    std::string second = GbkToUtf8(list.Selected()->Text());
    Key(VK_RETURN);
    EXPECT_NE(second.find(GbkToUtf8(Tree("TreeView1").Selected() ? Tree("TreeView1").Selected()->Text()
                                                                 : Tree("TreeView2").Selected()->Text())),
        std::string::npos);
}

TEST_F(ViewerStateWindowTest, FavouritesFromAnyTreeHeadMyChannelsAndSurviveARestart)
{
    Tree("TreeView1").SetSelected(Node("TreeView1", "凤凰中文"));
    Pump();
    Key('D', kModControl);
    EXPECT_EQ(Status(), "已加入收藏“凤凰中文”");
    windows.main->MyChannels1Click(nullptr);
    Tree("TreeView3").SetSelected(Node("TreeView3", "Phoenix Movies"));
    Pump();
    Key('D', kModControl);
    EXPECT_EQ(Labels("TreeView3"),
        (std::vector<std::string> {
            "收藏", "-凤凰中文", "-Phoenix Movies", "list", "-体育", "--ＣＣＴＶ－５ Sport", "-Phoenix Movies" }));
    std::string m3u = test::ReadFile(config.Path() + "/pellamo/playlists/favourites.m3u");
    EXPECT_NE(m3u.find("#EXTINF:-1,Phoenix Movies\nhttp://live.example/movies\n"), std::string::npos) << m3u;

    Restart();
    EXPECT_EQ(Labels("TreeView3")[1], "-凤凰中文");
    windows.main->MyChannels1Click(nullptr);
    // A built-in favourite plays from my channels as from its own tree.
    Tree("TreeView3").SetSelected(Node("TreeView3", "凤凰中文"));
    Pump();
    EXPECT_EQ(Caption(), "网络电视->凤凰中文");

    // Ctrl+D on a favourite takes it out again.
    Key('D', kModControl);
    EXPECT_EQ(Status(), "已移出收藏“凤凰中文”");
    EXPECT_EQ(Labels("TreeView3")[1], "-Phoenix Movies");
}

TEST_F(ViewerStateWindowTest, RightClickOnAnyChannelOffersToKeepOrDropIt)
{
    TCustomTreeView& tv = Tree("TreeView1");
    tv.Items().GetFirstNode()->Expand();
    Pump();
    TTreeNode* channel = tv.Items().GetFirstNode()->GetFirstChild();
    Rect label = tv.DisplayRect(channel, true);
    Point at = tv.ClientToScreen({ label.left + 3, (label.top + label.bottom) / 2 });
    TMenuItem& item = Get<TMenuItem>("FavouriteChannel1");

    screen.Click(at, MouseButton::Right);
    Pump();
    EXPECT_EQ(GbkToUtf8(item.Caption()), "加入收藏");
    EXPECT_EQ(tv.Selected(), nullptr); // nothing tuned by the menu
    item.Click();
    Key(VK_ESCAPE); // the menu, chosen from in code, closes

    EXPECT_EQ(Labels("TreeView3")[0], "收藏");
    // Appended, not "-" + ...: GCC 12 at -O3 sees a false overlap there.
    std::string kept = "-";
    kept += GbkToUtf8(channel->Text());
    EXPECT_EQ(Labels("TreeView3")[1], kept);

    screen.Click(at, MouseButton::Right);
    Pump();
    EXPECT_EQ(GbkToUtf8(item.Caption()), "移出收藏");
    item.Click();
    Key(VK_ESCAPE);
    EXPECT_NE(Labels("TreeView3")[0], "收藏");

    // A category has no such menu.
    Rect category = tv.DisplayRect(tv.Items().GetFirstNode(), true);
    screen.Click(tv.ClientToScreen({ category.left + 3, (category.top + category.bottom) / 2 }), MouseButton::Right);
    Pump();
    EXPECT_EQ(GbkToUtf8(item.Caption()), "移出收藏"); // not offered again
}

TEST_F(ViewerStateWindowTest, TheLastChannelPlaysAgainAtStartAndRecentOnesAreInTheMenu)
{
    Tree("TreeView2").SetSelected(Tree("TreeView2").Items().GetFirstNode()->GetFirstChild());
    Pump();
    std::string radio = GbkToUtf8(Tree("TreeView2").Selected()->Text());
    windows.main->MyChannels1Click(nullptr);
    Tree("TreeView3").SetSelected(Node("TreeView3", "Phoenix Movies"));
    Pump();
    Tree("TreeView1").SetSelected(Node("TreeView1", "凤凰中文"));
    Pump();
    windows.main->FlushWrites();
    EXPECT_NE(Ini().find("[resume]\ntree=television\nchannel=凤凰中文\n"), std::string::npos) << Ini();

    // The volume the viewer set, and where the window stood.
    Get<TWindowsMediaPlayer>("WindowsMediaPlayer1").View().SetVolume(35, true);
    windows.main->SetLeft(40);
    windows.main->SetTop(30);
    Restart();
    EXPECT_EQ(windows.main->Left(), 40);
    EXPECT_EQ(windows.main->Top(), 30);
    EXPECT_EQ(Get<TWindowsMediaPlayer>("WindowsMediaPlayer1").View().Volume(), 35);
    EXPECT_TRUE(Get<TWindowsMediaPlayer>("WindowsMediaPlayer1").View().Muted());

    TMenuItem& recent = Get<TMenuItem>("Recent1");
    ASSERT_EQ(recent.Count(), 3);
    EXPECT_EQ(GbkToUtf8(recent.Items(0)->Caption()), "凤凰中文\t网络电视");
    EXPECT_EQ(GbkToUtf8(recent.Items(1)->Caption()), "Phoenix Movies\t我的频道");
    EXPECT_EQ(GbkToUtf8(recent.Items(2)->Caption()), radio + "\t网络电台");

    EXPECT_EQ(Tree("TreeView1").Selected(), nullptr);
    windows.main->ResumeLastChannel();
    Pump();
    ASSERT_NE(Tree("TreeView1").Selected(), nullptr);
    EXPECT_EQ(GbkToUtf8(Tree("TreeView1").Selected()->Text()), "凤凰中文");
    EXPECT_EQ(Caption(), "网络电视->凤凰中文");

    // A recent channel from the menu.
    recent.Items(1)->Click();
    Pump();
    EXPECT_EQ(windows.main->Edit2Text(), "http://live.example/movies");
    EXPECT_TRUE(Tree("TreeView3").Visible());

    // Turned off in the settings: nothing plays by itself.
    windows.main->ViewerSettings().SetBool("resume", "enabled", false);
    windows.main->ViewerSettings().Save();
    Restart();
    windows.main->ResumeLastChannel();
    Pump();
    EXPECT_EQ(Tree("TreeView3").Selected(), nullptr);
}

TEST_F(ViewerStateWindowTest, ACorruptSettingsFileGivesDefaultsAndOneStatusLineAndIsKeptUntilAChange)
{
    windows = {};
    app_.reset();
    std::string ini = config.Path() + "/pellamo/pellamo.ini";
    const std::string corrupt = "[player]\nvolume=20\n\x01garbage\n";
    std::ofstream(ini) << corrupt;
    Start();
    EXPECT_NE(Status().find("cannot be used"), std::string::npos) << Status();
    EXPECT_EQ(Get<TWindowsMediaPlayer>("WindowsMediaPlayer1").View().Volume(), 100);
    bool can_close = false;
    windows.main->FormCloseQuery(nullptr, can_close);
    windows.main->FlushWrites();
    EXPECT_EQ(test::ReadFile(ini), corrupt);

    // The viewer changes something: a good file, the old one kept beside it.
    Get<TWindowsMediaPlayer>("WindowsMediaPlayer1").View().SetVolume(60, false);
    windows.main->FormCloseQuery(nullptr, can_close);
    windows.main->FlushWrites();
    EXPECT_NE(test::ReadFile(ini).find("volume=60"), std::string::npos);
    EXPECT_EQ(test::ReadFile(ini + ".bad"), corrupt);
}

}
}

namespace pellamo {
namespace {

TEST_F(ViewerStateWindowTest, LogosOfHttpAddressesShowBeforeTheNamesOthersAreSkipped)
{
    test::TempDir site;
    WritePngFile(Bitmap(32, 32, clRed), site.Path() + "/red.png");
    site.Write("broken.png", "\x89PNG\r\n\x1a\nnot really");
    std::optional<test::PythonHttpServer> server;
    server.emplace(site.Path());
    std::string base = "http://127.0.0.1:" + std::to_string(server->Port());
    std::string list = "#EXTM3U\n";
    const char* logos[][2] = {
        { "Red", "/red.png" },
        { "Broken", "/broken.png" },
        { "Missing", "/missing.png" },
        { "Script", "javascript:alert(1)" },
        { "Local", "file:///etc/passwd" },
    };
    for (auto& l : logos) {
        std::string logo = l[1][0] == '/' ? base + l[1] : l[1];
        list += "#EXTINF:-1 tvg-logo=\"" + logo + "\"," + l[0] + "\nhttp://live.example/" + l[0] + "\n";
    }
    list += "#EXTINF:-1 tvg-logo=\"" + base + "/red.png\",Red again\nhttp://live.example/again\n";
    windows = {};
    app_.reset();
    std::ofstream(config.Path() + "/pellamo/playlists/logos.m3u") << list;
    Start();
    // Opened as the viewer opens it: logos load for the channels in sight.
    auto open_logos = [&] {
        windows.main->MyChannels1Click(nullptr);
        Tree("TreeView3").SetFocus();
        Tree("TreeView3").SetSelected(Node("TreeView3", "logos"));
        Key(VK_RIGHT);
    };
    open_logos();

    auto wait_for_logos = [&] {
        EventLoop& loop = EventLoop::Main();
        EventLoop::Id tick = loop.StartTimer(std::chrono::milliseconds(5), [] {});
        loop.WaitUntil([&] { return windows.main->LogosIdle(); }, std::chrono::seconds(20));
        loop.StopTimer(tick);
        Pump();
    };
    wait_for_logos();
    auto image = [&](const char* name) { return Node("TreeView3", name)->ImageIndex; };
    EXPECT_GE(image("Red"), 0);
    EXPECT_EQ(image("Red again"), image("Red"));
    for (const char* name : { "Broken", "Missing", "Script", "Local" })
        EXPECT_EQ(image(name), -1) << name;
    EXPECT_EQ(Tree("TreeView3").ItemHeight() >= 16, true);

    // Drawn before the name: a red square left of the label.
    TCustomTreeView& tree = Tree("TreeView3");
    Rect label = tree.DisplayRect(Node("TreeView3", "Red"), true);
    Point at = tree.ClientToScreen({ label.left - 10, (label.top + label.bottom) / 2 });
    Pump();
    EXPECT_EQ(screen.Screenshot().GetPixel(at.x, at.y), clRed);

    // The channel playing shows its logo, larger, beside the caption bar;
    // one without a logo shows none.
    const TImage* caption_logo = windows.main->CaptionLogoImage();
    EXPECT_FALSE(caption_logo->Visible());
    tree.SetSelected(Node("TreeView3", "Red"));
    Pump();
    EXPECT_TRUE(caption_logo->Visible());
    EXPECT_EQ(caption_logo->Width(), 20);
    TControl& bar = Get("suiPanel1");
    Point logo = caption_logo->ClientToScreen({ 10, 10 });
    Point bar_right = bar.ClientToScreen({ bar.Width(), 0 });
    EXPECT_EQ(logo.x + 10, bar_right.x - 3);
    EXPECT_EQ(screen.Screenshot().GetPixel(logo.x, logo.y), clRed);
    tree.SetSelected(Node("TreeView3", "Script"));
    Pump();
    EXPECT_FALSE(caption_logo->Visible());

    // From the cache at the next start, with no server to ask.
    server.reset();
    Restart();
    wait_for_logos();
    EXPECT_EQ(Node("TreeView3", "Red")->ImageIndex, -1); // a closed playlist asks for nothing
    open_logos();
    wait_for_logos();
    EXPECT_GE(Node("TreeView3", "Red")->ImageIndex, 0);
}

}
}
