// Menus: the item model, pop-up menus at a screen point, owner drawing,
// the form's menu bar with mouse and keyboard, and shortcut dispatch.

#include "tests/controls/shown_form_fixture.h"

#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/menu_bar.h"
#include "platform/components/controls/popup_menu.h"
#include "platform/components/controls/tree_menu_classes.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/system_colors.h"

#include <memory>
#include <vector>

namespace pellamo::test {
namespace {

TEST(MenuText, AccessKeysAndShortCuts)
{
    struct Hot {
        const char* caption;
        char key;
        const char* stripped;
    };
    const Hot hot[] = {
        { "&File", 'F', "File" }, { "e&xit", 'X', "exit" }, { "Save && Quit", 0, "Save & Quit" },
        { "A&&B&c", 'C', "A&Bc" }, { "&", 0, "" }, { "-", 0, "-" },
        { "\xB8\xA8&h", 'H', "\xB8\xA8h" }, // after a GBK character
        { "\xFF&q", 'Q', "\xFFq" }, // 0xFF is no lead byte: the "&" is a prefix
        { "&\xB8\xA8", 0, "\xB8\xA8" }, // a GBK character is no access key
    };
    for (const Hot& h : hot) {
        EXPECT_EQ(GetHotkey(h.caption), h.key) << h.caption;
        EXPECT_EQ(StripHotkey(h.caption), h.stripped) << h.caption;
    }

    struct Sc {
        TShortCut shortcut;
        const char* text;
    };
    const Sc shortcuts[] = {
        { ShortCut('O', scCtrl), "Ctrl+O" },
        { ShortCut(0x74, scShift), "Shift+F5" },
        { ShortCut(0x2E, 0), "Del" },
        { ShortCut('1', scCtrl | scAlt | scShift), "Shift+Ctrl+Alt+1" },
    };
    for (const Sc& s : shortcuts) {
        EXPECT_EQ(ShortCutToText(s.shortcut), s.text);
        EXPECT_EQ(TextToShortCut(s.text), s.shortcut) << s.text;
    }
    EXPECT_EQ(TextToShortCut("ctrl+o"), ShortCut('O', scCtrl));
    EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), scNone);
    EXPECT_EQ(ShortCutToText(scNone), "");
}

TEST(MenuModel, ItemTreeKeepsParentsAndFreesSubItems)
{
    ComponentPtr<TComponent> form(new TComponent(nullptr));
    auto* menu = new TMainMenu(form.get());
    auto* file = new TMenuItem(form.get());
    auto* open = new TMenuItem(form.get());
    auto* quit = new TMenuItem(form.get());
    menu->Items()->Add(file);
    file->Add(quit);
    file->Insert(0, open);
    EXPECT_EQ(file->Items(0), open);
    EXPECT_EQ(quit->MenuIndex(), 1);
    EXPECT_EQ(open->Parent(), file);
    EXPECT_EQ(open->GetParentMenu(), menu);
    EXPECT_EQ(file->GetParentComponent(), menu);
    EXPECT_EQ(open->GetParentComponent(), file);
    EXPECT_THROW(open->Add(file), std::invalid_argument) << "a cycle";
    EXPECT_THROW(file->Insert(5, new TMenuItem(form.get())), std::out_of_range);
    EXPECT_THROW(file->Items(2), std::out_of_range);

    // Moving within the same parent.
    file->Insert(2, open);
    EXPECT_EQ(file->Items(1), open);

    file->Remove(quit);
    EXPECT_EQ(quit->Parent(), nullptr);
    EXPECT_EQ(file->Count(), 1);

    // Freeing an item frees its sub-items; the form forgets both.
    int before = form->ComponentCount();
    menu->Items()->Delete(0);
    EXPECT_EQ(menu->Items()->Count(), 0);
    EXPECT_EQ(form->ComponentCount(), before - 2);
}

// A menu tree like the main window's, with handlers that log.
class MenuFixture : public ShownFormFixture {
protected:
    TMenuItem* Item(TMenuItem* parent, const std::string& utf8_caption)
    {
        auto* item = new TMenuItem(owner.get());
        item->SetCaption(Gbk(utf8_caption));
        item->OnClick = [this, item](TObject* sender) {
            EXPECT_EQ(sender, item);
            clicks.push_back(GbkToUtf8(item->Caption()));
            open_at_click.push_back(AnyMenuOpen());
        };
        parent->Add(item);
        return item;
    }
    bool AnyMenuOpen() const
    {
        for (HWND h : ws().TopLevelWindows())
            if (ws().GetClassName(h) == "TMenuWindow" && ws().IsWindowVisible(h))
                return true;
        return false;
    }
    Point Center(const Rect& r) const { return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 }; }
    Point ItemOnScreen(TMenuWindow* w, int index) const { return ScreenOf(w->Handle(), Center(w->ItemRect(index))); }

    ComponentPtr<TComponent> owner { new TComponent(nullptr) };
    std::vector<std::string> clicks;
    std::vector<bool> open_at_click;
};

class PopupMenuTest : public MenuFixture {
protected:
    PopupMenuTest()
    {
        popup = new TPopupMenu(owner.get());
        Item(popup->Items(), "网络电视");
        Item(popup->Items(), "-");
        Item(popup->Items(), "网络电台");
        TMenuItem* more = Item(popup->Items(), "More");
        Item(more, "Inner");
    }
    TPopupMenu* popup;
};

TEST_F(PopupMenuTest, OpensAtAScreenPointAsANonActivatingTopmostWindow)
{
    HWND active = ws().GetActiveWindow();
    popup->Popup(300, 200);
    Pump();
    ASSERT_TRUE(popup->IsOpen());
    HWND h = popup->Window()->Handle();
    EXPECT_EQ(ws().GetWindowRect(h).left, 300);
    EXPECT_EQ(ws().GetWindowRect(h).top, 200);
    EXPECT_TRUE(ws().IsWindowVisible(h));
    EXPECT_EQ(ws().GetExStyle(h) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    EXPECT_EQ(ws().GetActiveWindow(), active);
    EXPECT_EQ(ws().GetCapture(), h);

    // Near the screen's corner it moves inside the work area.
    popup->Popup(1020, 735);
    Pump();
    Rect r = ws().GetWindowRect(popup->Window()->Handle());
    EXPECT_LE(r.right, 1024);
    EXPECT_LE(r.bottom, 740);
}

TEST_F(PopupMenuTest, ARightClickOrTheContextKeyOpensTheControlsPopupMenu)
{
    RegisterTreeMenuClasses();
    form->SetPopupMenu(popup);
    Point at = ScreenOf(host, { 40, 50 });
    screen.Click(at, MouseButton::Right);
    Pump();
    ASSERT_TRUE(popup->IsOpen());
    EXPECT_EQ(popup->PopupComponent, form);
    Rect r = ws().GetWindowRect(popup->Window()->Handle());
    EXPECT_EQ((Point { r.left, r.top }), at);
    screen.PressKey(VK_DOWN);
    screen.PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(clicks, std::vector<std::string> { "网络电视" });

    // From the keyboard, at the focused control's corner.
    ws().SetFocus(host);
    struct Key {
        unsigned vk;
        unsigned modifiers;
        bool opens;
    };
    const Key keys[]
        = { { VK_APPS, 0, true }, { VK_F10, kModShift, true }, { VK_F10, 0, false }, { 'M', kModShift, false } };
    for (const Key& k : keys) {
        screen.PressKey(k.vk, k.modifiers);
        Pump();
        EXPECT_EQ(popup->IsOpen(), k.opens) << k.vk << "/" << k.modifiers;
        if (popup->IsOpen()) {
            Rect shown = ws().GetWindowRect(popup->Window()->Handle());
            EXPECT_EQ((Point { shown.left, shown.top }), ScreenOf(host, { 0, 0 }));
            screen.PressKey(VK_ESCAPE);
            Pump();
        }
    }

    popup->SetAutoPopup(false);
    screen.Click(at, MouseButton::Right);
    Pump();
    EXPECT_FALSE(popup->IsOpen());
    form->SetPopupMenu(nullptr);
}

TEST_F(PopupMenuTest, ClosingByClickOutsideEscapeOrChoice)
{
    struct Case {
        const char* what;
        std::function<void(TMenuWindow*)> act;
        std::vector<std::string> clicks;
    };
    const std::vector<Case> cases = {
        { "click outside",
            [&](TMenuWindow*) {
                screen.Click({ 50, 50 });
            },
            {} },
        { "escape", [&](TMenuWindow*) { screen.PressKey(VK_ESCAPE); }, {} },
        { "click on a separator keeps it open, then escape",
            [&](TMenuWindow* w) {
                screen.Click(ItemOnScreen(w, 1));
                Pump();
                EXPECT_TRUE(popup->IsOpen());
                screen.PressKey(VK_ESCAPE);
            },
            {} },
        { "click on an item", [&](TMenuWindow* w) { screen.Click(ItemOnScreen(w, 2)); }, { "网络电台" } },
        { "keys",
            [&](TMenuWindow*) {
                screen.PressKey(VK_DOWN);
                screen.PressKey(VK_DOWN);
                screen.PressKey(VK_RETURN);
            },
            { "网络电台" } },
        { "up wraps to the last, right opens, enter chooses",
            [&](TMenuWindow*) {
                screen.PressKey(VK_UP);
                screen.PressKey(VK_RIGHT);
                screen.PressKey(VK_RETURN);
            },
            { "Inner" } },
        { "left closes the sub-menu only",
            [&](TMenuWindow*) {
                screen.PressKey(VK_UP);
                screen.PressKey(VK_RIGHT);
                screen.PressKey(VK_LEFT);
                screen.PressKey(VK_UP);
                screen.PressKey(VK_RETURN);
            },
            { "网络电台" } },
    };
    for (const Case& c : cases) {
        clicks.clear();
        open_at_click.clear();
        popup->Popup(300, 200);
        Pump();
        c.act(popup->Window());
        Pump();
        EXPECT_FALSE(popup->IsOpen()) << c.what;
        EXPECT_FALSE(AnyMenuOpen()) << c.what;
        EXPECT_EQ(ws().GetCapture(), nullptr) << c.what;
        EXPECT_EQ(clicks, c.clicks) << c.what;
        for (bool open : open_at_click)
            EXPECT_FALSE(open) << c.what << ": OnClick runs after the menu closed";
    }
}

TEST_F(PopupMenuTest, HoverOpensTheSubMenuBesideItsItem)
{
    popup->Popup(300, 200);
    Pump();
    TMenuWindow* w = popup->Window();
    screen.MoveMouse(ItemOnScreen(w, 3));
    Pump();
    ASSERT_NE(w->SubMenu(), nullptr);
    Rect parent = ws().GetWindowRect(w->Handle());
    Rect sub = ws().GetWindowRect(w->SubMenu()->Handle());
    EXPECT_GE(sub.left, parent.right - TMenuWindow::kBorder - 1);
    screen.Click(ItemOnScreen(w->SubMenu(), 0));
    Pump();
    EXPECT_EQ(clicks, std::vector<std::string> { "Inner" });
}

TEST_F(PopupMenuTest, FreeingShownOrChosenItemsIsSafe)
{
    // The item whose sub-menu is open goes away: the menu closes.
    popup->Popup(300, 200);
    Pump();
    screen.PressKey(VK_UP);
    screen.PressKey(VK_RIGHT);
    Pump();
    ASSERT_NE(popup->Window()->SubMenu(), nullptr);
    popup->Items()->Items(3)->Free();
    Pump();
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_FALSE(AnyMenuOpen());

    // The chosen item goes away before its click runs: no click.
    popup->Popup(300, 200);
    Pump();
    screen.Click(ItemOnScreen(popup->Window(), 2));
    popup->Items()->Items(2)->Free();
    Pump();
    EXPECT_TRUE(clicks.empty());
}

TEST_F(PopupMenuTest, OwnerDrawnItemsMeasureAndPaintThemselves)
{
    const TColor kSelected = Rgb(200, 0, 0);
    const TColor kPlain = Rgb(0, 0, 200);
    struct Call {
        std::string caption;
        bool selected;
    };
    std::vector<Call> calls;
    popup->SetOwnerDraw(true);
    for (int i = 0; i < popup->Items()->Count(); ++i) {
        TMenuItem* item = popup->Items()->Items(i);
        if (item->IsLine())
            continue; // default measure and paint
        item->OnMeasureItem = [](TObject*, Canvas&, int& width, int& height) {
            width = 120;
            height = 30;
        };
        item->OnDrawItem = [&, item](TObject* sender, Canvas& canvas, Rect rect, bool selected) {
            EXPECT_EQ(sender, item);
            calls.push_back({ GbkToUtf8(item->Caption()), selected });
            canvas.brush.color = selected ? kSelected : kPlain;
            canvas.FillRect(rect);
        };
    }
    popup->Popup(300, 200);
    Pump();
    TMenuWindow* w = popup->Window();
    EXPECT_EQ(w->ItemRect(0).Width(), 120);
    EXPECT_EQ(w->ItemRect(0).Height(), 30);
    EXPECT_EQ(w->ItemRect(1).Height(), TMenuWindow::kSeparatorHeight);
    EXPECT_EQ(ws().GetWindowRect(w->Handle()).Width(), 120 + 2 * TMenuWindow::kBorder);

    calls.clear();
    screen.MoveMouse(ItemOnScreen(w, 2));
    Pump();
    ASSERT_FALSE(calls.empty());
    bool saw_selected = false;
    for (const Call& c : calls)
        if (c.caption == "网络电台")
            saw_selected = saw_selected || c.selected;
    EXPECT_TRUE(saw_selected);
    EXPECT_EQ(PixelAt(w->Handle(), Center(w->ItemRect(2))), kSelected);
    EXPECT_EQ(PixelAt(w->Handle(), Center(w->ItemRect(0))), kPlain);

    // The advanced hook wins and gets the state set.
    TOwnerDrawState state = 0;
    popup->Items()->Items(0)->OnAdvancedDrawItem = [&](TObject*, Canvas&, Rect, TOwnerDrawState s) { state = s; };
    popup->Items()->Items(0)->SetChecked(true);
    screen.MoveMouse(ItemOnScreen(w, 0));
    Pump();
    EXPECT_EQ(state, odSelected | odChecked);
}

TEST_F(PopupMenuTest, AMenuWithImagesPaintsThroughTheHooksWhichFindTheirMenuWindow)
{
    TMenuItem* tv = popup->Items()->Items(0);
    int measured = 0;
    std::vector<HWND> measured_on, drawn_on;
    tv->OnMeasureItem = [&](TObject*, Canvas& canvas, int&, int&) {
        ++measured;
        measured_on.push_back(ws().WindowFromDC(canvas));
    };
    tv->OnDrawItem = [&](TObject*, Canvas& canvas, Rect, bool) { drawn_on.push_back(ws().WindowFromDC(canvas)); };

    // Neither owner-drawn nor with images: the platform paints.
    popup->Popup(300, 200);
    Pump();
    EXPECT_EQ(measured, 0);
    EXPECT_TRUE(drawn_on.empty());
    popup->CloseMenu();

    ImageList images(16, 16);
    popup->SetImages(&images);
    popup->Popup(300, 200);
    Pump();
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(measured_on, std::vector<HWND> { nullptr }) << "measuring draws nowhere";
    ASSERT_FALSE(drawn_on.empty());
    EXPECT_EQ(drawn_on.back(), popup->Window()->Handle());
    popup->CloseMenu();
    popup->SetImages(nullptr);
}

TEST_F(PopupMenuTest, ADefaultItemIsTheOnlyOneOfItsSubMenuAndDrawsBold)
{
    TMenuItem* tv = popup->Items()->Items(0);
    TMenuItem* radio = popup->Items()->Items(2);
    tv->SetDefault(true);
    radio->SetDefault(true);
    EXPECT_FALSE(tv->Default());
    EXPECT_TRUE(radio->Default());
    // One brought in from elsewhere takes the flag with it.
    auto* loose = new TMenuItem(owner.get());
    loose->SetDefault(true);
    popup->Items()->Add(loose);
    EXPECT_FALSE(radio->Default());
    EXPECT_TRUE(loose->Default());
    loose->Free();

    // Plainly drawn, the default caption has more ink than the same caption plain.
    tv->SetCaption("Default");
    radio->SetCaption("Default");
    tv->SetDefault(true);
    popup->Popup(300, 200);
    Pump();
    TMenuWindow* w = popup->Window();
    auto ink = [&](int index) {
        Rect r = w->ItemRect(index);
        Point origin = ScreenOf(w->Handle(), { r.left, r.top });
        Bitmap shot = screen.Screenshot();
        int dark = 0;
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                dark += shot.GetPixel(origin.x + x, origin.y + y) == SystemColors::Resolve(clMenuText);
        return dark;
    };
    EXPECT_GT(ink(0), ink(2));

    // Owner drawing is told.
    TOwnerDrawState state = 0;
    popup->CloseMenu();
    popup->SetOwnerDraw(true);
    tv->OnAdvancedDrawItem = [&](TObject*, Canvas&, Rect, TOwnerDrawState s) { state = s; };
    popup->Popup(300, 200);
    Pump();
    EXPECT_EQ(state, odDefault);
}

class MenuBarTest : public MenuFixture {
protected:
    MenuBarTest()
    {
        menu = new TMainMenu(owner.get());
        TMenuItem* programmes = Item(menu->Items(), "节目选择");
        Item(programmes, "网络电视");
        Item(programmes, "网络电台");
        TMenuItem* tools = Item(menu->Items(), "实用工具");
        Item(tools, "Windows Media Player 9");
        Item(tools, "RealOne Player 2.0");
        TMenuItem* help = Item(menu->Items(), "&Help");
        Item(help, "使用提示");
        Item(help, "关于我们");
        client_before = ws().GetClientRect(host);
        bar = std::make_unique<TMenuBar>(host, *menu);
        ws().SetFocus(host);
        Pump();
    }
    ~MenuBarTest() override { bar.reset(); }

    TMainMenu* menu;
    std::unique_ptr<TMenuBar> bar;
    Rect client_before;
};

TEST_F(MenuBarTest, TakesAStripAboveTheClientAreaAndPaintsItsItems)
{
    Rect client = ws().GetClientRect(host);
    EXPECT_EQ(client.Height(), client_before.Height() - bar->BarHeight());
    Rect first = bar->ItemRect(0);
    Point client_origin = ScreenOf(host, { 0, 0 });
    EXPECT_EQ(first.bottom, client_origin.y);
    EXPECT_EQ(first.left, client_origin.x);
    EXPECT_EQ(bar->ItemRect(1).left, first.right);
    Bitmap shot = screen.Screenshot();
    EXPECT_EQ(shot.GetPixel(first.left + 1, first.top + 1), SystemColors::Resolve(clMenu));

    screen.Click(Center(bar->ItemRect(2)));
    Pump();
    ASSERT_TRUE(bar->IsDropped());
    EXPECT_EQ(screen.Screenshot().GetPixel(bar->ItemRect(2).left + 1, bar->ItemRect(2).top + 1),
        SystemColors::Resolve(clHighlight));
    Rect drop = ws().GetWindowRect(bar->DropDown()->Handle());
    EXPECT_EQ(drop.left, bar->ItemRect(2).left);
    EXPECT_EQ(drop.top, bar->ItemRect(2).bottom);

    // The bar goes away with its frame strip.
    bar.reset();
    EXPECT_EQ(ws().GetClientRect(host).Height(), client_before.Height());
}

TEST_F(MenuBarTest, MouseDropsSwitchesAndChooses)
{
    screen.Click(Center(bar->ItemRect(0)));
    Pump();
    ASSERT_TRUE(bar->IsDropped());
    EXPECT_EQ(&bar->DropDown()->ParentItem(), menu->Items()->Items(0));

    // Moving along the bar switches the drop-down.
    screen.MoveMouse(Center(bar->ItemRect(2)));
    Pump();
    ASSERT_TRUE(bar->IsDropped());
    EXPECT_EQ(&bar->DropDown()->ParentItem(), menu->Items()->Items(2));

    screen.Click(ItemOnScreen(bar->DropDown(), 1));
    Pump();
    EXPECT_FALSE(bar->IsDropped());
    EXPECT_EQ(clicks, std::vector<std::string> { "关于我们" });
    EXPECT_EQ(open_at_click, std::vector<bool> { false });

    // A second click on the open item closes it without a command.
    screen.Click(Center(bar->ItemRect(1)));
    Pump();
    ASSERT_TRUE(bar->IsDropped());
    screen.Click(Center(bar->ItemRect(1)));
    Pump();
    EXPECT_FALSE(bar->IsDropped());
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(MenuBarTest, KeyboardEntersTheBar)
{
    struct Case {
        const char* what;
        std::function<void()> keys;
        const char* clicked;
    };
    const std::vector<Case> cases = {
        { "Alt, Right, Down, Down, Enter",
            [&] {
                screen.PressKey(VK_MENU);
                screen.PressKey(VK_RIGHT);
                screen.PressKey(VK_DOWN);
                screen.PressKey(VK_DOWN);
                screen.PressKey(VK_RETURN);
            },
            "RealOne Player 2.0" },
        { "F10, Enter, Right moves to the next drop-down, Enter",
            [&] {
                screen.PressKey(VK_F10);
                screen.PressKey(VK_RETURN);
                screen.PressKey(VK_RIGHT);
                screen.PressKey(VK_RETURN);
            },
            "Windows Media Player 9" },
        { "Alt+H by the access key, Up wraps, Enter",
            [&] {
                screen.PressKey('H', kModAlt);
                screen.PressKey(VK_UP);
                screen.PressKey(VK_RETURN);
            },
            "关于我们" },
        { "Alt, Esc leaves the bar",
            [&] {
                screen.PressKey(VK_MENU);
                screen.PressKey(VK_ESCAPE);
            },
            nullptr },
        { "left from the first wraps to the last",
            [&] {
                screen.PressKey(VK_F10);
                screen.PressKey(VK_LEFT);
                screen.PressKey(VK_DOWN);
                screen.PressKey(VK_RETURN);
            },
            "使用提示" },
    };
    for (const Case& c : cases) {
        clicks.clear();
        c.keys();
        Pump();
        EXPECT_FALSE(bar->IsDropped()) << c.what;
        EXPECT_EQ(bar->HotIndex(), -1) << c.what;
        EXPECT_EQ(clicks, c.clicked ? std::vector<std::string> { c.clicked } : std::vector<std::string> {}) << c.what;
    }
}

TEST_F(MenuBarTest, ShortCutsClickTheirItems)
{
    TMenuItem* tv = menu->Items()->Items(0)->Items(0);
    TMenuItem* radio = menu->Items()->Items(0)->Items(1);
    tv->SetShortCut(ShortCut('T', scCtrl));
    radio->SetShortCut(ShortCut(0x74, 0)); // F5
    struct Case {
        unsigned vk;
        unsigned modifiers;
        bool radio_enabled;
        std::vector<std::string> clicks;
    };
    const Case cases[] = {
        { 'T', kModControl, true, { "网络电视" } }, { 'T', 0, true, {} }, { 'T', kModControl | kModShift, true, {} },
        { 0x74, 0, true, { "网络电台" } }, { 0x74, 0, false, {} }, // disabled items do not fire
    };
    for (const Case& c : cases) {
        clicks.clear();
        radio->SetEnabled(c.radio_enabled);
        screen.PressKey(c.vk, c.modifiers);
        Pump();
        EXPECT_EQ(clicks, c.clicks) << c.vk << "/" << c.modifiers;
    }
}

TEST_F(MenuFixture, AFormThatLetsItsMenuGoDropsThePlainBarAndKeepsLaterSubclasses)
{
    auto* menu = new TMainMenu(form);
    Item(Item(menu->Items(), "Programmes"), "Television");
    form->SetMenu(menu);
    menu->AttachToForm(form);
    ASSERT_NE(menu->MenuBar(), nullptr);
    int with_bar = ws().GetClientRect(host).Height();

    // Something else subclasses the form after the bar did (a skinned frame).
    std::vector<UINT> seen;
    uint64_t later = ws().SetWindowSubclass(host, [&](HWND h, UINT m, WPARAM w, LPARAM l, const WndProc& next) {
        seen.push_back(m);
        return next(h, m, w, l);
    });
    form->SetMenu(nullptr);
    EXPECT_EQ(menu->MenuBar(), nullptr);
    EXPECT_GT(ws().GetClientRect(host).Height(), with_bar) << "the bar's strip is given back";
    seen.clear();
    ws().SendMessage(host, WM_USER + 7);
    EXPECT_EQ(seen, std::vector<UINT> { WM_USER + 7 }) << "the later subclass is still chained";
    ws().RemoveWindowSubclass(host, later);

    // Another form letting its menu go leaves this form's bar alone.
    form->SetMenu(menu);
    menu->AttachToForm(form);
    auto* other = app.CreateForm<TForm>();
    other->SetMenu(menu);
    other->SetMenu(nullptr);
    EXPECT_NE(menu->MenuBar(), nullptr);
}

}
}
