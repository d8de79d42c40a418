#include "platform/components/controls/image_list.h"
#include "platform/components/controls/tool_button.h"
#include "platform/components/description_reader.h"
#include "skin/toolbars/skin_tool_bar.h"
#include "skin/toolbars/toolbar_classes.h"
#include "tests/skin/skin_fixture.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class SkinToolBarTest : public SkinFixture {
protected:
    TsuiToolBar* bar = nullptr;
    TImageList* images = nullptr;
    void SetUp() override
    {
        Show();
        bar = new TsuiToolBar(form);
        bar->SetParent(form);
        bar->SetUIStyle(S::WinXP);
        bar->SetButtonHeight(24);
        bar->SetButtonWidth(30);
        images = new TImageList(form);
        images->Add(Bitmap(16, 16, clRed));
        Pump();
    }
    TToolButton* AddButton(TToolButtonStyle style = TToolButtonStyle::tbsButton)
    {
        auto* b = new TToolButton(form);
        b->SetStyle(style);
        b->SetParent(bar);
        Pump();
        return b;
    }
    TColor At(TToolButton* b, int x, int y) { return PixelAt(*bar, { b->Left() + x, b->Top() + y }); }
    void Hover(TToolButton* b) { MoveTo(*bar, { b->Left() + 5, b->Top() + b->Height() / 2 }); }
    void Away() { MoveTo(*bar, { bar->ClientWidth() - 2, 2 }); }
};

TEST_F(SkinToolBarTest, TheStyleGivesTheButtonColoursAndMacOSAndProteinBarsAreTransparent)
{
    struct Row {
        S style;
        TColor border, face, down;
        bool transparent;
    } rows[] = {
        { S::MacOS, 0x474747, 0xEFEFEF, 0xD8D8D8, true },
        { S::WinXP, 0xC66931, 0xEFD3C6, 0xE1AC93, false },
        { S::DeepBlue, 0x474747, 0xEFEFEF, 0xD8D8D8, false },
        { S::Protein, 0x474747, 0xEFEFEF, 0xD8D8D8, true },
        { S::BlueGlass, 0x474747, 0xEFEFEF, 0xD8D8D8, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.style));
        bar->SetEdgeBorders({ TEdgeBorder::ebTop });
        bar->SetUIStyle(row.style);
        EXPECT_EQ(bar->ButtonBorderColor(), row.border);
        EXPECT_EQ(bar->ButtonColor(), row.face);
        EXPECT_EQ(bar->ButtonDownColor(), row.down);
        EXPECT_EQ(bar->Transparent(), row.transparent);
        EXPECT_TRUE(bar->EdgeBorders().Empty());
    }
    auto* fresh = new TsuiToolBar(form);
    EXPECT_TRUE(fresh->Flat());
    EXPECT_EQ(fresh->Color(), clWindow);

    // A transparent bar shows its parent where it has no buttons.
    bar->SetUIStyle(S::MacOS);
    EXPECT_EQ(PixelAt(*bar, { bar->ClientWidth() - 3, 5 }), kFormColor);
    bar->SetUIStyle(S::WinXP);
    EXPECT_EQ(PixelAt(*bar, { bar->ClientWidth() - 3, 5 }), SystemColors::Resolve(clWindow));
}

TEST_F(SkinToolBarTest, HoverAndPressPaintTheButtonInTheStyleColours)
{
    bar->SetImages(images);
    TToolButton* b = AddButton();
    b->SetImageIndex(0);
    TColor plain = At(b, 2, 2);
    Hover(b);
    EXPECT_EQ(At(b, 0, 0), 0xC66931); // the frame
    EXPECT_EQ(At(b, b->Width() - 1, b->Height() - 1), 0xC66931);
    EXPECT_EQ(At(b, 2, 2), 0xEFD3C6); // the hot face
    // The image at ((30 - 16) / 2, 3), in its own colour.
    EXPECT_EQ(At(b, 7, 3), clRed);
    EXPECT_EQ(At(b, 6, 3), 0xEFD3C6);
    EXPECT_EQ(At(b, 7, 2), 0xEFD3C6);
    screen.PressButton();
    Pump();
    EXPECT_EQ(At(b, 2, 2), 0xE1AC93); // pressed
    EXPECT_EQ(At(b, 0, 0), 0xC66931);
    Release();
    EXPECT_EQ(At(b, 2, 2), 0xEFD3C6);
    Away();
    EXPECT_EQ(At(b, 2, 2), plain); // the bar's own drawing again

    // A button that stays down looks hot without the pointer.
    b->SetStyle(TToolButtonStyle::tbsCheck);
    b->SetDown(true);
    Pump();
    EXPECT_EQ(At(b, 2, 2), 0xEFD3C6);

    // MacOS, and a theme file exported from it, give the same picture.
    bar->SetUIStyle(S::MacOS);
    Hover(b);
    EXPECT_EQ(At(b, 2, 2), 0xEFEFEF);
    Bitmap built_in = Shot(*bar);
    bar->SetUIStyle(S::FromThemeFile);
    bar->SetFileTheme(ExportedTheme(S::MacOS));
    EXPECT_EQ(bar->ButtonColor(), 0xEFEFEF);
    EXPECT_TRUE(bar->Transparent() == false); // FromThemeFile is neither MacOS nor Protein
    bar->SetTransparent(true);
    EXPECT_EQ(Shot(*bar), built_in);
}

TEST_F(SkinToolBarTest, HotImagesAndTheListLayout)
{
    auto* hot = new TImageList(form);
    hot->Add(Bitmap(16, 16, clBlue));
    bar->SetImages(images);
    bar->SetHotImages(hot);
    bar->SetShowCaptions(true);
    bar->SetList(true);
    TToolButton* b = AddButton();
    b->SetImageIndex(0);
    b->SetCaption("&Play");
    Hover(b);
    // Beside the caption: the hot image at (5, 3).
    EXPECT_EQ(At(b, 5, 3), clBlue);
    EXPECT_EQ(At(b, 4, 3), 0xEFD3C6);
    // The caption starts at 16 + 7, in the font's colour.
    bool text = false;
    Pump();
    Bitmap shot = screen.Screenshot();
    for (int x = 23; x < b->Width() - 1; ++x)
        for (int y = 3; y < b->Height() - 1; ++y) {
            Point p = ScreenOf(*bar, { b->Left() + x, b->Top() + y });
            text |= shot.GetPixel(p.x, p.y) != 0xEFD3C6;
        }
    EXPECT_TRUE(text);
    EXPECT_EQ(At(b, 21, 10), 0xEFD3C6); // between the image and the caption
    EXPECT_EQ(At(b, 22, 10), 0xEFD3C6);
}

TEST_F(SkinToolBarTest, ADropDownButtonShowsItsArrowOnlyUnderThePointer)
{
    TToolButton* plain = AddButton();
    TToolButton* drop = AddButton(TToolButtonStyle::tbsDropDown);
    int right = drop->Width();
    int yc = drop->Height() / 2;
    Hover(drop);
    EXPECT_EQ(At(drop, right - 7, yc), clBlack); // the arrow
    EXPECT_EQ(At(drop, right - 7, yc + 1), clBlack);
    EXPECT_EQ(At(drop, right - 14, yc - 5), clBlack); // the divider
    EXPECT_EQ(At(drop, right - 3, yc), 0xEFD3C6);

    // Pressed, then the pointer leaves: hot colours, no arrow.
    screen.PressButton();
    Pump();
    EXPECT_EQ(At(drop, 2, 2), 0xE1AC93);
    Hover(plain);
    EXPECT_TRUE(drop->Pressed());
    EXPECT_FALSE(drop->Hot());
    EXPECT_EQ(At(drop, 2, 2), 0xEFD3C6);
    EXPECT_EQ(At(drop, right - 7, yc), 0xEFD3C6);
    Hover(drop); // back over it: pressed, with the arrow
    EXPECT_EQ(At(drop, 2, 2), 0xE1AC93);
    EXPECT_EQ(At(drop, right - 7, yc), clBlack);
    Release();
    drop->SetDown(true);
    Away();
    EXPECT_EQ(At(drop, 2, 2), 0xEFD3C6);
    EXPECT_EQ(At(drop, right - 7, yc), 0xEFD3C6);
}

TEST_F(SkinToolBarTest, ADescriptionNamesTheBarWithItsColours)
{
    RegisterToolBarClasses();
    ReadDescription(R"(
object Form1: TForm
  object Tools: TsuiToolBar
    UIStyle = Protein
    ButtonColor = clYellow
    ShowCaptions = True
  end
end)",
        *form);
    auto* read = dynamic_cast<TsuiToolBar*>(form->FindComponent("Tools"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->UIStyle(), S::Protein);
    EXPECT_EQ(read->ButtonColor(), clYellow);
    EXPECT_EQ(read->ButtonDownColor(), 0xD8D8D8);
    EXPECT_TRUE(read->Transparent());
    EXPECT_TRUE(read->ShowCaptions());
}

}
}
