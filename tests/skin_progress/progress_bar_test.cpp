#include "platform/components/description_reader.h"
#include "skin/progress/progress_bar.h"
#include "skin/progress/progress_classes.h"
#include "tests/skin/skin_fixture.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;
using O = TsuiProgressBarOrientation;

constexpr TColor kCaption = 0x0000FF; // in no style's progress picture

class ProgressBarTest : public SkinFixture {
protected:
    TsuiProgressBar* bar = nullptr;
    void SetUp() override
    {
        Show();
        bar = Add<TsuiProgressBar>({ 10, 10, 160, 22 });
        bar->SetUIStyle(S::MacOS);
        bar->SetCaptionColor(kCaption);
        Pump();
    }
    int CaptionPixels()
    {
        Bitmap shot = Shot(*bar);
        int n = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                n += shot.GetPixel(x, y) == kCaption;
        return n;
    }
    // The columns of row `y` whose pixel is the unfilled colour.
    std::pair<int, int> UnfilledColumns(const Bitmap& shot, int y)
    {
        int first = -1, last = -1;
        for (int x = 0; x < shot.Width(); ++x)
            if (shot.GetPixel(x, y) == bar->Color()) {
                if (first < 0)
                    first = x;
                last = x;
            }
        return { first, last };
    }
};

TEST_F(ProgressBarTest, ANewBarIsHalfFullAndSaysSo)
{
    auto* fresh = new TsuiProgressBar(form);
    EXPECT_EQ(fresh->Width(), 150);
    EXPECT_EQ(fresh->Height(), 12);
    EXPECT_EQ(fresh->Caption(), "50%");
    EXPECT_EQ(fresh->Orientation(), O::suiHorizontal);
    EXPECT_TRUE(fresh->ShowCaption());
    EXPECT_FALSE(fresh->SmartShowCaption());
    EXPECT_EQ(fresh->CaptionColor(), clBlack);
    EXPECT_EQ(fresh->UIStyle(), S::DeepBlue); // a form without a skinned frame
    EXPECT_EQ(fresh->Color(), 0xE8E8E8);
    EXPECT_FALSE(fresh->ControlStyle().Contains(csAcceptsControls));
}

TEST_F(ProgressBarTest, MacOSFillsWithItsPictureUpToThePositionAndFramesTheBar)
{
    EXPECT_EQ(bar->Color(), 0xE7E7E7); // MacOS ControlBackgroundColor and ControlBorderColor
    EXPECT_EQ(bar->BorderColor(), 0x7F7F7F);
    EXPECT_EQ(bar->Picture().Width(), 13);
    bar->SetShowCaption(false);
    Bitmap shot = Shot(*bar);
    // The picture covers x = 1..73, the colour x = 74..148.
    for (int y = 1; y < 11; ++y)
        EXPECT_EQ(UnfilledColumns(shot, y), std::make_pair(74, 148)) << y;
    Bitmap fill(73, 10);
    pellamo::Canvas(fill).StretchDraw({ 0, 0, 73, 10 }, bar->Picture().Graphic());
    EXPECT_EQ(shot.Crop({ 1, 1, 74, 11 }), fill);
    for (int x = 0; x < 150; ++x) {
        EXPECT_EQ(shot.GetPixel(x, 0), 0x7F7F7F) << x;
        EXPECT_EQ(shot.GetPixel(x, 11), 0x7F7F7F) << x;
    }
    EXPECT_EQ(shot.GetPixel(0, 5), 0x7F7F7F);
    EXPECT_EQ(shot.GetPixel(149, 5), 0x7F7F7F);

    // Outside the range: an empty range fills one column, a position past
    // the end fills the bar.
    bar->SetMax(0);
    bar->SetPosition(0);
    EXPECT_EQ(bar->Caption(), "0%");
    EXPECT_EQ(UnfilledColumns(Shot(*bar), 5), std::make_pair(1, 148));
    bar->SetMax(100);
    bar->SetPosition(120);
    EXPECT_EQ(bar->Caption(), "120%");
    EXPECT_EQ(UnfilledColumns(Shot(*bar), 5), std::make_pair(-1, -1));
    bar->SetPosition(3);
    bar->SetMax(7);
    EXPECT_EQ(bar->Caption(), "42%");
    bar->StepIt();
    EXPECT_EQ(bar->Caption(), "57%");
    bar->StepBy(-4);
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ProgressBarTest, WinXPTakesItsOwnPictureAndColours)
{
    bar->SetUIStyle(S::WinXP);
    bar->SetShowCaption(false);
    EXPECT_EQ(bar->Color(), 0xDEEBEF);
    EXPECT_EQ(bar->BorderColor(), 0x686868);
    EXPECT_EQ(bar->Picture().Width(), 6);
    Bitmap shot = Shot(*bar);
    EXPECT_EQ(UnfilledColumns(shot, 5), std::make_pair(74, 148));
    EXPECT_EQ(shot.GetPixel(0, 5), 0x686868);
    // The picture's columns repeat stretched: 6 wide over 73.
    Bitmap fill(73, 10);
    pellamo::Canvas(fill).StretchDraw({ 0, 0, 73, 10 }, bar->Picture().Graphic());
    EXPECT_EQ(shot.Crop({ 1, 1, 74, 11 }), fill);
}

TEST_F(ProgressBarTest, TheCaptionIsCentredAndSmartCaptionsHideAtTheStart)
{
    EXPECT_GT(CaptionPixels(), 0);
    Bitmap with = Shot(*bar);
    bar->SetShowCaption(false);
    Bitmap without = Shot(*bar);
    bar->SetShowCaption(true);
    int left = 150, right = -1;
    for (int x = 0; x < 150; ++x)
        for (int y = 0; y < 12; ++y)
            if (with.GetPixel(x, y) != without.GetPixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_NEAR(left + right, 149, 3); // centred

    bar->SetSmartShowCaption(true);
    EXPECT_GT(CaptionPixels(), 0);
    bar->SetPosition(0);
    EXPECT_EQ(CaptionPixels(), 0);
    bar->SetPosition(1);
    EXPECT_GT(CaptionPixels(), 0);
    bar->SetShowCaption(false);
    EXPECT_EQ(CaptionPixels(), 0);
}

TEST_F(ProgressBarTest, AVerticalBarFillsFromTheBottomWithTheTurnedPictureAndNoCaption)
{
    bar->SetBounds(10, 10, 12, 101);
    bar->SetOrientation(O::suiVertical);
    EXPECT_EQ(bar->Picture().Width(), 10); // turned a quarter
    EXPECT_EQ(bar->Picture().Height(), 13);
    EXPECT_TRUE(bar->ShowCaption()); // until it paints
    Bitmap shot = Shot(*bar);
    EXPECT_FALSE(bar->ShowCaption());
    EXPECT_EQ(CaptionPixels(), 0);
    // y = 100 - 50 = 50: the colour over rows 1..49, the picture below.
    for (int y = 1; y < 100; ++y)
        EXPECT_EQ(shot.GetPixel(5, y) == bar->Color(), y < 50) << y;
    EXPECT_EQ(shot.GetPixel(5, 0), bar->BorderColor());
    EXPECT_EQ(shot.GetPixel(5, 100), bar->BorderColor());

    bar->SetOrientation(O::suiHorizontal);
    EXPECT_EQ(bar->Picture().Width(), 13);
    EXPECT_FALSE(bar->ShowCaption()); // stays off
}

TEST_F(ProgressBarTest, AThemeFileExportedFromMacOSDrawsTheSameBar)
{
    Bitmap built_in = Shot(*bar);
    bar->SetUIStyle(S::FromThemeFile);
    TsuiFileTheme* theme = ExportedTheme(S::MacOS);
    bar->SetFileTheme(theme);
    EXPECT_EQ(Shot(*bar), built_in);

    // Removing the theme falls back to DeepBlue.
    delete theme;
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(bar->UIStyle(), S::DeepBlue);
    EXPECT_EQ(bar->Color(), 0xE8E8E8);
}

TEST_F(ProgressBarTest, ADescriptionNamesTheBarWithItsStoredValues)
{
    RegisterProgressClasses();
    ReadDescription(R"(
object Form1: TForm
  object Bar: TsuiProgressBar
    Left = 8
    Top = 40
    Width = 200
    Height = 16
    UIStyle = WinXP
    CaptionColor = clRed
    SmartShowCaption = True
    Max = 7
    Min = 0
    Position = 3
    Color = clWhite
  end
end)",
        *form);
    auto* read = dynamic_cast<TsuiProgressBar*>(form->FindComponent("Bar"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->UIStyle(), S::WinXP);
    EXPECT_EQ(read->Caption(), "42%");
    EXPECT_EQ(read->CaptionColor(), clRed);
    EXPECT_TRUE(read->SmartShowCaption());
    EXPECT_EQ(read->Color(), clWhite);
    EXPECT_EQ(read->BorderColor(), 0x686868);
    EXPECT_EQ(read->Width(), 200);
}

}
}
