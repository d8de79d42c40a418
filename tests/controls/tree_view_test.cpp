// The tree view on the headless screen: the stored television tree, mouse
// and keyboard navigation, type-ahead, label editing, scrolling and pixels.

#include "tests/controls/shown_form_fixture.h"

#include "catalogue/builtin_catalogue.h"
#include "platform/components/controls/tree_format_error.h"
#include "platform/components/controls/tree_view.h"
#include "platform/components/property_access.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/non_client.h"

#include <vector>

namespace pellamo::test {
namespace {

constexpr UINT VK_F2 = 0x71;

class TreeViewTest : public ShownFormFixture {
protected:
    TreeViewTest()
    {
        tree = new TTreeView(form);
        tree->SetBounds(10, 10, 163, 369);
        tree->SetIndent(19);
        auto data = TelevisionTreeData();
        tree->Items().ReadData(Bytes(data.begin(), data.end()));
        tree->SetParent(form);
        tree->OnChange = [this](TObject* sender, TTreeNode* node) {
            EXPECT_EQ(sender, tree);
            changes.push_back(node);
        };
        tree->Clock = [this] { return now; };
        tree->SetFocus();
        Pump();
    }
    TTreeNode* Top(const std::string& utf8) const
    {
        for (int i = 0; i < tree->Items().TopLevelCount(); ++i)
            if (tree->Items().TopLevel(i)->Text() == Gbk(utf8))
                return tree->Items().TopLevel(i);
        ADD_FAILURE() << "no category " << utf8;
        return nullptr;
    }
    std::string SelectedUtf8() const { return tree->Selected() ? GbkToUtf8(tree->Selected()->Text()) : "(none)"; }
    Point Label(const TTreeNode* node) const
    {
        Rect r = tree->DisplayRect(node, true);
        return ScreenOf(tree->Handle(), { r.left + 3, (r.top + r.bottom) / 2 });
    }
    Point Button(const TTreeNode* node) const
    {
        Rect r = tree->DisplayRect(node, false);
        int column = node->Level() + 1;
        return ScreenOf(tree->Handle(), { (column - 1) * 19 + 9, (r.top + r.bottom) / 2 });
    }
    SCROLLINFO Scroll() const
    {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        ws().GetScrollInfo(tree->Handle(), SB_VERT, &si);
        return si;
    }

    TTreeView* tree = nullptr;
    std::vector<TTreeNode*> changes;
    std::chrono::steady_clock::time_point now {};
};

TEST_F(TreeViewTest, StoredTelevisionTreeLoadsAndStoresBackUnchanged)
{
    TTreeNodes& items = tree->Items();
    ASSERT_EQ(items.TopLevelCount(), 14);
    EXPECT_EQ(items.Count(), 14 + 128);
    TTreeNode* first = items.GetFirstNode();
    EXPECT_EQ(GbkToUtf8(first->Text()), "精选频道");
    EXPECT_EQ(first->Count(), 11);
    TTreeNode* child = first->Item(1);
    EXPECT_EQ(GbkToUtf8(child->Text()), "中央一台");
    EXPECT_EQ(child->Parent(), first);
    EXPECT_EQ(child->Level(), 1);
    EXPECT_EQ(child->Index(), 1);
    EXPECT_EQ(child->StateIndex, -1);
    EXPECT_EQ(items.Item(2), child);
    EXPECT_THROW(items.Item(142), std::out_of_range);
    EXPECT_THROW(first->Item(11), std::out_of_range);

    auto data = TelevisionTreeData();
    EXPECT_EQ(GetBinaryProp(*tree, "Items.Data"), Bytes(data.begin(), data.end()));
}

TEST_F(TreeViewTest, BadStoredDataIsRefusedAndKeepsTheNodes)
{
    auto data = TelevisionTreeData();
    Bytes truncated(data.begin(), data.begin() + 40);
    EXPECT_THROW(SetBinaryProp(*tree, "Items.Data", truncated), TreeFormatError);
    EXPECT_EQ(tree->Items().TopLevelCount(), 14);

    // A third level cannot be stored: saving says so instead of losing it.
    TTreeNode* channel = tree->Items().GetFirstNode()->Item(0);
    tree->Items().AddChild(channel, "deep");
    EXPECT_THROW(tree->Items().WriteData(), TreeFormatError);
}

TEST_F(TreeViewTest, ClickOnButtonTogglesAndClickOnLabelSelects)
{
    TTreeNode* hk = Top("港澳地区");
    int rows_before = Scroll().nMax;
    screen.Click(Button(hk));
    Pump();
    EXPECT_TRUE(hk->Expanded());
    EXPECT_TRUE(changes.empty()) << "expanding selects nothing";
    EXPECT_EQ(Scroll().nMax, rows_before + 9);

    TTreeNode* phoenix = hk->Item(0);
    screen.Click(Label(phoenix));
    Pump();
    EXPECT_EQ(tree->Selected(), phoenix);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], phoenix);

    screen.Click(Button(hk));
    Pump();
    EXPECT_FALSE(hk->Expanded());
    // Collapsing hides the selection: it moves to the collapsed node.
    EXPECT_EQ(tree->Selected(), hk);
    EXPECT_EQ(changes.back(), hk);
}

TEST_F(TreeViewTest, RightClickSelectsOnlyWhenAsked)
{
    TTreeNode* cctv = Top("CCTV");
    for (bool select : { false, true }) {
        tree->SetRightClickSelect(select);
        screen.Click(Label(cctv), MouseButton::Right);
        Pump();
        EXPECT_EQ(tree->Selected() == cctv, select);
    }
}

TEST_F(TreeViewTest, KeyboardNavigation)
{
    struct Step {
        UINT key;
        const char* selected;
        bool first_expanded;
    };
    const Step steps[] = {
        { VK_DOWN, "精选频道", false }, // nothing selected: the first node
        { VK_RIGHT, "精选频道", true }, // expands
        { VK_RIGHT, "香港翡翠台", true }, // into the first child
        { VK_DOWN, "中央一台", true }, { VK_UP, "香港翡翠台", true }, { VK_LEFT, "精选频道", true }, // to the parent
        { VK_LEFT, "精选频道", false }, // collapses
        { VK_DOWN, "港澳地区", false }, { VK_END, "其它地区", false }, { VK_HOME, "精选频道", false },
        { VK_DOWN, "港澳地区", false }, { VK_UP, "精选频道", false }, { VK_UP, "精选频道", false }, // stays at the top
    };
    for (const Step& s : steps) {
        screen.PressKey(s.key);
        Pump();
        EXPECT_EQ(SelectedUtf8(), s.selected) << "key " << s.key;
        EXPECT_EQ(tree->Items().GetFirstNode()->Expanded(), s.first_expanded) << "key " << s.key;
    }
    // Page down moves by a page less one row, within the visible rows.
    TTreeNode* first = tree->Items().GetFirstNode();
    first->Expand();
    tree->SetSelected(first);
    screen.PressKey(VK_NEXT);
    Pump();
    TTreeNode* expected = first;
    for (int i = 0; i < tree->VisibleRowCount() - 1; ++i)
        expected = expected->GetNextVisible();
    EXPECT_EQ(tree->Selected(), expected);
}

TEST_F(TreeViewTest, PlusAndMinusExpandAndCollapse)
{
    TTreeNode* first = tree->Items().GetFirstNode();
    tree->SetSelected(first);
    screen.TypeText("+");
    Pump();
    EXPECT_TRUE(first->Expanded());
    screen.TypeText("-");
    Pump();
    EXPECT_FALSE(first->Expanded());
    EXPECT_EQ(tree->Selected(), first) << "+ and - do not type ahead";
}

TEST_F(TreeViewTest, TypeAheadFindsVisibleLabelsAndRestartsAfterAPause)
{
    struct Case {
        const char* typed;
        int pause_ms; // before typing
        const char* selected;
    };
    const Case cases[] = {
        { "c", 0, "CCTV" }, // ASCII without case
        { "浙", 2000, "浙江地区" }, // 浙江卫视台 is hidden in a collapsed category
        { "江", 2000, "江苏地区" }, { "苏", 100, "江苏地区" }, // "江苏" continues the prefix
        { "港", 1500, "港澳地区" }, { "x", 1500, "港澳地区" }, // no match: the selection stays
    };
    for (const Case& c : cases) {
        now += std::chrono::milliseconds(c.pause_ms);
        screen.TypeText(c.typed);
        Pump();
        EXPECT_EQ(SelectedUtf8(), c.selected) << c.typed;
    }

    // Typing the same first letter again after a pause moves to the next match.
    Top("上海地区")->Expand();
    tree->SetSelected(Top("上海地区"));
    now += std::chrono::seconds(2);
    screen.TypeText("上");
    Pump();
    EXPECT_EQ(SelectedUtf8().substr(0, 3), "上");
    EXPECT_NE(tree->Selected(), Top("上海地区"));
}

TEST_F(TreeViewTest, TypeAheadComparesTrailBytesExactly)
{
    // 0xB0 0x61 and 0xB0 0x41 differ only in an ASCII-letter trail byte:
    // the first must not match a search for the second.
    tree->Items().Clear();
    tree->Items().AddChild(nullptr, "\xB0\x61");
    TTreeNode* wanted = tree->Items().AddChild(nullptr, "\xB0\x41");
    screen.TypeText(GbkToUtf8("\xB0\x41"));
    Pump();
    EXPECT_EQ(tree->Selected(), wanted);
}

TEST_F(TreeViewTest, SiblingLinksFollowInsertsAndDeletes)
{
    TTreeNodes& items = tree->Items();
    items.Clear();
    TTreeNode* b = items.AddChild(nullptr, "b");
    TTreeNode* d = items.AddChild(nullptr, "d");
    items.Insert(d, "c");
    items.AddFirst(b, "a");
    TTreeNode* child = items.AddChild(d, "d1");
    items.AddChildFirst(d, "d0");
    items.Delete(b);
    std::string forward, backward;
    for (TTreeNode* n = items.GetFirstNode(); n; n = n->GetNextSibling()) {
        forward += n->Text();
        EXPECT_EQ(items.TopLevel(n->Index()), n);
    }
    for (TTreeNode* n = d; n; n = n->GetPrevSibling())
        backward += n->Text();
    EXPECT_EQ(forward, "acd");
    EXPECT_EQ(backward, "dca");
    EXPECT_EQ(child->Index(), 1);
    EXPECT_EQ(child->GetPrevSibling()->Text(), "d0");
    EXPECT_EQ(child->GetNextSibling(), nullptr);
}

TEST_F(TreeViewTest, LabelEditing)
{
    TTreeNode* node = Top("CCTV");
    std::vector<std::string> edited;
    tree->OnEdited = [&](TObject*, TTreeNode* n, std::string& text) {
        EXPECT_EQ(n, node);
        edited.push_back(text);
    };
    tree->SetSelected(node);

    struct Case {
        bool read_only;
        const char* typed;
        UINT end_key;
        const char* result;
    };
    const Case cases[] = {
        { true, "", 0, "CCTV" }, // F2 does nothing on a read-only tree
        { false, "央视", VK_RETURN, "央视" }, // typing replaces the whole label
        { false, "abc", VK_ESCAPE, "央视" }, // Esc drops the edit
    };
    for (const Case& c : cases) {
        tree->SetReadOnly(c.read_only);
        screen.PressKey(VK_F2);
        Pump();
        EXPECT_EQ(tree->IsEditing(), !c.read_only);
        if (!c.read_only) {
            EXPECT_EQ(ws().GetFocus(), tree->EditHandle());
            screen.TypeText(c.typed);
            screen.PressKey(c.end_key);
            Pump();
        }
        EXPECT_FALSE(tree->IsEditing());
        EXPECT_EQ(GbkToUtf8(node->Text()), c.result);
        EXPECT_EQ(ws().GetFocus(), tree->Handle());
    }
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(GbkToUtf8(edited[0]), "央视");

    // A handler that makes the label too long for the stored format gets it
    // cut at a character boundary.
    tree->OnEdited = [](TObject*, TTreeNode*, std::string& text) { text = std::string(254, 'a') + "\xD1\xEB"; };
    screen.PressKey(VK_F2);
    screen.PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(node->Text(), std::string(254, 'a'));
    node->SetText(Gbk("央视"));
    tree->OnEdited.Clear();

    // Backspace after moving the caret removes one whole GBK character.
    screen.PressKey(VK_F2);
    screen.PressKey(VK_END);
    screen.PressKey(VK_BACK);
    screen.PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(GbkToUtf8(node->Text()), "央");
}

TEST_F(TreeViewTest, SlowSecondClickOnTheSelectedLabelEdits)
{
    TTreeNode* node = Top("CCTV");
    screen.Click(Label(node));
    Pump();
    ASSERT_EQ(tree->Selected(), node);
    EXPECT_FALSE(tree->IsEditing());
    now += std::chrono::seconds(2);
    RunFor(std::chrono::milliseconds(600)); // no double click
    screen.Click(Label(node));
    Pump();
    EXPECT_FALSE(tree->IsEditing()) << "only after the edit delay";
    RunFor(std::chrono::milliseconds(700));
    EXPECT_TRUE(tree->IsEditing());
    // Clicking elsewhere in the tree commits the edit.
    screen.Click(Label(Top("CCTV")->GetNextSibling()));
    Pump();
    EXPECT_FALSE(tree->IsEditing());
    EXPECT_EQ(GbkToUtf8(node->Text()), "CCTV");
}

TEST_F(TreeViewTest, ScrollInfoFollowsTheRowsAndTheWheelScrollsThreeRows)
{
    int page = tree->VisibleRowCount();
    SCROLLINFO si = Scroll();
    EXPECT_EQ(si.nMax, 13);
    for (int i = 0; i < tree->Items().TopLevelCount(); ++i)
        tree->Items().TopLevel(i)->Expand();
    si = Scroll();
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 141);
    EXPECT_EQ(si.nPage, static_cast<UINT>(page));
    EXPECT_EQ(si.nPos, 0);

    struct Step {
        const char* what;
        std::function<void()> act;
        int top;
    };
    const int max_top = 142 - page;
    const std::vector<Step> steps = {
        { "wheel down", [&] { screen.Wheel(-WHEEL_DELTA); }, 3 },
        { "wheel up twice",
            [&] {
                screen.Wheel(WHEEL_DELTA);
                screen.Wheel(WHEEL_DELTA);
            },
            0 },
        { "line down", [&] { ws().SendMessage(tree->Handle(), WM_VSCROLL, SB_LINEDOWN, 0); }, 1 },
        { "page down", [&] { ws().SendMessage(tree->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0); }, 1 + page },
        { "thumb", [&] { ws().SendMessage(tree->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0); }, 40 },
        { "thumb beyond the end",
            [&] { ws().SendMessage(tree->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 500), 0); }, max_top },
        { "home key scrolls to the selection", [&] { screen.PressKey(VK_HOME); }, 0 },
        { "end key", [&] { screen.PressKey(VK_END); }, max_top },
    };
    for (const Step& s : steps) {
        screen.MoveMouse(ScreenOf(tree->Handle(), { 50, 50 }));
        s.act();
        Pump();
        EXPECT_EQ(Scroll().nPos, s.top) << s.what;
        EXPECT_EQ(tree->TopItem(), tree->Items().Item(s.top)) << s.what;
    }
}

TEST_F(TreeViewTest, SelectedRowPixels)
{
    TTreeNode* node = Top("CCTV");
    tree->SetSelected(node);
    Pump();
    Rect label = tree->DisplayRect(node, true);
    Point inside { label.right - 2, label.top + 2 }; // right of the text, inside the focus frame
    Point right_of { label.right + 4, label.top + 2 };
    const TColor highlight = SystemColors::Resolve(clHighlight);
    const TColor window = SystemColors::Resolve(clWindow);
    EXPECT_EQ(PixelAt(tree->Handle(), inside), highlight);
    EXPECT_EQ(PixelAt(tree->Handle(), right_of), window);

    struct Case {
        bool hide_selection;
        TColor unfocused;
    };
    const Case cases[] = {
        { true, window },
        { false, SystemColors::Resolve(clBtnFace) },
    };
    for (const Case& c : cases) {
        tree->SetHideSelection(c.hide_selection);
        ws().SetFocus(host);
        Pump();
        EXPECT_EQ(PixelAt(tree->Handle(), inside), c.unfocused) << c.hide_selection;
        tree->SetFocus();
        Pump();
        EXPECT_EQ(PixelAt(tree->Handle(), inside), highlight);
    }

    tree->SetRowSelect(true);
    Pump();
    EXPECT_EQ(PixelAt(tree->Handle(), right_of), highlight);
}

TEST_F(TreeViewTest, DeletingTheSelectedBranchLeavesNoDanglingSelection)
{
    TTreeNode* hk = Top("港澳地区");
    tree->SetSelected(hk->Item(3));
    tree->Items().Delete(hk);
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Items().TopLevelCount(), 13);
    screen.PressKey(VK_DOWN);
    Pump();
    EXPECT_EQ(SelectedUtf8(), "精选频道");
}

// A name wider than the view: the tree scrolls sideways.
class WideTreeViewTest : public TreeViewTest {
protected:
    WideTreeViewTest()
    {
        wide = tree->Items().Add(nullptr, "a channel whose name is far wider than the tree view");
        Pump();
    }
    SCROLLINFO Horz() const
    {
        SCROLLINFO si;
        si.fMask = SIF_ALL;
        ws().GetScrollInfo(tree->Handle(), SB_HORZ, &si);
        return si;
    }
    bool HorzBarShown() const { return (ws().GetStyle(tree->Handle()) & WS_HSCROLL) != 0; }
    int MaxLeft() const { return tree->ContentWidth() - tree->ClientWidth(); }

    TTreeNode* wide = nullptr;
};

TEST_F(TreeViewTest, AllNamesFitSoThereIsNoHorizontalBar)
{
    for (int i = 0; i < tree->Items().TopLevelCount(); ++i)
        tree->Items().TopLevel(i)->Expand();
    Pump();
    EXPECT_FALSE(ws().GetStyle(tree->Handle()) & WS_HSCROLL);
    EXPECT_LE(tree->ContentWidth(), tree->ClientWidth());
    ws().SendMessage(tree->Handle(), WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(tree->HorzOffset(), 0);
}

TEST_F(WideTreeViewTest, TheHorizontalRangeFollowsTheWidestVisibleNode)
{
    ASSERT_TRUE(HorzBarShown());
    SCROLLINFO si = Horz();
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, tree->ContentWidth() - 1);
    EXPECT_EQ(si.nPage, static_cast<UINT>(tree->ClientWidth()));
    EXPECT_GT(tree->ContentWidth(), tree->ClientWidth());
    // The bar takes room from the rows.
    const int client_height = tree->ClientHeight();

    // A wide child of a collapsed node is not visible and does not count.
    tree->Items().Delete(wide);
    Pump();
    EXPECT_FALSE(HorzBarShown());
    EXPECT_EQ(tree->ClientHeight(), client_height + NonClient::kScrollBarSize);
    TTreeNode* cctv = Top("CCTV");
    TTreeNode* child = tree->Items().AddChild(cctv, "another name far wider than the tree view itself");
    Pump();
    EXPECT_FALSE(HorzBarShown());
    cctv->Expand();
    Pump();
    EXPECT_TRUE(HorzBarShown());
    // Deeper nodes start further right.
    EXPECT_EQ(Horz().nMax + 1, tree->DisplayRect(child, true).right);
    cctv->Collapse();
    Pump();
    EXPECT_FALSE(HorzBarShown());
    // A renamed node counts with its new name.
    tree->Items().GetFirstNode()->SetText("renamed to a name that is wider than the tree view");
    Pump();
    EXPECT_TRUE(HorzBarShown());
}

TEST_F(WideTreeViewTest, ScrollRequestsWheelAndKeysMoveTheRowsSideways)
{
    const int line = tree->ItemHeight();
    const int page = tree->ClientWidth();
    const int max_left = MaxLeft();
    ASSERT_GT(max_left, page / 2) << "room for the steps below";
    auto hscroll = [&](WPARAM w) { ws().SendMessage(tree->Handle(), WM_HSCROLL, w, 0); };
    struct Step {
        const char* what;
        std::function<void()> act;
        int left;
    };
    const std::vector<Step> steps = {
        { "line right", [&] { hscroll(SB_LINERIGHT); }, line },
        { "line left", [&] { hscroll(SB_LINELEFT); }, 0 },
        { "line left at the start", [&] { hscroll(SB_LINELEFT); }, 0 },
        { "page right", [&] { hscroll(SB_PAGERIGHT); }, std::min(page, max_left) },
        { "to the right end", [&] { hscroll(SB_RIGHT); }, max_left },
        { "page right at the end", [&] { hscroll(SB_PAGERIGHT); }, max_left },
        { "to the left end", [&] { hscroll(SB_LEFT); }, 0 },
        { "thumb", [&] { hscroll(MAKEWPARAM(SB_THUMBPOSITION, 30)); }, 30 },
        { "thumb beyond the end", [&] { hscroll(MAKEWPARAM(SB_THUMBTRACK, 5000)); }, max_left },
        { "shift+wheel towards the user goes right",
            [&] {
                hscroll(SB_LEFT);
                ws().SendMessage(tree->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, -WHEEL_DELTA), 0);
            },
            std::min(3 * line, max_left) },
        { "shift+wheel away goes left",
            [&] { ws().SendMessage(tree->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, WHEEL_DELTA), 0); }, 0 },
        // A top-level leaf has nowhere to go with Left or Right: the view moves.
        { "right on a leaf",
            [&] {
                tree->SetSelected(wide); // its start is in view
                screen.PressKey(VK_RIGHT);
            },
            line },
        { "left on a top-level node", [&] { screen.PressKey(VK_LEFT); }, 0 },
    };
    for (const Step& s : steps) {
        s.act();
        Pump();
        EXPECT_EQ(tree->HorzOffset(), s.left) << s.what;
        EXPECT_EQ(Horz().nPos, s.left) << s.what;
    }
    // The plain wheel still scrolls rows, not sideways.
    tree->Items().GetFirstNode()->Expand();
    tree->SetTopItem(tree->Items().GetFirstNode());
    tree->SetHorzOffset(10);
    ws().SendMessage(tree->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(tree->HorzOffset(), 10);
    EXPECT_EQ(Scroll().nPos, 3);
}

TEST_F(WideTreeViewTest, HitTestsAndPaintingFollowTheSidewaysScroll)
{
    TTreeNode* hk = Top("港澳地区");
    Rect before = tree->DisplayRect(hk, true);
    tree->SetHorzOffset(12);
    Rect after = tree->DisplayRect(hk, true);
    EXPECT_EQ(after.left, before.left - 12);
    EXPECT_EQ(after.right, before.right - 12);
    const int mid = (after.top + after.bottom) / 2;
    struct Case {
        int x;
        THitTest hit;
    };
    // The button column (0..19 unscrolled) now ends at x 7.
    for (Case c : std::vector<Case> { { 3, THitTest::htOnButton }, { after.left + 3, THitTest::htOnLabel },
             { after.right + 2, THitTest::htOnRight } })
        EXPECT_EQ(tree->GetHitTest(c.x, mid), c.hit) << "x " << c.x;
    screen.Click(ScreenOf(tree->Handle(), { 3, mid }));
    Pump();
    EXPECT_TRUE(hk->Expanded()) << "the shifted button toggles";
    screen.Click(ScreenOf(tree->Handle(), { after.left + 3, mid }));
    Pump();
    EXPECT_EQ(tree->Selected(), hk);
    EXPECT_EQ(tree->HorzOffset(), 0) << "selecting brings the row's start into view";

    // The highlight is drawn where the label now is.
    tree->SetHorzOffset(12);
    Pump();
    const TColor highlight = SystemColors::Resolve(clHighlight);
    EXPECT_EQ(PixelAt(tree->Handle(), { after.right - 2, after.top + 2 }), highlight);
    EXPECT_NE(PixelAt(tree->Handle(), { before.right - 2, after.top + 2 }), highlight);
}

TEST_F(WideTreeViewTest, SelectingANodeScrollsItsLabelIntoView)
{
    tree->SetHorzOffset(MaxLeft());
    TTreeNode* first = tree->Items().GetFirstNode();
    tree->SetSelected(first);
    EXPECT_EQ(tree->HorzOffset(), 0) << "its row starts left of the view";
    EXPECT_GE(tree->DisplayRect(first, true).left, 0);
    // A label wider than the view shows its start.
    tree->SetSelected(wide);
    EXPECT_EQ(tree->HorzOffset(), 0);
    // One that would end right of the view is pulled in, the least way: a
    // view 5 pixels too narrow for it scrolls 5 pixels.
    TTreeNode* child = tree->Items().AddChild(Top("CCTV"), "a child name");
    Top("CCTV")->Expand();
    tree->SetHorzOffset(0);
    const int right = tree->DisplayRect(child, true).right;
    tree->SetWidth(tree->Width() - tree->ClientWidth() + right - 5);
    tree->SetSelected(child);
    EXPECT_EQ(tree->HorzOffset(), 5);
    EXPECT_EQ(tree->DisplayRect(child, true).right, tree->ClientWidth());
    // Back left: a node whose button column is scrolled away brings it back.
    tree->SetSelected(Top("CCTV"));
    EXPECT_EQ(tree->HorzOffset(), 0);
}

// What a view that keeps other controls in step with the tree relies on.
class HookedTree : public TTreeView {
public:
    using TTreeView::TTreeView;
    std::vector<int> ranges; // the scroll range each hook saw

protected:
    void ItemsChanged() override
    {
        SCROLLINFO si;
        si.fMask = SIF_RANGE;
        Windows().GetScrollInfo(Handle(), SB_VERT, &si);
        ranges.push_back(si.nMax);
    }
};

TEST_F(ShownFormFixture, TheListHookRunsAfterTheScrollBarHasFollowedAndThumbPositionsArriveWhole)
{
    auto* tree = new HookedTree(form);
    tree->SetParent(form);
    tree->SetBounds(10, 10, 163, 369);
    TTreeNodes& items = tree->Items();
    items.BeginUpdate();
    for (int i = 0; i < 70000; ++i) {
        // Appended rather than "n" + ...: GCC 12 at -O3 warns falsely on that.
        std::string name = "n";
        name += std::to_string(i);
        items.AddChild(nullptr, name);
    }
    items.EndUpdate();
    TTreeNode* parent = items.TopLevel(0);
    items.AddChild(parent, "a");
    items.AddChild(parent, "b");
    parent->Expand();
    items.Delete(items.TopLevel(1));
    EXPECT_EQ(tree->ranges, (std::vector<int> { 69999, 69999, 69999, 70001, 70000 }));

    const int page = tree->VisibleRowCount();
    ws().SendThumbPosition(tree->Handle(), SB_VERT, 69990 - page);
    EXPECT_EQ(tree->TopItem(), items.Item(69990 - page));
}

}
}
