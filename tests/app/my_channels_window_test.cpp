// The viewer's own channels in the main window on a headless screen: the
// third tree and its menu commands, the open dialog, drops, the pop-up menu
// of a playlist and the status bar. Playlists live in a temporary
// $XDG_CONFIG_HOME.
#include "app/address_form.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "chooser/file_list.h"
#include "chooser/open_file_dialog.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/popup_menu.h"
#include "platform/components/controls/status_bar.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/controls/tree_nodes.h"
#include "platform/loop/event_loop.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"
#include "skin/edits/bordered_edit.h"
#include "tests/net/test_servers.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace pellamo {
namespace {

const std::string kNews = "#EXTM3U\n#EXTINF:-1 group-title=\"央视\",中央一台\nhttp://live.example/cctv1\n"
                          "#EXTINF:-1,凤凰中文\nrtsp://live.example/phoenix\nnot an address\n";

class MyChannelsWindowTest : public ::testing::Test {
protected:
    MyChannelsWindowTest()
    {
        setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        std::filesystem::create_directories(Dir());
        std::ofstream(Dir() + "/新闻.m3u") << kNews;
        app.MessageBoxFunction = [this](const std::string& text, const std::string& caption, UINT flags) {
            boxes.push_back(GbkToUtf8(caption) + "|" + GbkToUtf8(text));
            return (flags & MB_OKCANCEL) ? answer : IDOK;
        };
        windows = CreatePellamoWindows(app);
        windows.main->Show();
        Pump();
    }
    ~MyChannelsWindowTest() override { unsetenv("XDG_CONFIG_HOME"); }

    std::string Dir() const { return config.Path() + "/pellamo/playlists"; }
    void Pump() { test::Pump(EventLoop::Main()); }
    template <class T = TControl> T& Get(const char* name)
    {
        auto* c = dynamic_cast<T*>(windows.main->FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return *c;
    }
    TCustomTreeView& Tree() { return Get<TCustomTreeView>("TreeView3"); }
    TTreeNode* Node(const char* utf8)
    {
        for (TTreeNode* n = Tree().Items().GetFirstNode(); n; n = n->GetNext())
            if (n->Text() == Utf8ToGbk(utf8))
                return n;
        return nullptr;
    }
    std::vector<std::string> Labels()
    {
        std::vector<std::string> out;
        for (TTreeNode* n = Tree().Items().GetFirstNode(); n; n = n->GetNext())
            out.push_back(std::string(static_cast<size_t>(n->Level()), '-') + GbkToUtf8(n->Text()));
        return out;
    }
    std::string Caption() { return GbkToUtf8(Get("suiPanel1").Caption()); }
    std::string Status() { return GbkToUtf8(Get<TCustomStatusBar>("suiStatusBar1").SimpleText()); }
    Point OnScreen(TCustomTreeView& tree, TTreeNode* node)
    {
        Rect r = tree.DisplayRect(node, true);
        return tree.ClientToScreen({ r.left + 3, (r.top + r.bottom) / 2 });
    }
    // Runs `inside` from the loop of the dialog the next command opens.
    void InDialog(std::function<void(TAddressForm&)> inside)
    {
        EventLoop::Main().Post([this, inside] {
            auto* form = dynamic_cast<TAddressForm*>(windows.main->FindComponent("AddressForm"));
            ASSERT_NE(form, nullptr);
            EXPECT_TRUE(form->Visible() && form->Modal());
            inside(*form);
        });
    }
    void Type(TAddressForm& form, const char* edit, const std::string& text)
    {
        auto* control = dynamic_cast<TControl*>(form.FindComponent(edit));
        ASSERT_NE(control, nullptr);
        control->SetText(Utf8ToGbk(text));
    }

    test::TempDir config;
    test::TempDir files;
    HeadlessBackend screen;
    TApplication app { screen };
    PellamoWindows windows;
    std::vector<std::string> boxes;
    int answer = IDOK;
};

TEST_F(MyChannelsWindowTest, ThirdTreeShowsPlaylistsGroupsAndChannelsLikeTheOtherTwo)
{
    EXPECT_EQ(Labels(), (std::vector<std::string> { "新闻", "-央视", "--中央一台", "-凤凰中文" }));
    EXPECT_EQ(Status(), "我的频道：2 个频道，1 行无法使用");
    EXPECT_FALSE(Tree().Visible());

    // "节目选择": the two trees, a separator, then my channels and the open
    // commands, then recording and pictures of what plays, finding and keeping
    // channels, and the programme guide's commands.
    TMenuItem* programmes = Get<TMainMenu>("MainMenu1").Items()->Items(0);
    std::vector<std::string> captions;
    for (int i = 0; i < programmes->Count(); ++i)
        captions.push_back(
            GbkToUtf8(programmes->Items(i)->Caption()) + " " + ShortCutToText(programmes->Items(i)->GetShortCut()));
    EXPECT_EQ(captions,
        (std::vector<std::string> { "网络电视 ", "网络电台 ", "- ", "我的频道 ", "- ", "打开播放列表… Ctrl+O",
            "打开地址… Ctrl+L", "- ", "录制 Ctrl+R", "截图 Ctrl+S", "- ", "查找频道… Ctrl+F", "加入/移出收藏 Ctrl+D",
            "最近观看 ", "- ", "节目指南 Ctrl+G", "节目指南… ", "更新节目指南 " }));

    TCustomTreeView& tv = Get<TCustomTreeView>("TreeView1");
    TCustomTreeView& radio = Get<TCustomTreeView>("TreeView2");
    windows.main->N3Click(nullptr);
    windows.main->MyChannels1Click(nullptr);
    EXPECT_TRUE(Tree().Visible());
    EXPECT_EQ(Tree().BoundsRect(), Rect::FromSize(470, 42, 163, 369));
    EXPECT_FALSE(tv.Visible());
    EXPECT_FALSE(radio.Visible());
    windows.main->N2Click(nullptr);
    EXPECT_TRUE(tv.Visible());
    EXPECT_FALSE(Tree().Visible());
}

TEST_F(MyChannelsWindowTest, SelectingAChannelPlaysItAsADirectRowDoes)
{
    windows.main->MyChannels1Click(nullptr);
    struct Case {
        const char* node;
        const char* edit2;
    } cases[] = {
        { "中央一台", "http://live.example/cctv1" },
        { "央视", "" }, // a group: the caption changes, playback goes on
        { "新闻", "" },
        { "凤凰中文", "rtsp://live.example/phoenix" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        Tree().SetSelected(Node(c.node));
        Pump();
        EXPECT_EQ(Caption(), std::string("我的频道->") + c.node);
        EXPECT_EQ(windows.main->Edit1Text(), "");
        EXPECT_EQ(windows.main->Edit2Text(), c.edit2);
        EXPECT_TRUE(Get("WindowsMediaPlayer1").Visible());
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MyChannelsWindowTest, OpenPlaylistDialogByKeyboardAddsAndShowsTheList)
{
    files.Write("sport.m3u", "#EXTINF:-1,Ball\nhttp://live.example/ball\n");
    InDialog([&](TAddressForm& form) {
        EXPECT_EQ(GbkToUtf8(form.Caption()), "打开播放列表");
        // A mistyped address keeps the dialog open with the reason.
        Type(form, "AddressEdit", "javascript:alert(1)");
        screen.PressKey(VK_RETURN);
        EXPECT_TRUE(form.Visible());
        EXPECT_EQ(boxes.size(), 1u);
        Type(form, "AddressEdit", files.Path() + "/sport.m3u");
        screen.PressKey(VK_RETURN);
    });
    screen.PressKey('O', kModControl);
    Pump();
    EXPECT_EQ(Labels(), (std::vector<std::string> { "sport", "-Ball", "新闻", "-央视", "--中央一台", "-凤凰中文" }));
    EXPECT_TRUE(Tree().Visible()) << "the new list is shown";
    EXPECT_TRUE(Node("sport")->Expanded());
    EXPECT_EQ(Tree().Selected(), nullptr) << "nothing tuned";
    EXPECT_EQ(Status(), "已添加播放列表“sport”：1 个频道");
    EXPECT_TRUE(std::filesystem::exists(Dir() + "/sport.m3u"));
}

TEST_F(MyChannelsWindowTest, ThePlaylistDialogTakesAFileFromTheChooser)
{
    files.Write("sport.m3u", "#EXTINF:-1,Ball\nhttp://live.example/ball\n");
    files.Write("notes.txt", "x");
    windows.main->SetTryPortal(false);
    InDialog([&](TAddressForm& form) {
        auto* browse = dynamic_cast<TControl*>(form.FindComponent("BrowseButton"));
        ASSERT_NE(browse, nullptr);
        EXPECT_TRUE(browse->Visible());
        // Inside the chooser: to the files' folder by the path field, then
        // the one playlist there (the filter leaves the notes out).
        EventLoop::Main().Post([&] {
            auto* chooser = dynamic_cast<TOpenFileDialog*>(windows.main->FindComponent("OpenFileDialog"));
            ASSERT_NE(chooser, nullptr);
            EXPECT_TRUE(chooser->Visible() && chooser->Modal());
            chooser->PathField().SetFocus();
            chooser->PathField().SetText(Utf8ToGbk(files.Path()));
            screen.PressKey(VK_RETURN);
            std::vector<std::string> names;
            for (const FolderEntry& entry : chooser->List().Entries())
                names.push_back(entry.name);
            EXPECT_EQ(std::find(names.begin(), names.end(), "notes.txt"), names.end());
            auto sport = std::find(names.begin(), names.end(), "sport.m3u");
            ASSERT_NE(sport, names.end());
            chooser->List().SetItemIndex(static_cast<int>(sport - names.begin()));
            chooser->List().SetFocus();
            screen.PressKey(VK_RETURN);
        });
        screen.PressKey('B', kModAlt);
        EXPECT_EQ(
            GbkToUtf8(dynamic_cast<TControl*>(form.FindComponent("AddressEdit"))->Text()), files.Path() + "/sport.m3u");
        screen.PressKey(VK_RETURN);
    });
    screen.PressKey('O', kModControl);
    Pump();
    EXPECT_EQ(Status(), "已添加播放列表“sport”：1 个频道");

    // Single addresses have no chooser.
    InDialog([&](TAddressForm& form) {
        EXPECT_FALSE(dynamic_cast<TControl*>(form.FindComponent("BrowseButton"))->Visible());
        form.CancelButtonClick(nullptr);
    });
    windows.main->OpenAddress1Click(nullptr);
}

TEST_F(MyChannelsWindowTest, OpenAddressPlaysAndCanSaveIt)
{
    InDialog([&](TAddressForm& form) {
        EXPECT_EQ(GbkToUtf8(form.Caption()), "打开地址");
        Type(form, "AddressEdit", "  mms://live.example/radio ");
        Type(form, "NameEdit", "我的电台");
        form.SaveButtonClick(nullptr);
    });
    windows.main->OpenAddress1Click(nullptr);
    Pump();
    EXPECT_EQ(Caption(), "我的频道->我的电台");
    EXPECT_EQ(windows.main->Edit2Text(), "mms://live.example/radio");
    EXPECT_NE(std::find(Labels().begin(), Labels().end(), "-我的电台"), Labels().end());

    InDialog([&](TAddressForm& form) {
        Type(form, "AddressEdit", "http://live.example/tv");
        form.PlayButtonClick(nullptr);
    });
    windows.main->OpenAddress1Click(nullptr);
    EXPECT_EQ(Caption(), "我的频道->http://live.example/tv");
    EXPECT_EQ(Labels().size(), 6u) << "played, not kept";

    InDialog([&](TAddressForm& form) { form.CancelButtonClick(nullptr); });
    windows.main->OpenAddress1Click(nullptr);
    EXPECT_EQ(Caption(), "我的频道->http://live.example/tv");
}

TEST_F(MyChannelsWindowTest, DropsAndTheCommandLineOpenFilesAndAddresses)
{
    files.Write("drop me.m3u", "#EXTINF:-1,Dropped\nhttp://live.example/d\n");
    Rect at = windows.main->BoundsRect();
    EXPECT_TRUE(screen.Drop({ at.left + 100, at.top + 100 }, { "file://" + files.Path() + "/drop%20me.m3u" }));
    Pump();
    EXPECT_NE(Node("drop me"), nullptr);
    EXPECT_TRUE(Tree().Visible());

    EXPECT_TRUE(screen.Drop({ at.left + 100, at.top + 100 }, { "rtsp://live.example/dropped" }));
    Pump();
    EXPECT_EQ(windows.main->Edit2Text(), "rtsp://live.example/dropped");

    files.Write("cli.m3u", "#EXTINF:-1,Cli\nhttp://live.example/c\n");
    windows.main->OpenItems({ files.Path() + "/cli.m3u", "file:///nowhere/missing.m3u" });
    EXPECT_NE(Node("cli"), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("missing.m3u"), std::string::npos) << boxes[0];
}

TEST_F(MyChannelsWindowTest, APlaylistsPopupMenuRemovesItAfterAsking)
{
    windows.main->MyChannels1Click(nullptr);
    auto& menu = Get<TPopupMenu>("PlaylistMenu");
    Node("新闻")->Expand();
    Pump();

    // A channel's node has no menu, and the right click tunes nothing.
    screen.Click(OnScreen(Tree(), Node("凤凰中文")), MouseButton::Right);
    Pump();
    EXPECT_FALSE(menu.IsOpen());
    EXPECT_EQ(Tree().Selected(), nullptr);

    screen.Click(OnScreen(Tree(), Node("新闻")), MouseButton::Right);
    Pump();
    EXPECT_TRUE(menu.IsOpen());
    EXPECT_FALSE(Get<TMenuItem>("RefreshPlaylist1").Enabled()) << "a file has nowhere to be fetched again from";
    menu.CloseMenu();

    answer = IDCANCEL;
    windows.main->RemovePlaylist1Click(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Pellamo 网络电视|删除播放列表“新闻”？\n它的频道将从“我的频道”中移去。");
    EXPECT_NE(Node("新闻"), nullptr);

    // The Delete key on the selected playlist asks the same.
    answer = IDOK;
    Tree().SetFocus();
    Tree().SetSelected(Node("新闻"));
    screen.PressKey(VK_DELETE);
    Pump();
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(Labels().empty());
    EXPECT_FALSE(std::filesystem::exists(Dir() + "/新闻.m3u"));
    EXPECT_EQ(Status(), "已删除播放列表“新闻”");
}

}
}
