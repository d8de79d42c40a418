#include "platform/components/controls/edit.h"
#include "skin/panels/group_box.h"
#include "tests/skin/skin_fixture.h"
#include "tests/skin/styled_samples.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class GroupBoxTest : public SkinFixture {
protected:
    TsuiGroupBox* box = nullptr;
    void SetUp() override
    {
        Show();
        box = new TsuiGroupBox(form);
        box->SetParent(form);
        box->SetBounds(10, 10, 185, 105);
        box->SetUIStyle(S::MacOS);
        box->SetCaption("Group");
        Pump();
    }
    int LineY() { return std::abs(box->Font().Height()) / 2 + 1; }
};

TEST_F(GroupBoxTest, TheFrameRunsRoundTheBoxAndBreaksForTheCaption)
{
    int y = LineY();
    TColor border = 0x7F7F7F; // MacOS ControlBorderColor
    EXPECT_EQ(box->BorderColor(), border);
    EXPECT_EQ(PixelAt(*box, { 0, 50 }), border); // left
    EXPECT_EQ(PixelAt(*box, { 184, 50 }), border); // right
    EXPECT_EQ(PixelAt(*box, { 90, 104 }), border); // bottom
    EXPECT_EQ(PixelAt(*box, { 1, y }), border); // the short piece before the caption
    EXPECT_EQ(PixelAt(*box, { 150, y }), border); // after it
    EXPECT_NE(PixelAt(*box, { 3, y }), border); // the gap before the caption
    EXPECT_EQ(PixelAt(*box, { 90, 50 }), box->Color()); // inside: the (parent's) colour
    EXPECT_EQ(box->Color(), kFormColor);

    // An empty caption leaves the top edge whole.
    box->SetCaption("");
    Bitmap shot = Shot(*box);
    for (int x = 0; x < 185; ++x)
        EXPECT_EQ(shot.GetPixel(x, y), border) << x;
}

TEST_F(GroupBoxTest, TheCaptionIsGreyWhenDisabledAndColouredByTheStyleOtherwise)
{
    auto darkest = [&] {
        Bitmap shot = Shot(*box);
        TColor best = 0xFFFFFF;
        for (int y = 0; y < 12; ++y)
            for (int x = 5; x < 40; ++x) {
                TColor c = shot.GetPixel(x, y);
                if (RedOf(c) + GreenOf(c) + BlueOf(c) < RedOf(best) + GreenOf(best) + BlueOf(best))
                    best = c;
            }
        return best;
    };
    box->SetColor(clWhite);
    box->SetUIStyle(S::WinXP);
    EXPECT_EQ(box->Font().Color(), 0xCF4602); // WinXP ControlFontColor
    EXPECT_EQ(box->BorderColor(), 0x686868);
    box->SetEnabled(false);
    Pump();
    TColor grey = darkest();
    EXPECT_NEAR(RedOf(grey), 0x80, 0x30);
    EXPECT_EQ(RedOf(grey), BlueOf(grey));
}

TEST_F(GroupBoxTest, ChildrenSitInsideTheFrameAndTakeItsStyle)
{
    auto* child = new TsuiSample(form);
    child->SetParent(box);
    child->SetAlign(TAlign::alClient);
    auto* plain = new TEdit(form);
    plain->SetParent(box);
    int h = std::abs(box->Font().Height());
    EXPECT_EQ(child->BoundsRect(), (Rect { 3, h + 5, 182, 102 }));
    EXPECT_EQ(box->GetClient(), (Rect { 3, h, 183, 103 }));

    TsuiFileTheme* theme = ExportedTheme(S::MacOS);
    box->SetFileTheme(theme);
    EXPECT_EQ(child->FileTheme(), theme);
    EXPECT_EQ(child->UIStyle(), S::MacOS);
    box->SetUIStyle(S::FromThemeFile);
    EXPECT_EQ(child->UIStyle(), S::FromThemeFile);
    EXPECT_EQ(box->BorderColor(), 0x7F7F7F); // from the file

    // The theme goes: box and children fall back to DeepBlue.
    theme->Free();
    EXPECT_EQ(box->FileTheme(), nullptr);
    EXPECT_EQ(box->UIStyle(), S::DeepBlue);
    EXPECT_EQ(child->UIStyle(), S::DeepBlue);
    EXPECT_EQ(child->FileTheme(), nullptr);
    EXPECT_EQ(box->BorderColor(), 0x000000);
}

TEST_F(GroupBoxTest, AThemeFileExportedFromMacOSDrawsTheSameBox)
{
    Pump();
    Bitmap built_in = screen.Screenshot();
    box->SetUIStyle(S::FromThemeFile);
    box->SetFileTheme(ExportedTheme(S::MacOS));
    Pump();
    EXPECT_EQ(screen.Screenshot(), built_in);
}

}
}
