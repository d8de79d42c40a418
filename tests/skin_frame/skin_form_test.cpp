// The skinned frame on the headless screen: it takes over the window's
// frame, paints border, title bar and menu bar in the styles and from a
// theme file, and behaves under the mouse and the keyboard as a window's
// frame does. (The order in which it sees messages is
// frame_message_order_test.cpp, for both frames.)

#include "tests/skin_frame/frame_fixture.h"

#include "platform/components/controls/menu_window.h"
#include "platform/components/property_access.h"
#include "platform/gfx/resources.h"
#include "platform/window/window_system.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/theme_source.h"
#include "skin/theme_data/named_pictures.h"
#include "skin/theme_data/theme_export.h"
#include "tests/skin/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace pellamo::test {
namespace {

bool Near(TColor a, TColor b)
{
    for (int shift : { 0, 8, 16 })
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 40)
            return false;
    return true;
}

class SkinFormTest : public FrameFixture {
protected:
    // A theme file exported from a built-in style, loaded.
    TsuiFileTheme* ExportedTheme(TsuiUIStyle style)
    {
        std::string file = folder.File("exported.sui");
        std::vector<uint8_t> bytes = ExportBuiltInTheme(style);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        auto* theme = new TsuiFileTheme(form);
        theme->SetThemeFile(file);
        return theme;
    }
    TempFolder folder;
};

TEST_F(SkinFormTest, TakesOverTheFrameOfItsForm)
{
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    ShowForm();
    EXPECT_EQ(ws().GetStyle(Host()) & WS_CAPTION, 0u);
    EXPECT_EQ(ws().GetClientRectInWindow(Host()), (Rect { 3, 3, 397, 298 })) << "3 pixels of frame, 2 at the bottom";
    EXPECT_EQ(frame->BoundsRect(), (Rect { 0, 0, 394, 295 }));
    EXPECT_EQ(frame->TitleBar().BoundsRect(), (Rect { 0, 0, 394, 20 }));
    EXPECT_EQ(frame->FrameCaption(), "Pellamo");
    EXPECT_EQ(form->Constraints().MinWidth(), 130) << "the style's minimum width";
    EXPECT_EQ(form->Constraints().MinHeight(), 50);

    frame->SetFrameCaption("Caption");
    EXPECT_EQ(form->Caption(), "Caption");
    SetStrProp(*frame, "Version", "9.9");
    EXPECT_EQ(GetStrProp(*frame, "Version"), "5.8");

    // A second frame is refused; a frame on something else stays a panel.
    EXPECT_THROW(new TsuiForm(form), std::runtime_error);
    try {
        new TsuiForm(form);
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Sorry, You can create only one TsuiForm component in one form!");
    }
    ComponentPtr<TComponent> other(new TComponent(nullptr));
    ComponentPtr<TsuiForm> plain(new TsuiForm(other.get()));
    EXPECT_EQ(plain->HostForm(), nullptr);
    EXPECT_EQ(plain->Parent(), nullptr);

    frame->SetFormPanel(frame);
    EXPECT_EQ(frame->FormPanel(), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Sorry, you can't select the Form assign to FormPanel property");

    // Taken away, the frame gives the window its caption back.
    frame->Free();
    frame = nullptr;
    EXPECT_EQ(ws().GetStyle(Host()) & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(ws().GetClientRectInWindow(Host()).top, 3 + 18);
}

// Title bar height, border, button frames, menu bar and background as the
// screen shows them, in MacOS, in WinXP and from a theme file exported
// from MacOS (whose rules draw plain fills where MacOS has pictures).
TEST_F(SkinFormTest, PixelsInTheStylesAndFromAnExportedTheme)
{
    struct Case {
        const char* what;
        TsuiUIStyle style;
        bool from_file;
        int title_height;
        int border_width;
        TColor border;
        bool pinstripes; // menu bar and background from pictures
        TColor menu_bar; // when not
    };
    const Case cases[] = {
        { "MacOS", TsuiUIStyle::MacOS, false, 20, 1, 0x7F7F7F, true, 0 },
        { "WinXP", TsuiUIStyle::WinXP, false, 26, 3, 0xC82C00, false, 0xDEEBEF },
        { "exported from MacOS", TsuiUIStyle::MacOS, true, 20, 1, 0x7F7F7F, false, 0xE7E7E7 },
    };
    TsuiFileTheme* theme = ExportedTheme(TsuiUIStyle::MacOS);
    ASSERT_TRUE(theme->CanUse());
    TsuiMainMenu* menu = AddMenu();
    menu->Items()->Items(1)->SetEnabled(false);
    ShowForm();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TsuiUIStyle style = c.from_file ? TsuiUIStyle::FromThemeFile : c.style;
        frame->SetFileTheme(c.from_file ? theme : nullptr);
        frame->SetUIStyle(style);
        menu->SetFileTheme(c.from_file ? theme : nullptr);
        menu->SetUIStyle(style);
        Pump();
        ThemeSource pictures(nullptr, c.style);
        EXPECT_EQ(frame->TitleBar().Height(), c.title_height);
        EXPECT_EQ(frame->MenuBar()->Top(), c.title_height);
        int w = form->Width();
        int h = form->Height();
        for (int x = 0; x < c.border_width; ++x) {
            EXPECT_EQ(WindowPixel({ x, h / 2 }), c.border) << "left border, column " << x;
            EXPECT_EQ(WindowPixel({ w - 1 - x, h / 2 }), c.border) << "right border";
            EXPECT_EQ(WindowPixel({ w / 2, h - 1 - x }), c.border) << "bottom border";
        }
        // The title pictures reach the window's top edge, through the frame.
        Bitmap left = pictures.Picture(ThemeItem::TitleBarLeftImage);
        EXPECT_EQ(WindowPixel({ 10, 1 }), left.GetPixel(10, 1)) << "the frame's top rows";
        int last_row = 3 + c.title_height - 1;
        EXPECT_EQ(WindowPixel({ 10, last_row }), left.GetPixel(10, last_row)) << "the title bar's rows";
        // The close button: frame 16 of the strip, at the bar's button top.
        TitleBarLayout layout = frame->TitleBar().Layout();
        Rect close = layout.buttons[1];
        Bitmap close_picture = pictures.Picture(ThemeItem::TitleBarButtonImage, 18, 16);
        EXPECT_EQ(close.Width(), close_picture.Width());
        EXPECT_EQ(close.right, frame->TitleBar().Width() + frame->TitleBar().RightBtnXOffset() - 1);
        Point at { 3 + close.left + close.Width() / 2, 3 + close.top + close.Height() / 2 };
        EXPECT_EQ(WindowPixel(at), close_picture.GetPixel(close.Width() / 2, close.Height() / 2));
        // The menu bar and the background.
        int bar_bottom = 3 + c.title_height + frame->MenuBar()->Height() - 1;
        Point client { 3 + 200, 3 + 150 };
        if (c.pinstripes) {
            Bitmap bar = Resources::LoadBitmap(kMacOSMenuBar);
            EXPECT_EQ(WindowPixel({ w - 30, bar_bottom }), bar.GetPixel(0, 21)) << "the menu bar's shadow row";
            Bitmap tile = Resources::LoadBitmap(kMacOSFormBackground);
            EXPECT_EQ(WindowPixel(client), tile.GetPixel(200 % 8, 150 % 8)) << "the background tile";
        } else {
            EXPECT_EQ(WindowPixel({ w - 30, bar_bottom }), c.menu_bar);
            EXPECT_EQ(WindowPixel({ 1, bar_bottom }), c.border_width < 3 ? c.menu_bar : c.border)
                << "beside the menu bar";
            EXPECT_EQ(WindowPixel(client), frame->Color());
        }
    }
}

TEST_F(SkinFormTest, MenuBarShowsTheMainMenuAndFollowsIt)
{
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    TsuiMainMenu* menu = AddMenu();
    menu->Items()->Items(1)->SetEnabled(false);
    ShowForm();
    TsuiMenuBar* bar = frame->MenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(menu->MenuBarHost(), static_cast<SkinnedMenuBarHost*>(frame));
    ASSERT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(bar->Buttons(0)->MenuItem(), menu->Items()->Items(0)) << "the buttons stand in menu order";
    EXPECT_EQ(bar->Buttons(2)->MenuItem(), menu->Items()->Items(2));
    EXPECT_EQ(bar->Height(), 22);
    EXPECT_LT(bar->Buttons(0)->Left(), bar->Buttons(1)->Left());

    // The disabled second title is grey; the others black.
    auto ink = [&](int index, TColor colour) {
        Pump();
        Rect r = bar->Buttons(index)->BoundsRect();
        Bitmap shot = screen.Screenshot();
        Point o = bar->ClientToScreen({ r.left, r.top });
        int n = 0;
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                n += Near(shot.GetPixel(o.x + x, o.y + y), colour);
        return n;
    };
    EXPECT_GT(ink(1, 0x808080), 5);
    EXPECT_EQ(ink(1, 0x000000), 0);
    EXPECT_GT(ink(0, 0x000000), 5);

    // A click drops the item's sub-menu below its button, in the skin.
    screen.Click(bar->ClientToScreen(Centre(bar->Buttons(0)->BoundsRect())));
    Pump();
    ASSERT_TRUE(bar->IsMenuDropped());
    Rect drop = ws().GetWindowRect(bar->DropDown()->Handle());
    EXPECT_EQ(drop.top, bar->ClientToScreen({ 0, bar->Buttons(0)->BoundsRect().bottom }).y);
    Bitmap select = Resources::LoadBitmap(kMacOSMenuSelect);
    EXPECT_GT(ink(0, 0xFFFFFF), 5) << "the open title in white on the selection picture";
    screen.Click(ws().ClientToScreen(bar->DropDown()->Handle(), Centre(bar->DropDown()->ItemRect(1))));
    Pump();
    EXPECT_EQ(clicks, std::vector<std::string> { "Radio" });

    // Item changes reach the bar; without a menu the bar goes.
    menu->Items()->Items(1)->SetEnabled(true);
    Item(menu->Items(), "&More");
    menu->MenuAdded();
    Pump();
    EXPECT_EQ(bar->ButtonCount(), 4);
    EXPECT_TRUE(bar->Buttons(1)->Enabled());
    frame->SetMenuBarHeight(30);
    EXPECT_EQ(bar->Height(), 30);
    frame->SetMenu(nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr);
    EXPECT_EQ(menu->MenuBarHost(), nullptr);
    frame->SetMenu(menu);
    ASSERT_NE(frame->MenuBar(), nullptr);
    menu->Free();
    EXPECT_EQ(frame->Menu(), nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr);
    Pump();
}

TEST_F(SkinFormTest, DraggingTheTitleMovesTheWindowButNotFromAButton)
{
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    ShowForm();
    Point grab = frame->TitleBar().ClientToScreen({ 150, 10 });
    screen.MoveMouse(grab);
    screen.PressButton();
    screen.MoveMouse({ grab.x + 40, grab.y + 30 });
    screen.ReleaseButton();
    Pump();
    EXPECT_EQ(form->BoundsRect(), Rect::FromSize(140, 130, 400, 300));
    EXPECT_FALSE(frame->TitleBar().Pressed());

    // Pressed on the close button and dragged off: no move, no close.
    Point close = ButtonOnScreen(1);
    screen.MoveMouse(close);
    screen.PressButton();
    screen.MoveMouse({ close.x - 120, close.y + 40 });
    screen.ReleaseButton();
    Pump();
    EXPECT_EQ(form->BoundsRect(), Rect::FromSize(140, 130, 400, 300));
    EXPECT_FALSE(app.Terminated());

    // Maximised, the title does not move the window.
    form->SetWindowState(TWindowState::wsMaximized);
    Pump();
    Rect maximised = form->BoundsRect();
    screen.MoveMouse(frame->TitleBar().ClientToScreen({ 150, 10 }));
    screen.PressButton();
    screen.MoveMouse({ 500, 500 });
    screen.ReleaseButton();
    Pump();
    EXPECT_EQ(form->BoundsRect(), maximised);
}

TEST_F(SkinFormTest, ButtonsAndDoubleClicksActOnTheWindow)
{
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    ShowForm();
    Rect normal = form->BoundsRect();
    Point caption = frame->TitleBar().ClientToScreen({ 150, 10 });

    // A double click on the caption maximises to the work area (1024 x 740
    // here), grown by 2 at the left, top and right and 1 shorter, and back.
    screen.Click(caption);
    screen.Click(caption);
    Pump();
    EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(form->BoundsRect(), (Rect { -2, -2, 1026, 739 }));
    EXPECT_EQ(ws().GetWindowRgn(Host())->Bounds(), (Rect { 0, 0, 1028, 741 }));
    caption = frame->TitleBar().ClientToScreen({ 150, 10 });
    screen.Click(caption);
    screen.Click(caption);
    Pump();
    EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
    EXPECT_EQ(form->BoundsRect(), normal);

    // Without a visible maximise button a double click changes nothing.
    frame->TitleBar().Buttons().Items(2)->SetVisible(false);
    Pump();
    caption = frame->TitleBar().ClientToScreen({ 150, 10 });
    screen.Click(caption);
    screen.Click(caption);
    Pump();
    EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);

    // Minimise iconifies the window.
    screen.Click(ButtonOnScreen(3));
    Pump();
    EXPECT_TRUE(ws().IsIconic(Host()));
    EXPECT_TRUE(screen.Window(ws().DisplayWindowOf(Host()))->minimized);
    ws().ShowWindow(Host(), SW_RESTORE);
    Pump();

    // The close button closes the main form: the program ends.
    screen.Click(ButtonOnScreen(1));
    Pump();
    EXPECT_TRUE(app.Terminated());
}

TEST_F(SkinFormTest, AQuickPressAndReleaseActsOnTheButtonUnderThePointerNotThePaintedOne)
{
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    std::vector<int> custom;
    frame->OnTitleBarCustomBtnsClick = [&](TObject*, int index) { custom.push_back(index); };
    TsuiTitleBarButton* extra = frame->TitleBar().Buttons().Add();
    extra->PicNormal().SetBitmap(Bitmap(17, 17, 0x00FF00));
    ShowForm();
    // The pointer rests on the minimise button and the bar is painted so.
    screen.MoveMouse(ButtonOnScreen(3));
    Pump();
    // Then, with no painting in between, it moves to the custom button and clicks.
    screen.MoveMouse(ButtonOnScreen(4));
    screen.PressButton();
    screen.ReleaseButton();
    Pump();
    EXPECT_EQ(custom, std::vector<int> { 4 });
    EXPECT_FALSE(ws().IsIconic(Host()));
}

TEST_F(SkinFormTest, TheWindowMenuFromTheBoxTheKeysAndOnlyInTheActiveWindow)
{
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    ShowForm();
    TsuiTitleBarPopupMenu& menu = frame->TitleBar().WindowMenu();
    Point below_title = frame->TitleBar().ClientToScreen({ 0, frame->TitleBar().Height() });

    // A click on the box opens the window menu below the title bar.
    screen.Click(ButtonOnScreen(0));
    Pump();
    ASSERT_TRUE(menu.IsOpen());
    EXPECT_EQ(ws().GetWindowRect(menu.Window()->Handle()).left, below_title.x);
    EXPECT_EQ(ws().GetWindowRect(menu.Window()->Handle()).top, below_title.y);
    screen.PressKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(menu.IsOpen());

    // Alt+Space does the same; its items work.
    screen.PressKey(VK_SPACE, kModAlt);
    Pump();
    ASSERT_TRUE(menu.IsOpen());
    EXPECT_EQ(ws().GetWindowRect(menu.Window()->Handle()).top, below_title.y);
    screen.TypeText("x");
    Pump();
    EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized) << "the maximise or restore item";
    form->SetWindowState(TWindowState::wsNormal);
    Pump();

    // A second window, modal over the first, with a frame of its own:
    // Alt+Space is its frame's, below its own title bar, and the close item
    // closes it, not the program.
    auto* about = app.CreateForm<TForm>();
    about->SetBounds(300, 250, 200, 120);
    about->SetBorderStyle(TFormBorderStyle::bsDialog);
    auto* about_frame = new TsuiForm(about);
    about_frame->SetUIStyle(TsuiUIStyle::MacOS);
    about_frame->TitleBar().Buttons().Items(2)->SetVisible(false);
    about_frame->TitleBar().Buttons().Items(3)->SetVisible(false);
    bool main_menu_opened = false, about_menu_opened = false;
    Point about_below;
    loop.Post([&] {
        Pump();
        screen.PressKey(VK_SPACE, kModAlt);
        Pump();
        main_menu_opened = menu.IsOpen();
        about_menu_opened = about_frame->TitleBar().WindowMenu().IsOpen();
        about_below = about_frame->TitleBar().ClientToScreen({ 0, about_frame->TitleBar().Height() });
        if (about_menu_opened) {
            EXPECT_EQ(ws().GetWindowRect(about_frame->TitleBar().WindowMenu().Window()->Handle()).top, about_below.y);
            EXPECT_FALSE(about_frame->TitleBar().WindowMenu().MinimizeItem()->Enabled());
        }
        screen.TypeText("c");
        Pump();
        // A modal window closes when its loop ends.
        if (about->ModalResult() == mrNone) {
            ADD_FAILURE() << "the close item did not close the modal window";
            about->Close();
        }
    });
    about->ShowModal();
    EXPECT_FALSE(main_menu_opened);
    EXPECT_TRUE(about_menu_opened);
    EXPECT_FALSE(about->Visible());
    EXPECT_FALSE(app.Terminated());
}

TEST_F(SkinFormTest, KeyboardWorksTheMenuBar)
{
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    TsuiMainMenu* menu = AddMenu();
    menu->Items()->Items(0)->Items(0)->SetShortCut(ShortCut('T', scCtrl));
    ShowForm();
    TsuiMenuBar* bar = frame->MenuBar();
    struct Case {
        const char* what;
        std::vector<std::pair<unsigned, unsigned>> keys; // vk, modifiers
        const char* clicked;
    };
    const std::vector<Case> cases = {
        { "Alt, Right, Down, Enter", { { VK_MENU, 0 }, { VK_RIGHT, 0 }, { VK_DOWN, 0 }, { VK_RETURN, 0 } },
            "Windows Media Player 9" },
        { "F10, Enter, Down, Enter", { { VK_F10, 0 }, { VK_RETURN, 0 }, { VK_DOWN, 0 }, { VK_RETURN, 0 } }, "Radio" },
        { "Alt+H opens a title by its letter", { { 'H', kModAlt }, { VK_RETURN, 0 } }, "About" },
        { "Right moves from one drop-down to the next", { { 'P', kModAlt }, { VK_RIGHT, 0 }, { VK_RETURN, 0 } },
            "Windows Media Player 9" },
        { "Left wraps to the last title", { { VK_F10, 0 }, { VK_LEFT, 0 }, { VK_RETURN, 0 }, { VK_RETURN, 0 } },
            "About" },
        { "Esc leaves the bar", { { VK_MENU, 0 }, { VK_ESCAPE, 0 } }, nullptr },
        { "Alt twice leaves it too", { { VK_MENU, 0 }, { VK_MENU, 0 } }, nullptr },
        { "a shortcut clicks its item", { { 'T', kModControl } }, "Television" },
        { "Shift+F10 is not the bar's", { { VK_F10, kModShift } }, nullptr },
    };
    for (const Case& c : cases) {
        clicks.clear();
        for (auto [vk, modifiers] : c.keys) {
            screen.PressKey(vk, modifiers);
            Pump();
        }
        EXPECT_FALSE(bar->IsMenuDropped()) << c.what;
        EXPECT_FALSE(bar->InBar()) << c.what;
        EXPECT_EQ(clicks, c.clicked ? std::vector<std::string> { c.clicked } : std::vector<std::string> {}) << c.what;
    }

    // In the bar, the chosen title is painted as the mouse would show it.
    screen.PressKey(VK_F10);
    screen.PressKey(VK_RIGHT);
    Pump();
    EXPECT_TRUE(bar->InBar());
    EXPECT_EQ(bar->KeyboardHotButton(), bar->Buttons(1));
    Bitmap select = Resources::LoadBitmap(kMacOSMenuSelect);
    Rect tools = bar->Buttons(1)->BoundsRect();
    Point p = bar->ClientToScreen({ tools.left + 1, tools.top + 1 });
    Bitmap expected(tools.Width(), tools.Height());
    Canvas(expected).StretchDraw({ 0, 0, tools.Width(), tools.Height() }, select);
    EXPECT_EQ(screen.Screenshot().GetPixel(p.x, p.y), expected.GetPixel(1, 1));
    // Leaving the window leaves the bar.
    auto* other = app.CreateForm<TForm>();
    other->Show();
    Pump();
    EXPECT_FALSE(bar->InBar());
}

TEST_F(SkinFormTest, StylesReachTheTitleBarTheMenuAndOnRequestTheChildren)
{
    TsuiMainMenu* menu = AddMenu(TsuiUIStyle::DeepBlue);
    auto* child = new TsuiTitleBar(form); // any control with UIStyle and FileTheme
    child->SetParent(frame);
    child->SetAlign(TAlign::alBottom);
    frame->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(frame->TitleBar().UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(child->UIStyle(), TsuiUIStyle::DeepBlue) << "not passed on while UIStyleAutoUpdateSub is off";
    EXPECT_EQ(frame->RoundCorner(), 13);
    EXPECT_EQ(frame->BorderWidth(), 3);
    EXPECT_EQ(frame->MenuBarColor(), 0xDEEBEF);
    frame->SetUIStyleAutoUpdateSub(true);
    frame->SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(child->UIStyle(), TsuiUIStyle::Protein);

    // A theme file, then its removal: the frame and its children turn DeepBlue.
    TsuiFileTheme* theme = ExportedTheme(TsuiUIStyle::WinXP);
    frame->SetFileTheme(theme);
    frame->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(frame->BorderColor(), 0xC82C00);
    EXPECT_EQ(frame->MenuBarColor(), 0xDEEBEF);
    EXPECT_EQ(child->FileTheme(), theme);
    EXPECT_EQ(frame->TitleBar().Font().Color(), clWhite) << "the file's caption colour";
    theme->Free();
    EXPECT_EQ(frame->FileTheme(), nullptr);
    EXPECT_EQ(frame->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(child->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(frame->BorderColor(), 0x000000);
}

TEST_F(SkinFormTest, CornersShapeTheWindowWhileTheTitleBarShows)
{
    frame->SetUIStyle(TsuiUIStyle::WinXP);
    ShowForm();
    std::optional<Region> region = ws().GetWindowRgn(Host());
    ASSERT_TRUE(region.has_value());
    EXPECT_FALSE(region->Contains(0, 0)) << "WinXP rounds the top corners";
    EXPECT_TRUE(region->Contains(0, 299)) << "but not the bottom ones";
    EXPECT_EQ(screen.Window(ws().DisplayWindowOf(Host()))->shape.has_value(), true);

    frame->SetRoundCorner(0);
    EXPECT_EQ(*ws().GetWindowRgn(Host()), Region(Rect { 0, 0, 400, 300 }));
    frame->SetRoundCorner(13);
    frame->SetTitleBarVisible(false);
    EXPECT_EQ(frame->RoundCorner(), 0) << "reads 0 while the title bar is hidden";
    frame->RegionWindow();
    EXPECT_EQ(*ws().GetWindowRgn(Host()), Region(Rect { 0, 0, 400, 300 }));
    frame->SetTitleBarVisible(true);
    EXPECT_EQ(frame->RoundCorner(), 13);
}

}
}
