#include "platform/components/description_reader.h"
#include "skin/buttons/image_button.h"
#include "skin/scroll/scroll_bar_look.h"
#include "skin/scroll/scroll_classes.h"
#include "skin/scroll/scroll_track_bar.h"
#include "skin/theme/theme_source.h"
#include "skin/views/skin_memo.h"
#include "skin/views/skin_tree_view.h"
#include "skin/views/view_classes.h"
#include "tests/skin/skin_fixture.h"

#include <string>

namespace pellamo::test {
namespace {

// The main window's first tree and its bar, on a form as large as the
// main window's client area.
class SkinTreeViewTest : public SkinFixture {
protected:
    TsuiTreeView* tree = nullptr;
    TsuiScrollBar* bar = nullptr;

    void SetUp() override
    {
        form->SetBounds(0, 0, 700, 450);
        bar = Add<TsuiScrollBar>(Rect::FromSize(10, 10, 16, 100));
        bar->SetUIStyle(TsuiUIStyle::MacOS);
        tree = Add<TsuiTreeView>(Rect::FromSize(470, 42, 163, 369));
        tree->SetUIStyle(TsuiUIStyle::MacOS);
        tree->SetColor(clWhite);
        tree->SetVScrollBar(bar);
        // Ten categories of twenty channels, all collapsed.
        for (int c = 0; c < 10; ++c) {
            TTreeNode* category = tree->Items().AddChild(nullptr, "category " + std::to_string(c));
            for (int i = 0; i < 20; ++i)
                tree->Items().AddChild(category, "channel " + std::to_string(i));
        }
        Show();
    }

    SCROLLINFO TreeScroll()
    {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        ws().GetScrollInfo(tree->Handle(), SB_VERT, &si);
        return si;
    }
    int TopRow() { return TreeScroll().nPos; }
    // The whole window, its border included.
    Bitmap WindowShot(TWinControl& c)
    {
        Pump();
        return screen.Screenshot().Crop(ws().GetWindowRect(c.Handle()));
    }
    void Expand(int category)
    {
        tree->Items().TopLevel(category)->Expand();
        Pump();
    }
};

TEST_F(SkinTreeViewTest, TheBarShowsOverTheTreesOwnBarOnlyWhileTheRowsOverflow)
{
    EXPECT_FALSE(bar->Visible());
    EXPECT_FALSE(bar->Enabled());
    EXPECT_EQ(bar->LineButton(), 0);

    Expand(0);
    Expand(1);
    ASSERT_GT(TreeScroll().nMax + 1, static_cast<int>(TreeScroll().nPage)) << "the rows overflow";
    EXPECT_TRUE(bar->Visible());
    EXPECT_TRUE(bar->Enabled());
    EXPECT_EQ(bar->BoundsRect(), Rect::FromSize(615, 43, 16, 367));
    SCROLLINFO si = TreeScroll();
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), si.nMax - static_cast<int>(si.nPage) + 1);
    EXPECT_EQ(bar->SmallChange(), 5);
    // The slider as long as the tree's own thumb (at least 18).
    SCROLLBARINFO info;
    ws().GetScrollBarInfo(tree->Handle(), OBJID_VSCROLL, &info);
    EXPECT_EQ(bar->LineButton(), std::max(18, info.xyThumbBottom - info.xyThumbTop));

    // It lies exactly over the tree's own bar.
    Rect own = ws().GetWindowRect(tree->Handle());
    EXPECT_EQ(info.rcScrollBar.left - own.left + tree->Left(), bar->Left());
    EXPECT_EQ(info.rcScrollBar.right - own.left + tree->Left(), bar->Left() + bar->Width());

    // Deleting the category shown again fits the rows: the bar goes.
    tree->Items().Delete(tree->Items().TopLevel(1));
    tree->Items().Delete(tree->Items().TopLevel(0));
    Pump();
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(bar->LineButton(), 0);
}

TEST_F(SkinTreeViewTest, ScrollingEitherOneMovesTheOther)
{
    for (int c = 0; c < 5; ++c)
        Expand(c);
    // The tree by its keys, its scroll messages and the wheel.
    tree->SetFocus();
    tree->SetSelected(tree->Items().TopLevel(0));
    Key(VK_NEXT); // to the last row in view
    Key(VK_NEXT); // a page on
    EXPECT_GT(TopRow(), 0);
    EXPECT_EQ(bar->Position(), TopRow());
    ws().SendMessage(tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(bar->Position(), TopRow());
    int before = TopRow();
    MoveTo(*tree, { 50, 50 });
    screen.Wheel(-WHEEL_DELTA);
    Pump();
    EXPECT_GT(TopRow(), before);
    EXPECT_EQ(bar->Position(), TopRow());

    // The bar by its value, its arrows and its slider.
    bar->SetPosition(7);
    EXPECT_EQ(TopRow(), 7);
    Press(bar->IncrementButton(), { 8, 10 });
    Release();
    EXPECT_EQ(TopRow(), 12);
    EXPECT_EQ(bar->Position(), 12);
    TControl& slider = *bar->Track().Controls(0);
    Press(slider, { 8, 8 });
    MoveTo(bar->Track(), { 8, bar->Track().Height() + 50 });
    EXPECT_EQ(TopRow(), bar->Max());
    MoveTo(bar->Track(), { 8, -50 });
    EXPECT_EQ(TopRow(), 0);
    Release();
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(SkinTreeViewTest, TheHorizontalBarShowsForAWideNameAndScrollsTheTreeSideways)
{
    auto* hbar = Add<TsuiScrollBar>(Rect::FromSize(10, 200, 100, 16));
    hbar->SetUIStyle(TsuiUIStyle::MacOS);
    tree->SetHScrollBar(hbar);
    Pump();
    EXPECT_FALSE(hbar->Visible()) << "every name fits";
    EXPECT_FALSE(bar->Visible());

    TTreeNode* wide = tree->Items().Add(nullptr, "a category whose name is much wider than the tree");
    Pump();
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ws().GetScrollInfo(tree->Handle(), SB_HORZ, &si);
    ASSERT_GT(si.nMax + 1, static_cast<int>(si.nPage));
    EXPECT_TRUE(hbar->Visible());
    EXPECT_TRUE(hbar->Enabled());
    EXPECT_EQ(hbar->BoundsRect(), Rect::FromSize(471, 42 + 369 - 16 - 2, 163 - 2, 16)) << "along the bottom";
    EXPECT_EQ(hbar->Max(), si.nMax - static_cast<int>(si.nPage) + 1);

    // The tree sideways moves the bar; the bar moves the tree and its text.
    Rect label = tree->DisplayRect(wide, true);
    Bitmap before = WindowShot(*tree);
    ws().SendMessage(tree->Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(hbar->Position(), tree->HorzOffset());
    EXPECT_GT(tree->HorzOffset(), 0);
    hbar->SetPosition(hbar->Max());
    EXPECT_EQ(tree->HorzOffset(), hbar->Max());
    EXPECT_EQ(tree->DisplayRect(wide, true).left, label.left - hbar->Max());
    Bitmap after = WindowShot(*tree);
    Rect row = Rect::FromSize(2, label.top + 2, tree->ClientWidth(), label.Height());
    EXPECT_FALSE(before.Crop(row) == after.Crop(row)) << "the name's text moved";

    // Both bars: the vertical one leaves the corner to the horizontal one.
    Expand(0);
    Expand(1);
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->BoundsRect(), Rect::FromSize(615, 43, 16, 369 - 16 - 2));

    // Gone again with the wide name.
    tree->Items().Delete(wide);
    Pump();
    EXPECT_FALSE(hbar->Visible());
    EXPECT_EQ(bar->BoundsRect(), Rect::FromSize(615, 43, 16, 367));
}

TEST_F(SkinTreeViewTest, TheBarFollowsTheTreeWhenItMovesHidesOrIsDisabled)
{
    for (int c = 0; c < 3; ++c)
        Expand(c);
    tree->SetBounds(8, 42, 163, 369);
    EXPECT_EQ(bar->BoundsRect(), Rect::FromSize(153, 43, 16, 367));
    tree->SetHeight(300);
    EXPECT_EQ(bar->Height(), 298);
    tree->SetVisible(false);
    EXPECT_FALSE(bar->Visible());
    tree->SetVisible(true);
    EXPECT_TRUE(bar->Visible());
    // Bound while hidden (as a description binds it), it waits for the tree.
    tree->SetVisible(false);
    tree->SetVScrollBar(nullptr);
    tree->SetVScrollBar(bar);
    EXPECT_FALSE(bar->Visible());
    tree->SetVisible(true);
    EXPECT_TRUE(bar->Visible());
    tree->SetEnabled(false);
    EXPECT_TRUE(bar->Visible());
    EXPECT_FALSE(bar->Enabled());
    tree->SetEnabled(true);
    EXPECT_TRUE(bar->Enabled());
}

// Switching between the television and the radio tree, as the main window does.
TEST_F(SkinTreeViewTest, SwitchingTreesSwitchesTheirBars)
{
    auto* radio_bar = Add<TsuiScrollBar>(Rect::FromSize(537, 415, 16, 367));
    auto* radio = Add<TsuiTreeView>(Rect::FromSize(392, 414, 163, 369));
    radio->SetVisible(false);
    radio->SetVScrollBar(radio_bar);
    for (int i = 0; i < 3; ++i)
        radio->Items().AddChild(nullptr, "station");
    for (int c = 0; c < 3; ++c)
        Expand(c);
    ASSERT_TRUE(bar->Visible());
    EXPECT_FALSE(radio_bar->Visible());

    struct Step {
        int radio_stations; // rows the radio tree holds when it shows
        bool radio_bar_shows;
    } steps[] = { { 3, false }, { 80, true } };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.radio_stations);
        while (radio->Items().Count() < step.radio_stations)
            radio->Items().AddChild(nullptr, "station");
        tree->SetVisible(false);
        radio->SetBounds(470, 42, 163, 369);
        radio->SetVisible(true);
        Pump();
        EXPECT_FALSE(bar->Visible());
        EXPECT_EQ(radio_bar->Visible(), step.radio_bar_shows);
        EXPECT_EQ(radio_bar->BoundsRect(), Rect::FromSize(615, 43, 16, 367));
        // And back.
        radio->SetVisible(false);
        radio->SetBounds(392, 414, 163, 369);
        tree->SetVisible(true);
        Pump();
        EXPECT_TRUE(bar->Visible());
        EXPECT_FALSE(radio_bar->Visible());
    }
}

TEST_F(SkinTreeViewTest, BindingAnotherBarReleasesTheFirstAndAFreedBarIsForgotten)
{
    Expand(0);
    Expand(1);
    auto* second = Add<TsuiScrollBar>(Rect::FromSize(10, 10, 16, 100));
    tree->SetVScrollBar(second);
    EXPECT_EQ(bar->LineButton(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_TRUE(bar->Enabled());
    EXPECT_TRUE(second->Visible());
    EXPECT_EQ(second->BoundsRect(), Rect::FromSize(615, 43, 16, 367));
    // The first bar is the user's again: it no longer scrolls the tree.
    int changes = 0;
    bar->OnChange() = [&](TObject*) { ++changes; };
    bar->SetPosition(3);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(TopRow(), 0);

    delete second;
    EXPECT_EQ(tree->VScrollBar(), nullptr);
    Key(VK_NEXT); // nothing left to keep in step
}

// Positions beyond 16 bits reach the tree whole.
TEST_F(SkinTreeViewTest, AFarPositionScrollsTheTreeExactlyThere)
{
    tree->Items().BeginUpdate();
    for (int i = 0; i < 70000; ++i)
        tree->Items().AddChild(nullptr, "n");
    tree->Items().EndUpdate();
    Pump();
    bar->SetPosition(69000);
    EXPECT_EQ(TopRow(), 69000);
    EXPECT_EQ(tree->TopItem(), tree->Items().TopLevel(69000));
}

// The border's two lines, and the bar's arrows over the tree's own bar.
TEST_F(SkinTreeViewTest, PaintsTheSkinBorderAndTheBarInTheStyle)
{
    for (int c = 0; c < 3; ++c)
        Expand(c);
    for (TsuiUIStyle style : { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP }) {
        SCOPED_TRACE(static_cast<int>(style));
        tree->SetUIStyle(style);
        EXPECT_EQ(bar->UIStyle(), style);
        ThemeSource theme(nullptr, style);
        EXPECT_EQ(tree->BorderColor(), theme.Color(ThemeItem::ControlBorderColor));
        Bitmap shot = WindowShot(*tree);
        EXPECT_EQ(shot.GetPixel(0, 100), tree->BorderColor());
        EXPECT_EQ(shot.GetPixel(80, 0), tree->BorderColor());
        EXPECT_EQ(shot.GetPixel(1, 100), clWhite);
        EXPECT_EQ(shot.GetPixel(80, 368), tree->BorderColor());
        ScrollBarLook look = ResolveScrollBarLook(theme, true);
        Bitmap over = Shot(*bar);
        EXPECT_EQ(over.Crop(Rect::FromSize(0, 0, look.arrows[0].Width(), look.arrows[0].Height())), look.arrows[0]);
    }
    // From a theme file exported from MacOS: as MacOS.
    tree->SetUIStyle(TsuiUIStyle::MacOS);
    Bitmap mac_tree = WindowShot(*tree);
    Bitmap mac_bar = Shot(*bar);
    tree->SetFileTheme(ExportedTheme(TsuiUIStyle::MacOS));
    tree->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(WindowShot(*tree), mac_tree);
    EXPECT_EQ(Shot(*bar), mac_bar);
}

TEST_F(SkinFixture, DescriptionsNameTheTreeWithItsBar)
{
    RegisterSkinViewClasses();
    RegisterSkinScrollClasses();
    form->SetBounds(0, 0, 700, 450);
    ReadDescription(R"(
object Form1: TForm
  object TreeView1: TsuiTreeView
    Left = 470
    Top = 42
    Width = 163
    Height = 369
    UIStyle = MacOS
    BorderColor = 8355711
    VScrollBar = suiScrollBar1
    BorderStyle = bsNone
    BorderWidth = 2
    Color = clWhite
    Indent = 19
    ReadOnly = True
  end
  object suiScrollBar1: TsuiScrollBar
    Left = 615
    Top = 43
    Width = 16
    Height = 367
    LineButton = 293
    Orientation = suiVertical
    UIStyle = MacOS
    Max = 3
    SmallChange = 5
    LargeChange = 2
    PageSize = 2
    Color = 13224393
  end
  object Memo1: TsuiMemo
    Left = 38
    Top = 412
    Width = 289
    Height = 41
    UIStyle = MacOS
    BorderColor = 8355711
    VScrollBar = MemoBar
  end
  object MemoBar: TsuiScrollBar
    UIStyle = MacOS
  end
end)",
        *form);
    auto* view = dynamic_cast<TsuiTreeView*>(form->FindComponent("TreeView1"));
    auto* scroll = dynamic_cast<TsuiScrollBar*>(form->FindComponent("suiScrollBar1"));
    ASSERT_TRUE(view && scroll);
    EXPECT_EQ(view->VScrollBar(), scroll);
    EXPECT_EQ(view->UIStyle(), TsuiUIStyle::MacOS);
    EXPECT_EQ(view->BorderWidth(), 2);
    auto* memo = dynamic_cast<TsuiMemo*>(form->FindComponent("Memo1"));
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->VScrollBar(), form->FindComponent("MemoBar"));
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ(memo->VScrollBar()->BoundsRect(), Rect::FromSize(38 + 289 - 16 - 2, 413, 16, 39));
    Show();
    for (int i = 0; i < 60; ++i)
        view->Items().AddChild(nullptr, "channel");
    Pump();
    EXPECT_TRUE(scroll->Visible());
    EXPECT_EQ(scroll->BoundsRect(), Rect::FromSize(615, 43, 16, 367));
}

}
}
