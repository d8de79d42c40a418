// The program's three windows on a headless screen, created as start-up
// creates them: the main window's controls and menu commands, tuning through
// the trees, the about window's placement and the load window's tick.
#include "tests/app/pellamo_windows_fixture.h"

#include "app/web_pages.h"
#include "platform/components/controls/timer.h"
#include "platform/window/window_system.h"
#include "player/mpv/mpv_library.h"
#include "tests/net/test_servers.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace pellamo {
namespace {

std::string Gbk(const char* utf8) { return Utf8ToGbk(utf8); }

class PellamoWindowsTest : public test::PellamoWindowsFixture { };

TEST_F(PellamoWindowsTest, StartUpCreatesTheWindowsInOrderWithOnlyTheMainOneShown)
{
    EXPECT_EQ(app.Title(), Gbk("Pellamo 网络电视"));
    EXPECT_EQ(app.MainForm(), windows.main);
    std::vector<TComponent*> forms;
    for (int i = 0; i < app.ComponentCount(); ++i)
        forms.push_back(app.Components(i));
    EXPECT_EQ(forms, (std::vector<TComponent*> { windows.main, windows.load, windows.about }));
    EXPECT_TRUE(windows.main->Visible());
    EXPECT_FALSE(windows.load->Visible());
    EXPECT_FALSE(windows.about->Visible());
    EXPECT_EQ(windows.main->Caption(), "Pellamo");
    EXPECT_EQ(windows.about->Caption(), "About Us");
}

bool EngineMapped()
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find("libmpv.so") != std::string::npos)
            return true;
    return false;
}

// The engine's library doubles the start-up time: it is loaded once the
// viewer opens a category, not with the windows.
TEST_F(PellamoWindowsTest, PlayerEngineLoadsOnlyOnceAChannelIsLikely)
{
    if (EngineMapped())
        GTEST_SKIP() << "an earlier test of this process loaded the engine";
    Pump();
    EXPECT_FALSE(EngineMapped());
    EXPECT_FALSE(MpvLibrary::Shared().Finished());
    Tree("TreeView1").Items().GetFirstNode()->Expand();
    ASSERT_TRUE(MpvLibrary::Shared().Load()) << MpvLibrary::Shared().Error();
    EXPECT_TRUE(EngineMapped());
}

TEST_F(PellamoWindowsTest, MainWindowControlsSitWhereTheyBelong)
{
    EXPECT_EQ(windows.main->Width(), 640);
    EXPECT_EQ(windows.main->Height(), 435);
    struct Case {
        const char* name;
        Rect bounds;
        bool visible;
    } cases[] = {
        { "suiPanel1", Rect::FromSize(0, 42, 469, 369), true },
        { "WindowsMediaPlayer1", Rect::FromSize(3, 65, 463, 343), true },
        { "RealAudio1", Rect::FromSize(3, 65, 463, 343), false },
        { "Memo1", Rect::FromSize(38, 412, 289, 41), false },
        { "Edit2", Rect::FromSize(38, 456, 289, 21), false },
        { "Edit1", Rect::FromSize(38, 480, 289, 21), false },
        { "Button1", Rect::FromSize(342, 534, 49, 25), false },
        { "Button2", Rect::FromSize(290, 536, 49, 25), false },
        { "Button3", Rect::FromSize(238, 536, 49, 25), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TControl& control = Control(c.name);
        EXPECT_EQ(control.BoundsRect(), c.bounds);
        EXPECT_EQ(control.Visible(), c.visible);
    }
    TCustomTreeView& tv = Tree("TreeView1");
    EXPECT_EQ(Rect::FromSize(tv.Left(), tv.Top(), tv.Width(), tv.Height()), Rect::FromSize(470, 42, 163, 369));
    EXPECT_TRUE(tv.Visible());
    EXPECT_FALSE(Tree("TreeView2").Visible());
    // The diagnostic controls start with their design texts.
    EXPECT_EQ(windows.main->Edit1Text(), "Edit1");
    EXPECT_EQ(windows.main->Edit2Text(), "Edit2");
}

TEST_F(PellamoWindowsTest, TreesComeFromTheStoredCatalogue)
{
    struct Case {
        const char* tree;
        const char* first;
        const char* child;
    } cases[] = {
        { "TreeView1", "精选频道", "CCTV-1" },
        { "TreeView2", "北京", "中央一套" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tree);
        TCustomTreeView& tree = Tree(c.tree);
        ASSERT_NE(tree.Items().GetFirstNode(), nullptr);
        EXPECT_EQ(tree.Items().GetFirstNode()->Text(), Gbk(c.first));
        TTreeNode* child = Node(tree, c.child);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->Level(), 1);
    }
}

TEST_F(PellamoWindowsTest, SwitchingTreesMovesAndShowsWithoutTuning)
{
    TCustomTreeView& tv = Tree("TreeView1");
    TCustomTreeView& radio = Tree("TreeView2");
    tv.SetSelected(Node(tv, "CCTV-1"));
    const std::string caption = Control("suiPanel1").Caption();
    const std::string edit2 = windows.main->Edit2Text();

    struct Case {
        const char* name;
        const char* clicks; // 'r': "网络电台", 't': "网络电视"
        bool radio_shown;
    } cases[] = {
        { "radio", "r", true },
        { "radio twice", "rr", true },
        { "radio then television", "rt", false },
        { "television while shown", "t", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        windows.main->N2Click(nullptr);
        for (const char* click = c.clicks; *click; ++click) {
            if (*click == 'r')
                windows.main->N3Click(nullptr);
            else
                windows.main->N2Click(nullptr);
        }
        TCustomTreeView& shown = c.radio_shown ? radio : tv;
        TCustomTreeView& hidden = c.radio_shown ? tv : radio;
        EXPECT_TRUE(shown.Visible());
        EXPECT_FALSE(hidden.Visible());
        EXPECT_EQ(shown.Left(), 470);
        EXPECT_EQ(shown.Top(), 42);
        EXPECT_EQ(Control("suiPanel1").Caption(), caption) << "switching tuned";
        EXPECT_EQ(windows.main->Edit2Text(), edit2);
    }
    EXPECT_EQ(tv.Selected(), Node(tv, "CCTV-1")) << "the selection survives switching";
}

TEST_F(PellamoWindowsTest, TuningThroughTheTrees)
{
    TCustomTreeView& tv = Tree("TreeView1");
    TCustomTreeView& radio = Tree("TreeView2");
    struct Case {
        TCustomTreeView* tree;
        const char* node;
        const char* caption;
        const char* edit2;
        bool real_shown;
    } cases[] = {
        { &tv, "CCTV-1", "网络电视->CCTV-1", "http://live.cctv.example:8080/cctv1", false },
        // A category and a channel without a row change the texts only.
        { &tv, "港澳地区", "网络电视->港澳地区", "", false },
        { &tv, "有线新知", "网络电视->有线新知", "", false },
        { &radio, "中央一套", "网络电台->中央一套", "", true },
        { &tv, "CCTV-2", "网络电视->CCTV-2", "http://live.cctv.example:8080/cctv2", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        c.tree->SetSelected(Node(*c.tree, c.node));
        Pump();
        EXPECT_EQ(Control("suiPanel1").Caption(), Gbk(c.caption));
        EXPECT_EQ(windows.main->Edit1Text(), "");
        EXPECT_EQ(windows.main->Edit2Text(), c.edit2);
        EXPECT_EQ(Control("RealAudio1").Visible(), c.real_shown);
        EXPECT_EQ(Control("WindowsMediaPlayer1").Visible(), !c.real_shown);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PellamoWindowsTest, WebPageCommandsOpenTheirAddresses)
{
    windows.main->WindowsMediaPlayer91Click(nullptr);
    windows.main->RealPlayer1051Click(nullptr);
    windows.main->N10Click(nullptr);
    windows.about->Label4Click(nullptr);
    EXPECT_EQ(screen.OpenedUrls(),
        (std::vector<std::string> { kMediaPlayerDownloadPage, kRealPlayerDownloadPage, kHomePage, kHomePage }));
}

TEST(AboutWindowPlacement, CentresOnTheOuterBoundsTruncatingHalves)
{
    struct Case {
        Rect main;
        Size about;
        Point expected;
    } cases[] = {
        { Rect::FromSize(100, 50, 640, 435), { 292, 129 }, { 274, 203 } },
        // Odd sizes: each half is truncated on its own.
        { Rect::FromSize(0, 0, 641, 435), { 293, 130 }, { 174, 152 } },
        // A window moved partly off the screen.
        { Rect::FromSize(-300, -20, 640, 435), { 292, 129 }, { -126, 133 } },
    };
    for (const Case& c : cases) {
        Point at = TForm2::CentredOn(c.main, c.about);
        EXPECT_EQ(at.x, c.expected.x);
        EXPECT_EQ(at.y, c.expected.y);
    }
}

TEST_F(PellamoWindowsTest, AboutIsCentredOnTheMovedMainWindowAndShownModallyEachTime)
{
    for (Point main_at : { Point { 100, 50 }, Point { 300, 200 } }) {
        windows.main->SetLeft(main_at.x);
        windows.main->SetTop(main_at.y);
        bool was_visible = false;
        EventLoop::Main().Post([&] {
            was_visible = windows.about->Visible() && windows.about->Modal();
            windows.about->Close();
        });
        windows.main->N13Click(nullptr);
        EXPECT_TRUE(was_visible);
        EXPECT_FALSE(windows.about->Visible());
        Point expected
            = TForm2::CentredOn(windows.main->BoundsRect(), { windows.about->Width(), windows.about->Height() });
        EXPECT_EQ(windows.about->Left(), expected.x);
        EXPECT_EQ(windows.about->Top(), expected.y);
    }
}

TEST_F(PellamoWindowsTest, LoadTickBringsTheMainWindowBackOnceAtTheFifteenth)
{
    TForm4::ResetTicks();
    windows.main->Hide();
    auto* timer = dynamic_cast<TTimer*>(windows.load->FindComponent("Timer1"));
    ASSERT_NE(timer, nullptr);
    for (uint32_t tick = 1; tick <= 20; ++tick) {
        windows.load->Timer1Timer(nullptr);
        EXPECT_EQ(TForm4::Ticks(), tick);
        // Its work done, the timer stops so that an idle program sleeps.
        EXPECT_EQ(timer->Enabled(), tick < TForm4::kFrontTick) << "tick " << tick;
        // Shown at the 15th; hidden again after the 16th, it stays hidden.
        bool shown = tick == TForm4::kFrontTick || tick == TForm4::kFrontTick + 1;
        EXPECT_EQ(windows.main->Visible(), shown) << "tick " << tick;
        EXPECT_FALSE(windows.load->Visible());
        if (tick == TForm4::kFrontTick + 1)
            windows.main->Hide(); // later ticks leave it alone
    }
}

}
}
