// A window described as the main window's frame is stored: the skinned
// frame with its own title bar buttons and sections (pictures kept in the
// description), a skinned main menu shown in the frame's menu bar, and a
// panel just below it. Every stored value reads back by name, and the
// window shows what the values say.

#include "tests/skin_frame/frame_fixture.h"

#include "platform/components/controls/panel.h"
#include "platform/components/description_reader.h"
#include "platform/components/property_access.h"
#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/resources.h"

#include <cstdio>
#include <string>

namespace pellamo::test {
namespace {

std::string Hex(std::string_view resource)
{
    std::string hex;
    char two[3];
    for (uint8_t b : Resources::Get(resource)) {
        std::snprintf(two, sizeof two, "%02X", b);
        hex += two;
    }
    return "{" + hex + "}";
}

std::string Button(const char* type, const char* picture)
{
    std::string normal = Hex(picture);
    std::string hot = Hex(std::string(picture) + "_HOT");
    return std::string("      item\n        UIStyle = MacOS\n        ButtonType = ") + type
        + "\n        Transparent = False\n        Top = 4\n        Visible = True\n        PicNormal.Data = " + normal
        + "\n        PicMouseOn.Data = " + hot + "\n        PicMouseDown.Data = " + hot + "\n      end\n";
}

std::string Section(bool auto_size, int width, const char* align, bool stretch, const char* picture)
{
    return std::string("      item\n        AutoSize = ") + (auto_size ? "True" : "False") + "\n        Width = "
        + std::to_string(width) + "\n        Align = " + align + "\n        Picture.Data = " + Hex(picture)
        + "\n        Stretch = " + (stretch ? "True" : "False") + "\n      end\n";
}

std::string MainFrameDescription()
{
    return std::string("object Form1: TForm\n"
                       "  Left = 192\n  Top = 114\n"
                       "  BorderIcons = [biSystemMenu, biMinimize]\n  BorderStyle = bsDialog\n"
                       "  Caption = 'Pellamo'\n  ClientHeight = 582\n  ClientWidth = 634\n"
                       "  Menu = MainMenu1\n"
                       "  object suiForm1: TsuiForm\n"
                       "    Left = 0\n    Top = 0\n    Width = 634\n    Height = 582\n"
                       "    TitleBarCustom = False\n    UIStyle = MacOS\n    UIStyleAutoUpdateSub = False\n"
                       "    BorderColor = 8355711\n    BorderWidth = 1\n    Color = 15198183\n    Caption = 'Pellamo'\n"
                       "    TitleBarButtons = <\n")
        + Button("suiControlBox", "PELLAMO_TITLEBTN_MENU") + Button("suiClose", "PELLAMO_TITLEBTN_CLOSE")
        + Button("suiMin", "PELLAMO_TITLEBTN_MIN") + "    >\n    TitleBarSections = <\n"
        + Section(true, 48, "suiLeft", false, "PELLAMO_TITLE_LEFT")
        + Section(true, 48, "suiRight", false, "PELLAMO_TITLE_RIGHT")
        + Section(false, 10, "suiClient", true, "PELLAMO_TITLE_CLIENT")
        + "    >\n"
          "    TitleBarDrawAppIcon = False\n"
          "    Font.Charset = 1\n    Font.Color = clBlack\n    Font.Height = -11\n    Font.Name = 'Tahoma'\n"
          "    Font.Style = [fsBold]\n"
          "    Menu = MainMenu1\n    MenuBarColor = 15198183\n    MenuBarHeight = 22\n"
          "    RoundCorner = 0\n    RoundCornerBottom = 0\n    Version = '5.8'\n"
          "    object suiPanel1: TPanel\n      Left = 0\n      Top = 42\n      Width = 469\n      Height = 369\n    "
          "end\n"
          "  end\n"
          "  object MainMenu1: TsuiMainMenu\n"
          "    UIStyle = MacOS\n    MenuItemHeight = 20\n    SeparatorHeight = 12\n    UseSystemFont = True\n"
          "    object N1: TMenuItem\n      Caption = 'Programmes'\n"
          "      object N2: TMenuItem\n        Caption = 'Television'\n      end\n    end\n"
          "    object N5: TMenuItem\n      Caption = 'Tools'\n"
          "      object N6: TMenuItem\n        Caption = 'Windows Media Player 9'\n      end\n    end\n"
          "    object N9: TMenuItem\n      Caption = 'Help'\n"
          "      object N13: TMenuItem\n        Caption = 'About'\n      end\n    end\n"
          "  end\n"
          "end\n";
}

class StoredFrameTest : public HeadlessAppFixture {
protected:
    StoredFrameTest() { RegisterSkinFrameClasses(); }
};

TEST_F(StoredFrameTest, DescribedLikeTheMainWindowsFrame)
{
    auto* form = app.CreateForm<TForm>();
    ReadDescription(MainFrameDescription(), *form);
    form->SetBounds(100, 50, 640, 435);
    form->Show();
    Pump();
    auto* frame = dynamic_cast<TsuiForm*>(form->FindComponent("suiForm1"));
    ASSERT_NE(frame, nullptr);

    // The stored values, by name.
    EXPECT_EQ(GetEnumProp(*frame, "UIStyle"), "MacOS");
    EXPECT_EQ(GetOrdProp(*frame, "TitleBarCustom"), 0);
    EXPECT_EQ(GetOrdProp(*frame, "UIStyleAutoUpdateSub"), 0);
    EXPECT_EQ(GetOrdProp(*frame, "BorderColor"), 8355711);
    EXPECT_EQ(GetOrdProp(*frame, "BorderWidth"), 1);
    EXPECT_EQ(GetOrdProp(*frame, "Color"), 15198183);
    EXPECT_EQ(GetStrProp(*frame, "Caption"), "Pellamo");
    EXPECT_EQ(GetOrdProp(*frame, "TitleBarDrawAppIcon"), 0);
    EXPECT_EQ(GetStrProp(*frame, "Font.Name"), "Tahoma");
    EXPECT_EQ(GetOrdProp(*frame, "Font.Height"), -11);
    EXPECT_EQ(GetSetProp(*frame, "Font.Style"), "[fsBold]");
    EXPECT_EQ(GetOrdProp(*frame, "Font.Color"), clBlack);
    EXPECT_EQ(GetComponentProp(*frame, "Menu"), form->FindComponent("MainMenu1"));
    EXPECT_EQ(GetOrdProp(*frame, "MenuBarColor"), 15198183);
    EXPECT_EQ(GetOrdProp(*frame, "MenuBarHeight"), 22);
    EXPECT_EQ(GetOrdProp(*frame, "RoundCorner"), 0);
    EXPECT_EQ(GetOrdProp(*frame, "RoundCornerBottom"), 0);
    EXPECT_EQ(GetStrProp(*frame, "Version"), "5.8");

    auto* buttons = dynamic_cast<TsuiTitleBarButtons*>(GetObjectProp(*frame, "TitleBarButtons"));
    ASSERT_NE(buttons, nullptr);
    ASSERT_EQ(buttons->Count(), 3);
    const char* types[] = { "suiControlBox", "suiClose", "suiMin" };
    const char* pictures[] = { "PELLAMO_TITLEBTN_MENU", "PELLAMO_TITLEBTN_CLOSE", "PELLAMO_TITLEBTN_MIN" };
    for (int i = 0; i < 3; ++i) {
        TsuiTitleBarButton* b = buttons->Items(i);
        EXPECT_EQ(GetEnumProp(*b, "ButtonType"), types[i]);
        EXPECT_EQ(GetEnumProp(*b, "UIStyle"), "MacOS");
        EXPECT_EQ(GetOrdProp(*b, "Top"), 4);
        EXPECT_EQ(GetOrdProp(*b, "Transparent"), 0);
        EXPECT_EQ(b->PicNormal().Graphic(), Resources::LoadBitmap(pictures[i]))
            << "the stored picture, not the style's";
        EXPECT_EQ(b->PicMouseOn().Graphic(), Resources::LoadBitmap(std::string(pictures[i]) + "_HOT"));
        EXPECT_EQ(b->PicMouseDown().Graphic(), b->PicMouseOn().Graphic());
    }
    auto* sections = dynamic_cast<TsuiTitleBarSections*>(GetObjectProp(*frame, "TitleBarSections"));
    ASSERT_NE(sections, nullptr);
    ASSERT_EQ(sections->Count(), 3);
    EXPECT_EQ(GetEnumProp(*sections->Items(0), "Align"), "suiLeft");
    EXPECT_EQ(GetEnumProp(*sections->Items(1), "Align"), "suiRight");
    EXPECT_EQ(GetEnumProp(*sections->Items(2), "Align"), "suiClient");
    EXPECT_EQ(GetOrdProp(*sections->Items(0), "AutoSize"), 1);
    EXPECT_EQ(GetOrdProp(*sections->Items(2), "AutoSize"), 0);
    EXPECT_EQ(GetOrdProp(*sections->Items(1), "Width"), 48);
    EXPECT_EQ(GetOrdProp(*sections->Items(2), "Width"), 10);
    EXPECT_EQ(GetOrdProp(*sections->Items(2), "Stretch"), 1);
    EXPECT_EQ(sections->Items(2)->Picture().Graphic(), Resources::LoadBitmap("PELLAMO_TITLE_CLIENT"));

    // The window as the values make it: a 20-pixel title bar with the
    // stored pictures, the menu bar below it, the panel right below that.
    TsuiTitleBar& bar = frame->TitleBar();
    EXPECT_EQ(bar.Height(), 20);
    ASSERT_NE(frame->MenuBar(), nullptr);
    EXPECT_EQ(frame->MenuBar()->ButtonCount(), 3);
    EXPECT_EQ(frame->MenuBar()->BoundsRect(), (Rect { 0, 20, 634, 42 }));
    EXPECT_EQ(frame->ClientRect(), (Rect { 0, 0, 634, 430 })) << "the whole designed client area but 5 rows";
    auto* panel = dynamic_cast<TPanel*>(form->FindComponent("suiPanel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->ClientToScreen({ 0, 0 }).y, frame->MenuBar()->ClientToScreen({ 0, 22 }).y);
    EXPECT_EQ(form->MenuComponent(), nullptr) << "the form's own menu is let go: no plain bar";
    EXPECT_FALSE(bar.HasVisibleButton(TsuiTitleBarBtnType::suiMax));

    TitleBarLayout layout = bar.Layout();
    Bitmap close = Resources::LoadBitmap("PELLAMO_TITLEBTN_CLOSE");
    Point at = bar.ClientToScreen({ layout.buttons[1].left + 8, layout.buttons[1].top + 8 });
    EXPECT_EQ(screen.Screenshot().GetPixel(at.x, at.y), close.GetPixel(8, 8));
    Bitmap left = Resources::LoadBitmap("PELLAMO_TITLE_LEFT");
    EXPECT_EQ(screen.Screenshot().GetPixel(100 + 30, 50 + 1), left.GetPixel(30, 1))
        << "the stored left picture to the top edge";
    EXPECT_EQ(screen.Screenshot().GetPixel(100 + 30, 50 + 21), left.GetPixel(30, 21));
}

}
}
