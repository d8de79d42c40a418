// The skinned menus on the headless screen: their drop-downs painted in
// the built-in styles and from a theme file, styles and stored values,
// hooks on items made later, the flat border, and the main menu's dealings
// with the frame that shows it.

#include "skin/menus/menu_classes.h"
#include "skin/menus/menu_item_painter.h"
#include "skin/menus/skin_main_menu.h"
#include "skin/menus/skin_popup_menu.h"

#include "platform/components/controls/menu_window.h"
#include "platform/components/description_reader.h"
#include "platform/components/property_access.h"
#include "platform/gfx/resources.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/inside_theme.h"
#include "skin/theme_data/theme_export.h"
#include "tests/skin/temp_folder.h"
#include "tests/support/headless_app.h"

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace pellamo::test {
namespace {

class SkinnedMenuTest : public HeadlessAppFixture {
protected:
    SkinnedMenuTest()
    {
        RegisterSkinMenuClasses();
        form = app.CreateForm<TForm>();
        form->SetBounds(100, 100, 400, 300);
        form->Show();
        Pump();
    }

    TMenuItem* Item(TMenuItem* parent, const std::string& caption, TShortCut shortcut = scNone)
    {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        item->SetShortCut(shortcut);
        item->OnClick = [this, item](TObject*) { clicks.push_back(item->Caption()); };
        parent->Add(item);
        return item;
    }
    // Television (Ctrl+T), a separator, Radio (disabled), Subtitles
    // (checked), More with one sub-item.
    void Fill(TMenu& menu)
    {
        Item(menu.Items(), "&Television", ShortCut('T', scCtrl));
        Item(menu.Items(), "-");
        Item(menu.Items(), "Radio")->SetEnabled(false);
        Item(menu.Items(), "Subtitles")->SetChecked(true);
        Item(Item(menu.Items(), "More"), "Inner");
    }
    TColor Screen(HWND window, Point client)
    {
        Pump();
        Point p = ws().ClientToScreen(window, client);
        return screen.Screenshot().GetPixel(p.x, p.y);
    }
    // Pixels of an item (client rectangle of `window`) near `color`.
    int Ink(HWND window, const Rect& r, TColor color)
    {
        Pump();
        Bitmap shot = screen.Screenshot();
        Point o = ws().ClientToScreen(window, { r.left, r.top });
        int n = 0;
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x) {
                TColor c = shot.GetPixel(o.x + x, o.y + y);
                int d = 0;
                for (int s : { 0, 8, 16 })
                    d = std::max(d, std::abs(((c >> s) & 0xFF) - ((color >> s) & 0xFF)));
                n += d <= 100;
            }
        return n;
    }
    Point Centre(HWND window, const Rect& r)
    {
        return ws().ClientToScreen(window, { (r.left + r.right) / 2, (r.top + r.bottom) / 2 });
    }

    TForm* form = nullptr;
    std::vector<std::string> clicks;
    const Bitmap bar = Resources::LoadBitmap("MACOS_MENU_BAR");
    const Bitmap select = Resources::LoadBitmap("MACOS_MENU_SELECT");
};

TEST_F(SkinnedMenuTest, PopupMenuPaintsItsDropDownInTheStyleAndAnswersKeysAndMouse)
{
    struct Case {
        TsuiUIStyle style;
        int item_height, separator_height;
    };
    const Case cases[] = {
        { TsuiUIStyle::MacOS, 20, 12 },
        { TsuiUIStyle::WinXP, 21, 5 },
        { TsuiUIStyle::DeepBlue, 21, 5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        ComponentPtr<TsuiPopupMenu> popup(new TsuiPopupMenu(form));
        popup->SetUIStyle(c.style);
        Fill(*popup);
        popup->Popup(300, 200);
        Pump();
        TMenuWindow* w = popup->Window();
        ASSERT_NE(w, nullptr);
        HWND h = w->Handle();
        EXPECT_EQ(w->ItemRect(0).Height(), c.item_height);
        EXPECT_EQ(w->ItemRect(1).Height(), c.separator_height);
        Rect tv = w->ItemRect(0), sep = w->ItemRect(1), radio = w->ItemRect(2), subtitles = w->ItemRect(3);
        bool mac = c.style == TsuiUIStyle::MacOS;
        TColor selected = GetInsideThemeColor(c.style, ThemeItem::MenuSelectedBackgroundColor),
               border = GetInsideThemeColor(c.style, ThemeItem::MenuSelectedBorderColor);

        // Unselected: the pinstripes, or the bar and the fill.
        if (mac) {
            EXPECT_EQ(Screen(h, { tv.left + 2, tv.top + 1 }), bar.GetPixel(0, 1));
            EXPECT_EQ(Screen(h, { sep.left + 40, sep.top + 2 }), bar.GetPixel(0, 2)) << "no line in MacOS";
        } else {
            EXPECT_EQ(Screen(h, { tv.left + 2, tv.top + 1 }), GetInsideThemeColor(c.style, ThemeItem::MenuBarColor));
            EXPECT_EQ(
                Screen(h, { tv.right - 2, tv.top + 1 }), GetInsideThemeColor(c.style, ThemeItem::MenuBackgroundColor));
            EXPECT_EQ(Screen(h, { sep.left + 40, sep.top + 2 }), 0x848284);
        }
        // The check mark of Subtitles.
        EXPECT_GT(
            Ink(h, { subtitles.left + 4, subtitles.top + 3, subtitles.left + 20, subtitles.top + 19 }, 0x000000), 5);

        // The mouse over Television: the highlight with its text colour.
        screen.MoveMouse(Centre(h, tv));
        Pump();
        if (mac) {
            EXPECT_EQ(Screen(h, { tv.left + 2, tv.top + 1 }), select.GetPixel(0, 1));
            EXPECT_GT(Ink(h, { tv.left + 30, tv.top + 4, tv.right, tv.bottom }, 0xFFFFFF), 10) << "white text";
        } else {
            EXPECT_EQ(Screen(h, { tv.left, tv.top }), border);
            EXPECT_EQ(Screen(h, { tv.left + 2, tv.top + 1 }), selected);
        }
        // Over the disabled Radio: no highlight, grey text.
        screen.MoveMouse(Centre(h, radio));
        Pump();
        EXPECT_NE(Screen(h, { radio.left + 2, radio.top + 1 }), mac ? select.GetPixel(0, 1) : selected);
        EXPECT_GT(Ink(h, { radio.left + 30, radio.top + 4, radio.right, radio.bottom }, kMenuDisabledText), 5);

        // Keys: up from Radio to Television, Enter chooses it.
        screen.PressKey(VK_UP);
        screen.PressKey(VK_RETURN);
        Pump();
        EXPECT_FALSE(popup->IsOpen());
        // The mouse: open again and click Subtitles.
        popup->Popup(300, 200);
        Pump();
        screen.Click(Centre(popup->Window()->Handle(), subtitles));
        Pump();
        EXPECT_EQ(clicks, (std::vector<std::string> { "&Television", "Subtitles" }));
        clicks.clear();
    }
}

TEST_F(SkinnedMenuTest, MainMenuFromAStoredFormShowsNoPlainBarAndDropsDownSkinned)
{
    const char* description = R"(object Host: TForm
  ClientHeight = 200
  ClientWidth = 300
  Menu = MainMenu1
  object MainMenu1: TsuiMainMenu
    OwnerDraw = True
    UIStyle = MacOS
    MenuItemHeight = 20
    SeparatorHeight = 12
    BarWidth = 26
    BarColor = clBlack
    Color = clBlack
    SeparatorColor = clBlack
    SelectedBorderColor = 12874553
    SelectedColor = 12874553
    SelectedFontColor = clWhite
    FontColor = clBlack
    BorderColor = clBlack
    FlatMenu = False
    FontName = 'MS Sans Serif'
    FontSize = 8
    FontCharset = 1
    UseSystemFont = True
    object N1: TMenuItem
      Caption = 'Programmes'
      object N2: TMenuItem
        Caption = 'Television'
        ShortCut = 16468
      end
      object N3: TMenuItem
        Caption = '-'
      end
      object N4: TMenuItem
        Caption = 'Radio'
      end
    end
  end
end
)";
    auto* host = new TForm(&app);
    ReadDescription(description, *host);
    auto* menu = dynamic_cast<TsuiMainMenu*>(host->FindComponent("MainMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->MenuBar(), nullptr) << "no plain menu bar";
    EXPECT_EQ(host->ClientHeight(), 200);
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::MacOS);
    EXPECT_EQ(menu->MenuItemHeight(), 20);
    EXPECT_EQ(menu->SeparatorHeight(), 12);
    EXPECT_EQ(menu->SelectedColor(), 0xC47339);
    EXPECT_TRUE(menu->OwnerDraw() || menu->Images()) << "painted through the hooks";
    TMenuItem* programmes = menu->Items()->Items(0);
    EXPECT_TRUE(static_cast<bool>(programmes->Items(0)->OnDrawItem)) << "hooks on the items read";

    // A skinned frame would drop the sub-menu down like this.
    host->SetBounds(100, 100, 300, 200);
    host->Show();
    TMenuWindow drop(*programmes, { 150, 150 }, nullptr);
    Pump();
    HWND h = drop.Handle();
    EXPECT_EQ(drop.ItemRect(0).Height(), 20);
    EXPECT_EQ(drop.ItemRect(1).Height(), 12);
    EXPECT_EQ(Screen(h, { drop.ItemRect(2).left + 2, drop.ItemRect(2).top + 1 }), bar.GetPixel(0, 1));
    drop.SetHot(0);
    EXPECT_EQ(Screen(h, { drop.ItemRect(0).left + 2, drop.ItemRect(0).top + 1 }), select.GetPixel(0, 1));
    auto shortcut = ShortCutToText(programmes->Items(0)->GetShortCut());
    EXPECT_EQ(shortcut, "Ctrl+T");
    EXPECT_GT(Ink(h,
                  { drop.ItemRect(0).right - 60, drop.ItemRect(0).top + 4, drop.ItemRect(0).right - 16,
                      drop.ItemRect(0).bottom },
                  0xFFFFFF),
        10)
        << "the shortcut in white";
}

TEST_F(SkinnedMenuTest, StylesSetHeightsBarAndColoursAndKeepFonts)
{
    ComponentPtr<TsuiMainMenu> main(new TsuiMainMenu(form));
    ComponentPtr<TsuiPopupMenu> popup(new TsuiPopupMenu(form));
    EXPECT_EQ(main->UIStyle(), TsuiUIStyle::DeepBlue) << "a form without a skinned frame gives DeepBlue";
    for (SkinnedMenu* m : { static_cast<SkinnedMenu*>(main.get()), static_cast<SkinnedMenu*>(popup.get()) }) {
        m->SetFontName("Tahoma");
        m->SetUseSystemFont(false);
        m->SetFlatMenu(true);
        m->SetMenuItemHeight(30);
        m->SetBarWidth(0);
        struct Row {
            TsuiUIStyle style;
            TColor border, selected, selected_font, color, font, bar;
        };
        const Row rows[] = {
            { TsuiUIStyle::MacOS, 0xC47339, 0xC47339, 0xFFFFFF, 0x000000, 0x000000, 0x000000 },
            { TsuiUIStyle::WinXP, 0xC66931, 0xEFD3C6, 0x000000, 0xFFFFFF, 0x000000, 0xCED3D6 },
            { TsuiUIStyle::DeepBlue, 0xA04A44, 0xA04A44, 0xFFFFFF, 0xFFFFFF, 0x000000, 0xCED3D6 },
            { TsuiUIStyle::Protein, 0xC4302D, 0xC4302D, 0xFFFFFF, 0xFFFFFF, 0x000000, 0xCED3D6 },
            { TsuiUIStyle::BlueGlass, 0xEC5E5E, 0xEC5E5E, 0xFFFFFF, 0xE7E7E7, 0x000000, 0xCED3D6 },
            { TsuiUIStyle::FromThemeFile, 0xA04A44, 0xA04A44, 0xFFFFFF, 0xFFFFFF, 0x000000,
                0xCED3D6 }, // no theme: DeepBlue's
        };
        for (const Row& r : rows) {
            m->SetUIStyle(r.style);
            bool mac = r.style == TsuiUIStyle::MacOS;
            EXPECT_EQ(m->MenuItemHeight(), mac ? 20 : 21);
            EXPECT_EQ(m->SeparatorHeight(), mac ? 12 : 5);
            EXPECT_EQ(m->SeparatorColor(), mac ? 0 : 0x848284);
            EXPECT_EQ(m->BarWidth(), 26);
            EXPECT_EQ(m->SelectedBorderColor(), r.border);
            EXPECT_EQ(m->SelectedColor(), r.selected);
            EXPECT_EQ(m->SelectedFontColor(), r.selected_font);
            EXPECT_EQ(m->Color(), r.color);
            EXPECT_EQ(m->FontColor(), r.font);
            EXPECT_EQ(m->BarColor(), r.bar);
        }
        EXPECT_EQ(m->FontName(), "Tahoma");
        EXPECT_FALSE(m->UseSystemFont());
        EXPECT_TRUE(m->FlatMenu());
    }

    // In MacOS a separator height is never written; the item height is,
    // on the main menu only.
    main->SetUIStyle(TsuiUIStyle::MacOS);
    popup->SetUIStyle(TsuiUIStyle::MacOS);
    for (TComponent* c : { static_cast<TComponent*>(main.get()), static_cast<TComponent*>(popup.get()) }) {
        SetOrdProp(*c, "SeparatorHeight", 7);
        SetOrdProp(*c, "MenuItemHeight", 33);
    }
    EXPECT_EQ(main->SeparatorHeight(), 12);
    EXPECT_EQ(popup->SeparatorHeight(), 12);
    EXPECT_EQ(main->MenuItemHeight(), 33);
    EXPECT_EQ(popup->MenuItemHeight(), 20);
    popup->SetUIStyle(TsuiUIStyle::WinXP);
    SetOrdProp(*popup, "SeparatorHeight", 7);
    SetOrdProp(*popup, "MenuItemHeight", 33);
    EXPECT_EQ(popup->SeparatorHeight(), 7);
    EXPECT_EQ(popup->MenuItemHeight(), 33);

    // OwnerDraw always reads True.
    SetOrdProp(*popup, "OwnerDraw", 0);
    EXPECT_EQ(GetOrdProp(*popup, "OwnerDraw"), 1);
    EXPECT_EQ(GetOrdProp(*main, "OwnerDraw"), 1);
}

TEST_F(SkinnedMenuTest, FromAThemeFileAndBackToDeepBlueWhenItGoes)
{
    TempFolder folder;
    std::string file = folder.File("macos.sui");
    std::vector<uint8_t> bytes = ExportBuiltInTheme(TsuiUIStyle::MacOS);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    auto* theme = new TsuiFileTheme(form);
    theme->SetThemeFile(file);
    ASSERT_TRUE(theme->CanUse());

    ComponentPtr<TsuiPopupMenu> popup(new TsuiPopupMenu(form));
    popup->SetUIStyle(TsuiUIStyle::FromThemeFile);
    popup->SetFileTheme(theme);
    // The file's colours, by the rules of file themes: plain fills.
    EXPECT_EQ(popup->SelectedColor(), 0xC47339);
    EXPECT_EQ(popup->SelectedFontColor(), 0xFFFFFF);
    EXPECT_EQ(popup->MenuItemHeight(), 21);
    EXPECT_EQ(popup->FlatLineColor(), 0xE7E7E7);
    Fill(*popup);
    popup->Popup(300, 200);
    Pump();
    TMenuWindow* w = popup->Window();
    screen.MoveMouse(Centre(w->Handle(), w->ItemRect(0)));
    Pump();
    EXPECT_EQ(Screen(w->Handle(), { w->ItemRect(0).left, w->ItemRect(0).top }), 0xC47339);
    EXPECT_EQ(Screen(w->Handle(), { w->ItemRect(0).left + 2, w->ItemRect(0).top + 1 }), 0xC47339);
    EXPECT_GT(
        Ink(w->Handle(), { 30, w->ItemRect(0).top + 4, w->ItemRect(0).right, w->ItemRect(0).bottom }, 0xFFFFFF), 10);
    popup->CloseMenu();

    theme->Free();
    EXPECT_EQ(popup->FileTheme(), nullptr);
    EXPECT_EQ(popup->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(popup->SelectedColor(), 0xA04A44);
}

TEST_F(SkinnedMenuTest, ItemsMadeLaterGetTheHooksAndImagesComeAndGo)
{
    ComponentPtr<TsuiMainMenu> main(new TsuiMainMenu(form));
    TMenuItem* owned = Item(main->Items(), "Owned by the form");
    EXPECT_TRUE(static_cast<bool>(owned->OnDrawItem));
    auto* loose = new TMenuItem(nullptr);
    auto* inner = new TMenuItem(nullptr);
    loose->Add(inner);
    main->Items()->Add(loose);
    EXPECT_FALSE(static_cast<bool>(inner->OnDrawItem));
    main->MenuAdded();
    EXPECT_TRUE(static_cast<bool>(loose->OnDrawItem));
    EXPECT_TRUE(static_cast<bool>(inner->OnMeasureItem));

    // The main menu's own check marks stand in for a missing user list.
    EXPECT_EQ(main->UserImages(), nullptr);
    const ImageList* own = main->Images();
    ASSERT_NE(own, nullptr);
    auto* images = new TImageList(form);
    main->SetUserImages(images);
    EXPECT_EQ(main->Images(), &images->Images());
    images->Free();
    EXPECT_EQ(main->UserImages(), nullptr);
    EXPECT_EQ(main->Images(), own);

    // A hook left on an item that outlives its menu does nothing.
    main.reset();
    ComponentPtr<TsuiPopupMenu> popup(new TsuiPopupMenu(form));
    auto* survivor = new TMenuItem(form);
    popup.reset();
    Bitmap b(10, 10);
    Canvas c(b);
    int width = 5, height = 5;
    survivor->OnMeasureItem(survivor, c, width, height);
    survivor->OnDrawItem(survivor, c, { 0, 0, 10, 10 }, true);
    EXPECT_EQ(width, 5);
}

TEST_F(SkinnedMenuTest, AFlatMenuRedrawsItsWindowBorder)
{
    ComponentPtr<TsuiPopupMenu> popup(new TsuiPopupMenu(form));
    popup->SetUIStyle(TsuiUIStyle::MacOS);
    popup->SetFlatMenu(true);
    Fill(*popup);
    popup->Popup(300, 200);
    Pump();
    Bitmap shot = screen.Screenshot();
    Rect r = ws().GetWindowRect(popup->Window()->Handle());
    EXPECT_EQ(shot.GetPixel(r.left + 1, r.top), 0xE7E7E7) << "the top row";
    EXPECT_EQ(shot.GetPixel(r.right - 1, r.top + 10), 0xE7E7E7) << "the right column";
    EXPECT_EQ(shot.GetPixel(r.left, r.top + 10), 0x000000) << "the outer frame";
    EXPECT_EQ(shot.GetPixel(r.left + 1, r.top + 10), 0xFFFFFF) << "the white frame inside it";
}

// A frame that shows a main menu, as the skinned form will.
struct RecordingHost : SkinnedMenuBarHost {
    std::vector<std::string> calls;
    void UpdateMenu() override { calls.push_back("UpdateMenu"); }
    void UpdateTopMenu() override { calls.push_back("UpdateTopMenu"); }
    void RepaintMenuBar() override { calls.push_back("RepaintMenuBar"); }
};

TEST_F(SkinnedMenuTest, TheMainMenuTellsTheFrameThatShowsIt)
{
    ComponentPtr<TsuiMainMenu> main(new TsuiMainMenu(form));
    Item(main->Items(), "Programmes"); // no frame yet: nobody to tell
    RecordingHost host;
    main->SetMenuBarHost(&host);
    main->MenuAdded();
    main->SetUseSystemFont(false);
    main->Items()->Items(0)->SetCaption("Channels");
    EXPECT_EQ(host.calls, (std::vector<std::string> { "UpdateMenu", "RepaintMenuBar", "UpdateTopMenu" }));
    main->SetMenuBarHost(nullptr);
    main->Items()->Items(0)->SetCaption("Programmes");
    EXPECT_EQ(host.calls.size(), 3u);
}

}
}
