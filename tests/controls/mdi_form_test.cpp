// MDI frames on the headless screen: the client window and its children
// (activation, maximise, minimise, restore, cascade, tile, the keyboard).
#include "platform/components/controls/menu_item.h"
#include "platform/window/mdi_arrange.h"
#include "platform/window/mdi_client.h"
#include "tests/support/headless_app.h"

#include <stdexcept>

namespace pellamo::test {
namespace {

class MdiFormTest : public HeadlessAppFixture {
protected:
    TForm* frame = nullptr;

    void SetUp() override
    {
        frame = new TForm(nullptr);
        frame->SetBounds(10, 10, 640, 480);
        frame->SetFormStyle(TFormStyle::fsMDIForm);
        frame->Show();
        Pump();
    }
    void TearDown() override { frame->Free(); }

    TForm* Child(const std::string& caption, Rect bounds = Rect::FromSize(0, 0, 200, 150))
    {
        auto* child = new TForm(frame);
        child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
        child->Show();
        Pump();
        return child;
    }
    Rect Bounds(TForm* f) const
    {
        Rect r = ws().GetWindowRect(f->Handle());
        Point origin = ws().ClientToScreen(frame->ClientHandle(), { 0, 0 });
        return r.Offset(-origin.x, -origin.y);
    }
    Size ClientSize() const
    {
        Rect r = ws().GetClientRect(frame->ClientHandle());
        return { r.Width(), r.Height() };
    }
};

TEST_F(MdiFormTest, ChildrenLiveInTheClientAndTheShownOneIsActive)
{
    ASSERT_TRUE(MdiClient::IsClient(ws(), frame->ClientHandle()));
    EXPECT_EQ(ClientSize(), (Size { frame->ClientWidth(), frame->ClientHeight() }));
    TForm* a = Child("a");
    TForm* b = Child("b");
    EXPECT_EQ(ws().GetParent(a->Handle()), frame->ClientHandle());
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    EXPECT_EQ(frame->MDIChildren(0), b);
    EXPECT_EQ(frame->MDIChildren(1), a);
    EXPECT_TRUE(b->Active());
    EXPECT_FALSE(a->Active());
    // The frame stays the active window of the screen.
    EXPECT_EQ(ws().GetActiveWindow(), frame->Handle());
}

TEST_F(MdiFormTest, ClickingIntoAChildActivatesIt)
{
    TForm* a = Child("a", Rect::FromSize(0, 0, 200, 150));
    Child("b", Rect::FromSize(300, 0, 200, 150));
    int activated = 0;
    a->OnActivate = [&](TObject*) { ++activated; };
    ClickAt(*a, { 20, 20 });
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    EXPECT_EQ(activated, 1);
    EXPECT_TRUE(a->Active());
}

TEST_F(MdiFormTest, MaximisedChildCoversTheClientAndHandsItsStateOn)
{
    TForm* a = Child("a", Rect::FromSize(5, 5, 200, 150));
    TForm* b = Child("b", Rect::FromSize(40, 40, 200, 150));
    ws().SendMessage(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b->Handle()), 0);
    Pump();
    EXPECT_EQ(b->WindowState(), TWindowState::wsMaximized);
    // Its client area is the whole MDI client; caption and frame lie outside.
    EXPECT_EQ(ws().ClientToScreen(b->Handle(), { 0, 0 }), ws().ClientToScreen(frame->ClientHandle(), { 0, 0 }));
    EXPECT_EQ((Size { b->ClientWidth(), b->ClientHeight() }), ClientSize());
    int maximized = 0;
    EXPECT_EQ(ws().SendMessage(frame->ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)),
        reinterpret_cast<LRESULT>(b->Handle()));
    EXPECT_EQ(maximized, 1);

    // Following the frame's size.
    frame->SetBounds(10, 10, 700, 500);
    Pump();
    EXPECT_EQ((Size { b->ClientWidth(), b->ClientHeight() }), ClientSize());

    // Another child activated takes the maximised state; the first is restored.
    frame->Next();
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    EXPECT_EQ(a->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(b->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(Bounds(b), Rect::FromSize(40, 40, 200, 150));

    ws().SendMessage(frame->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(a->Handle()), 0);
    EXPECT_EQ(Bounds(a), Rect::FromSize(5, 5, 200, 150));
}

TEST_F(MdiFormTest, CaptionButtonsMinimiseMaximiseAndRestoreInsideTheClient)
{
    TForm* a = Child("a", Rect::FromSize(30, 30, 200, 150));
    TForm* b = Child("b", Rect::FromSize(60, 60, 200, 150));
    ws().SendMessage(a->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ws().SendMessage(b->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Pump();
    EXPECT_EQ(a->WindowState(), TWindowState::wsMinimized);
    // Minimised children line up along the client's bottom edge.
    EXPECT_EQ(Bounds(b), MdiArrange::Icon(ClientSize(), 0));
    EXPECT_EQ(Bounds(a), MdiArrange::Icon(ClientSize(), 1));
    ws().SendMessage(a->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(Bounds(a), Rect::FromSize(30, 30, 200, 150));
    EXPECT_EQ(Bounds(b), MdiArrange::Icon(ClientSize(), 0));
    ws().SendMessage(a->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(a->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(frame->ActiveMDIChild(), a);
}

TEST_F(MdiFormTest, CascadeAndTileLeaveMinimisedChildrenAsIcons)
{
    TForm* a = Child("a");
    TForm* b = Child("b");
    TForm* c = Child("c");
    ws().SendMessage(a->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Size area = ClientSize();
    area.cy -= MdiArrange::kIconHeight;

    frame->Cascade();
    std::vector<Rect> cascade = MdiArrange::Cascade(area, 2);
    EXPECT_EQ(Bounds(c), cascade[0]); // the active one in front, offset most
    EXPECT_EQ(Bounds(b), cascade[1]);
    EXPECT_EQ(Bounds(a), MdiArrange::Icon(ClientSize(), 0));

    for (TTileMode mode : { TTileMode::tbHorizontal, TTileMode::tbVertical }) {
        frame->SetTileMode(mode);
        frame->Tile();
        std::vector<Rect> tiles = MdiArrange::Tile(area, 2, mode == TTileMode::tbVertical);
        EXPECT_EQ(Bounds(c), tiles[0]);
        EXPECT_EQ(Bounds(b), tiles[1]);
    }
}

TEST(MdiArrange, PlacesWindowsAndNeverGivesNegativeSizes)
{
    struct Case {
        const char* name;
        std::vector<Rect> got;
        std::vector<Rect> want;
    };
    const Case cases[] = {
        { "cascade", MdiArrange::Cascade({ 800, 600 }, 3),
            { Rect::FromSize(48, 48, 600, 450), Rect::FromSize(24, 24, 600, 450), Rect::FromSize(0, 0, 600, 450) } },
        { "tile in rows", MdiArrange::Tile({ 800, 600 }, 3, false),
            { { 0, 0, 800, 200 }, { 0, 200, 800, 400 }, { 0, 400, 800, 600 } } },
        { "tile in columns, shares add up", MdiArrange::Tile({ 100, 50 }, 3, true),
            { { 0, 0, 33, 50 }, { 33, 0, 66, 50 }, { 66, 0, 100, 50 } } },
        { "more rows than pixels", MdiArrange::Tile({ 10, 2 }, 3, false),
            { { 0, 0, 10, 0 }, { 0, 0, 10, 1 }, { 0, 1, 10, 2 } } },
        { "a client of no size", MdiArrange::Tile({ -5, -5 }, 2, true), { { 0, 0, 0, 0 }, { 0, 0, 0, 0 } } },
        { "cascade in a tiny client", MdiArrange::Cascade({ 10, 10 }, 2),
            { Rect::FromSize(24, 24, 7, 7), Rect::FromSize(0, 0, 7, 7) } },
        { "nothing to place", MdiArrange::Tile({ 800, 600 }, 0, false), {} },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got, c.want) << c.name;
        for (const Rect& r : c.got)
            EXPECT_TRUE(r.Width() >= 0 && r.Height() >= 0) << c.name;
    }
}

TEST_F(MdiFormTest, CtrlF6CyclesTheChildrenAndCtrlF4ClosesTheActiveOne)
{
    TForm* a = Child("a");
    TForm* b = Child("b");
    TForm* c = Child("c");
    std::vector<TForm*> visited;
    for (int i = 0; i < 3; ++i) {
        Keys({ { VK_F6, kModControl } });
        visited.push_back(frame->ActiveMDIChild());
    }
    EXPECT_EQ(visited, (std::vector<TForm*> { b, a, c })) << "each child once, back to the first";
    Keys({ { VK_F6, kModControl | kModShift } });
    EXPECT_EQ(frame->ActiveMDIChild(), a);

    bool freed = false;
    a->OnDestroy = [&](TObject*) { freed = true; };
    Keys({ { VK_F4, kModControl } });
    RunFor(std::chrono::milliseconds(20));
    EXPECT_TRUE(freed);
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_NE(frame->ActiveMDIChild(), nullptr);
}

TEST_F(MdiFormTest, KeysAreLeftAloneWhileAnotherWindowIsActive)
{
    TForm* a = Child("a");
    Child("b");
    TForm other(nullptr);
    other.Show();
    Pump();
    ASSERT_EQ(ws().GetActiveWindow(), other.Handle());
    Keys({ { VK_F6, kModControl }, { VK_F4, kModControl } });
    RunFor(std::chrono::milliseconds(20));
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_NE(frame->ActiveMDIChild(), a);
}

TEST_F(MdiFormTest, AnMdiChildNeedsAnMdiForm)
{
    TForm lone(nullptr);
    EXPECT_THROW(lone.SetFormStyle(TFormStyle::fsMDIChild), std::logic_error);
    EXPECT_EQ(lone.FormStyle(), TFormStyle::fsNormal);
    EXPECT_TRUE(lone.HandleAllocated());
}

TEST_F(MdiFormTest, ClosingTheActiveChildActivatesTheNext)
{
    TForm* a = Child("a");
    TForm* b = Child("b");
    ws().SendMessage(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b->Handle()), 0);
    b->Free();
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    EXPECT_TRUE(a->Active());
    EXPECT_EQ(a->WindowState(), TWindowState::wsMaximized) << "the next child keeps the frame's maximised look";
}

TEST_F(MdiFormTest, WindowMenuListsTheChildrenAndActivatesTheChosenOne)
{
    auto* window_menu = new TMenuItem(frame);
    auto* tile = new TMenuItem(frame);
    tile->SetCaption("&Tile");
    window_menu->Add(tile);
    frame->SetWindowMenu(window_menu);
    auto entries = [&] {
        std::vector<std::string> list;
        for (int i = 0; i < window_menu->Count(); ++i) {
            TMenuItem* item = window_menu->Items(i);
            list.push_back(item->Caption() + (item->Checked() ? " *" : ""));
        }
        return list;
    };
    EXPECT_EQ(entries(), (std::vector<std::string> { "&Tile" }));
    TForm* a = Child("Alpha");
    TForm* b = Child("Beta");
    EXPECT_EQ(entries(), (std::vector<std::string> { "&Tile", "-", "&1 Alpha", "&2 Beta *" }));

    window_menu->Items(2)->Click();
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    EXPECT_EQ(entries(), (std::vector<std::string> { "&Tile", "-", "&1 Alpha *", "&2 Beta" }))
        << "made in order, not as activated";

    // A minimised child chosen from the list comes back.
    ws().SendMessage(b->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    window_menu->Items(3)->Click();
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    EXPECT_EQ(b->WindowState(), TWindowState::wsNormal);

    a->Free();
    b->Free();
    Pump();
    EXPECT_EQ(entries(), (std::vector<std::string> { "&Tile" }));
}

}
}
