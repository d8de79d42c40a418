// The main and about windows as start-up creates them, dressed in the
// MacOS skin: the stored values of their skinned parts, the whole designed
// client area above the status bar, and the caption panel's own text.
#include "tests/app/pellamo_windows_fixture.h"

#include "platform/components/property_access.h"
#include "platform/window/window_system.h"
#include "skin/frame/skin_form.h"
#include "skin/frame/title_bar.h"
#include "skin/panels/caption_panel.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pellamo {
namespace {

class DressedWindowsTest : public test::PellamoWindowsFixture {
protected:
    // A playlist long enough to overflow the third tree.
    static void WriteLongPlaylist(const std::string& config_dir)
    {
        std::filesystem::create_directories(config_dir + "/pellamo/playlists");
        std::ofstream list(config_dir + "/pellamo/playlists/long.m3u");
        for (int i = 0; i < 40; ++i)
            list << "#EXTINF:-1,Channel " << i << "\nhttp://live.example/" << i << "\n";
    }

    DressedWindowsTest()
        : PellamoWindowsFixture(WriteLongPlaylist)
    {
        windows.main->SetLeft(100);
        windows.main->SetTop(50);
        Pump();
    }

    template <class T = TControl> T& Part(TForm& form, const char* name)
    {
        auto* part = dynamic_cast<T*>(form.FindComponent(name));
        if (!part)
            throw std::runtime_error(std::string("no ") + name);
        return *part;
    }
    // A control's rectangle on the screen.
    Rect OnScreen(TControl& control)
    {
        Point p = control.Parent()->ClientToScreen({ control.Left(), control.Top() });
        return Rect::FromSize(p.x, p.y, control.Width(), control.Height());
    }
};

TEST_F(DressedWindowsTest, TheFramesCarryTheirStoredValues)
{
    struct Case {
        TForm* form;
        const char* caption;
        bool menu;
        bool minimise;
    } cases[] = {
        { windows.main, "Pellamo", true, true },
        { windows.about, "About Us", false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        auto& frame = Part<TsuiForm>(*c.form, "suiForm1");
        EXPECT_EQ(GetEnumProp(frame, "UIStyle"), "MacOS");
        EXPECT_EQ(GetOrdProp(frame, "UIStyleAutoUpdateSub"), 0);
        EXPECT_EQ(GetOrdProp(frame, "BorderColor"), 8355711);
        EXPECT_EQ(GetOrdProp(frame, "Color"), 15198183);
        EXPECT_EQ(GetOrdProp(frame, "MenuBarColor"), 15198183);
        EXPECT_EQ(GetStrProp(frame, "Caption"), c.caption);
        EXPECT_EQ(GetStrProp(frame, "Font.Name"), "Tahoma");
        EXPECT_EQ(GetSetProp(frame, "Font.Style"), "[fsBold]");
        EXPECT_EQ(frame.MenuBar() != nullptr, c.menu);
        EXPECT_EQ(c.form->MenuComponent(), nullptr) << "no plain menu bar under the skinned one";
        TsuiTitleBar& bar = frame.TitleBar();
        EXPECT_TRUE(bar.HasVisibleButton(TsuiTitleBarBtnType::suiClose));
        EXPECT_TRUE(bar.HasVisibleButton(TsuiTitleBarBtnType::suiControlBox));
        EXPECT_EQ(bar.HasVisibleButton(TsuiTitleBarBtnType::suiMin), c.minimise);
        EXPECT_FALSE(bar.HasVisibleButton(TsuiTitleBarBtnType::suiMax));
    }
    // The about window's design counts the title bar in its client area.
    EXPECT_EQ(windows.about->ClientWidth(), 286);
    EXPECT_EQ(windows.about->ClientHeight(), 123);
    Rect link = OnScreen(Part(*windows.about, "Label4"));
    EXPECT_LE(link.bottom, windows.about->ClientToScreen({ 0, 123 }).y) << "the web-site link inside the window";
    struct Stored {
        const char* name;
        const char* property;
        int64_t value;
    } stored[] = {
        { "suiPanel1", "BorderColor", 8355711 },
        { "suiPanel1", "ShowButton", 0 },
        { "suiPanel1", "Color", 0xFFFFFF },
        { "suiStatusBar1", "PanelColor", 15198183 },
        { "Edit1", "BorderColor", 8355711 },
        { "Button1", "FocusedRectMargin", 2 },
        { "MainMenu1", "SelectedColor", 12874553 },
        { "MainMenu1", "MenuItemHeight", 20 },
        { "suiPopupMenu1", "SelectedFontColor", 0xFFFFFF },
        { "TreeView1", "BorderWidth", 2 },
        { "TreeView2", "BorderColor", 8355711 },
        { "suiScrollBar1", "Color", 13224393 },
        { "suiScrollBar5", "Max", 100 },
        { "Memo1", "BorderColor", 8355711 },
    };
    for (const Stored& s : stored) {
        SCOPED_TRACE(std::string(s.name) + "." + s.property);
        auto& part = Part<TComponent>(*windows.main, s.name);
        EXPECT_EQ(GetEnumProp(part, "UIStyle"), "MacOS");
        EXPECT_EQ(GetOrdProp(part, s.property), s.value);
    }
    for (const char* n : { "1", "2", "3" })
        EXPECT_EQ(
            GetComponentProp(Part<TComponent>(*windows.main, (std::string("TreeView") + n).c_str()), "VScrollBar"),
            windows.main->FindComponent(std::string("suiScrollBar") + n));
    EXPECT_EQ(GetEnumProp(Part<TComponent>(*windows.main, "suiScrollBar6"), "Orientation"), "suiHorizontal");
}

TEST_F(DressedWindowsTest, TheWholeDesignedClientAreaIsAboveTheStatusBar)
{
    EXPECT_EQ(windows.main->Width(), 640);
    EXPECT_EQ(windows.main->Height(), 435);
    Rect window = windows.main->BoundsRect();
    Rect status = OnScreen(Part(*windows.main, "suiStatusBar1"));
    EXPECT_LE(status.bottom, window.bottom);
    auto& tv = Part<TCustomTreeView>(*windows.main, "TreeView1");
    for (const char* name : { "WindowsMediaPlayer1", "suiPanel1", "TreeView1" }) {
        SCOPED_TRACE(name);
        Rect r = OnScreen(Part(*windows.main, name));
        EXPECT_LE(r.bottom, status.top);
        EXPECT_GE(r.top, window.top + 42) << "below the title and menu bars";
        EXPECT_LE(r.right, window.right);
    }

    // The last channel, chosen by End with every category open, is seen whole.
    for (TTreeNode* n = tv.Items().GetFirstNode(); n; n = n->GetNextSibling())
        n->Expand();
    tv.SetFocus();
    screen.PressKey(VK_END);
    Pump();
    ASSERT_NE(tv.Selected(), nullptr);
    EXPECT_EQ(tv.Selected()->GetNext(), nullptr);
    Rect label = tv.DisplayRect(tv.Selected(), true);
    Point bottom = tv.ClientToScreen({ label.left, label.bottom });
    EXPECT_LE(bottom.y, status.top);
}

TEST_F(DressedWindowsTest, TheCaptionBarShowsTheChannel)
{
    auto& panel = Part<TsuiPanel>(*windows.main, "suiPanel1");
    auto& tv = Part<TCustomTreeView>(*windows.main, "TreeView1");
    Rect bar = OnScreen(panel);
    bar.bottom = bar.top + panel.BarHeight();
    auto dark = [&] {
        Bitmap shot = screen.Screenshot();
        int count = 0;
        for (int y = bar.top + 2; y < bar.bottom - 1; ++y)
            for (int x = bar.left + 2; x < bar.left + 200; ++x) {
                TColor c = shot.GetPixel(x, y);
                if ((c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60)
                    ++count;
            }
        return count;
    };
    int empty = dark();
    tv.SetSelected(Node(tv, "CCTV-1"));
    Pump();
    EXPECT_EQ(GbkToUtf8(panel.Caption()), "网络电视->CCTV-1");
    EXPECT_GT(dark(), empty + 20) << "the caption is drawn in the panel's bar";
    Rect player = OnScreen(Part(*windows.main, "WindowsMediaPlayer1"));
    EXPECT_GE(player.top, bar.bottom) << "the picture leaves the caption bar free";
}

TEST_F(DressedWindowsTest, EachTreesBarFollowsItsTreeAndShowsOnlyWhileItOverflows)
{
    TForm1& main = *windows.main;
    TCustomTreeView* trees[] = { &Part<TCustomTreeView>(main, "TreeView1"), &Part<TCustomTreeView>(main, "TreeView2"),
        &Part<TCustomTreeView>(main, "TreeView3") };
    TControl* bars[] = { &Part(main, "suiScrollBar1"), &Part(main, "suiScrollBar2"), &Part(main, "suiScrollBar3") };
    const Rect beside = Rect::FromSize(615, 43, 16, 367);
    auto shown = [&] {
        std::vector<bool> v;
        for (TControl* bar : bars)
            v.push_back(bar->Visible());
        return v;
    };
    // Opens categories of `tree` until its nodes overflow it.
    auto overflows = [&](TCustomTreeView& tree) {
        int rows = 0;
        for (TTreeNode* n = tree.Items().GetFirstNode(); n; n = n->GetNextVisible())
            ++rows;
        return rows * tree.DisplayRect(tree.Items().GetFirstNode(), false).Height() > tree.ClientHeight();
    };
    auto overflow = [&](TCustomTreeView& tree) {
        for (TTreeNode* n = tree.Items().GetFirstNode(); n && !overflows(tree); n = n->GetNextSibling()) {
            n->Expand();
            Pump();
        }
        ASSERT_TRUE(overflows(tree));
    };
    std::function<void(TObject*)> show[] = { [&](TObject* s) { main.N2Click(s); }, [&](TObject* s) { main.N3Click(s); },
        [&](TObject* s) { main.MyChannels1Click(s); } };

    EXPECT_EQ(shown(), (std::vector<bool> { false, false, false })) << "all categories collapsed: nothing overflows";
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        show[i](nullptr);
        Pump();
        EXPECT_EQ(shown(), (std::vector<bool> { false, false, false }));
        overflow(*trees[i]);
        std::vector<bool> want { i == 0, i == 1, i == 2 };
        EXPECT_EQ(shown(), want);
        EXPECT_EQ(bars[i]->BoundsRect(), beside) << "over the tree's right edge at its place";
        // The bar is painted there and scrolls its tree.
        Point arrow = bars[i]->Parent()->ClientToScreen({ beside.left + 8, beside.bottom - 6 });
        TTreeNode* top = trees[i]->TopItem();
        screen.Click(arrow);
        Pump();
        EXPECT_NE(trees[i]->TopItem(), top) << "the bar's lower arrow scrolls the tree";
    }
    // Back to the television tree: its bar comes back with it, the others go.
    main.N2Click(nullptr);
    Pump();
    EXPECT_EQ(shown(), (std::vector<bool> { true, false, false }));
}

}
}
