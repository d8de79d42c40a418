// The tool bar: wrapping and auto-size, custom drawing of the bar and its
// buttons, edges, transparency, image lists and list layout, plain, check
// and drop-down buttons, and buttons that drop menu items' sub-menus like a
// menu bar.

#include "tests/controls/shown_form_fixture.h"

#include "platform/components/controls/image_list.h"
#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/popup_menu.h"
#include "platform/components/controls/tool_bar.h"
#include "platform/components/controls/tool_button.h"
#include "platform/gfx/canvas.h"

#include <vector>

namespace pellamo::test {
namespace {

class ToolBarTest : public ShownFormFixture {
protected:
    ToolBarTest()
    {
        bar = new TToolBar(form);
        bar->SetParent(form);
    }
    TToolButton* AddButton(TToolButtonStyle style = TToolButtonStyle::tbsButton)
    {
        auto* b = new TToolButton(form);
        b->SetStyle(style);
        b->SetParent(bar);
        return b;
    }
    Point Middle(TControl* c) const { return c->ClientToScreen({ c->Width() / 2, c->Height() / 2 }); }

    TToolBar* bar = nullptr;
};

TEST_F(ToolBarTest, ButtonsWrapIntoRowsAndAutoSizeFitsThem)
{
    // Five buttons of 23 and a separator of 8 after the second.
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 6; ++i)
        buttons.push_back(AddButton(i == 2 ? TToolButtonStyle::tbsSeparator : TToolButtonStyle::tbsButton));
    bar->SetAlign(TAlign::alNone);
    bar->SetAutoSize(true);
    struct Case {
        int width;
        bool wrapable;
        int rows;
        Point last; // top-left of the last button
    };
    const Case cases[] = {
        { 200, true, 1, { 23 * 4 + 8, 0 } },
        { 100, true, 2, { 0, 22 } }, // the fifth button ends exactly at 100: only the sixth wraps
        { 60, true, 3, { 0, 44 } },
        { 60, false, 1, { 23 * 4 + 8, 0 } },
    };
    for (const Case& c : cases) {
        bar->SetWrapable(c.wrapable);
        bar->SetBounds(0, 0, c.width, 29);
        bar->ArrangeButtons();
        EXPECT_EQ(bar->RowCount(), c.rows) << c.width;
        EXPECT_EQ((Point { buttons.back()->Left(), buttons.back()->Top() }), c.last) << c.width;
        EXPECT_EQ(bar->ClientHeight(), c.rows * 22) << c.width;
    }
}

TEST_F(ToolBarTest, CustomDrawEventsPaintInsteadOfTheDefault)
{
    TToolButton* plain = AddButton();
    TToolButton* custom = AddButton();
    custom->SetDown(true);
    const TColor kBar = Rgb(10, 200, 10);
    const TColor kButton = Rgb(200, 10, 10);
    std::vector<TCustomDrawState> states;
    bar->OnCustomDraw = [&](TToolBar* sender, const Rect& r, bool& default_draw) {
        sender->Canvas().brush.color = kBar;
        sender->Canvas().FillRect(r);
        default_draw = false;
    };
    bar->OnCustomDrawButton = [&](TToolBar* sender, TToolButton* b, TCustomDrawState state, bool& default_draw) {
        if (b != custom)
            return;
        states.push_back(state);
        sender->Canvas().brush.color = kButton;
        sender->Canvas().FillRect(b->BoundsRect());
        default_draw = false;
    };
    bar->Invalidate();
    Pump();
    EXPECT_EQ(PixelAt(bar->Handle(), { bar->ClientWidth() - 3, 5 }), kBar);
    EXPECT_EQ(PixelAt(bar->Handle(), { custom->Left() + 1, custom->Top() + 1 }), kButton);
    // The plain button keeps its raised edge.
    EXPECT_EQ(PixelAt(bar->Handle(), { plain->Left(), plain->Top() }), SystemColors::Resolve(clBtnHighlight));
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back(), cdsChecked);

    screen.MoveMouse(Middle(custom));
    Pump();
    EXPECT_EQ(states.back(), cdsChecked | cdsHot);
}

TEST_F(ToolBarTest, PlainAndCheckButtonsClick)
{
    TToolButton* plain = AddButton();
    TToolButton* check = AddButton(TToolButtonStyle::tbsCheck);
    TToolButton* separator = AddButton(TToolButtonStyle::tbsSeparator);
    std::vector<TObject*> clicks;
    for (TToolButton* b : { plain, check, separator })
        b->OnClick = [&](TObject* sender) { clicks.push_back(sender); };
    Pump();
    screen.Click(Middle(plain));
    screen.Click(Middle(check));
    screen.Click(Middle(separator));
    Pump();
    EXPECT_EQ(clicks, (std::vector<TObject*> { plain, check }));
    EXPECT_TRUE(check->Down());
    screen.Click(Middle(check));
    Pump();
    EXPECT_FALSE(check->Down());
}

TEST_F(ToolBarTest, MenuButtonsDropTheirItemsSubMenus)
{
    auto* menu = new TMainMenu(form);
    std::vector<std::string> clicks;
    auto item = [&](TMenuItem* parent, const std::string& caption) {
        auto* i = new TMenuItem(form);
        i->SetCaption(caption);
        i->OnClick = [&clicks, caption](TObject*) { clicks.push_back(caption); };
        parent->Add(i);
        return i;
    };
    TMenuItem* file = item(menu->Items(), "File");
    item(file, "Open");
    item(file, "Quit");
    TMenuItem* view = item(menu->Items(), "View");
    item(view, "Zoom");
    TMenuItem* help = item(menu->Items(), "Help"); // no sub-items: a command
    std::vector<TToolButton*> buttons;
    for (TMenuItem* m : { file, view, help }) {
        buttons.push_back(AddButton());
        buttons.back()->SetMenuItem(m);
    }
    Pump();
    EXPECT_EQ(buttons[0]->DisplayCaption(), "File");

    screen.Click(Middle(buttons[0]));
    Pump();
    ASSERT_TRUE(bar->IsMenuDropped());
    EXPECT_EQ(bar->DroppedButton(), buttons[0]);
    Rect drop = ws().GetWindowRect(bar->DropDown()->Handle());
    EXPECT_EQ(drop.left, buttons[0]->ClientToScreen({ 0, 0 }).x);
    EXPECT_EQ(drop.top, buttons[0]->ClientToScreen({ 0, buttons[0]->Height() }).y);

    // Moving to the next menu button switches; Left goes back; Enter chooses.
    screen.MoveMouse(Middle(buttons[1]));
    Pump();
    EXPECT_EQ(bar->DroppedButton(), buttons[1]);
    screen.PressKey(VK_LEFT);
    Pump();
    EXPECT_EQ(bar->DroppedButton(), buttons[0]);
    screen.PressKey(VK_DOWN);
    screen.PressKey(VK_RETURN);
    Pump();
    EXPECT_FALSE(bar->IsMenuDropped());
    EXPECT_EQ(clicks, std::vector<std::string> { "Quit" });

    // A second press on the dropped button closes it; a button whose item
    // has no sub-items clicks that item.
    screen.Click(Middle(buttons[1]));
    Pump();
    ASSERT_TRUE(bar->IsMenuDropped());
    screen.Click(Middle(buttons[1]));
    Pump();
    EXPECT_FALSE(bar->IsMenuDropped());
    screen.Click(Middle(buttons[2]));
    Pump();
    EXPECT_EQ(clicks, (std::vector<std::string> { "Quit", "Help" }));

    // Freeing the bound item leaves the button unbound.
    file->Free();
    EXPECT_EQ(buttons[0]->MenuItem(), nullptr);
}

TEST_F(ToolBarTest, EdgesTakeTheirLinesOutOfTheClientArea)
{
    using B = TEdgeBorder;
    using E = TEdgeStyle;
    bar->SetAlign(TAlign::alNone);
    bar->SetBounds(0, 0, 150, 29);
    Pump();
    // By default: a lowered outer and a raised inner line along the top.
    EXPECT_EQ(bar->ClientHeight(), 27);
    Point top_left = bar->ClientToScreen({ 0, 0 });
    EXPECT_EQ(ws().GetWindowRect(bar->Handle()).top + 2, top_left.y);
    Bitmap shot = screen.Screenshot();
    EXPECT_EQ(shot.GetPixel(top_left.x + 20, top_left.y - 2), SystemColors::Resolve(clBtnShadow));
    EXPECT_EQ(shot.GetPixel(top_left.x + 20, top_left.y - 1), SystemColors::Resolve(clBtnHighlight));

    struct Case {
        TEdgeBorders sides;
        E inner, outer;
        Rect inset;
    };
    const Case cases[] = {
        { {}, E::esRaised, E::esLowered, { 0, 0, 0, 0 } },
        { { B::ebLeft, B::ebTop, B::ebRight, B::ebBottom }, E::esRaised, E::esLowered, { 2, 2, 2, 2 } },
        { { B::ebTop, B::ebBottom }, E::esNone, E::esLowered, { 0, 1, 0, 1 } },
        { { B::ebTop }, E::esNone, E::esNone, { 0, 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        bar->SetEdgeBorders(c.sides);
        bar->SetEdgeInner(c.inner);
        bar->SetEdgeOuter(c.outer);
        Pump();
        Rect window = ws().GetWindowRect(bar->Handle());
        Point origin = bar->ClientToScreen({ 0, 0 });
        EXPECT_EQ(origin.x - window.left, c.inset.left);
        EXPECT_EQ(origin.y - window.top, c.inset.top);
        EXPECT_EQ(bar->ClientWidth(), 150 - c.inset.left - c.inset.right);
        EXPECT_EQ(bar->ClientHeight(), 29 - c.inset.top - c.inset.bottom);
    }
}

TEST_F(ToolBarTest, ATransparentBarShowsItsParentBehindItsButtons)
{
    bar->SetEdgeBorders({});
    TToolButton* b = AddButton();
    Pump();
    Point empty { bar->ClientWidth() - 5, 5 };
    EXPECT_EQ(PixelAt(bar->Handle(), empty), SystemColors::Resolve(clBtnFace));
    bar->SetTransparent(true);
    EXPECT_EQ(PixelAt(bar->Handle(), empty), Rgb(255, 255, 255));

    // A flat button's hot edge goes again when the pointer leaves.
    bar->SetFlat(true);
    screen.MoveMouse(Middle(b));
    Pump();
    EXPECT_EQ(PixelAt(bar->Handle(), { 0, 0 }), SystemColors::Resolve(clBtnHighlight));
    screen.MoveMouse(bar->ClientToScreen(empty));
    Pump();
    EXPECT_EQ(PixelAt(bar->Handle(), { 0, 0 }), Rgb(255, 255, 255));

    bar->SetTransparent(false);
    EXPECT_EQ(PixelAt(bar->Handle(), empty), SystemColors::Resolve(clBtnFace));
}

TEST_F(ToolBarTest, ImagesComeFromTheImageListsAndListPutsThemBesideTheCaption)
{
    auto* images = new TImageList(form);
    images->Add(Bitmap(16, 16, clRed));
    auto* hot = new TImageList(form);
    hot->Add(Bitmap(16, 16, clBlue));
    bar->SetEdgeBorders({});
    bar->SetButtonHeight(24);
    bar->SetImages(images);
    bar->SetHotImages(hot);
    TToolButton* b = AddButton();
    b->SetImageIndex(0);
    b->SetCaption("Play");
    Pump();
    // Above the caption when captions show (here they do not): centred.
    EXPECT_EQ(b->Width(), 23);
    EXPECT_EQ(PixelAt(bar->Handle(), { b->Left() + 11, b->Top() + 12 }), clRed);
    screen.MoveMouse(Middle(b));
    Pump();
    EXPECT_EQ(PixelAt(bar->Handle(), { b->Left() + 11, b->Top() + 12 }), clBlue);

    // Beside the caption: the image at the left, the button as wide as both.
    bar->SetShowCaptions(true);
    bar->SetList(true);
    screen.MoveMouse(bar->ClientToScreen({ bar->ClientWidth() - 2, 2 }));
    Pump();
    Bitmap scratch(1, 1);
    Canvas measure(scratch);
    measure.font = bar->Font().GetFont();
    EXPECT_EQ(b->Width(), 16 + 7 + measure.TextWidth("Play") + 8);
    EXPECT_EQ(PixelAt(bar->Handle(), { b->Left() + 5, b->Top() + 12 }), clRed);
    EXPECT_NE(PixelAt(bar->Handle(), { b->Left() + b->Width() - 6, b->Top() + 12 }), clRed);

    // Freed lists are forgotten.
    hot->Free();
    images->Free();
    EXPECT_EQ(bar->HotImages(), nullptr);
    EXPECT_EQ(bar->Images(), nullptr);
    Pump();
    EXPECT_EQ(b->Width(), measure.TextWidth("Play") + 16);
}

TEST_F(ToolBarTest, ADropDownButtonDropsItsMenuFromItsArrowOnly)
{
    auto* menu = new TPopupMenu(form);
    int popups = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    TToolButton* b = AddButton(TToolButtonStyle::tbsDropDown);
    b->SetDropdownMenu(menu);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Pump();
    EXPECT_EQ(b->Width(), 23 + kToolButtonArrowWidth);
    screen.Click(b->ClientToScreen({ 5, 5 }));
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(popups, 0);
    screen.Click(b->ClientToScreen({ b->Width() - 5, 5 }));
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(popups, 1);
    menu->CloseMenu();
}

TEST_F(ToolBarTest, APressedButtonIsHotOnlyWithThePointerOverIt)
{
    TToolButton* b = AddButton();
    TToolButton* other = AddButton();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Pump();
    screen.MoveMouse(Middle(b));
    screen.PressButton();
    Pump();
    EXPECT_TRUE(b->Pressed());
    EXPECT_TRUE(b->Hot());
    screen.MoveMouse(Middle(other));
    Pump();
    EXPECT_TRUE(b->Pressed());
    EXPECT_FALSE(b->Hot());
    screen.MoveMouse(Middle(b));
    Pump();
    EXPECT_TRUE(b->Hot());
    screen.MoveMouse(Middle(other));
    screen.ReleaseButton();
    Pump();
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(clicks, 0); // released elsewhere
}

TEST_F(ToolBarTest, AfterAnItemChosenByMouseTheNextPressDropsTheButtonUnderThePointer)
{
    // The drop-down takes the mouse from the bar while the press that opened
    // it is still down; the bar must not keep sending presses to that button.
    auto* menu = new TMainMenu(form);
    std::vector<std::string> clicks;
    std::vector<TToolButton*> buttons;
    for (const char* title : { "File", "Help" }) {
        auto* top = new TMenuItem(form);
        top->SetCaption(title);
        menu->Items()->Add(top);
        auto* entry = new TMenuItem(form);
        entry->SetCaption(std::string(title) + " entry");
        entry->OnClick = [&clicks, entry](TObject*) { clicks.push_back(entry->Caption()); };
        top->Add(entry);
        buttons.push_back(AddButton());
        buttons.back()->SetMenuItem(top);
    }
    Pump();
    for (TToolButton* b : { buttons[0], buttons[1], buttons[1], buttons[0] }) {
        screen.Click(Middle(b));
        Pump();
        ASSERT_TRUE(bar->IsMenuDropped());
        EXPECT_EQ(bar->DroppedButton(), b);
        Rect drop = ws().GetWindowRect(bar->DropDown()->Handle());
        screen.Click({ drop.left + 10, drop.top + drop.Height() / 2 });
        Pump();
    }
    EXPECT_EQ(clicks, (std::vector<std::string> { "File entry", "Help entry", "Help entry", "File entry" }));
}

}
}
